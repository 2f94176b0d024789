// The start-up of a run without a window (the command-line tool) and the role that replaces the
// brand's program flags.

#include "shell/CApp.h"

#include "CTest_AppFixture.h"
#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "shell/CR740CfDoc.h"

namespace
{
class AppHeadless : public CTest_AppFixture
{
protected:
    int StartHeadless(CApp_Profile::ERole role = CApp_Profile::ROLE_BRAND)
    {
        m_pApp = std::make_unique<CApp>();
        m_pApp->m_roleOverride = role;
        CApp_Startup startup;
        startup.workingDirectory = m_workDir.Path();
        startup.loadResource = [this](CPlatform_Resource& resource)
        {
            std::string strings;
            for (const auto& entry : m_table)
                strings += std::to_string(entry.first) + "\t" + entry.second + "\n";
            return resource.LoadData(strings, std::string());
        };
        return m_pApp->InitHeadless(startup);
    }
};

TEST_F(AppHeadless, StartsWithANewDocumentOfTheBrandsDefaultType)
{
    m_table = TestBrandTable("TALVO", true, false, "RV930");
    ASSERT_EQ(1, StartHeadless());
    ASSERT_NE(nullptr, App().Document());
    EXPECT_EQ(PHONETYPE_RV930, App().DocData().m_Version.m_nPhoneType);
    EXPECT_EQ(PHONETYPE_RV930, CData_Properties::CurrentInput().nPhoneType);
    EXPECT_TRUE(App().DocData() == App().SavedData());
    EXPECT_EQ(1, App().Document()->SaveModified()); // nothing to ask
    EXPECT_TRUE(m_ui.Shown().empty());
}

TEST_F(AppHeadless, NeitherReadsNorWritesTheUsersSettingsNorTheHandOffFile)
{
    SetSetting("talvo", "R740Cf", "Transfer", "Phone", "RV750");
    SetSetting("talvo", "R740Cf", "Transfer", "ComPort", "7");
    WriteWorking("pabx.ini", "[System]\r\nRegistry=Acme\r\n");
    ASSERT_EQ(1, StartHeadless());
    EXPECT_EQ(PHONETYPE_RV740, App().DocData().m_Version.m_nPhoneType); // the brand's, not RV750
    EXPECT_EQ(1, App().m_nComPort);
    EXPECT_TRUE(App().HandOff().m_szRegistry.empty());
    EXPECT_EQ(1, App().ExitInstance());
    EXPECT_EQ("RV750", GetSetting("talvo", "R740Cf", "Transfer", "Phone"));
    EXPECT_EQ("<missing>", GetSetting("talvo", "R740Cf", "Transfer", "Connection"));
    EXPECT_EQ("<missing>", GetSetting("Acme", "Configuration Phone", "Transfer", "Phone"));
}

TEST_F(AppHeadless, AMissingResourceModuleStopsTheStart)
{
    m_pApp = std::make_unique<CApp>();
    CApp_Startup startup;
    startup.loadResource = [](CPlatform_Resource&) { return 0; };
    EXPECT_EQ(0, m_pApp->InitHeadless(startup));
    EXPECT_EQ(nullptr, m_pApp->Document());
    ASSERT_EQ(1u, m_ui.Shown().size());
    EXPECT_EQ("error loading resource-dll!", m_ui.Shown()[0].text);
}

struct CRoleCase
{
    bool bBrandCfg;
    bool bBrandDialName;
    CApp_Profile::ERole role;
    bool bCfg;
    bool bDialName;
};

class AppRole : public AppHeadless, public ::testing::WithParamInterface<CRoleCase>
{
};

// The role holds at start and after every later DerivatLoad (new and opened documents), in the
// application's flags and in the properties the blocks read.
TEST_P(AppRole, ReplacesTheBrandsProgramFlags)
{
    const CRoleCase& c = GetParam();
    m_table = TestBrandTable("TALVO", c.bBrandCfg, c.bBrandDialName);
    ASSERT_EQ(1, StartHeadless(c.role));
    const std::string path = m_workDir.File("doc.cfg");
    ASSERT_EQ(1, App().Document()->OnSaveDocument(path));
    for (int nStep = 0; nStep < 3; ++nStep)
    {
        if (nStep == 1)
        {
            ASSERT_EQ(1, App().Document()->OnNewDocument());
        }
        if (nStep == 2)
        {
            ASSERT_EQ(1, App().Document()->OnOpenDocument(path));
        }
        EXPECT_EQ(c.bCfg, App().Brand().m_bAppCfg) << nStep;
        EXPECT_EQ(c.bDialName, App().Brand().m_bAppDialName) << nStep;
        EXPECT_EQ(c.bCfg, CData_Properties::Current().m_bAppCfg) << nStep;
        EXPECT_EQ(c.bDialName, CData_Properties::Current().m_bAppDialName) << nStep;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, AppRole,
                         ::testing::Values(CRoleCase{true, false, CApp_Profile::ROLE_BRAND, true, false},
                                           CRoleCase{false, true, CApp_Profile::ROLE_BRAND, false, true},
                                           CRoleCase{false, true, CApp_Profile::ROLE_CFG, true, false},
                                           CRoleCase{true, false, CApp_Profile::ROLE_DIALNAME, false, true},
                                           CRoleCase{true, false, CApp_Profile::ROLE_BOTH, true, true},
                                           CRoleCase{false, false, CApp_Profile::ROLE_BOTH, true, true},
                                           CRoleCase{true, true, CApp_Profile::ROLE_CFG, true, false}));
} // namespace
