-- A cellar at version 3.00: pictures attached to lots.
CREATE TABLE CAVE ([Index] INTEGER PRIMARY KEY AUTOINCREMENT, [Nom vin] TEXT COLLATE NOCASE, RelType INTEGER,
  Proprietaire TEXT COLLATE NOCASE, Cru TEXT COLLATE NOCASE, Millesime INTEGER, [Nbr Achat] REAL,
  [Prix Achat] REAL, Stock INTEGER, [Date Achat] TEXT, Cote INTEGER, Contenance TEXT, Cepage TEXT, Filler TEXT,
  Filler1 TEXT, Filler2 TEXT, Images TEXT);
CREATE TABLE TYPEVIN ([Index] INTEGER PRIMARY KEY AUTOINCREMENT, Type TEXT COLLATE NOCASE,
  Appellation TEXT COLLATE NOCASE, Etat TEXT, UNIQUE (Type, Appellation));
CREATE TABLE CRUS (Nom TEXT COLLATE NOCASE UNIQUE);
CREATE TABLE ANNEES (Type TEXT, Cote TEXT);
CREATE TABLE INFO ([Version Base] TEXT, Date TEXT, Proprietaire TEXT);
CREATE TABLE RAYONNAGE (Relation INTEGER, Casier INTEGER, [Coordonnees X] INTEGER, [Coordonnees Y] INTEGER);
INSERT INTO INFO VALUES ('3.00', '11/11/2005', 'Zalbrec');
INSERT INTO TYPEVIN (Type, Appellation, Etat) VALUES ('Champagne', 'Champagne', '3');
INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock, Cote, Images) VALUES ('Brut', 1, 2004, 3, 99, '/photos/brut.bmp');
