#include "exchange/Windows1252.h"

namespace Windows1252 {

namespace {

// 0x80 to 0x9F; 0 where the set defines no character (the byte then reads as the Latin-1 control).
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QByteArray encode(const QString& text, int& unencodable)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes.append(static_cast<char>(c));
            continue;
        }
        int found = -1;
        for (int k = 0; k < 32 && found < 0; ++k) {
            if (kHigh[k] == c && c != 0)
                found = k;
        }
        if (found >= 0) {
            bytes.append(static_cast<char>(0x80 + found));
            continue;
        }
        bytes.append('?');
        ++unencodable;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one character, one "?"
    }
    return bytes;
}

QString decode(const QByteArray& bytes)
{
    // Latin-1 but for 0x80 to 0x9F, where the set places other characters.
    QString text = QString::fromLatin1(bytes);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0)
            text[i] = QChar(kHigh[b - 0x80]);
    }
    return text;
}

} // namespace Windows1252
