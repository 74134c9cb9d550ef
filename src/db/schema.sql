-- Zoreva database: the six tables and the indexes their queries need.
-- Text is UTF-8; money columns hold leva as REAL; LAST is 0/1.
-- The program never creates tables: the install step builds ZORV1.MDB from
-- this file, and start-up carries the user's data into it.
--
-- The version grows with every change of this file (db::SchemaVersion tells
-- it by the tables a file has); a database of an older version is carried
-- into a new file of this one at start-up.

CREATE TABLE EDANNI (
    BULSTAT   TEXT NOT NULL,
    KLON      TEXT NOT NULL DEFAULT '',
    VIN       TEXT,
    NAME      TEXT,
    ADRESS    TEXT,
    B_POST    TEXT,
    B_NAME    TEXT,
    FACEEGN   TEXT,
    FL_PREDST TEXT,
    FACE      TEXT,
    PHONE     TEXT,
    FACE1     TEXT,
    FACE2     TEXT,
    FACE3     TEXT,
    FACEGRAD  TEXT,
    FACEPK    TEXT,
    FACEADR1  TEXT,
    FACEADR2  TEXT,
    FACEADR3  TEXT,
    FL_OBST   TEXT,
    PERIOD    TEXT,
    LAST      INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX EDANNI_KEY ON EDANNI (BULSTAT, KLON);
CREATE INDEX EDANNI_VIN ON EDANNI (VIN);

-- Column order matters: a select of all columns returns the amounts at
-- positions 11 to 17 (purchases) and 11 to 27 (sales).
--
-- The journals are stored in order of VAT number, period and ID, so that the
-- documents of a period lie together: opening a period reads its own pages
-- only, and renumbering it after a deletion rewrites nothing else. ID is
-- given by the program from JOURNAL_IDS (increasing, never reused), as
-- such a table cannot count by itself.
CREATE TABLE POKUPKI (
    ID            INTEGER NOT NULL,
    VIN           TEXT NOT NULL,
    KLON          TEXT NOT NULL DEFAULT '',
    PERIOD        TEXT NOT NULL,
    NUMBER        REAL,
    TYPE          TEXT,
    DOCNO         TEXT,
    DDATE         TEXT,
    KNUM          TEXT,
    KNAME         TEXT,
    SDELKA        TEXT,
    BS30          REAL DEFAULT 0,
    BS31          REAL DEFAULT 0,
    BS41          REAL DEFAULT 0,
    BS32          REAL DEFAULT 0,
    BS42          REAL DEFAULT 0,
    BS43          REAL DEFAULT 0,
    BS44          REAL DEFAULT 0,
    BS8A          TEXT,
    ERROR1        INTEGER DEFAULT 0,
    ERROR2        INTEGER DEFAULT 0,
    ERROR3        INTEGER DEFAULT 0,
    DATE_CREATE   TEXT,
    DATE_MODIFIED TEXT,
    VALID         TEXT,
    ERROR         TEXT,
    PRIMARY KEY (VIN, PERIOD, ID)
) WITHOUT ROWID;
CREATE UNIQUE INDEX POKUPKI_ID ON POKUPKI (ID);
CREATE INDEX POKUPKI_PERIOD ON POKUPKI (VIN, PERIOD, KLON);
CREATE INDEX POKUPKI_KNUM ON POKUPKI (KNUM, ID);

CREATE TABLE PRODAGBI (
    ID            INTEGER NOT NULL,
    VIN           TEXT NOT NULL,
    KLON          TEXT NOT NULL DEFAULT '',
    PERIOD        TEXT NOT NULL,
    NUMBER        REAL,
    TYPE          TEXT,
    DOCNO         TEXT,
    DDATE         TEXT,
    KNUM          TEXT,
    KNAME         TEXT,
    SDELKA        TEXT,
    SS10          REAL DEFAULT 0,
    SS20          REAL DEFAULT 0,
    SS11          REAL DEFAULT 0,
    SS21          REAL DEFAULT 0,
    SS12          REAL DEFAULT 0,
    SS26          REAL DEFAULT 0,
    SS22          REAL DEFAULT 0,
    SS23          REAL DEFAULT 0,
    SS13          REAL DEFAULT 0,
    SS24          REAL DEFAULT 0,
    SS14          REAL DEFAULT 0,
    SS15          REAL DEFAULT 0,
    SS16          REAL DEFAULT 0,
    SS17          REAL DEFAULT 0,
    SS18          REAL DEFAULT 0,
    SS19          REAL DEFAULT 0,
    SS25          REAL DEFAULT 0,
    SS8A          TEXT,
    VIES_TYPE     TEXT,
    ERROR1        INTEGER DEFAULT 0,
    ERROR2        INTEGER DEFAULT 0,
    ERROR3        INTEGER DEFAULT 0,
    DATE_CREATE   TEXT,
    DATE_MODIFIED TEXT,
    VALID         TEXT,
    ERROR         TEXT,
    PRIMARY KEY (VIN, PERIOD, ID)
) WITHOUT ROWID;
CREATE UNIQUE INDEX PRODAGBI_ID ON PRODAGBI (ID);
CREATE INDEX PRODAGBI_PERIOD ON PRODAGBI (VIN, PERIOD, KLON);
CREATE INDEX PRODAGBI_KNUM ON PRODAGBI (KNUM, ID);

-- The last ID given in each journal.
CREATE TABLE JOURNAL_IDS (
    NAME    TEXT PRIMARY KEY,
    LAST_ID INTEGER NOT NULL
) WITHOUT ROWID;
INSERT INTO JOURNAL_IDS (NAME, LAST_ID) VALUES ('POKUPKI', 0);
INSERT INTO JOURNAL_IDS (NAME, LAST_ID) VALUES ('PRODAGBI', 0);

CREATE TABLE KONTRAG (
    KN  TEXT NOT NULL,
    KI  TEXT,
    VIN TEXT NOT NULL,
    KB  TEXT
);
CREATE UNIQUE INDEX KONTRAG_KEY ON KONTRAG (KN, VIN);
CREATE INDEX KONTRAG_VIN ON KONTRAG (VIN, KN);

-- DR70 to DR82 are typed by the user and stay NULL (an empty box) until then.
CREATE TABLE DEKLAR (
    ID      INTEGER PRIMARY KEY AUTOINCREMENT,
    VIN     TEXT,
    KLON    TEXT NOT NULL DEFAULT '',
    PERIOD  TEXT,
    SNUMBER REAL DEFAULT 0,
    BNUMBER REAL DEFAULT 0,
    DS01    REAL DEFAULT 0,
    DS20    REAL DEFAULT 0,
    DS11    REAL DEFAULT 0,
    DS21    REAL DEFAULT 0,
    DS12    REAL DEFAULT 0,
    DS22    REAL DEFAULT 0,
    DS23    REAL DEFAULT 0,
    DS13    REAL DEFAULT 0,
    DS24    REAL DEFAULT 0,
    DS14    REAL DEFAULT 0,
    DS15    REAL DEFAULT 0,
    DS16    REAL DEFAULT 0,
    DS17    REAL DEFAULT 0,
    DS18    REAL DEFAULT 0,
    DS19    REAL DEFAULT 0,
    DB30    REAL DEFAULT 0,
    DB31    REAL DEFAULT 0,
    DB41    REAL DEFAULT 0,
    DB32    REAL DEFAULT 0,
    DB42    REAL DEFAULT 0,
    DB43    REAL DEFAULT 0,
    DR33    REAL DEFAULT 0,
    DR40    REAL DEFAULT 0,
    DR50    REAL DEFAULT 0,
    DR60    REAL DEFAULT 0,
    DR70    REAL,
    DR71    REAL,
    DR80    REAL,
    DR81    REAL,
    DR82    REAL,
    ERROR1  INTEGER DEFAULT 0,
    ERROR2  INTEGER DEFAULT 0,
    ERROR3  INTEGER DEFAULT 0,
    NAME    TEXT,
    FACE    TEXT,
    ERROR   TEXT
);
CREATE UNIQUE INDEX DEKLAR_KEY ON DEKLAR (VIN, KLON, PERIOD);

CREATE TABLE VIES (
    VIN     TEXT,
    KLON    TEXT NOT NULL DEFAULT '',
    PERIOD  TEXT,
    SECTION REAL,
    NUMBER  REAL,
    KNUM    TEXT,
    KNUMZ   TEXT,
    PERIOD1 TEXT,
    SS15    REAL DEFAULT 0,
    SS17    REAL DEFAULT 0,
    SS25    REAL DEFAULT 0
);
CREATE INDEX VIES_KEY ON VIES (VIN, KLON, PERIOD, SECTION, NUMBER);
