#include "app/ui/TonnelixApplication.h"
#include "platform/Settings.h"

#include "app/RecentCellars.h"
#include "app/ui/CellarDocument.h"
#include "app/ui/MainWindow.h"
#include "app/ui/SplashScreen.h"
#include "app/ui/WindowState.h"
#include "db/CellarSession.h"
#include "jet/ui/JetImport.h"
#include "platform/Application.h"
#include "platform/Paths.h"
#include "platform/Prompt.h"
#include "trace/Trace.h"
#include "view/ui/CellarView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

TonnelixApplication::TonnelixApplication() = default;

TonnelixApplication::~TonnelixApplication()
{
    // The frame (and the view with its session) goes before the document it shows.
    m_frame.reset();
}

void TonnelixApplication::setApplicationNames()
{
    Application::setNames();
}

bool TonnelixApplication::installTranslations()
{
    return Application::installTranslations();
}

QString TonnelixApplication::offerTheDemo()
{
    // Only at the very first start: no cellar saved, none beside the program, none in the data folder.
    if (!Settings::get(Settings::cellarPath).isEmpty() || QFileInfo::exists(Paths::portableDatabasePath()) ||
        QFileInfo::exists(Paths::defaultDatabasePath()))
        return QString();
    const QString demo = Paths::demoCellarPath();
    if (demo.isEmpty())
        return QString();
    const Prompt::Answer answer =
        Prompt::show(QStringLiteral("Bienvenue dans Tonnelix !\n\nVotre cave est encore vide. Voulez-vous d'abord "
                                    "découvrir Tonnelix avec la cave de démonstration ?\n\nOui : la cave de "
                                    "démonstration est ouverte pour cette séance ; votre cave n'est pas touchée.\n"
                                    "Non : commencer avec votre cave, vide."),
                     QStringLiteral("Tonnelix"), Prompt::Icon::Question, Prompt::Buttons::YesNo);
    if (answer != Prompt::Answer::Yes)
        return QString();
    // A copy of its own in the data folder: the shipped file may not be writable, and stays as shipped.
    // Every session starts from the shipped demo, not from what an earlier session changed in its copy.
    QDir().mkpath(Paths::userDataDir());
    const QString copy = QDir(Paths::userDataDir()).filePath(QStringLiteral("Demonstration.mdb"));
    if (QFileInfo::exists(copy) && !QFile::remove(copy))
        return QString();
    if (!QFile::copy(demo, copy))
        return QString();
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

bool TonnelixApplication::start(const QStringList& arguments)
{
    setApplicationNames();
    // A cellar of the Windows release met anywhere a cellar is opened is offered for conversion.
    CellarSession::setJetConverter([](const QString& jetPath) { return JetImport::convertInteractively(jetPath); });

    TraceSetEnabled(Settings::get(Settings::trace) == 1);
    if (TraceEnabled()) {
        QDir().mkpath(Paths::userDataDir());
        TraceOpen(Paths::traceBaseName());
    }

    QString cellarFile;
    if (!arguments.isEmpty())
        cellarFile = QFileInfo(arguments.first()).absoluteFilePath();

    if (cellarFile.isEmpty())
        cellarFile = offerTheDemo();

    m_document = std::make_unique<CellarDocument>();
    m_frame = std::make_unique<MainWindow>(m_document.get());
    SplashScreen::AfficherSplash(m_frame.get()); // at the end of the frame's creation
    if (!m_frame->view()->initialUpdate(cellarFile))
        return false;
    WindowState::restorePage(*m_frame->view());
    const CellarSession* session = m_frame->view()->session();
    RecentCellars::add(session->path());
    m_frame->fillRecentCellars();
    m_document->setTitle(QFileInfo(session->path()).fileName() +
                         (session->isReadOnly() ? QStringLiteral(" (lecture seule)") : QString()));
    m_frame->updateTitle();
    // The first start fills the screen; later ones give back the window as the user left it.
    if (Settings::contains(Settings::windowGeometry))
        m_frame->show();
    else
        m_frame->showMaximized();
    return true;
}
