#include "app/ui/OptionsDialog.h"
#include "platform/Settings.h"

#include "view/ui/CellarView.h"
#include "widgets/ui/ColorLabel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

OptionsDialog::OptionsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDOption"));
    setWindowTitle(QStringLiteral("Configuration des options"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new ColorLabel(this);
    heading->setText(QStringLiteral("Options disponibles de Tonnelix"));
    heading->setAlignment(Qt::AlignCenter);
    heading->SetBackColour(QColor(255, 255, 255));
    heading->SetTextColour(QColor(255, 0, 0));
    heading->setMargin(3);
    layout->addWidget(heading);
    auto* group = new QGroupBox(QStringLiteral("Couleur de la liste de la fenêtre principale :"), this);
    auto* row = new QHBoxLayout(group);
    m_colours = new QButtonGroup(this);
    const QColor samples[4] = {QColor(243, 244, 186), QColor(176, 240, 244), QColor(255, 255, 255),
                               QColor(178, 244, 152)};
    for (int value = 0; value < 4; ++value) {
        auto* radio = new QRadioButton(group);
        radio->setAccessibleName(QStringLiteral("Couleur %1").arg(value + 1));
        m_colours->addButton(radio, value);
        auto* sample = new ColorLabel(group);
        sample->SetBackColour(samples[value]);
        sample->setFixedSize(fontMetrics().height() * 2, fontMetrics().height() + 4);
        sample->setFrameShape(QFrame::Box);
        row->addWidget(radio);
        row->addWidget(sample);
        row->addSpacing(fontMetrics().height());
    }
    row->addStretch(1);
    layout->addWidget(group);
    const int current = Settings::get(Settings::treeColour);
    if (QAbstractButton* button = m_colours->button(current))
        button->setChecked(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Enregistrer"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::applyAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void OptionsDialog::applyAndClose()
{
    if (m_colours->checkedId() >= 0)
        Settings::set(Settings::treeColour, m_colours->checkedId());
    if (g_CView)
        g_CView->applyTreeColour();
    accept();
}
