// The SQLite engine layer: error numbers, recordsets, counters, transactions, bound values.
#include "db/Colour.h"
#include "db/Schema.h"
#include "db/Write.h"
#include "db/engine/BatchInsert.h"
#include "db/engine/Database.h"
#include "db/engine/DbError.h"

#include <QTemporaryDir>
#include <QTest>

class TestEngine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    // A fresh base-schema cellar for each case.
    void openFresh(Database& db)
    {
        db.open(m_dir.filePath(QStringLiteral("e%1.mdb").arg(++m_files)), Database::OpenMode::CreateIfMissing);
        Schema::createBaseSchema(db);
    }

    static int errorCode(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const DbError& e) {
            return e.code();
        }
        return 0;
    }

private Q_SLOTS:
    // The colour code as stored, as a word and back: only "0" to "3" are colours, as the tree reads them;
    // words are compared without regard to case; the sorted list is the dialogs' order.
    void colourCodes()
    {
        for (const Colour colour : {Colour::Red, Colour::White, Colour::Rose, Colour::Other}) {
            QCOMPARE(ColourCode::fromStored(ColourCode::stored(colour)), colour);
            QCOMPARE(ColourCode::fromWord(ColourCode::word(colour).toUpper()), colour);
        }
        QCOMPARE(ColourCode::stored(Colour::Rose), QStringLiteral("2"));
        QCOMPARE(ColourCode::word(Colour::Rose), QStringLiteral("Rosé"));
        for (const char* foreign : {"", "4", "-1", " 1", "01", "1.0", "Rouge"})
            QVERIFY2(!ColourCode::fromStored(QString::fromLatin1(foreign)), foreign);
        QCOMPARE(ColourCode::fromStoredOrRed(QStringLiteral("9")), Colour::Red);
        QVERIFY(!ColourCode::fromWord(QStringLiteral("Rose"))); // the tree's own word is not the dialogs'
        QCOMPARE(ColourCode::sortedWords(), (QStringList{"Autres", "Blanc", "Rosé", "Rouge"}));
    }

    void engineErrorNumbers()
    {
        Database db;
        openFresh(db);
        db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES (?)"), {QStringLiteral("Grand Cru")});
        // The same name again, differing only by case, is a duplicate key.
        QCOMPARE(errorCode([&] {
                     db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES (?)"), {QStringLiteral("grand cru")});
                 }),
                 DbError::kDuplicateKey);
        db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation) VALUES (?, ?)"),
                   {QStringLiteral("Bordeaux"), QStringLiteral("Pauillac")});
        QCOMPARE(errorCode([&] {
                     db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation) VALUES (?, ?)"),
                                {QStringLiteral("Bordeaux"), QStringLiteral("Pauillac")});
                 }),
                 DbError::kDuplicateKey);
        QCOMPARE(
            errorCode([&] { db.addColumn(QStringLiteral("CAVE"), QStringLiteral("Cote"), QStringLiteral("TEXT")); }),
            DbError::kFieldExists);
        // Other failures keep SQLite's own code (1: SQL error).
        QCOMPARE(errorCode([&] { db.execute(QStringLiteral("SELECT * FROM NOWHERE")); }), 1);
    }

    void emptyResultAndMoves()
    {
        Database db;
        openFresh(db);
        Recordset rs = db.openQuery(QStringLiteral("SELECT * FROM CAVE WHERE Millesime = ?"), {1999});
        QVERIFY(rs.isEOF());
        QCOMPARE(rs.recordCount(), 0);
        QCOMPARE(errorCode([&] { rs.moveLast(); }), DbError::kNoCurrentRecord);
        QCOMPARE(errorCode([&] { rs.field(QStringLiteral("Stock")); }), DbError::kNoCurrentRecord);

        for (int year : {2001, 2002, 2003})
            db.execute(QStringLiteral("INSERT INTO CAVE (Millesime) VALUES (?)"), {year});
        rs = db.openQuery(QStringLiteral("SELECT Millesime FROM CAVE ORDER BY Millesime"));
        QCOMPARE(rs.integer(QStringLiteral("Millesime")), 2001); // opened on the first row
        rs.moveLast();
        QCOMPARE(rs.recordCount(), 3);
        QCOMPARE(rs.integer(QStringLiteral("millesime")), 2003);
        rs.movePrevious();
        QCOMPARE(rs.integer(QStringLiteral("MILLESIME")), 2002);
        rs.moveFirst();
        int seen = 0;
        while (!rs.isEOF()) {
            ++seen;
            rs.moveNext();
        }
        QCOMPARE(seen, 3);
        QCOMPARE(errorCode([&] { rs.moveNext(); }), DbError::kNoCurrentRecord);
        QCOMPARE(errorCode([&] { rs.field(QStringLiteral("Nowhere")); }), DbError::kItemNotFound);
    }

    void tableRecordsetEditsAndCounters()
    {
        Database db;
        openFresh(db);
        Recordset rs = db.openTable(QStringLiteral("CAVE"));
        rs.addNew();
        const qint64 first = rs.integer(QStringLiteral("Index")); // readable before the row is written
        QVERIFY(first > 0);
        rs.setField(QStringLiteral("Nom Vin"), QStringLiteral("Côte d'Or \"Réserve\""));
        rs.setField(QStringLiteral("Millesime"), 2005);
        rs.setField(QStringLiteral("Prix Achat"), 90.5);
        rs.update();
        QCOMPARE(rs.integer(QStringLiteral("Index")), first); // the counter after the add
        QCOMPARE(rs.text(QStringLiteral("Nom vin")), QStringLiteral("Côte d'Or \"Réserve\""));
        QCOMPARE(rs.field(QStringLiteral("Millesime")).toInt(), 2005);
        QCOMPARE(rs.real(QStringLiteral("Prix Achat")), 90.5);

        rs.addNew();
        rs.setField(QStringLiteral("Nom vin"), QStringLiteral("Second"));
        rs.update();
        const qint64 second = rs.integer(QStringLiteral("Index"));
        QCOMPARE(second, first + 1);

        // A deleted highest number is never given again.
        rs.remove();
        Recordset again = db.openTable(QStringLiteral("CAVE"));
        again.addNew();
        again.update();
        QCOMPARE(again.integer(QStringLiteral("Index")), second + 1);

        // Edit through a single-table query; the change is in the file.
        Recordset q = db.openQuery(QStringLiteral("SELECT * FROM CAVE WHERE [Index] = ?"), {first});
        q.edit();
        q.setField(QStringLiteral("Stock"), 12);
        q.update();
        QCOMPARE(db.scalar(QStringLiteral("SELECT Stock FROM CAVE WHERE [Index] = ?"), {first}).toInt(), 12);
    }

    void deleteInsideReadingLoop()
    {
        Database db;
        openFresh(db);
        for (int i = 0; i < 5; ++i)
            db.execute(QStringLiteral("INSERT INTO CAVE (Stock) VALUES (?)"), {i});
        Recordset rs = db.openTable(QStringLiteral("CAVE"));
        while (!rs.isEOF()) {
            if (rs.integer(QStringLiteral("Stock")) % 2 == 0)
                rs.remove();
            rs.moveNext();
        }
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(db.scalar(QStringLiteral("SELECT group_concat(Stock) FROM CAVE")).toString(), QStringLiteral("1,3"));
    }

    void joinResultsAreReadOnly()
    {
        Database db;
        openFresh(db);
        db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat) VALUES ('Loire', 'Sancerre', '1')"));
        db.execute(QStringLiteral("INSERT INTO CAVE (RelType, Stock) VALUES (1, 3)"));
        Recordset rs = db.openQuery(QStringLiteral(
            "SELECT TYPEVIN.[Index] AS TYPEVIN_Index, TYPEVIN.Etat, CAVE.Stock FROM TYPEVIN INNER JOIN CAVE ON "
            "TYPEVIN.[Index] = CAVE.RelType"));
        QVERIFY(!rs.isUpdatable());
        QCOMPARE(rs.text(QStringLiteral("typevin_index")), QStringLiteral("1"));
        QCOMPARE(rs.text(QStringLiteral("Etat")), QStringLiteral("1"));
        QCOMPARE(errorCode([&] { rs.edit(); }), DbError::kNotUpdatable);
    }

    void transactionRollbackLeavesNoTrace()
    {
        Database db;
        openFresh(db);
        {
            Transaction tx(db);
            db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('A')"));
            {
                Transaction inner(db);
                db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('B')"));
                inner.commit();
            }
            // no commit: both rows go
        }
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM CRUS")).toInt(), 0);
        QCOMPARE(db.transactionDepth(), 0);
        {
            Transaction tx(db);
            db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('A')"));
            try {
                Transaction inner(db);
                db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('A')")); // duplicate
                inner.commit();
            } catch (const DbError&) {
            }
            tx.commit();
        }
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM CRUS")).toInt(), 1);
    }

    // The one way to write: done commits; a refusal or a failure half-way leaves the cellar as it was, and a
    // failure carries the engine's code and text (a duplicate known as such).
    void writesAreWholeOrNothing()
    {
        Database db;
        openFresh(db);
        db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('Grand Cru')"));
        const WriteResult done = inTransaction(db, "test", [](Database& d) {
            d.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('Premier Cru')"));
            return true;
        });
        QVERIFY(done.done());
        const WriteResult refused = inTransaction(db, "test", [](Database& d) {
            d.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('Cru Bourgeois')"));
            return false;
        });
        QCOMPARE(refused.outcome, WriteResult::Outcome::Refused);
        const WriteResult failed = inTransaction(db, "test", [](Database& d) {
            d.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('Cru Classé')"));
            d.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('Grand Cru')")); // already there
            return true;
        });
        QCOMPARE(failed.outcome, WriteResult::Outcome::Failed);
        QVERIFY(failed.duplicate());
        QVERIFY(!failed.engineText.isEmpty());
        const WriteResult broken = inTransaction(db, "test", [](Database& d) {
            d.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES ('Cru Artisan')"));
            d.execute(QStringLiteral("INSERT INTO NULLEPART VALUES (1)"));
            return true;
        });
        QCOMPARE(broken.outcome, WriteResult::Outcome::Failed);
        QVERIFY(!broken.duplicate());
        QCOMPARE(db.scalar(QStringLiteral("SELECT group_concat(Nom, '|') FROM (SELECT Nom FROM CRUS ORDER BY rowid)"))
                     .toString(),
                 QStringLiteral("Grand Cru|Premier Cru"));
        QCOMPARE(db.transactionDepth(), 0);
    }

    // Rows written several to a statement keep their order, whatever the count left over at the end, and
    // a row that fails takes its statement's rows with it: inside a transaction nothing stays.
    void batchInsertKeepsOrderAndFailsWhole()
    {
        Database db;
        openFresh(db);
        for (const int count : {0, 1, 3, 4, 10}) {
            db.execute(QStringLiteral("DELETE FROM CRUS"));
            BatchInsert insert(db, QStringLiteral("CRUS (Nom)"), 1, 3);
            for (int i = 0; i < count; ++i)
                insert.add({QStringLiteral("c%1").arg(i, 2, 10, QLatin1Char('0'))});
            insert.flush();
            insert.flush(); // nothing left: no second write
            QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM CRUS")).toInt(), count);
            for (int i = 0; i < count; ++i)
                QCOMPARE(db.scalar(QStringLiteral("SELECT Nom FROM CRUS WHERE rowid = (SELECT min(rowid) FROM "
                                                  "CRUS) + ?"),
                                   {i})
                             .toString(),
                         QStringLiteral("c%1").arg(i, 2, 10, QLatin1Char('0')));
        }
        db.execute(QStringLiteral("DELETE FROM CRUS"));
        QCOMPARE(errorCode([&] {
                     Transaction tx(db);
                     BatchInsert insert(db, QStringLiteral("CRUS (Nom)"), 1, 2);
                     insert.add({QStringLiteral("a")});
                     insert.add({QStringLiteral("b")});
                     insert.add({QStringLiteral("c")});
                     insert.add({QStringLiteral("A")}); // a duplicate, in the second statement
                     tx.commit();
                 }),
                 DbError::kDuplicateKey);
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM CRUS")).toInt(), 0);
        // A row of the wrong width is refused before anything is sent.
        BatchInsert insert(db, QStringLiteral("CRUS (Nom)"), 1);
        QCOMPARE(errorCode([&] { insert.add({QStringLiteral("a"), QStringLiteral("b")}); }), 25);
    }

    void boundValuesAreNeverSql()
    {
        Database db;
        openFresh(db);
        const QString hostile = QStringLiteral("x'); DROP TABLE CAVE; --\"");
        db.execute(QStringLiteral("INSERT INTO CRUS (Nom) VALUES (?)"), {hostile});
        QVERIFY(db.tableExists(QStringLiteral("CAVE")));
        QCOMPARE(db.scalar(QStringLiteral("SELECT Nom FROM CRUS WHERE Nom = ?"), {hostile}).toString(), hostile);
        QCOMPARE(errorCode([&] { db.execute(QStringLiteral("SELECT ?"), {}); }), 25); // SQLITE_RANGE
    }

    void refusesFilesThatAreNotDatabases()
    {
        const QString path = m_dir.filePath(QStringLiteral("jet.mdb"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray jetLike = QByteArray("\x00\x01\x00\x00Standard Jet DB", 19) + QByteArray(2048, 'x');
        file.write(jetLike);
        file.close();
        Database db;
        QCOMPARE(errorCode([&] { db.open(path); }), 26); // SQLITE_NOTADB
        QVERIFY(!db.isOpen());
        QFile check(path);
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), jetLike); // untouched
        QVERIFY(errorCode([&] { db.open(m_dir.filePath(QStringLiteral("missing.mdb"))); }) != 0);
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("missing.mdb"))));
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
