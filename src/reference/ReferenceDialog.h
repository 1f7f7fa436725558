#pragma once

#include "db/CellarSession.h"
#include "platform/Prompt.h"

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

} // namespace ReferenceDialog
