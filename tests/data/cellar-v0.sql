-- A cellar as the first releases wrote it: the four base tables only.
CREATE TABLE CAVE ([Index] INTEGER PRIMARY KEY AUTOINCREMENT, [Nom vin] TEXT COLLATE NOCASE, RelType INTEGER,
  Proprietaire TEXT COLLATE NOCASE, Cru TEXT COLLATE NOCASE, Millesime INTEGER, [Nbr Achat] REAL,
  [Prix Achat] REAL, Stock INTEGER, [Date Achat] TEXT, Cote INTEGER);
CREATE TABLE TYPEVIN ([Index] INTEGER PRIMARY KEY AUTOINCREMENT, Type TEXT COLLATE NOCASE,
  Appellation TEXT COLLATE NOCASE, Etat TEXT, UNIQUE (Type, Appellation));
CREATE TABLE CRUS (Nom TEXT COLLATE NOCASE UNIQUE);
CREATE TABLE ANNEES (Type TEXT, Cote TEXT);
INSERT INTO TYPEVIN (Type, Appellation, Etat) VALUES ('Bordeaux', 'Pauillac', '0');
INSERT INTO CAVE ([Nom vin], RelType, Proprietaire, Cru, Millesime, [Nbr Achat], [Prix Achat], Stock, [Date Achat], Cote)
  VALUES ('Grand Vin', 1, 'Château d''Armailhac', 'Grand Cru', 1998, 12, 240.5, 7, '05/03/2001', 12);
INSERT INTO CRUS (Nom) VALUES ('Grand Cru');
