// Every text a user can type, driven with hostile values: each is either refused with a message and nothing
// written, or stored and read back exactly. No value ever reaches the SQL text, and "%" or "_" never act as
// wildcards.
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"

#include "backup/Backups.h"
#include "cellar/ui/BottleEntryPage.h"
#include "exchange/ExchangeFile.h"
#include "reference/Dishes.h"
#include "reference/Library.h"
#include "reference/ReferenceLists.h"
#include "search/SearchQuery.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {

using W = ReferenceLists::Write;

struct Hostile
{
    const char* label;
    QString text;
    bool storable; // false: a NUL or half a surrogate pair, which no write may take
};

QList<Hostile> hostileTexts()
{
    return {
        {"empty", QString(), true},
        {"blank", QStringLiteral("   "), true},
        {"10000 characters", QString(10000, QChar(0x00E9)), true},
        {"quote", QStringLiteral("Château d'Yquem"), true},
        {"double quote", QStringLiteral("Le \"Clos\""), true},
        {"semicolon and SQL", QStringLiteral("x'; DROP TABLE CAVE; --"), true},
        {"slash", QStringLiteral("Côte/Rôtie"), true},
        {"backslash", QStringLiteral("C:\\vins\\"), true},
        {"percent", QStringLiteral("%"), true},
        {"underscore", QStringLiteral("_"), true},
        {"accents and beyond Windows-1252", QStringLiteral("Ürzig Würzgarten ľ 日本酒 🍷"), true},
        {"NUL", QStringLiteral("avant") + QChar(0) + QStringLiteral("après"), false},
        {"lone surrogate", QStringLiteral("x") + QChar(0xD83C) + QStringLiteral("y"), false},
    };
}

qint64 count(Database& db, const QString& table)
{
    return db.scalar(QStringLiteral("SELECT count(*) FROM ") + table).toLongLong();
}

} // namespace

class TestHostile : public QObject
{
    Q_OBJECT

    TempProfile m_profile;

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    // Crus, wine types and appellations, estates, dishes and library facts through the functions their
    // dialogs call.
    void referenceListsStoreOrRefuse()
    {
        int tried = 0;
        for (const Hostile& h : hostileTexts()) {
            const QByteArray what = h.label;
            TempCellar cellar;
            CellarSession& session = cellar.session();
            Database& db = cellar.db();
            const qint64 crus = count(db, QStringLiteral("CRUS"));

            const W cru = ReferenceLists::addCru(session, h.text);
            QVERIFY2((cru == W::Done) == h.storable, what);
            QCOMPARE(count(db, QStringLiteral("CRUS")), crus + (h.storable ? 1 : 0));
            if (h.storable)
                QVERIFY2(ReferenceLists::crus(session, QStringLiteral("test")).contains(h.text), what);

            const W type = ReferenceLists::createWineType(session, h.text, h.text, QStringLiteral("FR"), Colour::White);
            QVERIFY2((type == W::Done) == h.storable, what);
            if (h.storable) {
                QVERIFY2(ReferenceLists::wineTypes(session, QStringLiteral("test")).contains(h.text), what);
                const auto appellations = ReferenceLists::appellationsOf(session, QStringLiteral("test"), h.text);
                QCOMPARE(appellations.size(), size_t(1));
                QCOMPARE(appellations.front().name, h.text);
            } else {
                QCOMPARE(count(db, QStringLiteral("TYPEVIN")), qint64(0));
            }

            QCOMPARE(ReferenceLists::addEstate(session, QStringLiteral("Bordeaux"), h.text) == W::Done, h.storable);
            QCOMPARE(ReferenceLists::estates(session, QStringLiteral("test"), QStringLiteral("Bordeaux")),
                     h.storable ? QStringList{h.text} : QStringList{});

            const qint64 dish = Dishes::add(session, h.text);
            const auto dishes = Dishes::all(session, QStringLiteral("test"));
            if (h.storable) {
                QVERIFY2(dish > 0, what);
                QCOMPARE(dishes.size(), size_t(1));
                QCOMPARE(dishes.front().name, h.text);
            } else {
                QVERIFY2(dish <= 0 && dishes.empty(), what);
            }

            // A fact of a wine type that exists, written over a value already there.
            db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Raisin) VALUES ('Loire', 'Chinon', "
                                      "'Cabernet franc')"));
            const W fact =
                Library::setFact(session, QStringLiteral("Loire"), QStringLiteral("Chinon"), Library::Grapes, h.text);
            QCOMPARE(fact == W::Done, h.storable);
            QCOMPARE(Library::facts(session, QStringLiteral("test"), QStringLiteral("Loire"), QStringLiteral("Chinon"))
                         .raisin,
                     h.storable ? h.text : QStringLiteral("Cabernet franc"));
            QCOMPARE(count(db, QStringLiteral("CAVE")), qint64(0)); // the SQL in a name never ran
            ++tried;
        }
        QCOMPARE(tried, hostileTexts().size());
    }

    // The name and the owner of a lot typed on the entry page.
    void lotNamesOnTheEntryPage()
    {
        for (const Hostile& h : hostileTexts()) {
            const QByteArray what = h.label;
            ScriptedPrompt prompt;
            TempCellar cellar;
            Database& db = cellar.db();
            db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation, Etat, Nic, Garde) VALUES ('Loire', "
                                      "'Chinon', '0', 'FR', '5 ans')"));
            BottleEntryPage page;
            page.fillControls();
            page.typeList()->setCurrentText(QStringLiteral("Loire"));
            page.wineTypeChanged();
            page.nameList()->setEditText(h.text);
            page.ownerEdit()->setText(h.text);
            page.bottlesEdit()->setText(QStringLiteral("6"));
            page.amountEdit()->setText(QStringLiteral("60"));
            page.dayEdit()->setText(QStringLiteral("5"));
            page.monthEdit()->setText(QStringLiteral("3"));
            page.yearEdit()->setText(QStringLiteral("2006"));
            page.vintageList()->setCurrentText(QStringLiteral("2004"));
            for (int i = 0; i < 4; ++i)
                prompt.queue(Prompt::Answer::No);
            page.recordPurchase();
            QVERIFY2(!prompt.messages().isEmpty(), what); // saved or refused, the user is told
            const QString typed = page.nameList()->currentText();
            if (count(db, QStringLiteral("CAVE")) == 0) {
                QVERIFY2(!h.storable || typed.trimmed().isEmpty() || typed != h.text, what);
                continue;
            }
            QVERIFY2(h.storable, what);
            QCOMPARE(db.scalar(QStringLiteral("SELECT [Nom vin] FROM CAVE")).toString(), typed);
            QCOMPARE(db.scalar(QStringLiteral("SELECT Proprietaire FROM CAVE")).toString(), h.text);
        }
    }

    // Search criteria find exactly the lots whose value is the one typed: "%" and "_" are letters.
    void searchCriteriaAreNeverPatterns()
    {
        TempCellar cellar;
        CellarSession& session = cellar.session();
        Database& db = cellar.db();
        db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation) VALUES ('Loire', 'Chinon')"));
        const QList<Hostile> texts = hostileTexts();
        for (const Hostile& h : texts) {
            if (h.storable && !h.text.isEmpty())
                db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Cru, Millesime, Stock) VALUES "
                                          "('Lot', 1, ?, 2000, 1)"),
                           {h.text});
        }
        db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Cru, Millesime, Stock) VALUES ('Lot', 1, "
                                  "'A', 2000, 1)"));
        for (const Hostile& h : texts) {
            if (h.text.trimmed().isEmpty())
                continue;
            const QByteArray what = h.label;
            ScriptedPrompt prompt;
            SearchQuery::Criteria criteria;
            criteria.cru = h.text;
            if (!h.storable) {
                prompt.queue(Prompt::Answer::Ok);
                const std::vector<WineRow> refused = SearchQuery::byCriteria(session, criteria);
                QVERIFY2(refused.empty(), what);
                QVERIFY(prompt.messages().last().text.contains(QStringLiteral("caractère")));
                continue;
            }
            const std::vector<WineRow> rows = SearchQuery::byCriteria(session, criteria);
            QCOMPARE(rows.size(), size_t(1));
            QCOMPARE(rows.front().cru, h.text);
            criteria = {};
            criteria.type = h.text;
            QVERIFY2(SearchQuery::byCriteria(session, criteria).empty(), what);
        }
    }

    // Files whose paths hold quotes, semicolons, "%", spaces and accents: exported, imported, backed up.
    void hostileFilePaths()
    {
        TempCellar source(TempCellar::Content::Demo);
        QDir dir(source.dir());
        QVERIFY(dir.mkpath(QStringLiteral("l'été; \"x\" 100% _\\ 日本")));
        QVERIFY(dir.cd(QStringLiteral("l'été; \"x\" 100% _\\ 日本")));
        const QString file = dir.filePath(QStringLiteral("échange d'été.txt"));
        const ExchangeFile::Result exported = ExchangeFile::exportTo(source.session(), file);
        QVERIFY2(exported.ok, qUtf8Printable(exported.message));
        QVERIFY(exported.records > 0);

        TempCellar target;
        const ExchangeFile::Result imported = ExchangeFile::importFrom(target.session(), file, false);
        QVERIFY2(imported.ok, qUtf8Printable(imported.message));
        QCOMPARE(count(target.db(), QStringLiteral("CAVE")), qint64(exported.records));

        const ExchangeFile::Result missing =
            ExchangeFile::importFrom(target.session(), dir.filePath(QStringLiteral("absent'; --.txt")), true);
        QVERIFY(!missing.ok);
        QVERIFY(missing.message.contains(QStringLiteral("absent'; --.txt")));
        QCOMPARE(count(target.db(), QStringLiteral("CAVE")), qint64(exported.records));

        const Backups::Result notACellar = Backups::restore(target.session(), file);
        QVERIFY(!notACellar.ok);
        QCOMPARE(count(target.db(), QStringLiteral("CAVE")), qint64(exported.records));
    }

    // Names the pocket device's file cannot carry ("/" splits its fields) never shift the other fields.
    void exchangeFileKeepsItsFields()
    {
        TempCellar source;
        Database& db = source.db();
        db.execute(QStringLiteral("INSERT INTO TYPEVIN (Type, Appellation) VALUES ('Loire', 'Chinon')"));
        for (const Hostile& h : hostileTexts()) {
            if (h.storable)
                db.execute(QStringLiteral("INSERT INTO CAVE ([Nom vin], RelType, Cru, Millesime, [Nbr Achat], Stock, "
                                          "[Prix Achat], [Date Achat]) VALUES (?, 1, ?, 1999, 6, 4, 60, '01/02/2003')"),
                           {h.text, h.text});
        }
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("echange.txt"));
        const ExchangeFile::Result exported = ExchangeFile::exportTo(source.session(), file);
        QVERIFY2(exported.ok, qUtf8Printable(exported.message));
        TempCellar target;
        const ExchangeFile::Result imported = ExchangeFile::importFrom(target.session(), file, false);
        QVERIFY2(imported.ok, qUtf8Printable(imported.message));
        Database& back = target.db();
        QCOMPARE(count(back, QStringLiteral("CAVE")), count(db, QStringLiteral("CAVE")));
        QCOMPARE(back.scalar(QStringLiteral("SELECT count(*) FROM CAVE WHERE Millesime = 1999 AND Stock = 4 AND "
                                            "[Nbr Achat] = 6"))
                     .toLongLong(),
                 count(db, QStringLiteral("CAVE")));
    }
};

QTEST_MAIN(TestHostile)
#include "test_hostile.moc"
