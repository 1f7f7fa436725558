#include "printing/ui/PrintOrderDialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

PrintOrderDialog::PrintOrderDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDChoixImp"));
    setWindowTitle(QStringLiteral("Type d'impression "));
    auto* layout = new QVBoxLayout(this);
    m_orders = new QButtonGroup(this);
    const char* const labels[] = {"Impression par Nom du vin", "Impression par Année ", "Impression par Type de vin",
                                  "Impression par cru",        "Impression par Stock",  "Impression par Robe",
                                  "Impression par Appellation"};
    for (int order = 1; order <= 7; ++order) {
        auto* radio = new QRadioButton(QString::fromUtf8(labels[order - 1]), this);
        m_orders->addButton(radio, order);
        layout->addWidget(radio);
    }
    m_orders->button(1)->setChecked(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annulel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int PrintOrderDialog::order() const
{
    return m_orders->checkedId() > 0 ? m_orders->checkedId() : 1;
}

void PrintOrderDialog::setOrder(int order)
{
    if (QAbstractButton* button = m_orders->button(order))
        button->setChecked(true);
}
