#pragma once

#include "journal/Journal.h"

#include <QAbstractTableModel>
#include <vector>

// The movements of a filter, newest first (or in the order of a column), read from the cellar a page at a
// time as the list scrolls: a journal of a million movements shows its first screen at once.
class JournalModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Date,
        Name,
        Type,
        Quantity,
        UnitPrice,
        Nature,
        ColumnCount
    };
    static constexpr int kPage = 200;

    explicit JournalModel(QObject* parent = nullptr);

    // Reads again from the first page, for this filter.
    void setFilter(const Journal::Filter& filter);
    const Journal::Filter& filter() const { return m_filter; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    void sort(int column, Qt::SortOrder order) override;

private:
    Journal::Filter m_filter;
    std::vector<Journal::Movement> m_rows;
    bool m_complete = true;
};
