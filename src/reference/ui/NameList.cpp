#include "reference/ui/NameList.h"

#include <QItemSelectionModel>
#include <QStringListModel>

NameList::NameList(QWidget* parent) : QListView(parent), m_model(new QStringListModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true); // many thousands of rows stay quick
    // A click moves the current row first and the selection after it: the handlers read selectedName(),
    // so the signal waits for the selection, whichever way it moved.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (hasSelection())
            Q_EMIT nameSelected(selectedName());
    });
}

void NameList::setNames(const QStringList& names)
{
    m_model->setStringList(names);
}

QStringList NameList::names() const
{
    return m_model->stringList();
}

int NameList::count() const
{
    return m_model->rowCount();
}

QString NameList::selectedName() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : rows.first().data().toString();
}

bool NameList::hasSelection() const
{
    return !selectionModel()->selectedRows().isEmpty();
}

bool NameList::selectName(const QString& name)
{
    const int row = static_cast<int>(m_model->stringList().indexOf(name));
    if (row < 0)
        return false;
    selectRow(row);
    return true;
}

void NameList::selectRow(int row)
{
    const QModelIndex index = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void NameList::removeName(const QString& name)
{
    const int row = static_cast<int>(m_model->stringList().indexOf(name));
    if (row >= 0)
        m_model->removeRows(row, 1);
}

bool NameList::containsIgnoringCase(const QString& text) const
{
    return m_model->stringList().contains(text, Qt::CaseInsensitive);
}
