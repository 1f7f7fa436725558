-- A cellar at version 5.00: the wine-type library, dishes and estates; no countries yet.
CREATE TABLE CAVE ([Index] INTEGER PRIMARY KEY AUTOINCREMENT, [Nom vin] TEXT COLLATE NOCASE, RelType INTEGER,
  Proprietaire TEXT COLLATE NOCASE, Cru TEXT COLLATE NOCASE, Millesime INTEGER, [Nbr Achat] REAL,
  [Prix Achat] REAL, Stock INTEGER, [Date Achat] TEXT, Cote INTEGER, Contenance TEXT, Cepage TEXT, Filler TEXT,
  Filler1 TEXT, Filler2 TEXT, Images TEXT);
CREATE TABLE TYPEVIN ([Index] INTEGER PRIMARY KEY AUTOINCREMENT, Type TEXT COLLATE NOCASE,
  Appellation TEXT COLLATE NOCASE, Etat TEXT, Raisin TEXT, Garde TEXT, Terroir TEXT, Caracteres TEXT,
  Millesimesremarquables TEXT, RelPlats TEXT, Superficie TEXT, Temperature TEXT, UNIQUE (Type, Appellation));
CREATE TABLE CRUS (Nom TEXT COLLATE NOCASE UNIQUE);
CREATE TABLE ANNEES (Type TEXT, Cote TEXT);
CREATE TABLE INFO ([Version Base] TEXT, Date TEXT, Proprietaire TEXT);
CREATE TABLE RAYONNAGE (Relation INTEGER, Casier INTEGER, [Coordonnees X] INTEGER, [Coordonnees Y] INTEGER);
CREATE TABLE PLATS (IndexPlats INTEGER PRIMARY KEY AUTOINCREMENT, Plat TEXT);
CREATE UNIQUE INDEX IndexPlats ON PLATS (IndexPlats);
CREATE TABLE DOMAINES (Domaine TEXT, Type TEXT);
INSERT INTO INFO VALUES ('5.00', '01/01/2006', 'Zalbrec');
INSERT INTO PLATS (Plat) VALUES ('Agneau rôti');
INSERT INTO TYPEVIN (Type, Appellation, Etat, Garde, RelPlats) VALUES ('Bordeaux', 'Margaux', '0', '10 à 20 ans', '*1,');
INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock, Cote) VALUES ('Pavillon', 1, 2000, 2, 15);
