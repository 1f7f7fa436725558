#include "rack/ui/RackControls.h"

#include "rack/RackGeometry.h"
#include "rack/RackGrid.h"

#include <QColor>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>

namespace RackControls {

QComboBox* rackList(QWidget* parent)
{
    auto* list = new QComboBox(parent);
    for (int n = 1; n <= 99; ++n)
        list->addItem(QString::number(n));
    return list;
}

QComboBox* countList(QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->addItems(RackGeometry::countItems());
    return list;
}

bool selectText(QComboBox* list, const QString& text)
{
    const int index = list->findText(text, Qt::MatchExactly);
    list->setCurrentIndex(index);
    return index >= 0;
}

void applyGeometry(int rack, RackGrid& grid, QComboBox* columns, QComboBox* rows)
{
    const RackGeometry geometry = RackGeometry::load(rack);
    const QSignalBlocker quietColumns(columns);
    const QSignalBlocker quietRows(rows);
    selectText(columns, RackGeometry::twoDigits(geometry.columns));
    selectText(rows, RackGeometry::twoDigits(geometry.rows));
    grid.setColumns(geometry.columns);
    grid.setRows(geometry.rows);
}

QGroupBox* legend(const std::vector<std::pair<QString, QColor>>& entries, QWidget* parent, QWidget** lastSwatch,
                  QWidget** lastCaption)
{
    auto* box = new QGroupBox(QStringLiteral("Légende"), parent);
    auto* layout = new QGridLayout(box);
    int row = 0;
    for (const auto& [caption, colour] : entries) {
        auto* swatch = new QLabel(box);
        swatch->setFixedSize(16, 16);
        swatch->setAutoFillBackground(true);
        QPalette p = swatch->palette();
        p.setColor(QPalette::Window, colour);
        swatch->setPalette(p);
        swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
        auto* label = new QLabel(caption, box);
        layout->addWidget(swatch, row, 0);
        layout->addWidget(label, row, 1);
        if (lastSwatch)
            *lastSwatch = swatch;
        if (lastCaption)
            *lastCaption = label;
        ++row;
    }
    layout->setRowStretch(row, 1);
    return box;
}

} // namespace RackControls
