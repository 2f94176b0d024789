#pragma once

// The labels of the keys in the key lists and on the label sheets: a telephone key's label follows
// from its block index and the phone type, a module key's from its place in its module.

#include <string>

class CData_Key;

class CData_KeyLabels
{
public:
    // "1" to "7", "1a" to "7a", "E1" ... for key k (block index) of a phone type (EPhoneType).
    static std::string PhoneKey(int nPhoneType, int nKey);
    // "M1" to "M20", "LED1", "LED2", "M1a" to "M20a" for module key k (0 to 125); the module itself
    // is not named.
    static std::string ModuleKey(int nKey);

    // The interface text that names a key function ("Dial key", ...); functions without one show
    // their enumeration word ("HEADSET").
    static std::string FunctionText(int nKeyUse);
    // What a label sheet prints for a key: its own label as the key list shows it (the macro text
    // of a macro key), else the text of its function.
    static std::string SheetText(const CData_Key& key);
};
