#include "exchange/ui/ExchangeFileDialog.h"

#include "db/CellarSession.h"
#include "exchange/ExchangeFile.h"
#include "platform/Prompt.h"
#include "widgets/ui/ColorLabel.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ExchangeFileDialog::ExchangeFileDialog(QWidget* parent, const QString& path, int mode)
    : QDialog(parent), m_path(path), m_mode(mode)
{
    setObjectName(QStringLiteral("CDChoixImport"));
    const bool exporting = mode == 2;
    setWindowTitle(exporting ? QStringLiteral("Exportation") : QStringLiteral("Choix du type d'import"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(exporting ? QStringLiteral("Fichier à exporter") : QString(), this));
    auto* file = new ColorLabel(this);
    file->SetBackColour(QColor(243, 244, 186));
    file->SetTextColour(QColor(255, 0, 0));
    file->setMargin(3);
    file->setText(path);
    file->setWordWrap(true);
    layout->addWidget(file);
    m_add = new QRadioButton(QStringLiteral("A&jout des enregistrements"), this);
    m_replace = new QRadioButton(QStringLiteral("&Rempacement total de la base"), this);
    m_add->setChecked(true);
    m_add->setVisible(!exporting);
    m_replace->setVisible(!exporting);
    layout->addWidget(m_add);
    layout->addWidget(m_replace);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    layout->addWidget(m_progress);
    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(exporting ? QStringLiteral("&Exportation") : QStringLiteral("&Importation"),
                              QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ExchangeFileDialog::applyAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

bool ExchangeFileDialog::applyAndClose()
{
    CellarSession* session = CellarSession::current();
    if (!session)
        return false;
    m_ok->setEnabled(false);
    // The bar rises with the records, whatever their number; the window keeps drawing meanwhile.
    const ExchangeFile::Progress progress = [this](int percent) {
        m_progress->setValue(percent);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    const ExchangeFile::Result result =
        m_mode == 2 ? ExchangeFile::exportTo(*session, m_path, progress)
                    : ExchangeFile::importFrom(*session, m_path, m_replace->isChecked(), progress);
    m_ok->setEnabled(true);
    if (!result.ok) {
        const bool structure = result.message.startsWith(QStringLiteral("La structure"));
        Prompt::show(result.message, QStringLiteral("Erreur"),
                     structure ? Prompt::Icon::Stop : Prompt::Icon::Exclamation);
        return false;
    }
    Prompt::show(ExchangeFile::report(result), QStringLiteral("Information"), Prompt::Icon::Information);
    accept();
    return true;
}
