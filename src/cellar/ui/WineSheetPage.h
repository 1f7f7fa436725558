#pragma once

#include "cellar/WineListQuery.h"
#include "cellar/WineStock.h"

#include <QString>
#include <QWidget>

class QGridLayout;
class QHBoxLayout;
class ColorLabel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class WineListModel;

// "Etat du vin sélectionné": the wines of the node chosen in the tree, the details of the highlighted
// one, entries and exits of bottles, deletion.
class WineSheetPage : public QWidget
{
    Q_OBJECT
public:
    explicit WineSheetPage(QWidget* parent = nullptr);
    ~WineSheetPage() override;

    // Fills the list with the wines of a tree node (modes: see WineListQuery).
    // path: what the tree node's path adds (its colour, country and type), so that a node lists exactly its lots.
    void refreshWineList(const QString& a0, const QString& a1, const QString& a2, const QString& a3, int mode,
                         const NodePath& path = {});
    // Empties the list (the view does it before every fill).
    void clearList();
    // Puts the country's name of a code in "Pays :".
    void countryName(const QString& code);

    void recordExit();  // exit of bottles
    void recordEntry(); // entry of bottles
    void deleteLot();   // total deletion
    void showInRack();
    void editLot();
    void choosePicture();
    void showDishes();

    // The lot highlighted in the list (0: none).
    qint64 selectedIndex() const { return m_index; }
    // Highlights a row of the list as shown (tests, keyboard).
    void selectRow(int viewRow);
    // Highlights the row of that lot; with no such row, nothing is highlighted.
    void selectLot(qint64 index);

    QTableView* list() const { return m_list; }
    WineListModel* model() const { return m_model; }
    QLineEdit* nomVinEdit() const { return m_nomVin; }
    QLineEdit* cruEdit() const { return m_cru; }
    QLineEdit* vinEdit() const { return m_vin; }
    QLineEdit* appellationEdit() const { return m_appellation; }
    ColorLabel* temperatureBox() const { return m_temperature; }
    QLineEdit* stockEdit() const { return m_stock; }
    QLineEdit* vintageEdit() const { return m_vintage; }
    QLineEdit* gardeEdit() const { return m_garde; }
    ColorLabel* statusText() const { return m_status; }
    QLabel* contenanceText() const { return m_contenance; }
    QLabel* paysText() const { return m_pays; }
    QLineEdit* entryCountEdit() const { return m_entryCount; }
    QLineEdit* entryPriceEdit() const { return m_entryPrice; }
    QLineEdit* exitCountEdit() const { return m_exitCount; }
    QPushButton* modifyButton() const { return m_modify; }
    QPushButton* pictureButton() const { return m_picture; }
    QPushButton* dishesButton() const { return m_dishes; }
    const QString& relPlats() const { return m_relPlats; }

Q_SIGNALS:
    // The rack view on a lot: mode "Visualisation", "Création" (count bottles to place) or "Sortie"
    // (count bottles to take out).
    void rackViewRequested(qint64 index, const QString& mode, int count);
    void modificationRequested(qint64 index);
    // The picture dialog in mode 1 on a lot; the receiver leaves a chosen path in SharedImagePath().
    void pictureRequested(qint64 index);
    void dishesRequested(const QString& relPlats);

private:
    void buildLayout();
    void buildList();
    QGridLayout* buildDetails();
    QHBoxLayout* buildMoves();
    void onCurrentRowChanged();
    void clearDetails();
    void showDetails(int sourceRow);
    int selectedSourceRow() const;
    bool wineSelected() const;
    void refused(const QString& text);
    // Shows a lot's new counts in its list row and in the details.
    void showCounts(qint64 lot, const WineStock::Counts& counts);

    WineListModel* m_model = nullptr;
    QTableView* m_list = nullptr;
    QLineEdit* m_nomVin = nullptr;
    QLineEdit* m_cru = nullptr;
    QLineEdit* m_vin = nullptr;
    QLineEdit* m_appellation = nullptr;
    ColorLabel* m_temperature = nullptr;
    QLineEdit* m_stock = nullptr;
    QLineEdit* m_vintage = nullptr;
    QLineEdit* m_garde = nullptr;
    ColorLabel* m_status = nullptr;
    QLabel* m_contenance = nullptr;
    QLabel* m_pays = nullptr;
    QLineEdit* m_entryCount = nullptr;
    QLineEdit* m_entryPrice = nullptr;
    QLineEdit* m_exitCount = nullptr;
    QPushButton* m_entry = nullptr;
    QPushButton* m_exit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_modify = nullptr;
    QPushButton* m_picture = nullptr;
    QPushButton* m_dishes = nullptr;

    qint64 m_index = 0;
    QString m_relPlats;
};

// The wine sheet in use, for the view and the dialogs that refresh it.
extern WineSheetPage* g_wineSheetPage;
