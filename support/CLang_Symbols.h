#pragma once

// The symbol table that ties resource numbers to the symbolic names used as keys in the language
// text files. The table itself is constant data (CLang_Symbols.cpp); everything else here is a
// look-up over it.

#include <cstdint>
#include <map>
#include <string>
#include <utility>

// Kinds of the table. A positive kind is a dialog template number: the entry is a control of that
// dialog and its number is the control number.
enum ELangKind
{
    LANG_KIND_DIALOG = -4,   // dialog template, by template number
    LANG_KIND_STRING = -3,   // string or command, by string or command number
    LANG_KIND_POPUP = -2,    // popup menu: 6001 + 10 x menu resource number + position
    LANG_KIND_MENUITEM = -1, // menu item: 10 x command number
};

struct CLang_Symbol
{
    int32_t nKind;
    uint32_t nNumber;
    const char* pszName; // nullptr ends the table
};

class CLang_Symbols
{
public:
    // The whole table, ending with an entry whose name is null.
    static const CLang_Symbol* Table();
    // Number of entries without the terminating one.
    static size_t Count();

    // Key of the number-to-name map: kind x 65536 + number, taken as an unsigned 32-bit value.
    static uint32_t Key(int nKind, uint32_t nNumber)
    {
        return static_cast<uint32_t>(nKind) * 65536u + nNumber;
    }

    // The symbol name of a kind and number; empty when the table has none (also for numbers that
    // only share the wrapped 32-bit key of another entry).
    static const std::string& NameOf(int nKind, uint32_t nNumber);
    // 1 and the number when a symbol of this kind has the name; else 0.
    static int NumberOf(int nKind, const std::string& name, uint32_t& nNumber);

    // The maps as built from the table (built once, on first use).
    static const std::map<uint32_t, std::string>& NumberToName();
    static const std::map<std::pair<int, std::string>, uint32_t>& NameToNumber();

    // Popup number of the top-level entry at a position of a menu resource.
    static uint32_t PopupNumber(int nMenuResource, int nPosition)
    {
        return 6001u + 10u * static_cast<uint32_t>(nMenuResource) + static_cast<uint32_t>(nPosition);
    }
    // Menu item number of a command.
    static uint32_t MenuItemNumber(uint32_t nCommand) { return 10u * nCommand; }
};
