// The hand-off files as the application object reads them: through the one store, from the
// working directory, with the store's rules for sections (any case) and keys (exact case).

#include "data/CData_All.h"
#include "data/CData_FileExRam.h"
#include "data/CData_PabxHandOff.h"
#include "testsupport/CTest_TempDir.h"
#include "testsupport/CTest_TraceCapture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
bool Has(const std::vector<std::string>& lines, const std::string& part)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

struct CPabxCase
{
    const char* pszWhat;
    const char* pszFile; // nullptr: no file
    const char* pszRegistry;
    int nMode;
    const char* pszTrace; // a trace line part expected, or nullptr
};

class HandOffPabx : public ::testing::TestWithParam<CPabxCase>
{
protected:
    void TearDown() override { CData::File().SetFileName(""); }
    CTest_TempDir m_dir;
};

TEST_P(HandOffPabx, ReadsRegistryWordAndAuthenticationMode)
{
    const CPabxCase& c = GetParam();
    const std::string path = m_dir.File("pabx.ini");
    if (c.pszFile)
        TestWriteFile(path, c.pszFile);
    CData::File().SetFileName(path.c_str());
    CData_PabxHandOff handOff;
    CTest_TraceCapture trace;
    EXPECT_EQ(c.pszFile ? 1 : 0, CData_All::MoveFilePabx(handOff));
    EXPECT_EQ(c.pszRegistry, handOff.m_szRegistry);
    EXPECT_EQ(c.nMode, handOff.m_nAuthenticationMode);
    const std::vector<std::string> lines = trace.Take();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ("CData_All: MoveFilePabx()", lines[0]);
    EXPECT_EQ("CData_All: " + path, lines[1]);
    if (c.pszTrace)
    {
        EXPECT_TRUE(Has(lines, c.pszTrace)) << c.pszTrace;
    }
}

const CPabxCase s_pabxCases[] = {
    {"Missing", nullptr, "", CData_PabxHandOff::AUTH_NON, "Open() fails!"},
    {"Empty", "", "", CData_PabxHandOff::AUTH_NON, nullptr},
    {"User", "[System]\r\nRegistry=Acme\r\nAuthenticationMode=USER\r\n", "Acme", CData_PabxHandOff::AUTH_USER,
     nullptr},
    {"Pin1", "[System]\r\nAuthenticationMode=PIN1\r\n", "", CData_PabxHandOff::AUTH_PIN1, nullptr},
    {"Non", "[System]\r\nAuthenticationMode=NON\r\n", "", CData_PabxHandOff::AUTH_NON, nullptr},
    {"UserLowerCase", "[System]\r\nAuthenticationMode=user\r\n", "", CData_PabxHandOff::AUTH_NON,
     "AuthenticationMode() Invalid string!"},
    {"UserWithBlank", "[System]\r\nAuthenticationMode=USER \r\n", "", CData_PabxHandOff::AUTH_NON,
     "AuthenticationMode() Invalid string!"},
    {"SectionLowerCase", "[system]\r\nRegistry=Acme\r\n", "Acme", CData_PabxHandOff::AUTH_NON, nullptr},
    {"KeyLowerCase", "[System]\r\nregistry=Acme\r\n", "", CData_PabxHandOff::AUTH_NON, nullptr},
    {"TrailingBlankKept", "[System]\r\nRegistry=Acme \r\n", "Acme ", CData_PabxHandOff::AUTH_NON, nullptr},
    {"OtherSection", "[Systel]\r\nRegistry=Acme\r\n", "", CData_PabxHandOff::AUTH_NON, nullptr},
};
INSTANTIATE_TEST_SUITE_P(Cases, HandOffPabx, ::testing::ValuesIn(s_pabxCases),
                         [](const auto& i) { return std::string(i.param.pszWhat); });

TEST(HandOffPabxFile, GoldenFileWithLowerCaseSectionAndTrailingBlank)
{
    CData::File().SetFileName(TestDataPath("handoff/pabx.ini").c_str());
    CData_PabxHandOff handOff;
    EXPECT_EQ(1, CData_All::MoveFilePabx(handOff));
    EXPECT_EQ("Acme Telecom ", handOff.m_szRegistry);
    EXPECT_EQ(CData_PabxHandOff::AUTH_USER, handOff.m_nAuthenticationMode);
    CData::File().SetFileName("");
}

TEST(HandOffSystel, GoldenFileKeepsEveryCharacterUpToTheLineEnd)
{
    const std::string path = TestDataPath("handoff/SystelConfig.ini");
    CData::File().SetFileName(path.c_str());
    CData_PabxHandOff handOff;
    CTest_TraceCapture trace;
    EXPECT_EQ(1, CData_All::MoveFileSystel(handOff));
    EXPECT_EQ("0815 4711", handOff.m_szSerialNo);
    EXPECT_EQ("17", handOff.m_szPortId);
    EXPECT_EQ(17, handOff.PortId());
    EXPECT_EQ("TCPIP", handOff.m_szLink);
    EXPECT_EQ("RV740", handOff.m_szType);
    EXPECT_EQ("Reception desk ", handOff.m_szName);
    EXPECT_EQ("0180 5555", handOff.m_szServiceNo);
    const std::vector<std::string> lines = trace.Take();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ("CData_All: MoveFileSystel()", lines[0]);
    EXPECT_EQ("CData_All: " + path, lines[1]);
    CData::File().SetFileName("");
}

TEST(HandOffSystel, MissingFileLeavesEveryValueEmptyAndTracesEachRead)
{
    CTest_TempDir dir;
    CData::File().SetFileName(dir.File("SystelConfig.ini").c_str());
    CData_PabxHandOff handOff;
    handOff.m_szName = "old";
    CTest_TraceCapture trace;
    EXPECT_EQ(0, CData_All::MoveFileSystel(handOff));
    for (const std::string* p : {&handOff.m_szSerialNo, &handOff.m_szPortId, &handOff.m_szLink,
                                 &handOff.m_szType, &handOff.m_szName, &handOff.m_szServiceNo})
        EXPECT_EQ("", *p);
    const std::vector<std::string> lines = trace.Take();
    EXPECT_TRUE(Has(lines, "Open() fails!"));
    EXPECT_EQ(6, std::count(lines.begin(), lines.end(), "CData_FileExRam: GetString() File not opened!"));
    CData::File().SetFileName("");
}

TEST(HandOffSystel, ValuesAreCutToTheirBuffers)
{
    CTest_TempDir dir;
    const std::string path = dir.File("SystelConfig.ini");
    const std::string longName(5000, 'n');
    TestWriteFile(path, "[SystelConfiguration]\r\nName=" + longName + "\r\nPortId=99999999999999\r\n");
    CData::File().SetFileName(path.c_str());
    CData_PabxHandOff handOff;
    EXPECT_EQ(1, CData_All::MoveFileSystel(handOff));
    EXPECT_EQ(std::string(CData_PabxHandOff::VALUE_MAX - 1, 'n'), handOff.m_szName);
    EXPECT_GT(handOff.PortId(), 0); // bounded, no overflow
    CData::File().SetFileName("");
}
} // namespace
