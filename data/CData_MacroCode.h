#pragma once

// The key sequence of a macro key and its code bytes. The telephone takes the sequence as a
// stream of 4-bit digits in the key's 13 macro parameter bytes (high digit of a byte first, the
// unused digits 0xF): a key code 0 to 9 (the digits of the keypad) takes one digit, any other code
// two (its high and its low four bits). 26 digits fit.
//
// Decoding reads a digit of 0xA or more as the first of a two-digit code, so codes from 10 to 159
// could not be told from two keypad digits; the key maps use codes from 0xA0 on for every other
// key. Codes that would not come back are not recorded: 10 to 159, 0xFF (read as the end), and
// 0xD0 to 0xDF, which after a digit 0 or 5 put a CR or a "]" into the code bytes; the configuration
// file keeps those bytes unescaped and could not read the macro back.

#include "data/CData_Key.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

class CData_MacroCode
{
public:
    static constexpr size_t CODE_BYTES = CData_Key::MACRO_PARAM_BYTES;
    static constexpr int DIGIT_MAX = static_cast<int>(2 * CODE_BYTES);
    // Interface texts of the fitting rules and of a macro without a name.
    static constexpr unsigned TEXT_NO_ROOM_TWO_DIGITS = 4354;
    static constexpr unsigned TEXT_FULL = 4355;
    static constexpr unsigned TEXT_NO_NAME = 4356;

    // Whether a key may be appended.
    enum EFit
    {
        FIT_OK = 1,
        FIT_NO_ROOM_TWO_DIGITS = 2, // a two-digit code with one digit left (text 4354)
        FIT_FULL = 3,               // all 26 digits used (text 4355)
        FIT_BAD_CODE = 4,           // a code that would not decode as itself
    };

    using CodeBytes = std::array<unsigned char, CODE_BYTES>;

    CData_MacroCode() = default;
    // The sequence that code bytes hold.
    explicit CData_MacroCode(const CodeBytes& abCode);

    static int DigitsOf(int nCode) { return nCode >= 0 && nCode <= 9 ? 1 : 2; }
    static bool Recordable(int nCode)
    {
        return (nCode >= 0 && nCode <= 9) || (nCode >= 0xA0 && nCode < 0xD0) ||
               (nCode >= 0xE0 && nCode < 0xFF);
    }

    EFit Fit(int nCode) const;
    // Appends the code when it fits; gives the fitting result.
    EFit Append(int nCode);
    // Removes entry i (later entries move up); 0 when there is no such entry.
    int Remove(size_t i);
    void Clear() { m_codes.clear(); }

    const std::vector<int>& Codes() const { return m_codes; }
    int DigitsUsed() const;
    // "%d " for each code in order.
    std::string DisplayText() const;

    // The code bytes of the sequence: its digits, then 0xF up to the end.
    CodeBytes Encode() const;
    // The codes that code bytes hold: up to the first pair of 0xF digits or the end of the bytes.
    static std::vector<int> Decode(const CodeBytes& abCode);

    // The key record keeps the code bytes as its macro parameters (three 32-bit values and a
    // byte, little-endian, as the telephone takes them).
    static CodeBytes FromMacro(const CData_Key::MacroStruct& macro);
    static void ToMacro(const CodeBytes& abCode, CData_Key::MacroStruct& macro);

private:
    std::vector<int> m_codes;
};
