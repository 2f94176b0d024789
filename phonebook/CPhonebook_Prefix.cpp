#include "phonebook/CPhonebook_Prefix.h"

#include "data/CData_AllDialName.h"
#include "data/CData_Types.h"
#include "support/Trace.h"

#include <algorithm>

namespace
{
const char s_szClass[] = "CPhonebook_Prefix";
} // namespace

int CPhonebook_Prefix::Apply(const CPhonebook_PrefixSettings& settings, CData_AllDialName& book)
{
    TraceLine(s_szClass, "Apply()");
    int nChanged = 0;
    const int nPrefix = static_cast<int>(settings.prefix.size());
    for (CData_DialName& entry : book.m_List.Entries())
    {
        std::string& number = entry.m_strMsnExt;
        const int nLength = static_cast<int>(number.size());
        std::string result = number;
        switch (settings.nMode)
        {
        case CPhonebook_PrefixSettings::MODE_INSERT_PREFIX:
            if (settings.nMinLength < nLength && nLength < settings.nMaxLength)
                StrToMsnExt(settings.prefix + number, result);
            break;
        case CPhonebook_PrefixSettings::MODE_DELETE_PREFIX:
            if (nLength > nPrefix && number.compare(0, settings.prefix.size(), settings.prefix) == 0)
                result = number.substr(settings.prefix.size());
            break;
        case CPhonebook_PrefixSettings::MODE_DELETE_DIGITS:
            if (nLength > settings.nMinLength)
            {
                if (nLength <= settings.nDigits)
                    result.clear();
                else
                    StrToMsnExt(number.substr(static_cast<size_t>(std::max(settings.nDigits, 0))), result);
            }
            break;
        default:
            break;
        }
        if (result != number)
        {
            number = result;
            ++nChanged;
        }
    }
    return nChanged;
}
