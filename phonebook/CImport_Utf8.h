#pragma once

// UTF-8 text of import files to code page 1252, the one conversion of every import: strict
// UTF-8 (no overlong forms, surrogates or values beyond Unicode); characters without a place in
// the code page are dropped and reported, a byte order mark inside the text carries nothing.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CImport_Utf8
{
public:
    // The byte order mark that many programs put in front of UTF-8 text.
    static constexpr std::string_view BOM = "\xEF\xBB\xBF";

    // True when no byte of the text is above 0x7F.
    static bool IsAscii(std::string_view text);

    // True when the text is valid UTF-8 (it stops at the first fault, so that a file of another
    // code page is told at once).
    static bool IsValid(std::string_view text);

    // The text converted into pOut, which has room for text.size() bytes (the result is never
    // longer) and lies apart from the text; nOut its length. False when the text is no valid UTF-8 (pOut is
    // then of no use). bDropped is set when a character was dropped; pDrops, when given, receives the
    // position in the result of each character dropped.
    static bool ToCp1252(std::string_view text, char* pOut, size_t& nOut, bool& bDropped,
                         std::vector<size_t>* pDrops = nullptr);
    // The same into out (which text must not view).
    static bool ToCp1252(std::string_view text, std::string& out, bool& bDropped);
};
