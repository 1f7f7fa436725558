#include "db/JetSignature.h"

#include <QFile>
#include <QFileInfo>

namespace JetSignature {

Kind of(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return Kind::None; // a FIFO or a device would hang or lie
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Kind::None;
    const QByteArray head = file.read(20);
    if (head.size() < 20 || head.mid(0, 4) != QByteArray("\x00\x01\x00\x00", 4))
        return Kind::None;
    const QByteArray text = head.mid(4, 15);
    if (text == "Standard Jet DB")
        return Kind::Jet;
    if (text == "Standard ACE DB")
        return Kind::Ace;
    return Kind::None;
}

} // namespace JetSignature
