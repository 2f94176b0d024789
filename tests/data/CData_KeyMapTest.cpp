#include "data/CData_KeyMap.h"

#include "data/CData_Types.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Map = CData_KeyMap;

std::string Value(const std::string& name, int nCode, int l, int t, int r, int b)
{
    Map::CKey key;
    key.strName = name;
    key.nCode = nCode;
    key.nLeft = l;
    key.nTop = t;
    key.nRight = r;
    key.nBottom = b;
    unsigned char abRecord[Map::RECORD_BYTES];
    Map::KeyToRecord(key, abRecord);
    return Map::StructToText(abRecord, Map::RECORD_BYTES);
}

TEST(CData_KeyMap, ReadsTheStructureFormAndTakesBadValuesAsMissing)
{
    std::string good = Value("Speaker", 0xA2, 10, 20, 60, 40);
    std::string wrongSum = Value("Redial", 0xA4, 0, 0, 5, 5);
    wrongSum.back() = wrongSum.back() == '0' ? '1' : '0';
    const std::string file = "[Other]\r\nKey 5=" + Value("Elsewhere", 5, 0, 0, 9, 9) +
                             "\r\n[PhoneKeys]\r\n"
                             "Key A2= " +
                             good +
                             " \r\n"
                             "Key A4=" +
                             wrongSum +
                             "\r\n"
                             "Key 1=" +
                             good.substr(2) +
                             "\r\n" // a byte short
                             "Key 2=" +
                             good.substr(0, 10) + "ZZ" + good.substr(12) +
                             "\r\n"
                             "Key 3=" +
                             Value("3", 0x77, -5, -5, 2, 2) +
                             "\r\n"
                             "Key 4=" +
                             Value("", 4, 0, 0, 100, 100) + "\r\n";
    Map map;
    EXPECT_EQ(2, map.ReadBuffer(file.data(), file.size()));
    EXPECT_EQ(3, map.ValuesRefused());

    const Map::CKey& speaker = map.Key(0xA2);
    EXPECT_EQ("Speaker", speaker.strName);
    EXPECT_EQ(0xA2, speaker.nCode);
    EXPECT_EQ(10, speaker.nLeft);
    EXPECT_EQ(40, speaker.nBottom);
    // Refused, missing and nameless values are keys that do not exist, with their own code.
    for (const int nCode : {0xA4, 1, 2, 4, 5, 0xFF})
    {
        EXPECT_FALSE(map.Key(nCode).Exists()) << nCode;
        EXPECT_EQ(nCode, map.Key(nCode).nCode);
    }
    // The value's key names the code, whatever the record says; negative coordinates stand.
    EXPECT_EQ(3, map.Key(3).nCode);
    EXPECT_EQ(-5, map.Key(3).nLeft);
    EXPECT_FALSE(map.Key(-1).Exists());
    EXPECT_FALSE(map.Key(256).Exists());

    // Hits: the lowest code first; the right and bottom edges lie outside.
    EXPECT_EQ(3, map.KeyAt(0, 0));
    EXPECT_EQ(0xA2, map.KeyAt(10, 20));
    EXPECT_EQ(-1, map.KeyAt(60, 30));
    EXPECT_EQ(-1, map.KeyAt(30, 40));
    EXPECT_EQ(0xA2, map.FindName("Speaker"));
    EXPECT_EQ(-1, map.FindName(""));
}

TEST(CData_KeyMap, AMissingFileHasNoKeys)
{
    Map map;
    EXPECT_EQ(0, map.ReadFile(""));
    EXPECT_EQ(0, map.ReadFile("/nonexistent/RV740_UK.map"));
    EXPECT_EQ(0, map.KeysFound());
    EXPECT_EQ(-1, map.KeyAt(1, 1));
}

struct CPictureCase
{
    int nPhoneType;
    int nFirmware;
    bool bE740;    // supported and attached
    int nSlotType; // module type of the key's slot
    bool bModuleKey;
    int nKey;
    int nPicture;
};

class CData_KeyMapPicture : public ::testing::TestWithParam<CPictureCase>
{
};

TEST_P(CData_KeyMapPicture, FollowsPhoneFirmwareModulesAndKeyPlace)
{
    const CPictureCase& c = GetParam();
    Map::CPictureChoice choice;
    choice.nPhoneType = c.nPhoneType;
    choice.nFirmware = c.nFirmware;
    choice.bE740Support = c.bE740;
    choice.bE740Attached = c.bE740;
    const int nSlot = c.nKey / 42 + 1;
    if (nSlot >= 1 && nSlot <= 3)
        choice.anModuleType[nSlot] = c.nSlotType;
    choice.bModuleKey = c.bModuleKey;
    choice.nKey = c.nKey;
    EXPECT_EQ(c.nPicture, Map::PictureIndex(choice));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, CData_KeyMapPicture,
    ::testing::Values(CPictureCase{PHONETYPE_RV740, 2000, false, 0, false, 3, 0},
                      CPictureCase{PHONETYPE_RV740, 2000, true, 0, false, 3, 1},
                      CPictureCase{PHONETYPE_RV750, 2000, false, 0, false, 3, 2},
                      CPictureCase{PHONETYPE_RV760, 2000, true, 0, false, 20, 3},
                      CPictureCase{PHONETYPE_RV745, 2000, true, 0, false, 3, 4},
                      CPictureCase{PHONETYPE_RV920, 3229, false, 0, false, 3, 5},
                      CPictureCase{PHONETYPE_RV920, 3230, false, 0, false, 3, 8},
                      CPictureCase{PHONETYPE_RV930, 3300, false, MODULETYPE_E920, false, 3, 6},
                      CPictureCase{PHONETYPE_RV930U, 3300, false, MODULETYPE_E920, true, 41, 7},
                      CPictureCase{PHONETYPE_RV930SMS, 3300, false, MODULETYPE_W920, true, 42, 10},
                      CPictureCase{PHONETYPE_RV930, 3300, false, MODULETYPE_W920, true, 125, 10},
                      CPictureCase{PHONETYPE_RV920XT, 3300, false, 0, false, 3, 9},
                      CPictureCase{PHONETYPE_RV920XT, 3300, false, MODULETYPE_E920, true, 90, 7},
                      CPictureCase{PHONETYPE_R740, 2000, true, 0, false, 3, 0}));

TEST(CData_KeyMap, PictureTableNamesMapAndBitmap)
{
    EXPECT_STREQ("RV740.map", Map::MapFileName(0));
    EXPECT_STREQ("RV920XT.map", Map::MapFileName(10));
    EXPECT_STREQ("RV740.map", Map::MapFileName(12));
    EXPECT_EQ(7029u, Map::BitmapNumber(10));
    EXPECT_EQ(125u, Map::BitmapNumber(8));
    EXPECT_EQ(120u, Map::BitmapNumber(-1));
}
} // namespace
