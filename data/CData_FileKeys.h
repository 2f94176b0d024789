#pragma once

// The keys of a block's section as a table: each row names the key, the field it moves and the
// conversion pair of its value type (CData_Types), and optionally the capability without which the
// key is neither written nor read. CData_MoveKeys walks a table in order, so the table is the
// section's key order.

#include "data/CData.h"
#include "data/CData_FileExRam.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Longest value text taken from the file for one key. It holds the longest valid value of every
// key (the 42-character info text), so a valid value is never cut before its type's own check;
// longer texts are cut here and then reported by that check.
constexpr size_t CDATA_FILE_VALUE_LIMIT = 50;

template <class B> struct CData_FileKey
{
    const char* pszKey;
    int B::*pnValue = nullptr;                                      // integer, Boolean or enumeration
    std::string B::*pstrValue = nullptr;                            // string
    int (*pfnIntToStr)(int&, std::string&) = nullptr;               // integer types
    int (*pfnEnumToStr)(int, std::string&) = nullptr;               // Booleans and enumerations
    int (*pfnStrToInt)(int&, const std::string&) = nullptr;         // reading integers and enumerations
    int (*pfnStrToStr)(const std::string&, std::string&) = nullptr; // reading strings
    int (*pfnPut)(B&, std::string&) = nullptr;                      // a value the block converts itself
    int (*pfnGet)(B&, const std::string&) = nullptr;
    bool (*pfnGuard)() = nullptr; // the key exists only while this gives true
};

// A capability of the current phone type as a guard.
template <bool CData_Properties::*pCapability> bool CData_Has()
{
    return CData_Properties::Current().*pCapability;
}

namespace CData_Keys
{
template <class B>
CData_FileKey<B> Int(const char* pszKey, int B::*p, int (*pfnToStr)(int&, std::string&),
                     int (*pfnStrTo)(int&, const std::string&), bool (*pfnGuard)() = nullptr)
{
    CData_FileKey<B> k{pszKey};
    k.pnValue = p;
    k.pfnIntToStr = pfnToStr;
    k.pfnStrToInt = pfnStrTo;
    k.pfnGuard = pfnGuard;
    return k;
}

template <class B>
CData_FileKey<B> Enum(const char* pszKey, int B::*p, int (*pfnToStr)(int, std::string&),
                      int (*pfnStrTo)(int&, const std::string&), bool (*pfnGuard)() = nullptr)
{
    CData_FileKey<B> k{pszKey};
    k.pnValue = p;
    k.pfnEnumToStr = pfnToStr;
    k.pfnStrToInt = pfnStrTo;
    k.pfnGuard = pfnGuard;
    return k;
}

template <class B> CData_FileKey<B> Bool(const char* pszKey, int B::*p, bool (*pfnGuard)() = nullptr)
{
    return Enum<B>(pszKey, p, BoolToStr, StrToBool, pfnGuard);
}

template <class B>
CData_FileKey<B> Str(const char* pszKey, std::string B::*p, int (*pfnStrTo)(const std::string&, std::string&),
                     bool (*pfnGuard)() = nullptr)
{
    CData_FileKey<B> k{pszKey};
    k.pstrValue = p;
    k.pfnStrToStr = pfnStrTo;
    k.pfnGuard = pfnGuard;
    return k;
}

template <class B>
CData_FileKey<B> Custom(const char* pszKey, int (*pfnPut)(B&, std::string&),
                        int (*pfnGet)(B&, const std::string&), bool (*pfnGuard)() = nullptr)
{
    CData_FileKey<B> k{pszKey};
    k.pfnPut = pfnPut;
    k.pfnGet = pfnGet;
    k.pfnGuard = pfnGuard;
    return k;
}
} // namespace CData_Keys

// Moves one key between the block and the open store under the section name.
// Gives 1 when the key was written, or, reading, was present in the file.
template <class B>
int CData_MoveKey(B& block, const CData_FileKey<B>& key, int bToFile, const char* pszSection)
{
    CData_FileExRam& file = CData::File();
    std::string text;
    if (bToFile)
    {
        if (key.pfnPut)
            key.pfnPut(block, text);
        else if (key.pstrValue)
            StrToStr(block.*key.pstrValue, text);
        else if (key.pfnIntToStr)
            key.pfnIntToStr(block.*key.pnValue, text);
        else if (key.pfnEnumToStr)
            key.pfnEnumToStr(block.*key.pnValue, text);
        return file.PutString(pszSection, key.pszKey, text.c_str());
    }
    char sz[CDATA_FILE_VALUE_LIMIT + 1];
    const int bPresent = file.GetString(pszSection, key.pszKey, "", sz, sizeof sz);
    text = sz;
    if (key.pfnGet)
        key.pfnGet(block, text);
    else if (key.pstrValue)
        key.pfnStrToStr(text, block.*key.pstrValue);
    else if (key.pfnStrToInt)
        key.pfnStrToInt(block.*key.pnValue, text);
    return bPresent;
}

// Moves the keys of the table in order; rows whose guard gives false are left out. Gives a mask
// with bit i set when row i was written or, reading, present in the file.
template <class B, size_t N>
uint64_t CData_MoveKeys(B& block, const CData_FileKey<B> (&keys)[N], int bToFile,
                        const char* pszSection = nullptr)
{
    static_assert(N <= 64, "one mask bit per row");
    const std::string name = pszSection ? std::string(pszSection) : block.Name();
    uint64_t nMask = 0;
    for (size_t i = 0; i < N; ++i)
    {
        if (keys[i].pfnGuard && !keys[i].pfnGuard())
            continue;
        if (CData_MoveKey(block, keys[i], bToFile, name.c_str()))
            nMask |= uint64_t{1} << i;
    }
    return nMask;
}
