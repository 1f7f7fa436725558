#include "calculator/ui/StoredFormulasDialog.h"

#include "calculator/StoredFormulas.h"
#include "platform/Prompt.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

StoredFormulasDialog::StoredFormulasDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDStockFormule"));
    setWindowTitle(QStringLiteral("Formules enregistrées"));
    auto* layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->addItems(StoredFormulas::list());
    layout->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* erase = new QPushButton(QStringLiteral("&Effacer"), this);
    auto* quit = new QPushButton(QStringLiteral("Quitter"), this);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(erase);
    buttons->addWidget(quit);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &StoredFormulasDialog::applyAndClose);
    connect(erase, &QPushButton::clicked, this, &StoredFormulasDialog::deleteFormula);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &StoredFormulasDialog::applyAndClose);
}

bool StoredFormulasDialog::requireSelection()
{
    if (m_list->currentRow() >= 0 && m_list->currentItem()->isSelected())
        return true;
    Prompt::show(QStringLiteral("Sélectionnez d'abord une formule dans la liste."), QStringLiteral("Formules"),
                 Prompt::Icon::Information);
    return false;
}

void StoredFormulasDialog::applyAndClose()
{
    if (!requireSelection())
        return;
    StoredFormulas::chosen() = m_list->currentItem()->text();
    accept();
}

void StoredFormulasDialog::deleteFormula()
{
    if (!requireSelection())
        return;
    const QString formula = m_list->currentItem()->text();
    delete m_list->takeItem(m_list->currentRow());
    m_list->setCurrentRow(-1);
    StoredFormulas::erase(formula);
}
