#pragma once

// Dialling-prefix processing of the whole phonebook: a prefix put in front of, or taken off, the
// numbers, or leading digits removed, for every entry whose number meets the mode's condition.

#include <string>

class CData_AllDialName;

struct CPhonebook_PrefixSettings
{
    enum EMode
    {
        MODE_INSERT_PREFIX = 0,
        MODE_DELETE_PREFIX = 1,
        MODE_DELETE_DIGITS = 2,
    };

    int nMode = MODE_INSERT_PREFIX;
    std::string prefix; // modes 0 and 1
    int nDigits = 1;    // mode 2: digits to remove
    int nMinLength = 2; // modes 0 and 2: only longer numbers change
    int nMaxLength = 6; // mode 0: only shorter numbers change
};

class CPhonebook_Prefix
{
public:
    // Ranges of the dialog's fields.
    static constexpr size_t PREFIX_MAX = 26; // the longest number the telephone stores
    static constexpr int MODE_MAX = 2;
    static constexpr int DIGITS_MIN = 1;
    static constexpr int LENGTH_MAX = 26;

    // Changes the numbers of every entry in list order; gives the number of entries changed.
    // Mode 1 never empties a number; mode 2 empties one that has no more digits than it removes.
    static int Apply(const CPhonebook_PrefixSettings& settings, CData_AllDialName& book);
};
