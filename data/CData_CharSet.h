#pragma once

// The phone's character set and its name alphabet. Text in the configuration is code page 1252;
// the phone stores names in its own set (code page 437 except for three positions) and sorts them
// by the order of its 128-character name alphabet. The tables are built once and never change.

#include <cstddef>
#include <string>

namespace CData_CharSet
{
// Converts nCount bytes in place from the PC set to the phone set; bytes without a pair stay.
void ToPhone(unsigned char* pBuffer, size_t nCount);
void ToPhone(std::string& text);

// The inverse, built from the same pairs read the other way.
void ToPc(unsigned char* pBuffer, size_t nCount);
void ToPc(std::string& text);

// 1 when the byte belongs to the phone's name alphabet.
int IsNameChar(unsigned char c);

// The 128 characters of the name alphabet in sort order (the slash stands twice); the text
// import uses it as its set of allowed name characters.
const std::string& NameAlphabet();

// Sort weight of a byte: its 1-based place in the alphabet, 0 for the terminator, 255 otherwise.
int NameWeight(unsigned char c);

// Phone sort order: 0 when equal, +1 when a sorts after b, else -1. The end of a string, and an
// embedded zero byte, count as the terminator.
int CompareNames(const std::string& a, const std::string& b);

// Copies a binary-image field into a string, as far as its first zero byte, at most nLength
// bytes. A length of 102 or more is refused (0, target unchanged): no field of any record is
// that long, so such a length means a damaged record.
int memcpycstr(std::string& target, const unsigned char* pSource, size_t nLength);
} // namespace CData_CharSet
