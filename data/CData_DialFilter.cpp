#include "data/CData_DialFilter.h"

#include "data/CData_UiText.h"

namespace
{
// Interface texts that precede the entry number in the list, one per group of seven.
constexpr unsigned TEXT_DIALFILTER_GROUP1 = 270;
constexpr unsigned TEXT_DIALFILTER_GROUP2 = 271;
constexpr int GROUP_SIZE = 7;
} // namespace

std::string CData_DialFilter::InfoText(int nIndex) const
{
    if (nIndex != 0)
        return CData_FilterNumber::InfoText(nIndex);
    if (Number() < GROUP_SIZE)
        return CData_UiText(TEXT_DIALFILTER_GROUP1) + std::to_string(Number() + 1);
    return CData_UiText(TEXT_DIALFILTER_GROUP2) + std::to_string(Number() - GROUP_SIZE + 1);
}
