#pragma once

// The application object: owns for the whole run the resource module, the user settings, the
// four configuration containers, the document and the flags of the unattended modes. Headless:
// whatever needs the user goes through CUi_Interface and CApp_PinPrompt, the view through
// CApp_View, the main window through CApp_MainWindow, and a transfer through CApp_TransferRunner,
// so that start-up, the unattended runs and the document work without a display. The document
// reaches it through CApp_Interface. Traces under "App".
//
// The settings are CApp_Profile's (DerivatLoad, ProfileSettingsGet/Set, DerivatToProperties);
// the brand data and the feature properties are in force in CData_Properties.

#include "data/CData_PabxHandOff.h"
#include "shell/CApp_CommandLine.h"
#include "shell/CApp_Interface.h"
#include "shell/CApp_MainWindow.h"
#include "shell/CApp_Profile.h"
#include "shell/CApp_Startup.h"
#include "shell/CApp_TransferRunner.h"
#include "support/CUi_Interface.h"

#include <memory>
#include <string>
#include <vector>

class CApp_PinPrompt;
class CApp_View;
class CData_All;
class CLang_Info;
class CLang_Text;
class CPlatform_Resource;
class CPlatform_Settings;
class CR740CfDoc;

class CApp : public CApp_Profile, public CApp_Interface
{
public:
    // Exit code of an unattended firmware run and of a refused phonebook run; the PABX tool
    // waits for it.
    static constexpr int EXIT_CODE_UNATTENDED = 18;
    // Exit code of a run whose last send the telephone did not hold as sent (or that could not be
    // read back), when the run would otherwise end with 0: the PABX tool sees it without a message.
    static constexpr int EXIT_CODE_NOT_VERIFIED = 19;
    // Entries of the list of recently used files.
    static constexpr int RECENT_FILE_COUNT = 4;
    // Help context of the program's own help command.
    static constexpr int HELP_CONTEXT_OWN = 1000;

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
    // Start-up of the application object without a window: the resource module, the brand data,
    // the containers and a new document as InitInstance makes them, but no hand-off files, no
    // language file, no command line, and the user's settings neither read nor written (their
    // defaults apply). 1 on success; 0 when the resource module is missing. (The command-line
    // tool and the emulator need less than the application object: CApp_Headless.)
    int InitHeadless(const CApp_Startup& startup);
    // The end of the run: the connection setting an unattended run saved is restored and the
    // settings are written; then the containers, the document and the language texts go.
    // Runs once; gives ProfileSettingsSet's result (1 when nothing was started).
    int ExitInstance();

    // ---- Start-up pieces, public for the main window and the tests ----
    int DoPabx();
    void DoSystel();
    void DoFirmwareUpdate();

    // ---- CApp_Interface ----
    CData_All& DocData() override { return *m_pDocData; }
    CData_All& SavedData() override { return *m_pSavedData; }
    void SetPhoneImageValid(bool bValid) override { m_bPhoneImageValid = bValid; }
    std::string PhoneSetting() const override { return m_szPhone; }
    // The brand data from the resource module (interface texts first for the country).
    int DerivatLoad() override;
    using CApp_Profile::DerivatLoad;
    // Stores the phone type in DocData's version block and puts its properties in force; the view
    // and the status bar's port pane follow them.
    int DerivatToProperties(int nPhoneType) override;
    void SetVersionText(const std::string& version) override { CApp_Profile::SetVersionText(version); }
    void MoveDataViewToDoc() override;
    void MoveDataDocToView() override;
    const std::string& LastFilePath() const override { return m_szLastFilePath; }
    void SetLastFilePath(const std::string& path) override { m_szLastFilePath = path; }
    // Recently used files, newest first (RECENT_FILE_COUNT at most), kept in the settings.
    void AddToRecentFileList(const std::string& path) override;
    const std::vector<std::string>& RecentFiles() const { return m_recentFiles; }
    void InitialUpdateFrame() override { m_pMainWindow->InitialUpdateFrame(); }

    // ---- Seams (not owned; nullptr: none) ----
    // The main window; nullptr: the built-in headless stand-in.
    void SetMainWindow(CApp_MainWindow* pWindow) { m_pMainWindow = pWindow ? pWindow : &m_headlessWindow; }
    CApp_MainWindow& MainWindow() { return *m_pMainWindow; }
    void SetView(CApp_View* pView) { m_pView = pView; }
    void SetTransferRunner(CApp_TransferRunner* pRunner) { m_pTransferRunner = pRunner; }
    void SetPinPrompt(CApp_PinPrompt* pPrompt) { m_pPinPrompt = pPrompt; }

    // ---- Transfer orchestration ----
    // One transfer in a transfer mode of the state machine (CLayerPP_Data::EMode): the PIN first for the
    // writing modes, the question to save before an interactive read, the view's contents into DocData and
    // DocData into TransferData (reset for a read), the transfer runner, and the view after it. Gives the
    // runner's result; 0 when the user cancelled before it, or when there is no runner or document (traced).
    int DoDataTransfer(int nMode, bool bInteractive);
    // The menu's transfer commands: in simulation mode the simulated transfer first, then the
    // PABX mode (not interactive) in a PABX run, else the direct mode (interactive). Give the
    // last transfer's result.
    int DoRxCfg();
    int DoTxCfg();
    int DoRxDialName();
    int DoTxDialName();
    int DoTxPinReset();
    int DoTxPayCounterReset();
    // The framework's help command does nothing; the program's own opens the contents of its help.
    void OnHelp();
    void OnHelpOwn();
    // F1 on a page or in a dialog: the help of its template (the contents when it has none).
    void OnHelpTemplate(unsigned nTemplate);
    // The help page of a help context in the current language (CLang_Help), with its place after
    // a "#"; empty before start-up set the language up.
    std::string HelpPage(int nContext) const;
    // The link kind of the transfer dialog for the connection setting.
    int LinkKind() const;

    // ---- State ----
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

    // Switches, flags and PABX parameters of the command line.
    const CApp_CommandLine& CommandLine() const { return m_CmdLine; }
    // "pabx.ini" and "SystelConfig.ini".
    const CData_PabxHandOff& HandOff() const { return m_HandOff; }
    // `PhoneImageValid`: PhoneImage reflects the telephone.
    bool PhoneImageValid() const { return m_bPhoneImageValid; }
    // The flag itself, for the transfer's state machine (sending clears it for another telephone).
    bool& PhoneImageValidFlag() { return m_bPhoneImageValid; }
    std::vector<std::vector<unsigned char>>& SentRecords() { return m_sentRecords; }
    // The last send of the run was read back and differed, or could not be read back.
    bool WriteNotVerified() const { return m_bWriteNotVerified; }
    // `SavedConnection`: the connection setting an unattended run replaced, restored at exit
    // when ConnectionSaved() (a separate flag: 0 is the USB setting, not "nothing saved").
    int SavedConnection() const { return m_nSavedConnection; }
    bool ConnectionSaved() const { return m_bConnectionSaved; }

    bool Simulation() const { return m_CmdLine.m_bSimulation; }
    bool FirmwareMode() const { return m_CmdLine.m_bFirmwareUpdate; }

private:
    // The four containers (start-up step 12).
    void CreateContainers();
    // The first document: a new one, or the file named (start-up steps 19 and 20); then DocData
    // is copied into the other three containers. 1 on success.
    int StartDocument(const std::string& path);
    bool PabxBrand() const;
    // The settings store's organisation for the registry word: the word itself, unless it would
    // leave the settings directory.
    static std::string SettingsOrganisation(const std::string& word);
    void ChooseRegistryKey();
    void LoadRecentFiles();
    void SaveRecentFiles();
    // Steps 2 to 5 of DoSystel, shared with DoFirmwareUpdate.
    void PrepareUnattendedRun();
    // An unattended run's transfer did not run, and why.
    void NotRun(const char* pszReason);
    // The outcome of an unattended run's transfer (done, error, rejected, not run) in the trace and
    // on standard error.
    void ReportUnattended(const char* pszOperation) const;
    // A transfer command of the menu: the row of its modes (CApp.cpp).
    int RunTransferCommand(int nCommand);
    // The PIN dialog for a write; 1 when a PIN of exactly four characters became DocData's.
    int AskPin();
    // A read of the telephone made for a send (the backup before, the check after): DocData
    // stays as it was, PhoneImage becomes what the telephone holds. 1 when the read was done.
    int ReadForWrite(int nReadMode);
    // Before a send: what the telephone holds (PhoneImage when valid, else a read first) goes to
    // CTrans_Verify::BackupPath of the document; backup is its path, empty for an unsaved document
    // or one that is itself a backup. 0: the telephone could not be read or the backup not written
    // (the user was told, see TellWrite); nothing is sent.
    int KeepPhoneBackup(int nReadMode, const char* pszOperation, bool bInteractive, std::string& backup);
    // After a send: the telephone read back and every record sent compared; differing blocks are
    // told with the backup that undoes the write, and WriteNotVerified() says the outcome.
    void VerifyWrite(int nReadMode, const char* pszOperation, bool bInteractive, const std::string& backup);
    // A message box for the user; a run without one (the PABX tool's) gets a line in the trace and
    // on standard error instead, as its other outcomes.
    void TellWrite(bool bInteractive, const std::string& line, const std::string& text,
                   CUi_Interface::EIcon icon) const;
    // A line of an unattended run's outcome: the trace and standard error.
    void ReportLine(const std::string& line) const;

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

    CApp_CommandLine m_CmdLine;
    CData_PabxHandOff m_HandOff;
    // The last transfer: whether the runner ran it, and how it ended; else why not.
    bool m_bTransferRan = false;
    CApp_TransferRunner::COutcome m_lastTransfer;
    std::string m_szNotRun;
    int m_nSavedConnection = 0;
    bool m_bConnectionSaved = false;
    bool m_bPhoneImageValid = false;
    std::string m_szLastFilePath;
    // The records the state machine sent in the last transfer, for the check after a send.
    std::vector<std::vector<unsigned char>> m_sentRecords;
    bool m_bWriteNotVerified = false;

    std::string m_szWorkingDirectory;
    std::string m_szProgramBaseName;
    std::string m_szRegistryWord;
    std::string m_szRegistryApplication;
    std::string m_szRegistryKey;
    std::vector<std::string> m_recentFiles;

    CApp_MainWindow m_headlessWindow;
    CApp_MainWindow* m_pMainWindow = &m_headlessWindow;
    CApp_View* m_pView = nullptr;
    CApp_TransferRunner* m_pTransferRunner = nullptr;
    CApp_PinPrompt* m_pPinPrompt = nullptr;
    bool m_bStarted = false; // start-up got as far as the settings: the exit writes them
    bool m_bExited = false;
};
