#pragma once

#include <QWidget>

class QFormLayout;
class QGroupBox;
class ColorLabel;
class NotifyingEdit;
class QComboBox;
class QLineEdit;
class QPushButton;

// "Ajout de bouteilles": records a new wine lot, from the country, type and appellation down to the
// price and date, and offers to place its bottles.
class BottleEntryPage : public QWidget
{
    Q_OBJECT
public:
    explicit BottleEntryPage(QWidget* parent = nullptr);
    ~BottleEntryPage() override;

    // Fills the lists from the cellar (the view calls it once the cellar is open).
    void fillControls();
    // Refills the type and cru lists.
    void refreshCombos();
    void countryChanged();
    void wineTypeChanged();
    void lookUpKeepingTime();
    void vintageChanged();
    void computeBottlePrice();
    void recordPurchase();

    QComboBox* countryList() const { return m_country; }
    QComboBox* typeList() const { return m_type; }
    QComboBox* appellationList() const { return m_appellation; }
    QComboBox* cruList() const { return m_cru; }
    QComboBox* nameList() const { return m_name; }
    QLineEdit* ownerEdit() const { return m_owner; }
    QLineEdit* bottlesEdit() const { return m_bottles; }
    QComboBox* vintageList() const { return m_vintage; }
    QLineEdit* amountEdit() const { return m_amount; }
    NotifyingEdit* priceEdit() const { return m_price; }
    QLineEdit* dayEdit() const { return m_day; }
    QLineEdit* monthEdit() const { return m_month; }
    QLineEdit* yearEdit() const { return m_year; }
    ColorLabel* ratingText() const { return m_rating; }
    ColorLabel* standardKeeping() const { return m_standard; }
    QComboBox* keepingList() const { return m_keeping; }
    QComboBox* sizeList() const { return m_size; }
    QPushButton* pictureButton() const { return m_image; }
    // Shown while the cellar has no wine type: how to create the first one, and a button for it.
    QWidget* firstWinePanel() const { return m_firstWine; }
    QPushButton* createWineButton() const { return m_createWine; }

Q_SIGNALS:
    // The rack view for the bottles of a new lot.
    void rackViewRequested(qint64 index, const QString& mode, int count);
    // The picture dialog in mode 0; the chosen path waits in SharedImagePath() for the next save.
    void pictureRequested();
    // The cellar has no wine type yet and the user asks to create the first one.
    void createWineTypeRequested();

private:
    void buildLayout();
    QWidget* buildFirstWineOffer();
    QFormLayout* buildPurchaseForm();
    QGroupBox* buildOptionalData();
    // The wine-type list: every type, or those of a country code.
    void fillTypes(const QString& code, const QString& label, bool caseInsensitive);
    bool confirm(const QString& text);
    void refuse(const QString& text);

    QComboBox* m_country = nullptr;
    QComboBox* m_type = nullptr;
    QComboBox* m_appellation = nullptr;
    QComboBox* m_cru = nullptr;
    QComboBox* m_name = nullptr;
    QLineEdit* m_owner = nullptr;
    QLineEdit* m_bottles = nullptr;
    QComboBox* m_vintage = nullptr;
    QLineEdit* m_amount = nullptr;
    NotifyingEdit* m_price = nullptr;
    QLineEdit* m_day = nullptr;
    QLineEdit* m_month = nullptr;
    QLineEdit* m_year = nullptr;
    QPushButton* m_image = nullptr;
    ColorLabel* m_rating = nullptr;
    ColorLabel* m_standard = nullptr;
    QComboBox* m_keeping = nullptr;
    QComboBox* m_size = nullptr;
    QPushButton* m_save = nullptr;
    QWidget* m_firstWine = nullptr;
    QPushButton* m_createWine = nullptr;
};

extern BottleEntryPage* g_bottleEntryPage;
