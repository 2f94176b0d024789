#include "data/CData_MacroCode.h"

namespace
{
constexpr unsigned char DIGIT_END = 0xF;

unsigned char DigitAt(const CData_MacroCode::CodeBytes& abCode, int nDigit)
{
    const unsigned char b = abCode[static_cast<size_t>(nDigit / 2)];
    return nDigit % 2 == 0 ? static_cast<unsigned char>(b >> 4) : static_cast<unsigned char>(b & 0x0F);
}

void SetDigit(CData_MacroCode::CodeBytes& abCode, int nDigit, unsigned char d)
{
    unsigned char& b = abCode[static_cast<size_t>(nDigit / 2)];
    b = nDigit % 2 == 0 ? static_cast<unsigned char>((b & 0x0F) | d << 4)
                        : static_cast<unsigned char>((b & 0xF0) | (d & 0x0F));
}
} // namespace

CData_MacroCode::CData_MacroCode(const CodeBytes& abCode) : m_codes(Decode(abCode)) {}

CData_MacroCode::EFit CData_MacroCode::Fit(int nCode) const
{
    if (!Recordable(nCode))
        return FIT_BAD_CODE;
    const int nLeft = DIGIT_MAX - DigitsUsed();
    if (nLeft <= 0)
        return FIT_FULL;
    if (DigitsOf(nCode) > nLeft)
        return FIT_NO_ROOM_TWO_DIGITS;
    return FIT_OK;
}

CData_MacroCode::EFit CData_MacroCode::Append(int nCode)
{
    const EFit fit = Fit(nCode);
    if (fit == FIT_OK)
        m_codes.push_back(nCode);
    return fit;
}

int CData_MacroCode::Remove(size_t i)
{
    if (i >= m_codes.size())
        return 0;
    m_codes.erase(m_codes.begin() + static_cast<std::ptrdiff_t>(i));
    return 1;
}

int CData_MacroCode::DigitsUsed() const
{
    int n = 0;
    for (const int nCode : m_codes)
        n += DigitsOf(nCode);
    return n;
}

std::string CData_MacroCode::DisplayText() const
{
    std::string text;
    for (const int nCode : m_codes)
        text += std::to_string(nCode) + " ";
    return text;
}

CData_MacroCode::CodeBytes CData_MacroCode::Encode() const
{
    CodeBytes abCode;
    abCode.fill(0xFF);
    int nDigit = 0;
    for (const int nCode : m_codes)
    {
        // Append never lets the sequence outgrow the bytes; a sequence decoded from bytes fits them.
        if (nDigit + DigitsOf(nCode) > DIGIT_MAX)
            break;
        if (DigitsOf(nCode) == 1)
            SetDigit(abCode, nDigit++, static_cast<unsigned char>(nCode));
        else
        {
            SetDigit(abCode, nDigit++, static_cast<unsigned char>(nCode >> 4 & 0x0F));
            SetDigit(abCode, nDigit++, static_cast<unsigned char>(nCode & 0x0F));
        }
    }
    return abCode;
}

std::vector<int> CData_MacroCode::Decode(const CodeBytes& abCode)
{
    std::vector<int> codes;
    int nDigit = 0;
    while (nDigit < DIGIT_MAX)
    {
        const unsigned char d = DigitAt(abCode, nDigit);
        const unsigned char next = nDigit + 1 < DIGIT_MAX ? DigitAt(abCode, nDigit + 1) : DIGIT_END;
        if (d == DIGIT_END && next == DIGIT_END)
            break;
        if (d >= 0xA)
        {
            // A two-digit code needs its second digit inside the bytes.
            if (nDigit + 1 >= DIGIT_MAX)
                break;
            codes.push_back(d << 4 | next);
            nDigit += 2;
        }
        else
        {
            codes.push_back(d);
            ++nDigit;
        }
    }
    return codes;
}

CData_MacroCode::CodeBytes CData_MacroCode::FromMacro(const CData_Key::MacroStruct& macro)
{
    unsigned char abStruct[CData_Key::MACROSTRUCT_BYTES];
    macro.ToBytes(abStruct);
    CodeBytes abCode;
    for (size_t i = 0; i < CODE_BYTES; ++i)
        abCode[i] = abStruct[CData_Key::MACROTEXT_MAX + i];
    return abCode;
}

void CData_MacroCode::ToMacro(const CodeBytes& abCode, CData_Key::MacroStruct& macro)
{
    unsigned char abStruct[CData_Key::MACROSTRUCT_BYTES];
    macro.ToBytes(abStruct);
    for (size_t i = 0; i < CODE_BYTES; ++i)
        abStruct[CData_Key::MACROTEXT_MAX + i] = abCode[i];
    const std::string text = macro.strText; // kept whole, even beyond the 20 bytes of the structure
    macro.FromBytes(abStruct);
    macro.strText = text;
}
