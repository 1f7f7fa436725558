#include "widgets/ui/NotifyingEdit.h"

NotifyingEdit::NotifyingEdit(QWidget* parent) : QLineEdit(parent)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, textColour());
    p.setColor(QPalette::Base, backColour());
    setPalette(p);
}
