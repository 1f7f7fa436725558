#pragma once

#include <QString>

// A Microsoft Jet database (Access 97 to 2003: "Standard Jet DB") or an Access 2007+ one ("Standard ACE DB"),
// known by the first bytes of its file, whatever its name says. Only those bytes are read.
namespace JetSignature {

enum class Kind
{
    None,
    Jet, // the format of the Windows release's cellars
    Ace  // Access 2007 and later (.accdb)
};

Kind of(const QString& path);
inline bool isJet(const QString& path)
{
    return of(path) != Kind::None;
}

} // namespace JetSignature
