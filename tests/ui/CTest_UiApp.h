#pragma once

// The window program started as R740Cf starts it, offscreen: the resource bundle's texts of a
// brand (from resources/, with brand data replaced where a test needs it), the language files in
// the working directory's "lang", the settings in a temporary directory, a scripted user, the
// program's PIN dialog, a transfer runner that records the transfers, and the main window with
// its view and pages.

#include "data/CData.h"
#include "data/CData_All.h"
#include "data/CData_FileExRam.h"
#include "data/CData_Properties.h"
#include "data/CData_Version.h"
#include "platform/CPlatform_Resource.h"
#include "platform/CPlatform_Settings.h"
#include "shell/CApp.h"
#include "shell/CR740CfDoc.h"
#include "shell/CTest_AppFixture.h"
#include "testsupport/CTest_ScriptedUi.h"
#include "testsupport/CTest_TempDir.h"
#include "ui/CMainFrame.h"
#include "ui/CPp_Page.h"
#include "ui/CPropertySheetView.h"
#include "ui/CR740CfView.h"
#include "ui/CUi_Beep.h"
#include "ui/CUi_PinPrompt.h"
#include "ui/CUi_Texts.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

inline std::string TestSourcePath(const std::string& relative)
{
    return std::string(R740_TEST_DATA_DIR) + "/../../" + relative;
}

class CTest_UiApp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        CPlatform_Settings::SetRootDirectory(m_settingsDir.Path());
        CUi_Beep::Reset();
    }
    void TearDown() override
    {
        m_pFrame.reset();
        m_pApp.reset();
        ResetGlobals();
    }
    static void ResetGlobals()
    {
        CData_Properties::Restore(CData_Properties::CSnapshot());
        CData_Version::SetConfigVersion(0);
        CData::File().SetFileName("");
    }

    // Starts the program with a brand's bundle ("TALVO", "TALVO_pb", ...), string-table entries
    // replaced by brand (for example {130, "1.00"} for old firmware), a language ("UK", "GER") and
    // command-line arguments. 1 when start-up succeeded.
    int Start(const std::string& bundle = "TALVO", const std::map<int, std::string>& brand = {},
              const std::string& language = "UK", const std::vector<std::string>& args = {})
    {
        std::string strings = TestReadFile(TestSourcePath("resources/strings/R740_default.txt"));
        strings += "\n" + TestReadFile(TestSourcePath("resources/bundles/" + bundle + "/brand.txt")) + "\n";
        for (const auto& entry : brand)
            strings += std::to_string(entry.first) + "\t" + entry.second + "\n";
        const std::string version =
            TestReadFile(TestSourcePath("resources/bundles/" + bundle + "/version.txt"));
        if (!language.empty())
        {
            QDir().mkpath(QString::fromStdString(m_workDir.File("lang")));
            TestWriteFile(m_workDir.File("lang/R740Cf_UK.txt"),
                          TestReadFile(TestSourcePath("resources/lang/R740Cf_UK.txt")));
            TestWriteFile(m_workDir.File("lang/R740Cf_GER.txt"),
                          TestReadFile(TestSourcePath("resources/lang/R740Cf_GER.txt")));
            CPlatform_Settings languageSetting("Software", std::string());
            languageSetting.SetString(std::string(), "Language", language);
            languageSetting.Sync();
        }
        m_pApp = std::make_unique<CApp>();
        m_pFrame = std::make_unique<CMainFrame>(*m_pApp);
        m_pApp->SetTransferRunner(&m_runner);
        m_pinPrompt.SetParent(m_pFrame.get());
        m_pApp->SetPinPrompt(&m_pinPrompt);
        CApp_Startup startup;
        startup.programPath = m_workDir.File("R740Cf");
        startup.args = args;
        startup.workingDirectory = m_workDir.Path();
        startup.loadResource = [strings, version](CPlatform_Resource& resource)
        { return resource.LoadData(strings, version); };
        const int nResult = m_pApp->InitInstance(startup);
        QApplication::processEvents();
        return nResult;
    }

    CApp& App() { return *m_pApp; }
    CMainFrame& Frame() { return *m_pFrame; }
    CR740CfView& View() { return *m_pFrame->View(); }
    CPropertySheetView& Sheet() { return *View().Sheet(); }
    CData_All& Doc() { return m_pApp->DocData(); }

    // Makes a page active as a click on its tab does; gives it.
    CPp_Page* Activate(int nIndex)
    {
        Sheet().setCurrentIndex(nIndex);
        QApplication::processEvents();
        return Sheet().Page(nIndex);
    }
    template <class T> T* Control(unsigned nControl)
    {
        return qobject_cast<T*>(CUi_Texts::FindControl(View().ActivePage(), nControl));
    }
    // Types text into a widget key by key, beyond what QTest's ASCII keys know (umlauts, the euro).
    static void Type(QWidget* pWidget, const QString& text)
    {
        for (const QChar ch : text)
        {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(pWidget, &press);
            QApplication::sendEvent(pWidget, &release);
        }
    }
    std::vector<QString> TabTexts()
    {
        std::vector<QString> texts;
        for (int i = 0; i < Sheet().count(); ++i)
            texts.push_back(Sheet().tabText(i));
        return texts;
    }

    CTest_TempDir m_settingsDir;
    CTest_TempDir m_workDir;
    CTest_ScriptedUi m_ui;
    CTest_TransferRunner m_runner;
    std::vector<std::pair<int, int>>& m_transfers = m_runner.m_runs; // mode, link kind
    CUi_PinPrompt m_pinPrompt;
    std::unique_ptr<CApp> m_pApp;
    std::unique_ptr<CMainFrame> m_pFrame;
};
