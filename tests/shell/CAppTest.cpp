#include "shell/CApp.h"

#include "CTest_AppFixture.h"
#include "data/CData_All.h"
#include "data/CData_Types.h"
#include "shell/CR740CfDoc.h"
#include "support/CLang_Text.h"
#include "testsupport/CTest_TraceCapture.h"
#include "transfer/CLayerPP_Data.h"

#include <algorithm>

#include <sys/stat.h>

namespace
{
// True when every expected line occurs in lines, in this order (other lines may stand between).
::testing::AssertionResult InOrder(const std::vector<std::string>& lines,
                                   const std::vector<std::string>& expected)
{
    auto it = lines.begin();
    for (const std::string& line : expected)
    {
        it = std::find(it, lines.end(), line);
        if (it == lines.end())
            return ::testing::AssertionFailure() << "missing or out of order: " << line;
        ++it;
    }
    return ::testing::AssertionSuccess();
}

std::vector<std::string> Starting(const std::vector<std::string>& lines, const std::string& prefix)
{
    std::vector<std::string> out;
    for (const std::string& line : lines)
    {
        if (line.compare(0, prefix.size(), prefix) == 0)
            out.push_back(line);
    }
    return out;
}

using AppStart = CTest_AppFixture;

// ---- Order of the start-up steps ----

TEST_F(AppStart, StepsRunInTheirFixedOrder)
{
    WriteWorking("pabx.ini", "[System]\r\nRegistry=Acme\r\n");
    CTest_TraceCapture trace;
    ASSERT_EQ(1, Start());
    const std::vector<std::string> lines = trace.Take();
    const std::string wd = m_workDir.Path() + "/";
    EXPECT_TRUE(InOrder(lines, {
                                   "App: InitInstance()",
                                   "App: DerivatLoad()",
                                   "App: InitInstance() Working directory " + wd,
                                   "App: DoPabx()",
                                   "CData_All: MoveFilePabx()",
                                   "CData_All: " + wd + "pabx.ini",
                                   "App: InitInstance() Registry key Acme\\Configuration Phone",
                                   "App: ProfileSettingsGet()",
                                   "App: DerivatToProperties()",
                                   "App: InitInstance() Modes:",
                                   "Doc: OnNewDocument()",
                                   "App: DerivatLoad()",
                                   "App: DerivatToProperties()",
                               }));
    // Nothing unattended without a switch; the settings are read once.
    EXPECT_EQ(1u, std::count(lines.begin(), lines.end(), "App: ProfileSettingsGet()"));
    EXPECT_TRUE(Starting(lines, "App: DoSystel").empty());
    EXPECT_TRUE(m_transfers.empty());
    // All four containers hold the new document, which is not modified.
    EXPECT_TRUE(App().DocData() == App().SavedData());
    EXPECT_TRUE(App().DocData() == App().TransferData());
    EXPECT_TRUE(App().DocData() == App().PhoneImage());
    EXPECT_FALSE(App().PhoneImageValid());
    EXPECT_EQ("Configuration", App().Document()->Title());
}

TEST_F(AppStart, DestructionRestoresTheConnectionAndThenWritesTheSettings)
{
    WriteWorking("SystelConfig.ini", "[SystelConfiguration]\r\nType=RV740\r\nName=Desk\r\n");
    ASSERT_EQ(1, Start({"/SYSTEL"}));
    CTest_TraceCapture trace;
    App().ExitInstance();
    EXPECT_EQ((std::vector<std::string>{"App: ExitInstance()", "App: ProfileSettingsSet()"}),
              Starting(trace.Take(), "App: "));
    EXPECT_EQ("1", GetSetting("talvo", "R740Cf", "Transfer", "Connection"));
    EXPECT_EQ("RV740", GetSetting("talvo", "R740Cf", "Transfer", "Phone"));
    EXPECT_EQ(nullptr, CLang_Text::Get());
    EXPECT_EQ(nullptr, CPlatform_Resource::Current());
}

TEST_F(AppStart, MissingResourceModuleEndsStartUpWithItsMessage)
{
    auto app = std::make_unique<CApp>();
    CApp_Startup startup;
    startup.workingDirectory = m_workDir.Path();
    startup.loadResource = [](CPlatform_Resource&) { return 0; };
    EXPECT_EQ(0, app->InitInstance(startup));
    ASSERT_EQ(1u, m_ui.Shown().size());
    EXPECT_EQ("error loading resource-dll!", m_ui.Shown()[0].text);
    EXPECT_EQ(CUi_Interface::ICON_STOP, m_ui.Shown()[0].icon);
    EXPECT_FALSE(app->HasContainers());
}

TEST_F(AppStart, ABrandWithoutABundleEndsStartUpWithTheMessageOnce)
{
    auto app = std::make_unique<CApp>();
    CApp_Startup startup;
    startup.workingDirectory = m_workDir.Path();
    startup.exeDirectory = R740_BINARY_DIR;
    startup.resourceBrand = "NOBRAND";
    EXPECT_EQ(0, app->InitInstance(startup));
    ASSERT_EQ(1u, m_ui.Shown().size());
    EXPECT_EQ("error loading resource-dll!", m_ui.Shown()[0].text);
}

TEST_F(AppStart, ChangedInterfaceTextsDeclinedEndStartUp)
{
    ::mkdir(m_workDir.File("lang").c_str(), 0700);
    TestWriteFile(m_workDir.File("lang/R740Cf_UK.txt"),
                  "__md5Signature 0 00000000000000000000000000000000\r\n");
    m_ui.QueueAnswer(CUi_Interface::ANSWER_NO);
    EXPECT_EQ(0, Start());
    EXPECT_FALSE(App().HasContainers());
}

TEST_F(AppStart, ChangedInterfaceTextsAcceptedGoOn)
{
    ::mkdir(m_workDir.File("lang").c_str(), 0700);
    TestWriteFile(m_workDir.File("lang/R740Cf_UK.txt"),
                  "__md5Signature 0 00000000000000000000000000000000\r\n");
    m_ui.QueueAnswer(CUi_Interface::ANSWER_YES);
    EXPECT_EQ(1, Start());
}

TEST_F(AppStart, ADocumentThatCannotBeOpenedEndsStartUp)
{
    EXPECT_EQ(0, Start({m_workDir.File("missing.cfg")}));
    ASSERT_FALSE(m_ui.Shown().empty());
    EXPECT_NE(std::string::npos, m_ui.Shown().back().text.find(m_workDir.File("missing.cfg")));
}

// ---- Registry key per brand and role ----

struct CKeyCase
{
    const char* pszWhat;
    const char* pszDerivat;
    bool bCfg;
    bool bDialName;
    const char* pszPabxIni; // nullptr: no file
    const char* pszOrganisation;
    const char* pszApplication;
};

class AppRegistryKey : public CTest_AppFixture, public ::testing::WithParamInterface<CKeyCase>
{
};

TEST_P(AppRegistryKey, ChosenFromTheHandOffWordAndTheRole)
{
    const CKeyCase& c = GetParam();
    m_table = TestBrandTable(c.pszDerivat, c.bCfg, c.bDialName);
    if (c.pszPabxIni)
        WriteWorking("pabx.ini", c.pszPabxIni);
    ASSERT_EQ(1, Start());
    EXPECT_EQ(std::string(c.pszOrganisation) + "\\" + c.pszApplication, App().RegistryKey());
    App().m_nComPort = 7;
    m_pApp.reset();
    // The settings went below exactly that key.
    EXPECT_EQ("7", GetSetting(c.pszOrganisation, c.pszApplication, "Transfer", "ComPort"));
}

const CKeyCase s_keyCases[] = {
    {"OwnKeyConfigurator", "TALVO", true, false, nullptr, "talvo", "R740Cf"},
    {"OwnKeyPhonebook", "TALVO", false, true, nullptr, "talvo", "R740Pb"},
    {"BothRolesPhonebookWins", "TALVO", true, true, nullptr, "talvo", "R740Pb"},
    {"WordConfigurator", "VORTANE", true, false, "[System]\r\nRegistry=Acme\r\n", "Acme",
     "Configuration Phone"},
    {"WordPhonebook", "BRELMONDIA", false, true, "[System]\r\nRegistry=Acme\r\n", "Acme", "Phonebook Phone"},
    {"TrailingBlankKept", "TALVO", true, false, "[System]\r\nRegistry=Acme \r\n", "Acme ",
     "Configuration Phone"},
    {"LowerCaseSectionFound", "TALVO", true, false, "[system]\r\nRegistry=Acme\r\n", "Acme",
     "Configuration Phone"},
    {"LowerCaseKeyNotFound", "TALVO", true, false, "[System]\r\nregistry=Acme\r\n", "talvo", "R740Cf"},
    {"EmptyWordOwnKey", "TALVO", true, false, "[System]\r\nRegistry=\r\n", "talvo", "R740Cf"},
    {"OtherBrandIgnoresTheFile", "PALUDIN", true, false, "[System]\r\nRegistry=Acme\r\n", "talvo", "R740Cf"},
};
INSTANTIATE_TEST_SUITE_P(Cases, AppRegistryKey, ::testing::ValuesIn(s_keyCases),
                         [](const auto& i) { return std::string(i.param.pszWhat); });

TEST_F(AppStart, ARegistryWordNeverLeavesTheSettingsDirectory)
{
    WriteWorking("pabx.ini", "[System]\r\nRegistry=../../escape\r\n");
    ASSERT_EQ(1, Start());
    EXPECT_EQ("../../escape\\Configuration Phone", App().RegistryKey());
    m_pApp.reset();
    EXPECT_EQ("1", GetSetting(".._.._escape", "Configuration Phone", "Transfer", "ComPort"));
}

// ---- Switches through start-up ----

struct CSwitchCase
{
    const char* pszWhat;
    std::vector<std::string> args;
    bool bSimu, bSystel, bKnt, bDownload;
};

class AppSwitches : public CTest_AppFixture, public ::testing::WithParamInterface<CSwitchCase>
{
};

TEST_P(AppSwitches, AreCaseSensitiveSubstrings)
{
    const CSwitchCase& c = GetParam();
    m_table = TestBrandTable("PALUDIN"); // no unattended run gets in the way
    ASSERT_EQ(1, Start(c.args));
    EXPECT_EQ(c.bSimu, App().Simulation());
    EXPECT_EQ(c.bSystel, App().m_bPabxLink);
    EXPECT_EQ(c.bKnt, App().m_bPabxLine);
    EXPECT_EQ(c.bDownload, App().FirmwareMode());
}

const CSwitchCase s_switchCases[] = {
    {"None", {}, false, false, false, false},
    {"Simu", {"/SIMU"}, true, false, false, false},
    {"SimuLowerCaseNotRecognised", {"/simu"}, false, false, false, false},
    {"DownloadLowerCaseNotRecognised", {"/download"}, false, false, false, false},
    {"KntInsideAWord", {"xx/KNTyy"}, false, false, true, false},
    {"SystelInsideAWord", {"a/SYSTELb"}, false, true, false, false},
    {"All", {"/SIMU", "/SYSTEL", "/KNT", "/DOWNLOAD"}, true, true, true, true},
};
INSTANTIATE_TEST_SUITE_P(Cases, AppSwitches, ::testing::ValuesIn(s_switchCases),
                         [](const auto& i) { return std::string(i.param.pszWhat); });

TEST_F(AppStart, AnExistingFileIsTheDocumentAndNoSwitch)
{
    // A file whose path holds a switch word, without the configuration extension.
    ::mkdir(m_workDir.File("KNT").c_str(), 0700);
    TestWriteFile(m_workDir.File("KNT/SIMU"), "[Version_00000000]\r\nPhoneType=RV740\r\n");
    ASSERT_EQ(1, Start({m_workDir.File("KNT/SIMU")}));
    EXPECT_FALSE(App().m_bPabxLine);
    EXPECT_FALSE(App().Simulation());
    EXPECT_EQ(m_workDir.File("KNT/SIMU"), App().Document()->PathName());
    EXPECT_EQ("SIMU", App().Document()->Title());
}

TEST_F(AppStart, DownloadAloneStartsNormally)
{
    ASSERT_EQ(1, Start({"/DOWNLOAD"}));
    EXPECT_TRUE(m_transfers.empty());
    EXPECT_FALSE(m_window.QuitPosted());
    EXPECT_TRUE(m_window.m_calls.empty());
}

TEST_F(AppStart, UserModeTakesTheParametersAndSwitchesOnLineMode)
{
    WriteWorking("pabx.ini", "[System]\r\nAuthenticationMode=USER\r\n");
    ASSERT_EQ(1, Start({"alice/se\xB6"
                        "cret/512"}));
    EXPECT_EQ(CData_PabxHandOff::AUTH_USER, App().HandOff().m_nAuthenticationMode);
    EXPECT_TRUE(App().m_bPabxLine);
    EXPECT_EQ("alice", App().CommandLine().m_szPabxParamA);
    EXPECT_EQ("se cret", App().CommandLine().m_szPabxParamB);
    EXPECT_TRUE(App().CommandLine().m_bMayRead);
    // Line mode starts the unattended read.
    EXPECT_EQ(
        (std::vector<std::pair<int, int>>{{CLayerPP_Data::MODE_RX_CFG_PABX, CApp_TransferRunner::LINK_PABX}}),
        m_transfers);
}

TEST_F(AppStart, UserModeInLowerCaseIsNotRecognised)
{
    WriteWorking("pabx.ini", "[System]\r\nAuthenticationMode=user\r\n");
    CTest_TraceCapture trace;
    ASSERT_EQ(1, Start({"alice/secret/512"}));
    EXPECT_EQ(CData_PabxHandOff::AUTH_NON, App().HandOff().m_nAuthenticationMode);
    EXPECT_FALSE(App().m_bPabxLine);
    const std::vector<std::string> lines = trace.Take();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& l)
                            { return l.find("AuthenticationMode() Invalid string!") != std::string::npos; }));
}

// ---- Phone type ----

TEST_F(AppStart, AStoredTypeTheBrandDoesNotOfferIsReplacedByItsDefault)
{
    m_table = TestBrandTable("VORTANE", true, false, "RV920");
    SetSetting("talvo", "R740Cf", "Transfer", "Phone", "R740");
    ASSERT_EQ(1, Start());
    EXPECT_EQ("RV920", App().m_szPhone);
    EXPECT_EQ(PHONETYPE_RV920, CData_Properties::CurrentInput().nPhoneType);
    EXPECT_EQ(PHONETYPE_RV920, App().DocData().m_Version.m_nPhoneType);
}

TEST_F(AppStart, AStoredTypeTheBrandOffersStays)
{
    SetSetting("talvo", "R740Cf", "Transfer", "Phone", "RV750");
    ASSERT_EQ(1, Start());
    EXPECT_EQ(PHONETYPE_RV750, App().DocData().m_Version.m_nPhoneType);
    m_pApp.reset();
    EXPECT_EQ("RV750", GetSetting("talvo", "R740Cf", "Transfer", "Phone"));
}

// ---- Unattended runs ----

struct CConnectionCase
{
    const char* pszWhat;
    const char* pszPhone; // decides the connection before the run (USB-capable or not)
    int nSaved;
    const char* pszWritten;
};

class AppSavedConnection : public CTest_AppFixture, public ::testing::WithParamInterface<CConnectionCase>
{
};

// The user's setting comes back whatever it was: USB (0) too, although 0 once meant "nothing
// saved" and a USB user found the PABX link set after every unattended run.
TEST_P(AppSavedConnection, IsRestoredAtExitWhateverItWas)
{
    const CConnectionCase& c = GetParam();
    SetSetting("talvo", "R740Cf", "Transfer", "Phone", c.pszPhone);
    ASSERT_EQ(1, Start({"/SYSTEL"}));
    EXPECT_EQ(CApp::CONNECTION_PABX, App().m_nConnection);
    EXPECT_TRUE(App().ConnectionSaved());
    EXPECT_EQ(c.nSaved, App().SavedConnection());
    m_pApp.reset();
    EXPECT_EQ(c.pszWritten, GetSetting("talvo", "R740Cf", "Transfer", "Connection"));
}

const CConnectionCase s_connectionCases[] = {
    {"SerialRestored", "RV740", 1, "1"},
    {"UsbRestored", "RV930", 0, "0"},
};
INSTANTIATE_TEST_SUITE_P(Cases, AppSavedConnection, ::testing::ValuesIn(s_connectionCases),
                         [](const auto& i) { return std::string(i.param.pszWhat); });

TEST_F(AppStart, SystelReadsTheHandOffAndTheConfiguration)
{
    m_table = TestBrandTable("VORTANE");
    m_window.SetTitle("R740Cf");
    TestWriteFile(m_workDir.File("SystelConfig.ini"), TestReadFile(TestDataPath("handoff/SystelConfig.ini")));
    CTest_TraceCapture trace;
    ASSERT_EQ(1, Start({"/SYSTEL"}));
    EXPECT_TRUE(InOrder(trace.Take(), {"App: DoSystel()", "CData_All: MoveFileSystel()"}));
    EXPECT_EQ("R740Cf : Reception desk ", m_window.Title());
    EXPECT_EQ((std::vector<std::string>{"minimised", "normal"}), m_window.m_calls);
    EXPECT_EQ(
        (std::vector<std::pair<int, int>>{{CLayerPP_Data::MODE_RX_CFG_PABX, CApp_TransferRunner::LINK_PABX}}),
        m_transfers);
    EXPECT_EQ(17, App().HandOff().PortId());
    EXPECT_FALSE(m_window.QuitPosted());
}

TEST_F(AppStart, WithoutTransferOrchestrationTheRunStopsThereWithATrace)
{
    auto app = std::make_unique<CApp>();
    CTest_TraceCapture trace;
    EXPECT_EQ(0, app->DoDataTransfer(CLayerPP_Data::MODE_RX_CFG_PABX, false));
    EXPECT_EQ((std::vector<std::string>{"App: DoDataTransfer()",
                                        "App: DoDataTransfer() No transfer orchestration!"}),
              trace.Take());
}

struct CPabxParamCase
{
    const char* pszWhat;
    std::string arg;
    bool bFirmware;
    std::vector<std::pair<int, int>> transfers;
};

class AppPabxParams : public CTest_AppFixture, public ::testing::WithParamInterface<CPabxParamCase>
{
};

TEST_P(AppPabxParams, PermissionBitDecidesTheUnattendedTransfer)
{
    const CPabxParamCase& c = GetParam();
    std::vector<std::string> args{c.arg};
    if (c.bFirmware)
        args.push_back("/DOWNLOAD");
    m_pin.m_pins.push_back("1234"); // the firmware run asks for the PIN too
    ASSERT_EQ(1, Start(args));
    EXPECT_EQ(c.transfers, m_transfers);
    // A firmware run always ends the program with 18; a configuration run leaves it to the user.
    EXPECT_EQ(c.bFirmware, m_window.QuitPosted());
    EXPECT_EQ(c.bFirmware, m_window.Destroyed());
    if (c.bFirmware)
    {
        EXPECT_EQ(CApp::EXIT_CODE_UNATTENDED, m_window.ExitCode());
    }
}

const CPabxParamCase s_pabxParamCases[] = {
    {"ReadPermitted",
     "/KNT/a/c/512",
     false,
     {{CLayerPP_Data::MODE_RX_CFG_PABX, CApp_TransferRunner::LINK_PABX}}},
    {"ReadNotPermitted", "/KNT/a/c/511", false, {}},
    {"FirmwarePermitted",
     "/KNT/a/c/512",
     true,
     {{CLayerPP_Data::MODE_FIRMWARE, CApp_TransferRunner::LINK_PABX}}},
    {"FirmwareNotPermitted", "/KNT/a/c/511", true, {}},
    {"FirmwareWithoutNumber", "/KNT/a/c", true, {}},
};
INSTANTIATE_TEST_SUITE_P(Cases, AppPabxParams, ::testing::ValuesIn(s_pabxParamCases),
                         [](const auto& i) { return std::string(i.param.pszWhat); });

struct CDialNameTypeCase
{
    const char* pszType;
    bool bRefused;
};

class AppDialNameRun : public CTest_AppFixture, public ::testing::WithParamInterface<CDialNameTypeCase>
{
};

TEST_P(AppDialNameRun, RefusesTheSmallTypesWithExitCode18)
{
    const CDialNameTypeCase& c = GetParam();
    m_table = TestBrandTable("TALVO", false, true);
    WriteWorking("SystelConfig.ini", std::string("[SystelConfiguration]\r\nType=") + c.pszType + "\r\n");
    ASSERT_EQ(1, Start({"/SYSTEL"}));
    if (c.bRefused)
    {
        EXPECT_TRUE(m_transfers.empty());
        ASSERT_EQ(1u, m_ui.Shown().size());
        EXPECT_EQ("This telephone type is not supported here.", m_ui.Shown()[0].text);
        EXPECT_EQ(CUi_Interface::ICON_WARNING, m_ui.Shown()[0].icon);
        EXPECT_TRUE(m_window.Destroyed());
        EXPECT_EQ(CApp::EXIT_CODE_UNATTENDED, m_window.ExitCode());
    }
    else
    {
        EXPECT_EQ((std::vector<std::pair<int, int>>{
                      {CLayerPP_Data::MODE_RX_DIALNAME_PABX, CApp_TransferRunner::LINK_PABX}}),
                  m_transfers);
        EXPECT_TRUE(m_ui.Shown().empty());
        EXPECT_FALSE(m_window.QuitPosted());
        EXPECT_EQ("normal", m_window.m_calls.back());
    }
}

const CDialNameTypeCase s_dialNameTypeCases[] = {
    {"RV730", true}, {"RV730-U", true}, {"RV730U", false}, {"RV740", false}, {"rv730", false}};
INSTANTIATE_TEST_SUITE_P(Cases, AppDialNameRun, ::testing::ValuesIn(s_dialNameTypeCases),
                         [](const auto& i)
                         {
                             std::string name = i.param.pszType;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST_F(AppStart, OtherBrandsNeverRunUnattended)
{
    m_table = TestBrandTable("QUESK");
    CTest_TraceCapture trace;
    ASSERT_EQ(1, Start({"/SYSTEL", "/KNT/a/b/512", "/DOWNLOAD"}));
    EXPECT_TRUE(m_transfers.empty());
    const std::vector<std::string> lines = trace.Take();
    EXPECT_EQ(lines.end(), std::find(lines.begin(), lines.end(), "App: DoPabx()"));
    EXPECT_EQ(lines.end(), std::find(lines.begin(), lines.end(), "App: DoFirmwareUpdate()"));
}

} // namespace
