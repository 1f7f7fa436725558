#include "view/CTonnelixView.h"

#include "db/CellarSession.h"
#include "db/SchemaUpgrade.h"
#include "platform/Profile.h"
#include "trace/Trace.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

CTonnelixView* g_CView = nullptr;

CTonnelixView::CTonnelixView(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(m_splitter);

    auto* left = new QWidget(m_splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    m_tree = new QTreeWidget(left);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    leftLayout->addWidget(m_tree, 1);
    auto* group = new QGroupBox(QStringLiteral("Affichage par"), left);
    auto* groupLayout = new QHBoxLayout(group);
    m_radioType = new QRadioButton(QStringLiteral("Type"), group);
    m_radioAnnee = new QRadioButton(QStringLiteral(" Année"), group);
    groupLayout->addWidget(m_radioType);
    groupLayout->addWidget(m_radioAnnee);
    leftLayout->addWidget(group);

    m_sheet = new QTabWidget(m_splitter);
    m_splitter->addWidget(left);
    m_splitter->addWidget(m_sheet);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 3);
}

CTonnelixView::~CTonnelixView()
{
    if (g_CView == this)
        g_CView = nullptr;
}

bool CTonnelixView::OnInitialUpdate(const QString& commandLinePath)
{
    TraceLine("%s%s : Enter", "{ ", "OnInitialUpdate");
    TraceEnter();

    const bool fromCommandLine = !commandLinePath.isEmpty();
    const QString savedPath =
        fromCommandLine ? commandLinePath : Profile::getString(QStringLiteral("Config"), QStringLiteral("Base"));
    m_session = CellarSession::Open(savedPath);
    if (!m_session) {
        TraceLeave();
        return false;
    }
    CellarSession::setCurrent(m_session.get());
    // A file given on the command line is for this run only: the saved path stays as it was.
    if (!fromCommandLine) {
        Profile::writeString(QStringLiteral("Config"), QStringLiteral("Base"), m_session->path());
        TraceLine("J'ai ecrit la base dans regedit %s", qUtf8Printable(m_session->path()));
    }
    SchemaUpgrade(*m_session).RunChain();

    g_CView = this;
    TraceLine("OnInitialUpdate : g_CView = %08llX", static_cast<unsigned long long>(reinterpret_cast<quintptr>(this)));

    m_radioType->setChecked(true);
    TraceLeave();
    TraceLine("%s%s : Return %s%s", "} ", "OnInitialUpdate", "OK", TraceDepth() == 0 ? "\n" : " ");
    return true;
}
