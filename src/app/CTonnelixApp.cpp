#include "app/CTonnelixApp.h"

#include "app/CMainFrame.h"
#include "app/CTonnelixDoc.h"
#include "db/CellarSession.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "trace/Trace.h"
#include "view/CTonnelixView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

CTonnelixApp::CTonnelixApp() = default;

CTonnelixApp::~CTonnelixApp()
{
    // The frame (and the view with its session) goes before the document it shows.
    m_frame.reset();
}

void CTonnelixApp::setApplicationNames()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Morvalis Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Tonnelix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TONNELIX_VERSION));
}

bool CTonnelixApp::installTranslations()
{
    static QTranslator* translator = nullptr;
    if (translator)
        return true;
    auto* candidate = new QTranslator(QCoreApplication::instance());
    if (!candidate->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete candidate;
        return false;
    }
    QCoreApplication::installTranslator(candidate);
    translator = candidate;
    return true;
}

bool CTonnelixApp::InitInstance(const QStringList& arguments)
{
    setApplicationNames();

    TraceSetEnabled(Profile::getInt(QStringLiteral("Config"), QStringLiteral("Trace"), 0) == 1);
    if (TraceEnabled()) {
        QDir().mkpath(Paths::userDataDir());
        TraceOpen(Paths::traceBaseName());
    }

    QString cellarFile;
    if (!arguments.isEmpty())
        cellarFile = QFileInfo(arguments.first()).absoluteFilePath();

    m_document = std::make_unique<CTonnelixDoc>();
    m_frame = std::make_unique<CMainFrame>(m_document.get());
    if (!m_frame->view()->OnInitialUpdate(cellarFile))
        return false;
    m_document->setTitle(QFileInfo(m_frame->view()->session()->path()).fileName());
    m_frame->updateTitle();
    m_frame->showMaximized();
    return true;
}
