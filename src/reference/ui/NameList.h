#pragma once

#include <QListView>
#include <QStringList>

class QStringListModel;

// A list of names for the reference dialogs: model/view, any number of rows, one selection.
class NameList : public QListView
{
    Q_OBJECT
public:
    explicit NameList(QWidget* parent = nullptr);

    // Replaces the names (shown in the order given) and clears the selection.
    void setNames(const QStringList& names);
    QStringList names() const;
    int count() const;
    // The selected name, or an empty text when none is selected.
    QString selectedName() const;
    bool hasSelection() const;
    // Selects the row of that exact name (false when there is none).
    bool selectName(const QString& name);
    void selectRow(int row);
    // Removes the row of that exact name.
    void removeName(const QString& name);
    // True when a name equal to text without regard to case is listed.
    bool containsIgnoringCase(const QString& text) const;

Q_SIGNALS:
    // The selection moved to another name (by mouse, keyboard or code); selectedName() already gives it.
    void nameSelected(const QString& name);

private:
    QStringListModel* m_model;
};
