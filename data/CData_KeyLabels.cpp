#include "data/CData_KeyLabels.h"

#include "data/CData_AllCfg.h"
#include "data/CData_Key.h"
#include "data/CData_Types.h"
#include "data/CData_UiText.h"

#include <cstdio>

namespace
{
// Key ranges of a group of phone types: range i runs from anStart[i] to anStart[i + 1]; the
// second and fourth are the second key level. Keys above the threshold sit on the built-in
// key-extension field and carry an "E".
struct CLabelRow
{
    const int* pTypes; // ends with -1; nullptr for all other types
    int anStart[5];
    int nModuleAbove;
};

const int s_small[] = {PHONETYPE_R930T,  PHONETYPE_RV730,    PHONETYPE_RV730U,
                       PHONETYPE_RV920,  PHONETYPE_RV920XT,  PHONETYPE_RV930,
                       PHONETYPE_RV930U, PHONETYPE_RV930SMS, -1};
const int s_rv745[] = {PHONETYPE_RV745, -1};

const CLabelRow s_rows[] = {
    {s_small, {0, 5, 10, 0, 0}, 9},
    {s_rv745, {0, 20, 40, 64, 88}, 39},
    {nullptr, {0, 7, 14, 38, 62}, 13},
};

const CLabelRow& RowOf(int nPhoneType)
{
    for (const CLabelRow& row : s_rows)
    {
        if (!row.pTypes)
            return row;
        for (const int* p = row.pTypes; *p >= 0; ++p)
            if (*p == nPhoneType)
                return row;
    }
    return s_rows[sizeof s_rows / sizeof s_rows[0] - 1];
}

// Module key positions: 20 keys, two LEDs, 20 keys of the second level.
constexpr int MODULE_FIRST_LEVEL = 20;
constexpr int MODULE_LEDS = 2;

// Interface texts of the key functions (IDS_STR_KEY_INF_...); the later functions have none.
struct CFunctionText
{
    int nKeyUse;
    unsigned nText;
};
const CFunctionText s_functionTexts[] = {
    {CData_Key::KEYUSE_DIAL, 220},          {CData_Key::KEYUSE_LINE, 221},
    {CData_Key::KEYUSE_EXT, 222},           {CData_Key::KEYUSE_MSN, 223},
    {CData_Key::KEYUSE_VARIANT_ALL, 224},   {CData_Key::KEYUSE_VARIANT_TEAM, 225},
    {CData_Key::KEYUSE_TEAMLOGOUT, 226},    {CData_Key::KEYUSE_INTERCOM, 228},
    {CData_Key::KEYUSE_INTERCOM_LOOK, 229}, {CData_Key::KEYUSE_ANNOUNCE, 230},
    {CData_Key::KEYUSE_ANNOUNCE_LOOK, 231}, {CData_Key::KEYUSE_CHEF, 232},
    {CData_Key::KEYUSE_SEC, 233},           {CData_Key::KEYUSE_DIALFILTER, 234},
    {CData_Key::KEYUSE_AWS, 235},           {CData_Key::KEYUSE_DIRECTCALL, 236},
    {CData_Key::KEYUSE_VMAIL, 237},         {CData_Key::KEYUSE_MACRO, 238},
};
} // namespace

std::string CData_KeyLabels::PhoneKey(int nPhoneType, int nKey)
{
    const CLabelRow& row = RowOf(nPhoneType);
    std::string text = nKey > row.nModuleAbove ? "E" : "";
    for (int i = 0; i < 4; ++i)
    {
        const int nFrom = row.anStart[i];
        const int nTo = row.anStart[i + 1];
        if (nKey < nFrom || nKey >= nTo)
            continue;
        text += std::to_string((nKey - nFrom) % (nTo - nFrom) + 1);
        if (i == 1 || i == 3)
            text += "a";
        break;
    }
    return text;
}

std::string CData_KeyLabels::ModuleKey(int nKey)
{
    if (nKey < 0)
        return std::string();
    const int nPos = nKey % CData_AllCfg::MODULE_KEY_COUNT;
    char sz[16];
    if (nPos < MODULE_FIRST_LEVEL)
        std::snprintf(sz, sizeof sz, "M%d", nPos + 1);
    else if (nPos < MODULE_FIRST_LEVEL + MODULE_LEDS)
        std::snprintf(sz, sizeof sz, "LED%d", nPos - MODULE_FIRST_LEVEL + 1);
    else
        std::snprintf(sz, sizeof sz, "M%da", nPos - MODULE_FIRST_LEVEL - MODULE_LEDS + 1);
    return sz;
}

std::string CData_KeyLabels::FunctionText(int nKeyUse)
{
    for (const CFunctionText& row : s_functionTexts)
    {
        if (row.nKeyUse != nKeyUse)
            continue;
        const std::string text = CData_UiText(row.nText);
        if (!text.empty())
            return text;
        break;
    }
    std::string word;
    KeyUseToStr(nKeyUse, word);
    return word;
}

std::string CData_KeyLabels::SheetText(const CData_Key& key)
{
    const std::string label = key.InfoText(1);
    return label.empty() ? FunctionText(key.m_nKeyUse) : label;
}
