#pragma once

// Code page 1252 at the user-interface boundary. The core keeps every text as 1252 bytes, exactly as
// stored in configuration files; widgets work on QString. Qt 6 has no 1252 codec, so the table is
// our own. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the
// control characters of the same number, as the system's own conversion does, so that every byte
// string survives the round trip.

#include <QString>

#include <string>

class CPlatform_CodePage
{
public:
    // Byte to UTF-16 code unit.
    static char16_t ByteToUnicode(unsigned char c);
    // Character to byte; false (and the replacement byte) for a character the code page lacks.
    static bool UnicodeToByte(char32_t u, unsigned char& c);

    // 1252 bytes to text; an embedded zero byte is kept as U+0000.
    static QString ToQString(const std::string& bytes);
    // Text to 1252 bytes; every character outside the code page (a surrogate pair counts as one)
    // becomes REPLACEMENT_BYTE.
    static std::string FromQString(const QString& text);

    static constexpr unsigned char REPLACEMENT_BYTE = '?';
};
