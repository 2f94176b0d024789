#include "platform/CPlatform_Resource.h"

#include "support/CLang_Symbols.h"
#include "testsupport/CTest_ScriptedUi.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace
{
std::string BundlePath(const std::string& name)
{
    if (name.empty())
        return std::string(R740_BINARY_DIR) + "/Res_Pb.rcc";
    return std::string(R740_BINARY_DIR) + "/resources/" + name + "/Res_Pb.rcc";
}

// Sets an environment variable for one test and restores the previous state.
class CEnv
{
public:
    CEnv(const char* pszName, const char* pszValue) : m_name(pszName)
    {
        if (const char* p = std::getenv(pszName))
        {
            m_bHad = true;
            m_old = p;
        }
        if (pszValue)
            setenv(pszName, pszValue, 1);
        else
            unsetenv(pszName);
    }
    ~CEnv()
    {
        if (m_bHad)
            setenv(m_name.c_str(), m_old.c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }

private:
    std::string m_name;
    bool m_bHad = false;
    std::string m_old;
};

struct CBrand
{
    const char* pszBundle;
    const char* pszDerivative;
    bool bConfigurator;
    bool bPhonebook;
};

class ResourceBundle : public ::testing::TestWithParam<CBrand>
{
protected:
    void TearDown() override { CPlatform_Resource::SetCurrent(nullptr); }
    CEnv m_noFile{"R740_RESOURCE", nullptr};
    CEnv m_noPath{"R740_RESOURCE_PATH", nullptr};
};

TEST_P(ResourceBundle, StartUpReadsTheBrandData)
{
    CTest_ScriptedUi ui;
    CPlatform_Resource res;
    ASSERT_EQ(1, res.LoadForStartup(GetParam().pszBundle, R740_BINARY_DIR));
    EXPECT_TRUE(ui.Shown().empty());
    EXPECT_EQ(&res, CPlatform_Resource::Current());
    EXPECT_EQ(GetParam().pszDerivative, res.String(131));
    EXPECT_EQ(GetParam().bConfigurator, !res.String(150).empty());
    EXPECT_EQ(GetParam().bPhonebook, !res.String(151).empty());
    for (unsigned n : {160u, 161u})
    {
        const std::string text = res.String(n);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(std::string::npos, text.find_first_not_of("0123456789")) << n;
    }
    for (unsigned n : {130u, 132u, 133u, 134u})
        EXPECT_FALSE(res.String(n).empty()) << n;
    EXPECT_EQ("2, 10, 0, 157", res.VersionString("ProductVersion"));
    EXPECT_NE("-", res.VersionString("ProductName"));
    EXPECT_NE("-", res.VersionString("CompanyName"));
    EXPECT_NE("-", res.VersionString("LegalCopyright"));
    EXPECT_EQ("-", res.VersionString("NoSuchName"));
}

TEST_P(ResourceBundle, HoldsEveryStringThatIsNamed)
{
    CPlatform_Resource res;
    ASSERT_EQ(1, res.LoadFile(BundlePath(GetParam().pszBundle)));
    std::string text;
    for (const CLang_Symbol* p = CLang_Symbols::Table(); p->pszName; ++p)
    {
        if (p->nKind == LANG_KIND_STRING)
        {
            EXPECT_EQ(1, res.GetString(p->nNumber, text)) << p->pszName;
        }
    }
    // numbers named without a symbol (phone types) and numbers named later (page, transfer and
    // macro texts)
    for (unsigned n :
         {173u, 174u, 185u, 190u, 265u, 275u, 276u, 277u, 390u, 391u, 392u, 423u, 428u, 4354u, 4355u, 4356u})
        EXPECT_EQ(1, res.GetString(n, text)) << n;
    // the document string has its seven lines; the second is the document title
    const std::string doc = res.String(110);
    EXPECT_EQ(6, std::count(doc.begin(), doc.end(), '\n')) << doc;
    EXPECT_EQ(".cfg", res.String(196));
    EXPECT_NE(std::string::npos, res.String(195).find("*.cfg"));
}

INSTANTIATE_TEST_SUITE_P(
    Brands, ResourceBundle,
    ::testing::Values(CBrand{"TALVO", "TALVO", true, false}, CBrand{"VORTANE", "VORTANE", true, false},
                      CBrand{"BRELMONDIA", "BRELMONDIA", true, false},
                      CBrand{"PALUDIN", "PALUDIN", true, false}, CBrand{"QUESK", "QUESK", true, false},
                      CBrand{"NOVREK", "NOVREK", true, false}, CBrand{"TALVO_pb", "TALVO", false, true},
                      CBrand{"", "TALVO", true, false})); // the default beside the programs

struct CBadBundle
{
    const char* pszWhat;
    const char* pszContents; // nullptr: no file at all
    size_t nSize;
};

// A row whose contents may hold zero bytes.
template <size_t N> CBadBundle Bad(const char* pszWhat, const char (&contents)[N])
{
    return CBadBundle{pszWhat, contents, N - 1};
}

class ResourceBadBundle : public ::testing::TestWithParam<CBadBundle>
{
};

// The failure is reported to the caller, which tells the user (CApp_Startup).
TEST_P(ResourceBadBundle, StartUpFailsWithoutAMessageOfItsOwn)
{
    CTest_TempDir dir;
    if (GetParam().pszContents)
        TestWriteFile(dir.File("Res_Pb.rcc"), std::string(GetParam().pszContents, GetParam().nSize));
    CEnv file("R740_RESOURCE", dir.File("Res_Pb.rcc").c_str());
    CTest_ScriptedUi ui;
    CPlatform_Resource res;
    EXPECT_EQ(0, res.LoadForStartup("", R740_BINARY_DIR));
    EXPECT_FALSE(res.IsLoaded());
    EXPECT_EQ(nullptr, CPlatform_Resource::Current());
    EXPECT_TRUE(ui.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResourceBadBundle,
    ::testing::Values(CBadBundle{"missing", nullptr, 0}, Bad("empty", ""),
                      Bad("text", "130\t4.10\n131\tTALVO\n"), Bad("truncated header", "qres\0\0\0\3"),
                      Bad("offsets outside", "qres\0\0\0\3\0\0\1\0\0\0\1\0\0\0\1\0\0\0\0\0"),
                      Bad("wrong version", "qres\0\0\0\7\0\0\0\1\0\0\0\1\0\0\0\1\0\0\0\0\0")));

TEST(ResourceLoad, UnknownBrandOrAPathAsBrandFails)
{
    CEnv noFile("R740_RESOURCE", nullptr);
    CEnv noPath("R740_RESOURCE_PATH", nullptr);
    for (const char* pszBrand : {"NOBRAND", "../TALVO", "TALVO/..", ".."})
    {
        CTest_ScriptedUi ui;
        CPlatform_Resource res;
        EXPECT_EQ(0, res.LoadForStartup(pszBrand, R740_BINARY_DIR)) << pszBrand;
        EXPECT_TRUE(ui.Shown().empty()) << pszBrand;
    }
}

TEST(ResourceLoad, SearchPathFindsABundleNotBesideTheExecutable)
{
    CEnv noFile("R740_RESOURCE", nullptr);
    CTest_TempDir empty;
    {
        CEnv path("R740_RESOURCE_PATH", nullptr);
        EXPECT_EQ("", CPlatform_Resource::FindBundle("VORTANE", empty.Path()));
    }
    CEnv path("R740_RESOURCE_PATH", (empty.Path() + ":" + R740_BINARY_DIR).c_str());
    const std::string found = CPlatform_Resource::FindBundle("VORTANE", empty.Path());
    EXPECT_TRUE(std::filesystem::equivalent(BundlePath("VORTANE"), found)) << found;
}

TEST(ResourceLoad, AnotherBundleReplacesTheFirstCompletely)
{
    CPlatform_Resource res;
    ASSERT_EQ(1, res.LoadFile(BundlePath("TALVO_pb")));
    EXPECT_EQ("R740Pb", res.String(57344));
    ASSERT_EQ(1, res.LoadFile(BundlePath("QUESK")));
    EXPECT_EQ("QUESK", res.String(131));
    EXPECT_EQ("R740Cf", res.String(57344));
    EXPECT_EQ("", res.PicturePath(1)); // no pictures are shipped yet
    res.Unload();
    EXPECT_FALSE(res.IsLoaded());
    EXPECT_EQ("", res.String(131));
}

TEST(ResourceData, VersionStringsAreEmptyWithoutAVersionBlockAndDashWhenMissing)
{
    CPlatform_Resource res;
    ASSERT_EQ(1, res.LoadData("131\tTALVO\n", ""));
    EXPECT_FALSE(res.HasVersion());
    EXPECT_EQ("", res.VersionString("ProductName"));
    ASSERT_EQ(1, res.LoadData("131\tTALVO\n", "ProductName\tR740\n"));
    EXPECT_EQ("R740", res.VersionString("ProductName"));
    EXPECT_EQ("-", res.VersionString("ProductVersion"));
}

struct CTableCase
{
    const char* pszWhat;
    const char* pszInput;
    unsigned nNumber;
    const char* pszExpected;
    bool bPresent;
};

class ResourceStringTable : public ::testing::TestWithParam<CTableCase>
{
};

TEST_P(ResourceStringTable, ParsesEachLine)
{
    CPlatform_Resource res;
    ASSERT_EQ(1, res.LoadData(GetParam().pszInput, ""));
    std::string text = "untouched";
    EXPECT_EQ(GetParam().bPresent ? 1 : 0, res.GetString(GetParam().nNumber, text)) << GetParam().pszWhat;
    if (GetParam().bPresent)
    {
        EXPECT_EQ(GetParam().pszExpected, text) << GetParam().pszWhat;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResourceStringTable,
    ::testing::Values(CTableCase{"plain", "400\tReading\r\n", 400, "Reading", true},
                      CTableCase{"blanks around", "400   Reading  \t\n", 400, "Reading", true},
                      CTableCase{"escapes", "110\tA\\nB\\\\n\\tC\\r\n", 110, "A\nB\\n\tC\r", true},
                      CTableCase{"empty text", "500\t\n", 500, "", true},
                      CTableCase{"later wins", "400\tone\n400\ttwo\n", 400, "two", true},
                      CTableCase{"comment", "; 400\tno\n", 400, "", false},
                      CTableCase{"not a number", "4x0\tno\n", 4, "", false},
                      CTableCase{"too large", "65536\tno\n", 0, "", false},
                      CTableCase{"negative", "-1\tno\n", 65535, "", false},
                      CTableCase{"cp1252 bytes kept", "352\tDeutschland \xe4\xf6\xfc\n", 352,
                                 "Deutschland \xe4\xf6\xfc", true}));
} // namespace
