#pragma once

#include "rack/RackGrid.h"
#include "rack/RackStore.h"

#include <QDialog>
#include <QMap>
#include <QPair>

class ColorLabel;
class QComboBox;
class QLabel;
class QPushButton;
class RackGridWidget;

// "Rangement dans votre cave": the rack grids, in four modes. "" browses the racks; "Visualisation"
// shows where a wine lies; "Création" marks free cells for new bottles of a wine; "Sortie" marks the
// bottles taken out. "Enregistrer" writes the marks of the rack shown.
class RackDialog : public QDialog
{
    Q_OBJECT
public:
    RackDialog(QWidget* parent, qint64 wineIndex, const QString& mode, int count);

    // The rack of the wine (1 when it has none).
    int rackOfWine();
    // Loads a rack into the grid; false when it could not be read.
    bool showWineInRack(int rack);
    // Description of the bottle at a cell of the rack selected in the list.
    QString findWine(int column, int row);
    // Saves the geometry and the marks, then closes.
    void save();

    // Events as the mouse gives them (also for tests).
    void cellClicked(const RackGrid::Cell& cell);
    void fillRow(const RackGrid::Cell& cell);
    void fillColumn(const RackGrid::Cell& cell);

    RackGrid& grid() { return m_grid; }
    RackGridWidget* gridWidget() const { return m_gridWidget; }
    QComboBox* rackList() const { return m_rackList; }
    QComboBox* columnList() const { return m_columnList; }
    QComboBox* rowList() const { return m_rowList; }
    ColorLabel* notFoundLabel() const { return m_notFound; }
    ColorLabel* countLabel() const { return m_countLabel; }
    QPushButton* saveButton() const { return m_save; }
    QLabel* legendText() const { return m_legendText; }
    int shownRack() const { return m_shownRack; }

private:
    void buildLayout();
    void applyGeometry(int rack);
    void onRackChanged();
    void onGeometryChanged();
    // Bottles still to place (or to take out): the count less the cells marked.
    int remaining() const;
    void showRemaining();
    // How many cells a fill of a row or column may mark (-1: no limit).
    int fillLimit() const;

    qint64 m_wine;
    QString m_mode;
    int m_count;
    int m_foundRack = 1;
    int m_shownRack = 1;
    RackGrid m_grid;
    RackStore::CellOwners m_owners{};
    // In "Sortie", the colour each marked cell had, so that a second click takes the mark back.
    QMap<QPair<int, int>, int> m_unmarked;
    RackGridWidget* m_gridWidget = nullptr;
    ColorLabel* m_countLabel = nullptr;
    ColorLabel* m_notFound = nullptr;
    QComboBox* m_rackList = nullptr;
    QComboBox* m_columnList = nullptr;
    QComboBox* m_rowList = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_legendText = nullptr;
    QWidget* m_legendSwatch = nullptr;
};
