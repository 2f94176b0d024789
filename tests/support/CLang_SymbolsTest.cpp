#include "support/CLang_Symbols.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
struct CKindCount
{
    const char* pszWhat;
    int nKind; // 0: every positive kind (dialog controls)
    size_t nCount;
};

class SymbolKindCount : public ::testing::TestWithParam<CKindCount>
{
};

TEST_P(SymbolKindCount, TableHoldsEveryEntryOfTheKind)
{
    size_t n = 0;
    for (const CLang_Symbol* p = CLang_Symbols::Table(); p->pszName; ++p)
        if (GetParam().nKind == 0 ? p->nKind > 0 : p->nKind == GetParam().nKind)
            ++n;
    EXPECT_EQ(GetParam().nCount, n) << GetParam().pszWhat;
}

INSTANTIATE_TEST_SUITE_P(Kinds, SymbolKindCount,
                         ::testing::Values(CKindCount{"dialogs", LANG_KIND_DIALOG, 34},
                                           CKindCount{"strings", LANG_KIND_STRING, 325},
                                           CKindCount{"popups", LANG_KIND_POPUP, 5},
                                           CKindCount{"menu items", LANG_KIND_MENUITEM, 23},
                                           CKindCount{"controls", 0, 345}));

TEST(SymbolTable, EndsWithANullNameAndEveryKeyIsDistinct)
{
    ASSERT_EQ(732u, CLang_Symbols::Count());
    EXPECT_EQ(nullptr, CLang_Symbols::Table()[732].pszName);
    // Two symbols under one key would make one of them unreachable.
    EXPECT_EQ(732u, CLang_Symbols::NumberToName().size());
    EXPECT_EQ(732u, CLang_Symbols::NameToNumber().size());
}

TEST(SymbolTable, ControlsBelongToADialogOfTheTable)
{
    for (const CLang_Symbol* p = CLang_Symbols::Table(); p->pszName; ++p)
    {
        if (p->nKind > 0)
        {
            EXPECT_FALSE(CLang_Symbols::NameOf(LANG_KIND_DIALOG, static_cast<uint32_t>(p->nKind)).empty())
                << p->pszName;
        }
    }
}

TEST(SymbolTable, EveryMenuItemIsTenTimesANamedCommand)
{
    for (const CLang_Symbol* p = CLang_Symbols::Table(); p->pszName; ++p)
    {
        if (p->nKind != LANG_KIND_MENUITEM)
            continue;
        const std::string name = p->pszName;
        ASSERT_EQ(0u, name.rfind("MID_", 0)) << name;
        ASSERT_EQ(0u, p->nNumber % 10) << name;
        EXPECT_EQ(name.substr(4), CLang_Symbols::NameOf(LANG_KIND_STRING, p->nNumber / 10)) << name;
    }
}

struct CLookup
{
    int nKind;
    uint32_t nNumber;
    const char* pszName; // "" when there is no symbol
};

class SymbolLookup : public ::testing::TestWithParam<CLookup>
{
};

TEST_P(SymbolLookup, NumberGivesNameAndBack)
{
    const CLookup& row = GetParam();
    EXPECT_EQ(row.pszName, CLang_Symbols::NameOf(row.nKind, row.nNumber));
    uint32_t nNumber = 0;
    if (*row.pszName)
    {
        ASSERT_EQ(1, CLang_Symbols::NumberOf(row.nKind, row.pszName, nNumber));
        EXPECT_EQ(row.nNumber, nNumber);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SymbolLookup,
    ::testing::Values(CLookup{LANG_KIND_DIALOG, 806, "IDD_DLG_TRANS"}, CLookup{806, 1361, "IDC_TRANS_INFO"},
                      CLookup{806, 2870, "ID_TRANS_CANCEL"},
                      CLookup{1600, 6022, "IDC_IDD_DLGE_IMPORT_STATIC_19"},
                      CLookup{802, 6025, "IDC_IMPORT_NAMEMSN_EX_STATIC_1"}, CLookup{1500, 14, "SS_BITMAP"},
                      CLookup{100, 1, "IDOK"}, CLookup{3000, 1, "IDOK"}, CLookup{3000, 9999, ""},
                      CLookup{LANG_KIND_POPUP, CLang_Symbols::PopupNumber(110, 0), "POPUP_IDR_MAINFRAME_1"},
                      CLookup{LANG_KIND_POPUP, CLang_Symbols::PopupNumber(110, 3), "POPUP_IDR_MAINFRAME_4"},
                      CLookup{LANG_KIND_POPUP, CLang_Symbols::PopupNumber(3002, 0), "POPUP_IDR_DIALNAME_1"},
                      CLookup{LANG_KIND_MENUITEM, CLang_Symbols::MenuItemNumber(57600), "MID_ID_FILE_NEW"},
                      CLookup{LANG_KIND_MENUITEM, 593930, "MID_ID_VIEW_STATUS_BAR"},
                      CLookup{LANG_KIND_STRING, 57631, "ID_FILE_MRU_FILE16"},
                      CLookup{LANG_KIND_STRING, 3119, "IDS_ANS_MASCH_ACT_TIME10"},
                      CLookup{LANG_KIND_STRING, 61445, "AFX_IDS_PREVIEW_CLOSE"},
                      CLookup{LANG_KIND_STRING, 130, "IDS_DER_VERSION"},
                      CLookup{LANG_KIND_STRING, 423, "IDS_STR_TRANS_UPDATE"},
                      CLookup{LANG_KIND_STRING, 173, ""}, CLookup{LANG_KIND_DIALOG, 1361, ""},
                      // numbers that wrap onto the key of another kind's entry
                      CLookup{LANG_KIND_STRING, 65536 + 7101, ""},
                      CLookup{LANG_KIND_POPUP, 65536 + 576000, ""}, CLookup{806 + 65536, 2870, ""},
                      CLookup{LANG_KIND_DIALOG, 65536 * 2 + 806, ""}));

TEST(SymbolTable, NamesAreUniqueWithinAKind)
{
    std::set<std::pair<int, std::string>> seen;
    for (const CLang_Symbol* p = CLang_Symbols::Table(); p->pszName; ++p)
        EXPECT_TRUE(seen.insert({p->nKind, p->pszName}).second) << p->pszName;
}
} // namespace
