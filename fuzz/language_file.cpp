// Feeds arbitrary bytes to the language file reader, looks up texts under the numbers of the
// whole symbol table, and checks that signing the bytes always gives a file the reader accepts.

#include "support/CLang_Symbols.h"
#include "support/CLang_Text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CLang_Text text;
    text.ReadBuffer(bytes.data(), bytes.size());

    size_t nFound = 0;
    for (const CLang_Symbol* p = CLang_Symbols::Table(); p->pszName; ++p)
    {
        switch (p->nKind)
        {
        case LANG_KIND_STRING:
            nFound += text.String(p->nNumber).size();
            nFound += text.MenuItemDisplayText(p->nNumber, "x").size();
            break;
        case LANG_KIND_DIALOG:
            nFound += text.GetDlgCaption(p->nNumber).size();
            break;
        case LANG_KIND_POPUP:
            nFound += text.GetPopupText(p->nNumber).size();
            break;
        case LANG_KIND_MENUITEM:
            nFound += text.GetMenuItemText(p->nNumber).size();
            break;
        default:
            nFound += text.GetControlText(static_cast<unsigned>(p->nKind), p->nNumber).size();
            break;
        }
    }
    (void)nFound;

    // What the signing command writes must always pass the check at start.
    const std::string signedBytes = CLang_Text::SignContents(bytes);
    CLang_Text check;
    check.ReadBuffer(signedBytes.data(), signedBytes.size());
    if (!check.SignatureOk())
        std::abort();
    return 0;
}
