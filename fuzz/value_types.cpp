// Feeds arbitrary text to every reading conversion of the value types and checks what they leave
// behind: strings within their class and length, integers within their range, and a written text
// that reads back unchanged.

#include "data/CData_CharSet.h"
#include "data/CData_Types.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
using StrReader = int (*)(const std::string&, std::string&);

struct CStringType
{
    StrReader pfn;
    size_t nMax;
};

const CStringType s_strings[] = {
    {StrToMsnExt, 26},
    {StrToMsnInt, 26},
    {StrToMsnPreCall, 23},
    {StrToMsnAws, 22},
    {StrToVMailPin, 23},
    {StrToDialPre, 4},
    {StrToCallDeflectionNumber, 26},
    {StrToTeam, 2},
    {StrToParkCode, 2},
    {StrToSmsServiceNo, 26},
    {StrToSerialNo, 9},
    {StrToName, 20},
    {StrToKeyName, 20},
    {StrToUnitName, 20},
    {StrToInfotext, 42},
    {StrToTxt, 8},
    {StrToPayStr, 6},
    {StrToVersion, 9},
    {StrToRelease, 17},
    {StrToOemString, 32},
    {StrToPayMult, 5},
};

using IntWriter = int (*)(int&, std::string&);
using IntReader = int (*)(int&, const std::string&);

const std::pair<IntWriter, IntReader> s_ints[] = {
    {PabxTypeToStr, StrToPabxType},   {LoudToStr, StrToLoud},
    {MelodyExtToStr, StrToMelodyExt}, {ChannelToStr, StrToChannel},
    {TaxLimitToStr, StrToTaxLimit},   {DayToStr, StrToDay},
    {YearToStr, StrToYear},           {OperationModeToStr, StrToOperationMode},
};

using EnumWriter = int (*)(int, std::string&);
using EnumReader = int (*)(int&, const std::string&);

const std::pair<EnumWriter, EnumReader> s_enums[] = {
    {DispLanToStr, StrToDispLan},
    {KeyUseToStr, StrToKeyUse},
    {PhoneTypeToStr, StrToPhoneType},
    {OemTypeToStr, StrToOemType},
    {CallFilterUseToStr, StrToCallFilterUse},
    {LcrModeToStr, StrToLcrMode},
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string target;
    for (const CStringType& t : s_strings)
    {
        t.pfn(text, target);
        if (target.size() > t.nMax)
            std::abort();
        std::string again;
        // What one reading kept is valid for the next, except an empty unit name.
        if (!target.empty() && t.pfn(target, again) != 1)
            std::abort();
    }
    StrToLineAbStr(text, target);
    StrToNameStr(text, target);
    for (const char ch : target)
        if (!CData_CharSet::IsNameChar(static_cast<unsigned char>(ch)))
            std::abort();

    for (const auto& [pfnWrite, pfnRead] : s_ints)
    {
        int nValue = 0;
        pfnRead(nValue, text);
        std::string written;
        if (pfnWrite(nValue, written) != 1)
            std::abort(); // reading always leaves a value in range
        int nBack = -1;
        if (pfnRead(nBack, written) != 1 || nBack != nValue)
            std::abort();
    }
    for (const auto& [pfnWrite, pfnRead] : s_enums)
    {
        int nValue = 0;
        pfnRead(nValue, text);
        std::string written;
        pfnWrite(nValue, written);
    }

    unsigned nMant = 0;
    unsigned nExp = 0;
    PayMultToMantExp(text, nMant, nExp);
    if (nMant > PAYMULT_MANT_MAX || nExp > PAYMULT_EXP_MAX)
        std::abort();
    MantExpToPayMult(nMant, nExp, target);
    VersionToNumber(text);
    CData_CharSet::CompareNames(text, target);
    std::string phone = text;
    CData_CharSet::ToPhone(phone);
    CData_CharSet::ToPc(phone);
    CData_CharSet::memcpycstr(target, data, size);
    return 0;
}
