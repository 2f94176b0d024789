// The label sheets' contents: which key's text stands in which cell, and where.

#include "print/CPrint_LabelSheet.h"

#include "data/CData_All.h"
#include "data/CData_Types.h"
#include "platform/CPlatform_Resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// The texts of a sheet in drawing order with their left edges, and the strips' left edges.
struct CSheetView
{
    std::vector<std::string> texts;
    std::vector<int> textX;
    std::vector<int> stripLeft;
};

CSheetView View(const CPrint_LabelSheet& sheet)
{
    CSheetView view;
    for (const CPrint_Shape& shape : sheet.Shapes())
    {
        if (shape.kind == CPrint_Shape::SHAPE_RECT)
            view.stripLeft.push_back(shape.nX1);
        if (shape.kind != CPrint_Shape::SHAPE_TEXT)
            continue;
        view.texts.push_back(shape.text);
        view.textX.push_back(shape.nX1);
    }
    return view;
}

// The interface texts the sheets use: the title and two key-function names.
class PrintLabelSheet : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(1,
                  m_resource.LoadData("284\tDefault MSN\n220\tDial key\n232\tManager key\n", std::string()));
        CPlatform_Resource::SetCurrent(&m_resource);
    }
    void TearDown() override { CPlatform_Resource::SetCurrent(nullptr); }

    CPlatform_Resource m_resource;
    CData_All m_data;
};

TEST_F(PrintLabelSheet, KeyStripHoldsBothLevelsWithLabelsOrFunctionTexts)
{
    CData_Key* pKeys = m_data.m_Cfg.m_Key;
    pKeys[0].m_strKeyName = "Taxi";
    pKeys[1].m_nKeyUse = CData_Key::KEYUSE_HEADSET; // a function without an interface text
    pKeys[2].m_nKeyUse = CData_Key::KEYUSE_MACRO;
    pKeys[2].m_Macro.strText = "Mailbox"; // a macro key's label is its macro text
    pKeys[5].m_nKeyUse = CData_Key::KEYUSE_CHEF;
    pKeys[9].m_strKeyName = "Last";
    m_data.m_Cfg.m_MsnPara[0].m_strMsn = "0301234";

    const CSheetView view = View(CPrint_LabelSheet::KeySheet(m_data, 10));
    const std::vector<std::string> texts = {"Default MSN 0301234",
                                            "Taxi",
                                            "Manager key",
                                            "HEADSET",
                                            "Dial key",
                                            "Mailbox",
                                            "Dial key",
                                            "Dial key",
                                            "Dial key",
                                            "Dial key",
                                            "Last"};
    EXPECT_EQ(texts, view.texts);

    // Three keys: cells 0 to 2 hold keys 0 to 2 above and 1 to 3 below; there is no key 3.
    const std::vector<std::string> few = {
        "Default MSN 0301234", "Taxi", "HEADSET", "HEADSET", "Mailbox", "Mailbox", "", "", "", "", ""};
    EXPECT_EQ(few, View(CPrint_LabelSheet::KeySheet(m_data, 3)).texts);
}

struct CModuleCase
{
    int nSlot;
    int nModuleType;
    std::vector<int> stripLeft;
};

class PrintModuleSheet : public PrintLabelSheet, public ::testing::WithParamInterface<CModuleCase>
{
};

TEST_P(PrintModuleSheet, CellsHoldTheSlotsKeysOfBothLevels)
{
    const CModuleCase& c = GetParam();
    if (c.nSlot >= 1 && c.nSlot <= 3)
        m_data.m_Cfg.m_VersionModule[c.nSlot].m_nModuleType = c.nModuleType;
    for (int i = 0; i < CData_AllCfg::KEYE920_MAX; ++i)
        m_data.m_Cfg.m_KeyE920[i].m_strKeyName = "K" + std::to_string(i);
    const CSheetView view = View(CPrint_LabelSheet::ModuleSheet(m_data, c.nSlot));
    EXPECT_EQ(c.stripLeft, view.stripLeft);
    ASSERT_EQ(20 * c.stripLeft.size(), view.texts.size());
    const int nBase = 42 * (c.nSlot - 1);
    for (size_t n = 0; n < view.texts.size(); ++n)
    {
        // Strip s, cell i: first-level key 10 s + i above, the second-level key (behind the two
        // LEDs) below.
        const int nStrip = static_cast<int>(n / 20);
        const int nCell = static_cast<int>(n % 20 / 2);
        const bool bLower = n % 2 == 1;
        EXPECT_EQ("K" + std::to_string(nBase + 10 * nStrip + nCell + (bLower ? 22 : 0)), view.texts[n]);
        EXPECT_EQ(c.stripLeft[static_cast<size_t>(nStrip)] + 15, view.textX[n]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PrintModuleSheet,
    ::testing::Values(CModuleCase{1, MODULETYPE_E920, {30, 400}}, CModuleCase{2, MODULETYPE_W920, {30}},
                      CModuleCase{3, MODULETYPE_E920, {30, 400}}, CModuleCase{3, MODULETYPE_NON, {30}},
                      CModuleCase{0, MODULETYPE_E920, {}}, CModuleCase{4, MODULETYPE_E920, {}}));
} // namespace
