#include "platform/Ansi.h"

namespace {
// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int UnicodeToAnsiByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}
} // namespace

char16_t AnsiByteToUnicode(unsigned char byte)
{
    return (byte >= 0x80 && byte <= 0x9F) ? kHigh[byte - 0x80] : char16_t(byte);
}

QString AnsiToQString(std::string_view ansi)
{
    QString out;
    out.reserve(qsizetype(ansi.size()));
    for (unsigned char b : ansi)
        out.append(QChar(AnsiByteToUnicode(b)));
    return out;
}

std::string QStringToAnsi(const QString& text, bool* ok)
{
    std::string out;
    out.reserve(size_t(text.size()));
    bool all = true;
    for (QChar c : text) {
        int b = UnicodeToAnsiByte(c.unicode());
        if (b < 0) {
            all = false;
            b = '?';
        }
        out.push_back(char(b));
    }
    if (ok)
        *ok = all;
    return out;
}
