#include "app/ui/AboutDialog.h"

#include "db/CellarSession.h"
#include "db/Schema.h"
#include "widgets/ui/ColorLabel.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QStorageInfo>
#include <QUrl>
#include <QVBoxLayout>
#include <unistd.h>

const char* AboutDialog::siteAddress()
{
    return "https://www.morvalis-software.fr/tonnelix";
}

QString AboutDialog::readDatabaseVersion()
{
    const QString none = QStringLiteral("Version 1.00");
    CellarSession* session = CellarSession::current();
    if (!session)
        return none;
    const std::optional<QString> version = Schema::recordedVersion(*session, QStringLiteral("RechercheVerBase"));
    return version ? QStringLiteral("Version : ") + *version : none;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(QStringLiteral("A propos de Tonnelix"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tonnelix.svg")).pixmap(48, 48));
    top->addWidget(icon, 0, 0, 2, 1);
    top->addWidget(new QLabel(QStringLiteral("Tonnelix version %1").arg(QStringLiteral(TONNELIX_VERSION)), this), 0, 1);
    top->addWidget(new QLabel(QStringLiteral("Morvalis Software — l'inventaire de votre cave à vin"), this), 1, 1);
    top->setColumnStretch(1, 1);
    layout->addLayout(top);
    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(new QLabel(QStringLiteral("Version de la base :"), this));
    m_base = new QLabel(readDatabaseVersion(), this);
    m_base->setObjectName(QStringLiteral("baseVersion"));
    versionRow->addWidget(m_base);
    versionRow->addStretch(1);
    layout->addLayout(versionRow);
    auto* group = new QGroupBox(this);
    auto* groupLayout = new QVBoxLayout(group);
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    const qulonglong kilobytes =
        pages > 0 && pageSize > 0 ? static_cast<qulonglong>(pages) * static_cast<qulonglong>(pageSize) / 1024 : 0;
    m_memory = new QLabel(QStringLiteral("Mémoire physique : %1 Ko").arg(QLocale().toString(kilobytes)), group);
    m_memory->setAlignment(Qt::AlignCenter);
    CellarSession* session = CellarSession::current();
    const QStorageInfo disk(session ? QFileInfo(session->path()).absolutePath() : QDir::currentPath());
    m_free = new QLabel(disk.isValid() ? QStringLiteral("%1 Ko libres sur %2")
                                             .arg(QLocale().toString(disk.bytesAvailable() / 1024), disk.rootPath())
                                       : QStringLiteral("Indisponible"),
                        group);
    m_free->setAlignment(Qt::AlignCenter);
    groupLayout->addWidget(m_memory);
    groupLayout->addWidget(m_free);
    layout->addWidget(group);
    m_link = new ColorLabel(this);
    m_link->setText(QStringLiteral("Site Morvalis : ") + QLatin1String(siteAddress()));
    m_link->setAlignment(Qt::AlignCenter);
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setMargin(4);
    m_link->SetBackColour(QColor(0, 128, 0));
    m_link->SetTextColour(QColor(255, 255, 255));
    // The link blinks: its background between two greens, its text between that background and black; the
    // text's start, last, sets the one timer of both to 2 s.
    m_link->SetBlinkBackColours(QColor(0, 128, 0), QColor(0, 255, 0));
    m_link->StartBackBlink(1, 2);
    m_link->SetBlinkTextColours(m_link->GetBackColour(), QColor(0, 0, 0));
    m_link->StartTextBlink(1, 0);
    layout->addWidget(m_link);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void AboutDialog::mousePressEvent(QMouseEvent* event)
{
    if (m_link->geometry().contains(event->position().toPoint()))
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(siteAddress())));
    QDialog::mousePressEvent(event);
}
