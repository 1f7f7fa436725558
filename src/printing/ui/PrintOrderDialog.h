#pragma once

#include <QDialog>

class QButtonGroup;

// "Type d'impression ": the order of the printed wine list, 1 to 7.
class PrintOrderDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PrintOrderDialog(QWidget* parent = nullptr);

    int order() const;
    void setOrder(int order);

private:
    QButtonGroup* m_orders = nullptr;
};
