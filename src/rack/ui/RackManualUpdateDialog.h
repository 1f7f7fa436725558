#pragma once

#include "rack/RackGrid.h"
#include "rack/RackStore.h"

#include <QDialog>
#include <array>

class ColorLabel;
class QComboBox;
class QPushButton;
class QStandardItemModel;
class QTableView;
class RackGridWidget;

// "MAJ Manuel du rangement de votre cave": choose a wine, see where its bottles lie in the rack shown,
// place the bottles still to place and take any bottle out, then "Enregistrer".
class RackManualUpdateDialog : public QDialog
{
    Q_OBJECT
public:
    explicit RackManualUpdateDialog(QWidget* parent = nullptr);

    void fillWineList();
    bool showWineInRack(int rack);
    QString findWine(int column, int row);
    void showCounts();
    // Chooses the wine of a row of the list.
    void wineChosen(int listRow);
    void cellClicked(const RackGrid::Cell& cell);
    void fillRow(const RackGrid::Cell& cell);
    void fillColumn(const RackGrid::Cell& cell);
    // Writes the pending changes of the rack shown; false when a write failed.
    bool save();
    void saveRackSize();

    RackGrid& grid() { return m_grid; }
    RackGridWidget* gridWidget() const { return m_gridWidget; }
    QComboBox* rackList() const { return m_rackList; }
    QComboBox* columnList() const { return m_columnList; }
    QComboBox* rowList() const { return m_rowList; }
    QTableView* wineList() const { return m_wineList; }
    int placed() const { return m_placed; }
    qint64 stock() const { return m_stock; }
    qint64 toPlace() const { return m_toPlace; }
    int shownRack() const { return m_shownRack; }
    ColorLabel* placedLabel() const { return m_placedLabel; }
    ColorLabel* stockLabel() const { return m_stockLabel; }
    ColorLabel* toPlaceLabel() const { return m_toPlaceLabel; }

private:
    void buildLayout();
    void clearTables();
    void applyGeometry(int rack);
    void onRackChanged();
    void changeRack(int rack);
    void fill(const std::vector<RackGrid::Cell>& candidates);
    bool requireWine();
    void allPlaced();
    // Placed and to-place counters from the stored positions and the marks inside the rack's geometry.
    void recount();
    // Marks in cells that a smaller geometry hides are dropped: what is not shown is not saved.
    void dropMarksOutsideGeometry();
    // Stock and stored positions of the chosen wine, hatching its cells in the rack shown.
    void reloadStored();

    RackGrid m_grid;
    RackStore::CellOwners m_owners{};
    // Pending changes per cell: 0 none, -1 take the bottle out, otherwise the wine to place there.
    std::array<std::array<qint64, RackGrid::kMax + 1>, RackGrid::kMax + 1> m_pending{};
    std::array<std::array<int, RackGrid::kMax + 1>, RackGrid::kMax + 1> m_loaded{};
    qint64 m_wine = 0;
    int m_placed = 0;
    int m_storedTotal = 0;
    int m_added = 0;
    qint64 m_stock = 0;
    qint64 m_toPlace = 0;
    int m_shownRack = 1;

    QStandardItemModel* m_wines = nullptr;
    QTableView* m_wineList = nullptr;
    RackGridWidget* m_gridWidget = nullptr;
    QComboBox* m_rackList = nullptr;
    QComboBox* m_columnList = nullptr;
    QComboBox* m_rowList = nullptr;
    ColorLabel* m_placedLabel = nullptr;
    ColorLabel* m_stockLabel = nullptr;
    ColorLabel* m_toPlaceLabel = nullptr;
};
