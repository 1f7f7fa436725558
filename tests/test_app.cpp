// Start-up of the whole application under the offscreen platform.
#include "app/CMainFrame.h"
#include "app/CTonnelixApp.h"
#include "app/CommandTable.h"
#include "app/IconFactory.h"
#include "app/MessageBoxPrompt.h"
#include "platform/Profile.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompt.h"
#include "support/TempCellar.h"
#include "support/TempProfile.h"
#include "view/CTonnelixView.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace {

QString savedBase()
{
    return Profile::getString(QStringLiteral("Config"), QStringLiteral("Base"));
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every toolbar button has a picture drawn from the resources, sharp at 100 % and at 200 %.
    void toolbarButtonsHavePictures()
    {
        for (int id : Commands::toolbar()) {
            if (id == 0)
                continue;
            const QIcon icon = IconFactory::commandIcon(id);
            QVERIFY2(!icon.isNull(), qPrintable(QString::number(id)));
            for (const qreal scale : {1.0, 2.0}) {
                const QImage image = icon.pixmap(QSize(24, 24), scale).toImage();
                QCOMPARE(image.size(), QSize(24, 24) * scale);
                int painted = 0;
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x)
                        painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
                }
                QVERIFY2(painted > image.width() * image.height() / 5, qPrintable(QString::number(id)));
            }
        }
    }

    // Qt's own buttons read French, and a deletion's confirmation defaults to "Non".
    void messageBoxesSpeakFrench()
    {
        QVERIFY2(CTonnelixApp::installTranslations(), "qt6-translations-l10n is not installed");
        MessageBoxPrompt prompt;
        QStringList texts;
        QString defaultText;
        onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            for (QAbstractButton* button : box->buttons())
                texts << button->text().remove(QLatin1Char('&'));
            defaultText = box->defaultButton() ? box->defaultButton()->text().remove(QLatin1Char('&')) : QString();
            box->reject();
        });
        prompt.message(QStringLiteral("Confirmer vous la suppression ?"), QStringLiteral("Attention !"),
                       Prompt::Icon::Question, Prompt::Buttons::YesNoDefaultNo);
        texts.sort();
        QCOMPARE(texts, (QStringList{QStringLiteral("Non"), QStringLiteral("Oui")}));
        QCOMPARE(defaultText, QStringLiteral("Non"));
        texts.clear();
        onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            for (QAbstractButton* button : box->buttons())
                texts << button->text().remove(QLatin1Char('&'));
            box->reject();
        });
        prompt.message(QStringLiteral("?"), QString(), Prompt::Icon::Question, Prompt::Buttons::YesNoCancel);
        QVERIFY2(texts.contains(QStringLiteral("Annuler")), qPrintable(texts.join(',')));
    }

    void startsOnTheSavedCellarWithItsFrame()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        TempCellar cellar(TempCellar::Content::Base);
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Base"), cellar.path());
        CTonnelixApp app;
        QVERIFY(app.InitInstance({}));
        CMainFrame* frame = app.mainFrame();
        QVERIFY(frame->isVisible());
        QVERIFY(frame->isMaximized());
        QCOMPARE(frame->windowTitle(), QStringLiteral("Tonnelix.mdb - Tonnelix"));
        QCOMPARE(savedBase(), cellar.path());
        // The base file was upgraded at start.
        QVERIFY(frame->view()->session()->database().tableExists(QStringLiteral("PAYS")));
        QCOMPARE(Profile::getString(QStringLiteral("Config"), QStringLiteral("Version Base")), QStringLiteral("6.00"));

        QStringList menus;
        for (QAction* a : frame->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus,
                 (QStringList{"&Fichier", "A&jouter", "&Modifier", "&Rangement", "&Outils", "&Affichage", "&?"}));
        int buttons = 0;
        for (QAction* a : frame->toolBar()->actions())
            buttons += a->isSeparator() ? 0 : 1;
        QCOMPARE(buttons, 19);
        QAction* print = frame->action(Commands::Print);
        QCOMPARE(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(print->statusTip(), QStringLiteral("Imprime le document actif"));
        QCOMPARE(print->toolTip(), QStringLiteral("Imprimer"));
        QCOMPARE(frame->action(Commands::AddCru)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
        QCOMPARE(frame->action(Commands::ReadyToDrink)->statusTip(), QStringLiteral("Votre base à été restaurer !"));
        QVERIFY(frame->action(Commands::Exit)->isEnabled());
        // Every command of the table is carried out: none is left disabled.
        for (const Commands::Command& command : Commands::all())
            QVERIFY2(frame->action(command.id)->isEnabled(), qPrintable(command.text + command.prompt));

        // Bar toggles.
        frame->action(Commands::ViewStatusBar)->trigger();
        QVERIFY(!frame->statusBar()->isVisible());
        frame->action(Commands::ViewStatusBar)->trigger();
        QVERIFY(frame->statusBar()->isVisible());

        // The clock pane moves on within two seconds.
        const QString first = frame->clockPane()->text();
        QVERIFY(!first.isEmpty());
        QVERIFY(frame->datePane()->text().endsWith(QLatin1Char(' ')));
        QTRY_VERIFY_WITH_TIMEOUT(frame->clockPane()->text() != first, 2500);
        QVERIFY(prompt.messages().isEmpty());
    }

    void fileOnTheCommandLineIsForThisRunOnly()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        TempCellar saved(TempCellar::Content::Complete);
        TempCellar given(TempCellar::Content::Demo);
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Base"), saved.path());
        CTonnelixApp app;
        QVERIFY(app.InitInstance({given.path()}));
        QCOMPARE(app.mainFrame()->view()->session()->path(), given.path());
        QCOMPARE(savedBase(), saved.path());
    }

    void unreachableCellarThenCancelEndsWithFailure()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        TempCellar gone(TempCellar::Content::None);
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Base"), gone.path());
        prompt.allowUnscripted(true);
        CTonnelixApp app;
        QVERIFY(!app.InitInstance({}));
        QCOMPARE(savedBase(), gone.path());
        QCOMPARE(prompt.fileTitles().size(), 1);
    }

    void pickedFileIsSaved()
    {
        TempProfile profile;
        ScriptedPrompt prompt;
        TempCellar gone(TempCellar::Content::None);
        TempCellar found(TempCellar::Content::Complete);
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Base"), gone.path());
        prompt.allowUnscripted(true);
        prompt.queueFile(found.path());
        CTonnelixApp app;
        QVERIFY(app.InitInstance({}));
        QCOMPARE(savedBase(), found.path());
    }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
