#include "backup/ui/RestoreDialog.h"

#include "backup/Backups.h"
#include "db/CellarSession.h"
#include "db/JetSignature.h"
#include "jet/ui/JetImport.h"
#include "platform/Prompt.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

RestoreDialog::RestoreDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDRestauration"));
    setWindowTitle(QStringLiteral("Restauration"));
    auto* layout = new QVBoxLayout(this);
    m_list = new QTableWidget(0, 5, this);
    m_list->setHorizontalHeaderLabels({QStringLiteral("Année"), QStringLiteral("Mois"), QStringLiteral("Jour"),
                                       QStringLiteral("Heure"), QStringLiteral("Minutes")});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->setVisible(false);
    // The five columns share the width: the hour and the minute are never pushed out of sight.
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_list->horizontalHeader()->setMinimumSectionSize(
        m_list->fontMetrics().horizontalAdvance(QStringLiteral("Minutes")) +
        m_list->fontMetrics().averageCharWidth() * 3);
    layout->addWidget(m_list, 1);
    auto* help = new QLabel(QStringLiteral("Sélectionné le fichier à la date que vous voulez restaurer"), this);
    help->setAlignment(Qt::AlignCenter);
    layout->addWidget(help);
    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    // No restore without a backup chosen.
    m_ok->setEnabled(false);
    connect(m_list, &QTableWidget::itemSelectionChanged, this,
            [this] { m_ok->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_list, &QTableWidget::cellDoubleClicked, this, &RestoreDialog::applyAndClose);
    connect(buttons, &QDialogButtonBox::accepted, this, &RestoreDialog::applyAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const int line = fontMetrics().height();
    resize(line * 26, line * 18);
    fillControls();
}

void RestoreDialog::fillControls()
{
    CellarSession* session = CellarSession::current();
    if (!session)
        return;
    const QIcon icon(QStringLiteral(":/toolbar/rack.svg"));
    const std::vector<Backups::Entry> entries = Backups::list(session->path());
    m_list->setRowCount(static_cast<int>(entries.size()));
    for (int r = 0; r < static_cast<int>(entries.size()); ++r) {
        const Backups::Entry& e = entries[static_cast<size_t>(r)];
        const QString minute = e.number > 1 ? QStringLiteral("%1 (%2)").arg(e.minute).arg(e.number) : e.minute;
        const QString parts[5] = {e.year, e.month, e.day, e.hour, minute};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(parts[c]);
            item->setData(Qt::UserRole, e.fileName);
            item->setTextAlignment(c == 0 || c == 2 ? Qt::AlignLeft | Qt::AlignVCenter
                                                    : Qt::AlignRight | Qt::AlignVCenter);
            m_list->setItem(r, c, item);
        }
    }
}

bool RestoreDialog::applyAndClose()
{
    CellarSession* session = CellarSession::current();
    const QList<QTableWidgetItem*> selected = m_list->selectedItems();
    if (!session || selected.isEmpty())
        return false;
    const QString source =
        QFileInfo(session->path()).absoluteDir().filePath(selected.first()->data(Qt::UserRole).toString());
    if (JetSignature::isJet(source)) {
        m_converted = JetImport::convertInteractively(source, this);
        if (m_converted.isEmpty())
            return false;
        accept();
        return true;
    }
    const Backups::Result result = Backups::restore(*session, source);
    if (!result.ok) {
        Prompt::show(result.message, QStringLiteral("Erreur"), Prompt::Icon::Exclamation);
        return false;
    }
    Prompt::show(
        QStringLiteral("Votre base à été restaurer !\nVotre cave d'avant la restauration a été sauvée sous :\n") +
            result.path,
        QStringLiteral("Information !"), Prompt::Icon::Information);
    accept();
    return true;
}
