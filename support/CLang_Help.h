#pragma once

// The help topics: which page of the HTML help explains which page or dialog of the program. The
// help of the program is a folder of HTML pages per language (CLang_Info::HelpPagePath), one page
// per area of settings; a dialog is explained on the page of the area it belongs to, at a place of
// its own. A help request names a help context, numbered as the framework numbers them: the help
// of a page or dialog is HID_BASE_RESOURCE plus its template number; every other context (the
// program's own help command, the help topics) shows the contents.

#include <cstddef>
#include <string>

class CLang_Help
{
public:
    // The framework's base of the help contexts of resources (dialog templates).
    static constexpr int HID_BASE_RESOURCE = 0x20000;
    // The page of the contents, and the first steps a new user is shown once.
    static constexpr const char* CONTENTS_PAGE = "index.html";
    static constexpr const char* WELCOME_PAGE = "welcome.html";

    struct CTopic
    {
        unsigned nTemplate;   // the page's or dialog's template number
        const char* pszPage;  // the help page's file name
        const char* pszPlace; // the anchor on that page; empty for its top
    };

    // The table, in template order; Count() rows.
    static const CTopic* Topics();
    static size_t Count();
    // The row of a template; nullptr when it has none.
    static const CTopic* Find(unsigned nTemplate);

    static int TemplateContext(unsigned nTemplate) { return HID_BASE_RESOURCE + static_cast<int>(nTemplate); }
    // The page (and after a "#" its place) that a help context shows: the template's topic, else
    // the contents.
    static std::string PageOfContext(int nContext);

    // The first steps page as the program shows it: what stands between "<!--link-override-->"
    // and "<!--/link-override-->" only when the link goes to another device than the telephone's
    // port (the link library's device override, which scripts/run.sh points at the telephone
    // emulator), with "{device}" replaced by where it goes.
    static std::string FillWelcome(const std::string& html, const std::string& device);
};
