#include "data/CData_InterfaceText.h"

#include "platform/CPlatform_Resource.h"
#include "support/CLang_Text.h"

std::string CData_InterfaceText(unsigned nNumber)
{
    if (const CLang_Text* pText = CLang_Text::Get())
        return pText->String(nNumber);
    if (const CPlatform_Resource* pResource = CPlatform_Resource::Current())
        return pResource->String(nNumber);
    return std::string();
}
