// The label sheets' contents: which key's text stands in which cell, and where the strips are.

#include "print/CPrint_LabelSheet.h"

#include "data/CData_All.h"
#include "data/CData_Types.h"
#include "platform/CPlatform_Resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
// The texts of a sheet at their places, and how many rectangles (strips) it has.
struct CPlaced
{
    int nX;
    int nY;
    std::string text;
};

std::vector<CPlaced> Texts(const CPrint_LabelSheet& sheet)
{
    std::vector<CPlaced> texts;
    for (const CPrint_Shape& shape : sheet.Shapes())
        if (shape.kind == CPrint_Shape::SHAPE_TEXT)
            texts.push_back({shape.nX1, shape.nY1, shape.text});
    return texts;
}

long Rects(const CPrint_LabelSheet& sheet)
{
    return std::count_if(sheet.Shapes().begin(), sheet.Shapes().end(),
                         [](const CPrint_Shape& s) { return s.kind == CPrint_Shape::SHAPE_RECT; });
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
    pKeys[10].m_strKeyName = "beyond the phone's keys";
    m_data.m_Cfg.m_MsnPara[0].m_strMsn = "0301234";

    const std::vector<CPlaced> texts = Texts(CPrint_LabelSheet::KeySheet(m_data, 10));
    const std::vector<std::string> expected = {"Default MSN 0301234",
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
    ASSERT_EQ(expected.size(), texts.size());
    const int anY[] = {32, 91, 151, 208, 268, 325, 385, 442, 502, 559, 619};
    for (size_t i = 0; i < texts.size(); ++i)
    {
        EXPECT_EQ(expected[i], texts[i].text) << "text " << i;
        EXPECT_EQ(45, texts[i].nX) << "text " << i;
        EXPECT_EQ(anY[i], texts[i].nY) << "text " << i;
    }
    EXPECT_EQ(1, Rects(CPrint_LabelSheet::KeySheet(m_data, 10)));
}

TEST_F(PrintLabelSheet, KeyStripOfFewKeysLeavesTheMissingCellsEmpty)
{
    // Three keys: cells 0 to 2 hold keys 0 to 2 above and keys 1 to 3 below, key 3 being none.
    std::vector<std::string> texts;
    for (const CPlaced& placed : Texts(CPrint_LabelSheet::KeySheet(m_data, 3)))
        texts.push_back(placed.text);
    const std::vector<std::string> expected = {
        "Default MSN ", "Dial key", "Dial key", "Dial key", "Dial key", "Dial key", "", "", "", "", ""};
    EXPECT_EQ(expected, texts);
}

struct CModuleCase
{
    int nSlot;
    int nModuleType;
    long nStrips;
};

class PrintModuleSheet : public PrintLabelSheet, public ::testing::WithParamInterface<CModuleCase>
{
};

TEST_P(PrintModuleSheet, CellsHoldTheSlotsKeysOfBothLevels)
{
    const CModuleCase& c = GetParam();
    m_data.m_Cfg.m_VersionModule[c.nSlot].m_nModuleType = c.nModuleType;
    for (int i = 0; i < CData_AllCfg::KEYE920_MAX; ++i)
        m_data.m_Cfg.m_KeyE920[i].m_strKeyName = "K" + std::to_string(i);
    const CPrint_LabelSheet sheet = CPrint_LabelSheet::ModuleSheet(m_data, c.nSlot);
    EXPECT_EQ(c.nStrips, Rects(sheet));
    const std::vector<CPlaced> texts = Texts(sheet);
    ASSERT_EQ(static_cast<size_t>(c.nStrips * 2 * CPrint_LabelSheet::MODULE_CELLS), texts.size());
    const int nBase = 42 * (c.nSlot - 1);
    for (int nStrip = 0; nStrip < c.nStrips; ++nStrip)
        for (int i = 0; i < CPrint_LabelSheet::MODULE_CELLS; ++i)
        {
            const CPlaced& upper = texts[static_cast<size_t>(20 * nStrip + 2 * i)];
            const CPlaced& lower = texts[static_cast<size_t>(20 * nStrip + 2 * i + 1)];
            // First level M1 to M20 above, second level M1a to M20a (behind the two LEDs) below.
            EXPECT_EQ("K" + std::to_string(nBase + 10 * nStrip + i), upper.text);
            EXPECT_EQ("K" + std::to_string(nBase + 22 + 10 * nStrip + i), lower.text);
            EXPECT_EQ(nStrip ? 415 : 45, upper.nX);
            EXPECT_EQ(upper.nX, lower.nX);
            // Above and below the cell's short line.
            EXPECT_LT(upper.nY, 148 + 120 * i);
            EXPECT_GT(lower.nY, 148 + 120 * i);
            EXPECT_GT(upper.nY, 88 + 120 * i);
            EXPECT_LT(lower.nY + 32, 208 + 120 * i);
        }
}

INSTANTIATE_TEST_SUITE_P(Rows, PrintModuleSheet,
                         ::testing::Values(CModuleCase{1, MODULETYPE_E920, 2},
                                           CModuleCase{2, MODULETYPE_W920, 1},
                                           CModuleCase{3, MODULETYPE_E920, 2},
                                           CModuleCase{3, MODULETYPE_NON, 1}));

TEST_F(PrintLabelSheet, SlotOutsideOneToThreeGivesNoSheet)
{
    for (int nSlot : {-1, 0, 4, 1000})
        EXPECT_TRUE(CPrint_LabelSheet::ModuleSheet(m_data, nSlot).IsEmpty()) << nSlot;
}
} // namespace
