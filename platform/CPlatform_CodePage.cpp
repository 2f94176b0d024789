#include "platform/CPlatform_CodePage.h"

namespace
{
// 0x80 to 0x9F are the only bytes where the code page differs from ISO 8859-1.
const char16_t s_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};
} // namespace

char16_t CPlatform_CodePage::ByteToUnicode(unsigned char c)
{
    if (c >= 0x80 && c <= 0x9F)
        return s_high[c - 0x80];
    return c;
}

bool CPlatform_CodePage::UnicodeToByte(char32_t u, unsigned char& c)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
    {
        c = static_cast<unsigned char>(u);
        return true;
    }
    for (unsigned i = 0; i < 32; ++i)
    {
        if (s_high[i] == u)
        {
            c = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    c = REPLACEMENT_BYTE;
    return false;
}

QString CPlatform_CodePage::ToQString(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char ch : bytes)
        text.append(QChar(ByteToUnicode(static_cast<unsigned char>(ch))));
    return text;
}

std::string CPlatform_CodePage::FromQString(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i)
    {
        char32_t u = text.at(i).unicode();
        // A pair stands for one character outside the code page; a lone half is no character.
        if (text.at(i).isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
        {
            u = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        unsigned char c = 0;
        UnicodeToByte(u, c);
        bytes += static_cast<char>(c);
    }
    return bytes;
}
