#include "data/CData_CallFilter.h"

#include "data/CData_UiText.h"

namespace
{
// Interface text that precedes the entry number in the list.
constexpr unsigned TEXT_CALLFILTER = 274;
} // namespace

std::string CData_CallFilter::InfoText(int nIndex) const
{
    if (nIndex == 0)
        return CData_UiText(TEXT_CALLFILTER) + std::to_string(Number() + 1);
    return CData_FilterNumber::InfoText(nIndex);
}
