#pragma once

#include <QWidget>

class LibraryModel;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

// "Bibliothéque": every wine type and appellation of the cellar with the facts kept for it (grapes, soil,
// character, remarkable vintages, area, keeping, serving temperature, country, suggested dishes), each with
// its "M.A.J" button; and the search of the wines that suit a dish.
class LibraryPage : public QWidget
{
    Q_OBJECT
public:
    explicit LibraryPage(QWidget* parent = nullptr);

    // Loads the list of TYPEVIN rows (the view calls it once the cellar is open, and after the wine types
    // changed).
    void fillControls();
    // Shows the facts of the selected row.
    void readFacts();
    // Opens the editor of one fact (the attribute codes of the editor), then shows the row again.
    void editFact(int attribute);
    void showWinesForDish();

    // Selects the row of that wine type and appellation (false when it is not listed).
    bool selectRow(const QString& type, const QString& appellation);
    QString selectedType() const { return m_type; }
    QString selectedAppellation() const { return m_appellation; }

    QTableView* list() const { return m_list; }
    QLabel* countryText() const { return m_country; }
    QLineEdit* keepingEdit() const { return m_keeping; }
    QPlainTextEdit* grapesText() const { return m_grapes; }
    QPlainTextEdit* soilText() const { return m_soil; }
    QPlainTextEdit* characterText() const { return m_character; }
    QPlainTextEdit* vintagesText() const { return m_vintages; }
    QLineEdit* areaEdit() const { return m_area; }
    QPlainTextEdit* dishesText() const { return m_dishes; }
    QLineEdit* temperatureEdit() const { return m_temperature; }
    QPushButton* updateButton(int attribute) const;

private:
    void buildLayout();
    void onCurrentRowChanged();

    LibraryModel* m_model = nullptr;
    QSortFilterProxyModel* m_proxy = nullptr;
    QTableView* m_list = nullptr;
    QLabel* m_country = nullptr;
    QLineEdit* m_keeping = nullptr;
    QPlainTextEdit* m_grapes = nullptr;
    QPlainTextEdit* m_soil = nullptr;
    QPlainTextEdit* m_character = nullptr;
    QPlainTextEdit* m_vintages = nullptr;
    QLineEdit* m_area = nullptr;
    QPlainTextEdit* m_dishes = nullptr;
    QLineEdit* m_temperature = nullptr;
    QList<QPushButton*> m_updates; // by attribute code - 1
    QString m_type;
    QString m_appellation;
};
