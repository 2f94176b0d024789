#pragma once

// The file keys of a block as a table: one row per key in section order, each with the
// capability that guards it and the conversion that moves its value between the block's field
// and the key's text (Part of the value-type vocabulary of CData_Types). MoveFileRows walks the
// table in either direction through the one file store.

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
// Values are read with an empty default and at most this many characters.
constexpr size_t VALUE_MAX = 30;

using StrReader = int (*)(const std::string&, std::string&);
using IntWriter = int (*)(int&, std::string&);
using IntReader = int (*)(int&, const std::string&);
using EnumWriter = int (*)(int, std::string&);
using U32Writer = int (*)(uint32_t&, std::string&);
using U32Reader = int (*)(uint32_t&, const std::string&);

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

// Guard by one capability flag.
template <bool CData_Properties::*F> bool Has(const CData_Properties& props)
{
    return props.*F;
}

template <bool CData_Properties::*F> bool Lacks(const CData_Properties& props)
{
    return !(props.*F);
}

// Writes (bToFile 1) or reads the keys of the rows under the block's section name. 1.
template <class T, size_t N> int MoveFileRows(T& block, const CData_FileRow<T> (&rows)[N], int bToFile)
{
    CData_FileExRam& file = CData::File();
    const CData_Properties& props = CData_Properties::Current();
    const char* pszSection = block.Name().c_str();
    for (const CData_FileRow<T>& row : rows)
    {
        if (row.pfnGuard && !row.pfnGuard(props))
            continue;
        std::string text;
        if (bToFile)
        {
            row.pfnMove(block, 1, text);
            file.PutString(pszSection, row.pszKey, text.c_str());
        }
        else
        {
            char sz[VALUE_MAX + 1];
            file.GetString(pszSection, row.pszKey, "", sz, sizeof sz);
            text = sz;
            row.pfnMove(block, 0, text);
        }
    }
    return 1;
}
} // namespace CData_FileRows
