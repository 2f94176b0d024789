#pragma once

// The application object: owns for the whole run the resource module, the brand data, the user
// settings, the four configuration containers, the document and the flags of the unattended
// modes. Headless: whatever needs the user goes through CUi_Interface, whatever needs the main
// window through CApp_MainWindow, and a transfer through the transfer runner, so that start-up,
// the unattended runs and the document work without a display. Traces under "App".
//
// The brand data, settings and feature properties are CApp_Profile's (DerivatLoad,
// ProfileSettingsGet/Set, DerivatToProperties).

#include "data/CData_PabxHandOff.h"
#include "shell/CApp_CommandLine.h"
#include "shell/CApp_MainWindow.h"
#include "shell/CApp_Profile.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CData_All;
class CLang_Info;
class CLang_Text;
class CPlatform_Resource;
class CPlatform_Settings;
class CR740CfDoc;

// What start-up is given: the command line and where to look for things. Empty texts mean the
// program's own (current directory, executable directory).
struct CApp_Startup
{
    std::string programPath;       // argv[0]
    std::vector<std::string> args; // the arguments after it
    std::string workingDirectory;  // the current directory at start
    std::string exeDirectory;      // where the resource bundle is looked for first
    std::string resourceBrand;     // bundle choice of CPlatform_Resource::LoadForStartup
    // Loads the resource module instead of LoadForStartup (tools and tests with the texts in
    // memory); gives 1 on success.
    std::function<int(CPlatform_Resource&)> loadResource;
};

class CApp : public CApp_Profile
{
public:
    // Exit code of an unattended firmware run and of a refused phonebook run; the PABX tool
    // waits for it.
    static constexpr int EXIT_CODE_UNATTENDED = 18;
    // Entries of the list of recently used files.
    static constexpr int RECENT_FILE_COUNT = 4;
    // The connection setting of a PABX link.
    static constexpr int CONNECTION_PABX = 2;
    // Transfer modes of the unattended runs.
    static constexpr int MODE_RX_CFG_PABX = 2;
    static constexpr int MODE_RX_DIALNAME_PABX = 6;
    static constexpr int MODE_FIRMWARE_PABX = 8;

    // A transfer (mode, interactive): the transfer orchestration plugs its DoDataTransfer in
    // here; gives its result.
    using TransferRunner = std::function<int(int nMode, bool bInteractive)>;

    CApp();
    // ExitInstance, if it has not run yet.
    ~CApp();
    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;

    // The one application object; nullptr while none exists.
    static CApp* Get();

    // Start-up in its fixed order. 1 on success; 0 when the resource module is missing, the user
    // declined changed interface texts or no document could be created (the program then exits).
    int InitInstance(const CApp_Startup& startup);
    // Start-up of a run without a window (the command-line tool): the resource module, the brand
    // data, the containers and a new document as InitInstance makes them, but no hand-off files,
    // no language file, no command line, and the user's settings neither read nor written (their
    // defaults apply). 1 on success; 0 when the resource module is missing.
    int InitHeadless(const CApp_Startup& startup);
    // The end of the run: the connection setting an unattended run saved is restored and the
    // settings are written; then the containers, the document and the language texts go.
    // Runs once; gives ProfileSettingsSet's result (1 when nothing was started).
    int ExitInstance();

    // ---- Start-up pieces, public for the main window and the tests ----
    int DoPabx();
    void DoSystel();
    void DoFirmwareUpdate();

    // The brand data from the resource module (interface texts first for the country).
    int DerivatLoad();
    using CApp_Profile::DerivatLoad;
    // Stores the phone type in DocData's version block and recomputes the properties.
    int DerivatToProperties(int nPhoneType);

    // The transfer orchestration. Without a runner the transfer is not run: trace and 0.
    int DoDataTransfer(int nMode, bool bInteractive);
    void SetTransferRunner(TransferRunner runner) { m_transferRunner = std::move(runner); }

    // The main window (not owned); nullptr: the built-in headless stand-in.
    void SetMainWindow(CApp_MainWindow* pWindow) { m_pMainWindow = pWindow ? pWindow : &m_headlessWindow; }
    CApp_MainWindow& MainWindow() { return *m_pMainWindow; }

    // The view's data exchange (MoveDataViewToDoc, MoveDataDocToView); none until a view exists.
    std::function<void()> m_onMoveDataViewToDoc;
    std::function<void()> m_onMoveDataDocToView;
    void MoveDataViewToDoc();
    void MoveDataDocToView();

    // ---- State ----
    CData_All& DocData() { return *m_pDocData; }
    CData_All& SavedData() { return *m_pSavedData; }
    CData_All& TransferData() { return *m_pTransferData; }
    CData_All& PhoneImage() { return *m_pPhoneImage; }
    bool HasContainers() const { return m_pDocData != nullptr; }
    CR740CfDoc* Document() { return m_pDoc.get(); }
    CPlatform_Resource& Resource() { return *m_pResource; }
    CPlatform_Settings* Settings() { return m_pSettings.get(); }
    CLang_Info* LangInfo() { return m_pLangInfo.get(); }

    const std::string& WorkingDirectory() const { return m_szWorkingDirectory; }
    const std::string& ProgramBaseName() const { return m_szProgramBaseName; }
    // The settings key: registry word, "\", key below it ("talvo\R740Cf").
    const std::string& RegistryKey() const { return m_szRegistryKey; }
    const std::string& RegistryWord() const { return m_szRegistryWord; }
    const std::string& RegistryApplication() const { return m_szRegistryApplication; }

    CApp_CommandLine m_CmdLine;      // switches, flags and PABX parameters
    CData_PabxHandOff m_HandOff;     // "pabx.ini" and "SystelConfig.ini"
    int m_nSavedConnection = 0;      // `SavedConnection`: 0 = nothing saved
    bool m_bPhoneImageValid = false; // `PhoneImageValid`
    std::string m_szLastFilePath;    // `LastFilePath`: last path chosen in a file dialog

    bool Simulation() const { return m_CmdLine.m_bSimulation; }
    bool FirmwareMode() const { return m_CmdLine.m_bFirmwareUpdate; }

    // Recently used files, newest first (RECENT_FILE_COUNT at most), kept in the settings.
    const std::vector<std::string>& RecentFiles() const { return m_recentFiles; }
    void AddToRecentFileList(const std::string& path);

private:
    // The resource module of start-up, made current; 0 (the user told) when it is missing.
    int LoadResource(const CApp_Startup& startup);
    // The four containers; a phone type read from a file applies at once, on the application's
    // terms.
    void CreateContainers();
    bool PabxBrand() const;
    // The settings store's organisation for the registry word: the word itself, unless it would
    // leave the settings directory.
    static std::string SettingsOrganisation(const std::string& word);
    void ChooseRegistryKey();
    void LoadRecentFiles();
    void SaveRecentFiles();
    // Steps 2 to 5 of DoSystel, shared with DoFirmwareUpdate.
    void PrepareUnattendedRun();

    std::unique_ptr<CPlatform_Resource> m_pResource;
    std::unique_ptr<CPlatform_Settings> m_pSettings;
    std::unique_ptr<CPlatform_Settings> m_pLanguageSettings;
    std::unique_ptr<CLang_Info> m_pLangInfo;
    std::unique_ptr<CLang_Text> m_pLangText;
    std::unique_ptr<CData_All> m_pDocData;
    std::unique_ptr<CData_All> m_pSavedData;
    std::unique_ptr<CData_All> m_pTransferData;
    std::unique_ptr<CData_All> m_pPhoneImage;
    std::unique_ptr<CR740CfDoc> m_pDoc;

    std::string m_szWorkingDirectory;
    std::string m_szProgramBaseName;
    std::string m_szRegistryWord;
    std::string m_szRegistryApplication;
    std::string m_szRegistryKey;
    std::vector<std::string> m_recentFiles;

    TransferRunner m_transferRunner;
    CApp_MainWindow m_headlessWindow;
    CApp_MainWindow* m_pMainWindow = &m_headlessWindow;
    bool m_bStarted = false; // start-up got as far as the settings: the exit writes them
    bool m_bExited = false;
};
