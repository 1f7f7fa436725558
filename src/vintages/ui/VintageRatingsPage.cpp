#include "vintages/ui/VintageRatingsPage.h"

#include "db/CellarSession.h"
#include "vintages/VintageRatings.h"
#include "vintages/ui/VintageYearDialog.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

VintageRatingsPage::VintageRatingsPage(QWidget* parent, int currentYear)
    : QWidget(parent), m_year(currentYear != 0 ? currentYear : QDate::currentDate().year())
{
    setObjectName(QStringLiteral("CPage3"));
    auto* layout = new QVBoxLayout(this);
    m_list = new QTableWidget(0, 11, this);
    m_list->setObjectName(QStringLiteral("vintageList"));
    m_list->setHorizontalHeaderLabels(QStringList{QStringLiteral("Années")} + VintageRatings::columnTitles() +
                                      QStringList{QString()});
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->verticalHeader()->setVisible(false);
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_list, 1);
    auto* legend = new QLabel(
        QStringLiteral("BR = Bordeaux BBL = Bordeaux Blanc BoB = Bourgogne BB = Bourgogne Blanc Champ = Champagne"),
        this);
    legend->setWordWrap(true);
    layout->addWidget(legend);
    auto* buttons = new QHBoxLayout;
    m_add = new QPushButton(QStringLiteral("&Ajout d'une année"), this);
    m_modify = new QPushButton(QStringLiteral("&Modification d'une année"), this);
    buttons->addWidget(m_add);
    buttons->addWidget(m_modify);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(m_add, &QPushButton::clicked, this, &VintageRatingsPage::addYear);
    connect(m_modify, &QPushButton::clicked, this, &VintageRatingsPage::modifyYear);
}

void VintageRatingsPage::fillTable()
{
    m_list->setRowCount(0);
    CellarSession* session = CellarSession::current();
    if (!session)
        return;
    const std::vector<VintageRatings::Year> years = VintageRatings::load(*session, QStringLiteral("CPage3::OnRempli"));
    m_list->setRowCount(static_cast<int>(years.size()));
    for (int r = 0; r < static_cast<int>(years.size()); ++r) {
        const VintageRatings::Year& year = years[static_cast<size_t>(r)];
        m_list->setItem(r, 0, new QTableWidgetItem(year.year));
        for (int c = 0; c < 9; ++c) {
            auto* item = new QTableWidgetItem(year.ratings.value(c));
            item->setTextAlignment(Qt::AlignCenter);
            m_list->setItem(r, c + 1, item);
        }
    }
    // The current year rated already: nothing left to add.
    m_add->setVisible(years.empty() || years.back().year != QString::number(m_year));
    if (!years.empty())
        m_list->scrollToBottom();
}

void VintageRatingsPage::addYear()
{
    VintageYearDialog dialog(window(), 0, m_year);
    dialog.exec();
}

void VintageRatingsPage::modifyYear()
{
    VintageYearDialog dialog(window(), 1, m_year);
    dialog.exec();
}
