#include "pages/controls/CMonEdit.h"

CMonEdit::CMonEdit(QWidget* parent) : QLineEdit(parent)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, textColour());
    p.setColor(QPalette::Base, backColour());
    setPalette(p);
}
