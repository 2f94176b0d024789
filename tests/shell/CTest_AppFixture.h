#pragma once

// A started application object without a display: the brand's string table from memory, the
// settings in a temporary directory, a working directory of its own for the hand-off files, a
// scripted user and a recording main window and transfer runner.

#include "data/CData.h"
#include "data/CData_FileExRam.h"
#include "data/CData_Properties.h"
#include "data/CData_Version.h"
#include "platform/CPlatform_Resource.h"
#include "platform/CPlatform_Settings.h"
#include "shell/CApp.h"
#include "shell/CApp_PinPrompt.h"
#include "shell/CApp_TransferRunner.h"
#include "shell/CApp_View.h"
#include "testsupport/CTest_ScriptedUi.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The string table of a brand: brand data and the texts start-up and the document use.
inline std::map<int, std::string> TestBrandTable(const std::string& derivat, bool bCfg = true,
                                                 bool bDialName = false,
                                                 const std::string& defaultType = "RV740")
{
    return {{110, "R740Cf\\nConfiguration\\nR740Cf"},
            {130, "4.10"},
            {131, derivat},
            {132, "GER"},
            {133, defaultType},
            {134, "GER"},
            {150, bCfg ? "R740Cf" : ""},
            {151, bDialName ? "R740Pb" : ""},
            {160, "640"},
            {161, "480"},
            {195, "Configuration files (*.cfg)|*.cfg||"},
            {196, ".cfg"},
            {422, "This telephone type is not supported here."},
            {432, "The PIN must have exactly 4 digits."},
            {501, " PABX"}};
}

// A transfer runner that records the transfers asked for and reports them done.
class CTest_TransferRunner : public CApp_TransferRunner
{
public:
    int RunTransfer(int nMode, int nLinkKind) override
    {
        m_runs.emplace_back(nMode, nLinkKind);
        return 1;
    }
    std::vector<std::pair<int, int>> m_runs; // mode, link kind
};

// A user at the PIN dialog who types the PINs queued, one per OK, and cancels when none is left.
class CTest_PinPrompt : public CApp_PinPrompt
{
public:
    int AskPin(const Accept& accept, std::string& pin) override
    {
        ++m_nShown;
        while (!m_pins.empty())
        {
            const std::string typed = m_pins.front();
            m_pins.pop_front();
            if (accept(typed, "PIN"))
            {
                pin = typed;
                return 1;
            }
        }
        return 0;
    }
    std::deque<std::string> m_pins;
    int m_nShown = 0;
};

// A view that only records.
class CTest_View : public CApp_View
{
public:
    void MoveDataDocToView() override { m_calls.push_back("DocToView"); }
    void MoveDataViewToDoc() override { m_calls.push_back("ViewToDoc"); }
    void RefreshPages() override { m_calls.push_back("RefreshPages"); }
    void ActivateFirstPage() override { m_calls.push_back("ActivateFirstPage"); }
    std::vector<std::string> m_calls;
};

// A main window that only records.
class CTest_MainWindow : public CApp_MainWindow
{
public:
    void ShowMinimized() override { m_calls.push_back("minimised"); }
    void ShowNormal() override { m_calls.push_back("normal"); }
    void Destroy() override
    {
        m_calls.push_back("destroyed");
        CApp_MainWindow::Destroy();
    }
    std::vector<std::string> m_calls;
};

class CTest_AppFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        CPlatform_Settings::SetRootDirectory(m_settingsDir.Path());
        m_table = TestBrandTable("TALVO");
    }
    void TearDown() override
    {
        m_pApp.reset();
        ResetGlobals();
    }

    static void ResetGlobals()
    {
        CData_Properties::Restore(CData_Properties::CSnapshot());
        CData_Version::SetConfigVersion(0);
        CData::File().SetFileName("");
    }

    // A file in the working directory.
    void WriteWorking(const std::string& name, const std::string& bytes) const
    {
        TestWriteFile(m_workDir.File(name), bytes);
    }

    void SetSetting(const std::string& organisation, const std::string& application, const char* pszSection,
                    const char* pszName, const std::string& value) const
    {
        CPlatform_Settings s(organisation, application);
        s.SetString(pszSection, pszName, value);
        s.Sync();
    }
    std::string GetSetting(const std::string& organisation, const std::string& application,
                           const char* pszSection, const char* pszName) const
    {
        CPlatform_Settings s(organisation, application);
        std::string value = "<missing>";
        s.GetString(pszSection, pszName, value);
        return value;
    }

    // Creates the application object and runs start-up with these arguments.
    int Start(const std::vector<std::string>& args = {})
    {
        m_pApp = std::make_unique<CApp>();
        m_pApp->SetMainWindow(&m_window);
        m_pApp->SetTransferRunner(&m_runner);
        m_pApp->SetView(&m_view);
        m_pApp->SetPinPrompt(&m_pin);
        CApp_Startup startup;
        startup.programPath = "/opt/r740/R740Cf";
        startup.args = args;
        startup.workingDirectory = m_workDir.Path();
        startup.loadResource = [this](CPlatform_Resource& resource)
        {
            std::string strings;
            for (const auto& entry : m_table)
                strings += std::to_string(entry.first) + "\t" + entry.second + "\n";
            return resource.LoadData(strings, std::string());
        };
        return m_pApp->InitInstance(startup);
    }

    CApp& App() { return *m_pApp; }

    CTest_TempDir m_settingsDir;
    CTest_TempDir m_workDir;
    CTest_ScriptedUi m_ui;
    CTest_MainWindow m_window;
    CTest_View m_view;
    CTest_PinPrompt m_pin;
    std::map<int, std::string> m_table;
    CTest_TransferRunner m_runner;
    std::vector<std::pair<int, int>>& m_transfers = m_runner.m_runs;
    std::unique_ptr<CApp> m_pApp;
};
