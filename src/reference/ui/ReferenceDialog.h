#pragma once

#include "db/CellarSession.h"
#include "platform/Prompt.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

// What the reference dialogs share: the cellar in use and the way they refuse an input.
namespace ReferenceDialog {

inline CellarSession* session()
{
    return CellarSession::current();
}

// A refusal: the dialog stays open with the user's input in place.
inline void refuse(const QString& text, const QString& caption = QStringLiteral("Erreur"))
{
    Prompt::show(text, caption, Prompt::Icon::Exclamation);
}

// The pale yellow of the read-only facts, with the text colour of each.
inline const QColor kPale{243, 244, 186};

// Colours an edit or a text box whatever the desktop's theme: its background and its text.
inline void paint(QWidget* widget, const QColor& back, const QColor& text)
{
    QPalette p = widget->palette();
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Window})
        p.setColor(role, back);
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        p.setColor(role, text);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

} // namespace ReferenceDialog
