#pragma once

#include <QLineEdit>

// An edit drawn in red on light cyan (the price of one bottle on the entry page).
class NotifyingEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit NotifyingEdit(QWidget* parent = nullptr);

    static QColor textColour() { return QColor(255, 0, 0); }
    static QColor backColour() { return QColor(128, 255, 255); }
};
