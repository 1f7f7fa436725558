-- A cellar at version 2.00: sizes, grape and reserved columns, version record and racks.
CREATE TABLE CAVE ([Index] INTEGER PRIMARY KEY AUTOINCREMENT, [Nom vin] TEXT COLLATE NOCASE, RelType INTEGER,
  Proprietaire TEXT COLLATE NOCASE, Cru TEXT COLLATE NOCASE, Millesime INTEGER, [Nbr Achat] REAL,
  [Prix Achat] REAL, Stock INTEGER, [Date Achat] TEXT, Cote INTEGER, Contenance TEXT, Cepage TEXT, Filler TEXT,
  Filler1 TEXT, Filler2 TEXT);
CREATE TABLE TYPEVIN ([Index] INTEGER PRIMARY KEY AUTOINCREMENT, Type TEXT COLLATE NOCASE,
  Appellation TEXT COLLATE NOCASE, Etat TEXT, UNIQUE (Type, Appellation));
CREATE TABLE CRUS (Nom TEXT COLLATE NOCASE UNIQUE);
CREATE TABLE ANNEES (Type TEXT, Cote TEXT);
CREATE TABLE INFO ([Version Base] TEXT, Date TEXT, Proprietaire TEXT);
CREATE TABLE RAYONNAGE (Relation INTEGER, Casier INTEGER, [Coordonnees X] INTEGER, [Coordonnees Y] INTEGER);
INSERT INTO INFO VALUES ('2.00', '10/10/2002', 'Zalbrec');
INSERT INTO TYPEVIN (Type, Appellation, Etat) VALUES ('Loire', 'Sancerre', '1');
INSERT INTO CAVE ([Nom vin], RelType, Millesime, [Nbr Achat], [Prix Achat], Stock, Cote, Contenance)
  VALUES ('Les Monts Damnés', 1, 2002, 6, 60, 6, 5, '0,75 L');
INSERT INTO RAYONNAGE VALUES (1, 1, 2, 3);
