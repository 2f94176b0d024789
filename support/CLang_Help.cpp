#include "support/CLang_Help.h"

#include <iterator>

namespace
{
using CTopic = CLang_Help::CTopic;

// Pages of the property sheet and the dialogs opened from them, by template number.
const CTopic s_topics[] = {
    {100, "index.html", "about"},         // about box
    {101, "keys.html", "macro"},          // macro recorder
    {801, "import.html", "simple"},       // name/number import
    {802, "import.html", "extended"},     // extended import
    {803, "phonebook.html", "prefix"},    // dialling prefixes
    {806, "transfer.html", ""},           // transfer progress
    {807, "phonebook.html", "find"},      // find in the phonebook
    {1000, "basic.html", ""},             // basic settings
    {1001, "signals.html", ""},           // volumes and tones
    {1002, "dialling.html", ""},          // dialling
    {1200, "msn.html", ""},               // MSN list
    {1210, "msn.html", "edit"},           // one MSN
    {1250, "vip.html", ""},               // VIP list
    {1260, "vip.html", "edit"},           // one VIP entry
    {1300, "keys.html", ""},              // function keys
    {1400, "phonebook.html", ""},         // phonebook
    {1410, "phonebook.html", "edit"},     // one phonebook entry
    {1500, "connection.html", ""},        // link
    {1700, "keys.html", "edit"},          // one key
    {1900, "filters.html", ""},           // dial filter
    {1910, "filters.html", "edit"},       // one dial-filter number
    {2000, "charges.html", ""},           // charge counters
    {3000, "index.html", "version"},      // the telephone's version block
    {3300, "transfer.html", "pin"},       // configuration PIN
    {7000, "answering.html", ""},         // answering machine
    {7001, "alarm.html", ""},             // alarm calls
    {7004, "answering.html", "permsn"},   // answering machine per MSN
    {7009, "update.html", ""},            // firmware update
    {7014, "filters.html", "callfilter"}, // call filter
    {7015, "filters.html", "callfilter"}, // one call-filter number
    {7018, "module.html", ""},            // key-extension module
    {7020, "messaging.html", ""},         // SMS service centres
    {7024, "import.html", "vcard"},       // vCard import
};
} // namespace

const CTopic* CLang_Help::Topics()
{
    return s_topics;
}

size_t CLang_Help::Count()
{
    return std::size(s_topics);
}

const CTopic* CLang_Help::Find(unsigned nTemplate)
{
    for (const CTopic& topic : s_topics)
        if (topic.nTemplate == nTemplate)
            return &topic;
    return nullptr;
}

std::string CLang_Help::FillWelcome(const std::string& html, const std::string& device)
{
    static const std::string s_begin = "<!--link-override-->";
    static const std::string s_end = "<!--/link-override-->";
    static const std::string s_field = "{device}";
    std::string escaped;
    for (char c : device)
    {
        switch (c)
        {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    std::string text;
    size_t nPos = 0;
    while (nPos < html.size())
    {
        const size_t nBegin = html.find(s_begin, nPos);
        const size_t nEnd = nBegin == std::string::npos ? std::string::npos : html.find(s_end, nBegin);
        if (nEnd == std::string::npos)
        {
            text += html.substr(nPos);
            break;
        }
        text += html.substr(nPos, nBegin - nPos);
        if (!device.empty())
        {
            std::string part = html.substr(nBegin + s_begin.size(), nEnd - nBegin - s_begin.size());
            for (size_t n = part.find(s_field); n != std::string::npos;
                 n = part.find(s_field, n + escaped.size()))
                part.replace(n, s_field.size(), escaped);
            text += part;
        }
        nPos = nEnd + s_end.size();
    }
    return text;
}

std::string CLang_Help::PageOfContext(int nContext)
{
    const CTopic* pTopic =
        nContext > HID_BASE_RESOURCE ? Find(static_cast<unsigned>(nContext - HID_BASE_RESOURCE)) : nullptr;
    if (!pTopic)
        return CONTENTS_PAGE;
    std::string page = pTopic->pszPage;
    if (*pTopic->pszPlace)
        page += std::string("#") + pTopic->pszPlace;
    return page;
}
