#include "data/CData_UiText.h"

#include "platform/CPlatform_Resource.h"
#include "support/CLang_Text.h"

std::string CData_UiText(unsigned nNumber)
{
    std::string text;
    if (const CLang_Text* pText = CLang_Text::Get())
        pText->GetString(nNumber, text);
    else if (const CPlatform_Resource* pResource = CPlatform_Resource::Current())
        pResource->GetString(nNumber, text);
    return text;
}
