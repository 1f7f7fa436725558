#include "jet/JetHeader.h"

#include <QtEndian>

#include <array>
#include <cstring>

namespace {

constexpr int kMaskStart = 0x18;
constexpr int kVersion = 0x14;
constexpr int kPassword = 0x42;
constexpr int kCreationDate = 0x72;

bool isJet3(const QByteArray& page)
{
    return page.size() > kVersion && page.at(kVersion) == 0;
}

int maskLength(const QByteArray& page)
{
    return isJet3(page) ? 126 : 128;
}

int passwordLength(const QByteArray& page)
{
    return isJet3(page) ? 20 : 40;
}

// The key stream of RC4 under the key every Jet file uses for its header.
std::array<unsigned char, 128> headerMask()
{
    const unsigned char key[4] = {0xc7, 0xda, 0x39, 0x6b};
    std::array<unsigned char, 256> state{};
    for (int i = 0; i < 256; ++i)
        state[i] = static_cast<unsigned char>(i);
    int j = 0;
    for (int i = 0; i < 256; ++i) {
        j = (j + state[i] + key[i % 4]) & 0xff;
        std::swap(state[i], state[j]);
    }
    std::array<unsigned char, 128> stream{};
    int a = 0;
    int b = 0;
    for (unsigned char& out : stream) {
        a = (a + 1) & 0xff;
        b = (b + state[a]) & 0xff;
        std::swap(state[a], state[b]);
        out = state[(state[a] + state[b]) & 0xff];
    }
    return stream;
}

void applyMask(QByteArray& page)
{
    static const std::array<unsigned char, 128> mask = headerMask();
    const int end = std::min<int>(static_cast<int>(page.size()), kMaskStart + maskLength(page));
    for (int i = kMaskStart; i < end; ++i)
        page[i] = static_cast<char>(page.at(i) ^ mask[i - kMaskStart]);
}

// Jet 4 masks the password again with the whole days of its creation date.
std::array<unsigned char, 4> dateMask(const QByteArray& clear)
{
    std::array<unsigned char, 4> mask{};
    if (isJet3(clear) || clear.size() < kCreationDate + 8)
        return mask;
    double days = 0;
    std::memcpy(&days, clear.constData() + kCreationDate, sizeof days);
    if (!(days > -2.0e9 && days < 2.0e9)) // not a date: nothing a writer would have used
        return mask;
    qToLittleEndian(static_cast<qint32>(days), mask.data());
    return mask;
}

} // namespace

namespace JetHeader {

QByteArray unmasked(const QByteArray& firstPage)
{
    QByteArray clear = firstPage;
    applyMask(clear);
    return clear;
}

bool hasPassword(const QByteArray& firstPage)
{
    const QByteArray clear = unmasked(firstPage);
    const int length = passwordLength(clear);
    if (clear.size() < kPassword + length)
        return false;
    const std::array<unsigned char, 4> mask = dateMask(clear);
    for (int i = 0; i < length; ++i) {
        if ((static_cast<unsigned char>(clear.at(kPassword + i)) ^ mask[i % 4]) != 0)
            return true;
    }
    return false;
}

QByteArray withPassword(const QByteArray& firstPage, const QByteArray& passwordBytes)
{
    QByteArray clear = unmasked(firstPage);
    const int length = passwordLength(clear);
    if (clear.size() < kPassword + length)
        return firstPage;
    const std::array<unsigned char, 4> mask = dateMask(clear);
    for (int i = 0; i < length; ++i) {
        const unsigned char value = i < passwordBytes.size() ? static_cast<unsigned char>(passwordBytes.at(i)) : 0;
        clear[kPassword + i] = static_cast<char>(value ^ mask[i % 4]);
    }
    applyMask(clear); // the mask is its own inverse
    return clear;
}

} // namespace JetHeader
