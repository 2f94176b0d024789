#pragma once

// The file keys of a block as a table: one row per key in section order, each with the
// capability that guards it and the conversion that moves its value between the block's field
// and the key's text (the value-type vocabulary of CData_Types). MoveFileRows walks the table in
// either direction through the one file store, so the table is the section's key order.

#include "data/CData.h"
#include "data/CData_FileExRam.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"

#include <cstddef>
#include <cstdint>
#include <string>

template <class T> struct CData_FileRow
{
    // bToFile 1: the field's value into text; 0: text into the field. The conversion's result.
    using Move = int (*)(T& block, int bToFile, std::string& text);
    // nullptr: the key is always there.
    using Guard = bool (*)(const CData_Properties& props);

    const char* pszKey;
    Move pfnMove;
    Guard pfnGuard;
};

namespace CData_FileRows
{
// Values are read with an empty default and cut to this many characters before their type's
// check. It holds the longest valid value of every key (the 42-character info text), so a valid
// value is never cut; a longer text is cut here and then reported by that check.
constexpr size_t VALUE_MAX = 50;
// The basic, key and MSN parameter sections have always cut their values at 30 characters (their
// longest valid value has 26), so an over-long value there reaches its check as it always did.
constexpr size_t VALUE_MAX_SETTINGS = 30;

using StrReader = int (*)(const std::string&, std::string&);
using IntWriter = int (*)(int&, std::string&);
using IntReader = int (*)(int&, const std::string&);
using EnumWriter = int (*)(int, std::string&);
using U32Writer = int (*)(uint32_t&, std::string&);
using U32Reader = int (*)(uint32_t&, const std::string&);
template <class T> using Putter = int (*)(T&, std::string&);
template <class T> using Getter = int (*)(T&, const std::string&);

// A string type: written unchanged, read through the type's check.
template <class T, std::string T::*P, StrReader R> int Str(T& b, int bToFile, std::string& text)
{
    return bToFile ? StrToStr(b.*P, text) : R(text, b.*P);
}

// A named integer type.
template <class T, int T::*P, IntWriter W, IntReader R> int Int(T& b, int bToFile, std::string& text)
{
    return bToFile ? W(b.*P, text) : R(b.*P, text);
}

// An integer with a range but no type of its own.
template <class T, int T::*P, int MIN, int MAX> int Range(T& b, int bToFile, std::string& text)
{
    return bToFile ? IntToStr(b.*P, text, MIN, MAX) : StrToInt(b.*P, text, MIN, MAX);
}

// An enumeration or an On/Off value.
template <class T, int T::*P, EnumWriter W, IntReader R> int Enum(T& b, int bToFile, std::string& text)
{
    return bToFile ? W(b.*P, text) : R(b.*P, text);
}

template <class T, int T::*P> int Bool(T& b, int bToFile, std::string& text)
{
    return bToFile ? BoolToStr(b.*P, text) : StrToBool(b.*P, text);
}

template <class T, uint32_t T::*P, U32Writer W, U32Reader R> int U32(T& b, int bToFile, std::string& text)
{
    return bToFile ? W(b.*P, text) : R(b.*P, text);
}

// A value the block converts itself, one function per direction.
template <class T, Putter<T> PUT, Getter<T> GET> int Custom(T& b, int bToFile, std::string& text)
{
    return bToFile ? PUT(b, text) : GET(b, text);
}

// Guard by one capability flag.
template <bool CData_Properties::*F> bool Has(const CData_Properties& props)
{
    return props.*F;
}

template <bool CData_Properties::*F> bool Lacks(const CData_Properties& props)
{
    return !(props.*F);
}

// Writes text (bToFile 1) under the key, or reads the key's value, cut to nValueMax characters,
// into text (empty when the key is missing). 1 when the key was written or, reading, present.
inline int MoveText(const char* pszSection, const char* pszKey, int bToFile, std::string& text,
                    size_t nValueMax = VALUE_MAX)
{
    CData_FileExRam& file = CData::File();
    if (bToFile)
        return file.PutString(pszSection, pszKey, text.c_str());
    char sz[VALUE_MAX + 1];
    const int bPresent =
        file.GetString(pszSection, pszKey, "", sz, (nValueMax < VALUE_MAX ? nValueMax : VALUE_MAX) + 1);
    text = sz;
    return bPresent;
}

// Writes (bToFile 1) or reads the keys of the rows under the section pszSection (nullptr: the
// block's name); rows whose guard gives false are left out. Values read are cut to nValueMax
// characters. Gives a mask with bit i set when row i was written or, reading, present in the file.
template <class T, size_t N>
uint64_t MoveFileRows(T& block, const CData_FileRow<T> (&rows)[N], int bToFile,
                      const char* pszSection = nullptr, size_t nValueMax = VALUE_MAX)
{
    static_assert(N <= 64, "one mask bit per row");
    const CData_Properties& props = CData_Properties::Current();
    const std::string section = pszSection ? std::string(pszSection) : block.Name();
    uint64_t nMask = 0;
    for (size_t i = 0; i < N; ++i)
    {
        const CData_FileRow<T>& row = rows[i];
        if (row.pfnGuard && !row.pfnGuard(props))
            continue;
        std::string text;
        if (bToFile)
            row.pfnMove(block, 1, text);
        const int bDone = MoveText(section.c_str(), row.pszKey, bToFile, text, nValueMax);
        if (!bToFile)
            row.pfnMove(block, 0, text);
        if (bDone)
            nMask |= uint64_t{1} << i;
    }
    return nMask;
}
} // namespace CData_FileRows
