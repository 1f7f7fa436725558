// The program started as a user starts it: the real main sequence (the command line first, then the window
// session with its own application object), at the very first start, under the locale the test runs in.
// Qt's own texts and the status bar's date are French under C.UTF-8 as under fr_FR.UTF-8.
#include "app/ui/MainWindow.h"
#include "app/ui/ProgramMain.h"
#include "app/ui/TonnelixApplication.h"
#include "platform/KeyboardLocks.h"
#include "platform/Prompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

int g_passed = 0;
int g_failed = 0;

void check(bool ok, const QString& what)
{
    if (ok) {
        ++g_passed;
        return;
    }
    ++g_failed;
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
}

void checkEqual(const QString& actual, const QString& expected, const QString& what)
{
    check(actual == expected, QStringLiteral("%1: \"%2\", expected \"%3\"").arg(what, actual, expected));
}

QString plain(QString text)
{
    return text.remove(QLatin1Char('&')).trimmed();
}

// Acts on the first visible top-level widget of type T, waiting for it up to ten seconds.
template <typename T> void whenShown(std::function<void(T*)> action, const QString& what)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(20);
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<T*>(widget); found && found->isVisible()) {
                timer->stop();
                timer->deleteLater();
                delete clock;
                action(found);
                return;
            }
        }
        if (clock->elapsed() > 10000) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            check(false, QStringLiteral("never shown: ") + what);
            QApplication::exit(3);
        }
    });
    timer->start();
}

// The first-start question, in the program's own message box: its buttons are Qt's, in French.
void answerTheFirstStartQuestion(QMessageBox* box)
{
    check(box->text().startsWith(QStringLiteral("Bienvenue dans Tonnelix !")), QStringLiteral("first-start text"));
    QAbstractButton* yes = box->button(QMessageBox::Yes);
    QAbstractButton* no = box->button(QMessageBox::No);
    check(yes && no, QStringLiteral("the question has Yes and No"));
    if (!yes || !no)
        return;
    checkEqual(plain(yes->text()), QStringLiteral("Oui"), QStringLiteral("Yes button"));
    checkEqual(plain(no->text()), QStringLiteral("Non"), QStringLiteral("No button"));
    no->click(); // the user's own empty cellar
}

// A file dialog the running program shows: Qt's labels and buttons in French.
void readTheFileDialog(QFileDialog* dialog)
{
    auto* lookIn = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"));
    auto* fileName = dialog->findChild<QLabel*>(QStringLiteral("fileNameLabel"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    check(lookIn && fileName && buttons, QStringLiteral("the widget-based file dialog"));
    if (lookIn && fileName && buttons) {
        check(plain(lookIn->text()) != QStringLiteral("Look in:") && !plain(lookIn->text()).isEmpty(),
              QStringLiteral("\"Look in\" label in French: ") + lookIn->text());
        check(plain(fileName->text()) != QStringLiteral("File name:") && !plain(fileName->text()).isEmpty(),
              QStringLiteral("\"File name\" label in French: ") + fileName->text());
        QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
        check(cancel != nullptr, QStringLiteral("the file dialog's Cancel button"));
        if (cancel)
            checkEqual(plain(cancel->text()), QStringLiteral("Annuler"), QStringLiteral("Cancel button"));
    }
    dialog->reject();
}

void readTheWindow(TonnelixApplication& app)
{
    MainWindow* frame = app.mainFrame();
    const QLocale french(QLocale::French, QLocale::France);
    const QString date = frame->datePane()->text();
    check(date.startsWith(french.dayName(QDate::currentDate().dayOfWeek())) &&
              date.contains(french.monthName(QDate::currentDate().month())),
          QStringLiteral("the date pane in French: ") + date);
    // The lock panes follow the keyboard's lights.
    QTemporaryDir leds;
    QDir(leds.path()).mkpath(QStringLiteral("input3::capslock"));
    QDir(leds.path()).mkpath(QStringLiteral("input3::numlock"));
    QFile caps(leds.filePath(QStringLiteral("input3::capslock/brightness")));
    QFile num(leds.filePath(QStringLiteral("input3::numlock/brightness")));
    if (caps.open(QIODevice::WriteOnly) && num.open(QIODevice::WriteOnly)) {
        caps.write("1\n");
        num.write("0\n");
        caps.close();
        num.close();
    }
    frame->updateLockPanes(leds.path());
    checkEqual(frame->capsPane()->text(), QStringLiteral("MAJ"), QStringLiteral("caps lock pane"));
    checkEqual(frame->numPane()->text(), QString(), QStringLiteral("num lock pane"));
    checkEqual(frame->scrollPane()->text(), QString(), QStringLiteral("scroll lock pane"));
    frame->updateLockPanes(leds.filePath(QStringLiteral("absent")));
    checkEqual(frame->capsPane()->text(), QString(), QStringLiteral("no keyboard lights"));

    whenShown<QFileDialog>(readTheFileDialog, QStringLiteral("file dialog"));
    QTimer::singleShot(0, [] {
        Prompt::current().openFileName(QStringLiteral("Choisir une cave"), QStringLiteral("Caves (*.mdb)"),
                                       QDir::homePath());
        QApplication::quit();
    });
}

} // namespace

int main(int argc, char* argv[])
{
    // A first start: no settings and no cellar yet, so the program asks its first question.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    qputenv("HOME", QFile::encodeName(home.path()));

    ProgramMain::Hooks hooks;
    hooks.applicationCreated = [] {
        whenShown<QMessageBox>(answerTheFirstStartQuestion, QStringLiteral("first-start question"));
    };
    hooks.windowShown = readTheWindow;
    int count = 1; // the program alone, as a double-click on its menu entry starts it
    char* arguments[] = {argv[0], nullptr};
    (void)argc;
    const int code = ProgramMain::run(count, arguments, hooks);
    check(code == 0, QStringLiteral("the window session ends with 0, not %1").arg(code));
    check(QFile::exists(home.filePath(QStringLiteral("data/Morvalis Software/Tonnelix/Tonnelix.mdb"))),
          QStringLiteral("\"Non\" starts on the user's own cellar"));
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
