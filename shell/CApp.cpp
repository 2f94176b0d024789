#include "shell/CApp.h"

#include "data/CData_All.h"
#include "data/CData_FileExRam.h"
#include "data/CData_FirmwareUpdate.h"
#include "data/CData_Types.h"
#include "data/CData_UiText.h"
#include "phonebook/CImport_Report.h"
#include "platform/CPlatform_Path.h"
#include "platform/CPlatform_Resource.h"
#include "platform/CPlatform_Settings.h"
#include "shell/CApp_PinPrompt.h"
#include "shell/CApp_TransferRunner.h"
#include "shell/CApp_View.h"
#include "shell/CR740CfDoc.h"
#include "support/CLang_Help.h"
#include "support/CLang_Info.h"
#include "support/CLang_Text.h"
#include "support/CUi_Interface.h"
#include "support/Trace.h"
#include "transfer/CLayerPP_Data.h"
#include "transfer/CTrans_Verify.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace
{
const char s_szClass[] = "App";

CApp* s_pApp = nullptr;

// Only these brands are started by a PABX administration tool: they read "pabx.ini" and run the
// unattended modes.
const char* const s_apszPabxBrands[] = {"TALVO", "VORTANE", "BRELMONDIA"};

const char s_szPabxFile[] = "pabx.ini";
const char s_szSystelFile[] = "SystelConfig.ini";

// Settings keys: the registry word of "pabx.ini" with the key of the role, else the program's own.
const char s_szOwnRegistryWord[] = "talvo";
const char s_szOwnKeyCfg[] = "R740Cf";
const char s_szOwnKeyDialName[] = "R740Pb";
const char s_szPabxKeyCfg[] = "Configuration Phone";
const char s_szPabxKeyDialName[] = "Phonebook Phone";
// The language value lies directly below the user's software branch.
const char s_szLanguageOrganisation[] = "Software";

// The framework's list of recently used files in the settings.
const char s_szRecentSection[] = "Recent File List";

// Interface texts.
constexpr unsigned IDS_CONFIG_EXTENSION = 196;
constexpr unsigned IDS_PHONETYPE_NOT_SUPPORTED = 422;

// What a send's backup and read-back tell the user (%1, %2 as each says).
constexpr unsigned IDS_STR_VERIFY_READ_FAILED = 438;   // %1 the backup, %2 the reason
constexpr unsigned IDS_STR_VERIFY_NOT_READ_BACK = 439; // %1 the reason
constexpr unsigned IDS_STR_VERIFY_DIFFERS = 440;       // %1 the blocks, one a line
constexpr unsigned IDS_STR_VERIFY_BACKUP = 441;        // %1 the backup
constexpr unsigned IDS_STR_VERIFY_SAVE_FAILED = 442;   // %1 the backup, %2 the reason
// Used while no interface texts are loaded.
const char s_szVerifyReadFailed[] =
    "The telephone could not be read for the backup\n%1\n\n%2\n\nNothing was sent.";
const char s_szVerifyNotReadBack[] =
    "The telephone could not be read back: the data sent were not checked.\n\n%1";
const char s_szVerifyDiffers[] = "The telephone holds other data than were sent in these blocks:\n\n%1";
const char s_szVerifyBackup[] =
    "What the telephone held before is in\n%1\n\nWriting that file to the telephone restores it.";
const char s_szVerifySaveFailed[] = "The backup could not be saved to\n%1\n\n%2\n\nNothing was sent.";

// The PIN dialog: its error text, and the length a PIN must have.
constexpr unsigned IDS_STR_PIN_ERR1 = 432;
constexpr size_t PIN_LENGTH = 4;

// Transfer modes that change the telephone and ask for its PIN first.
const int s_anPinModes[] = {CLayerPP_Data::MODE_TX_CFG,         CLayerPP_Data::MODE_TX_CFG_PABX,
                            CLayerPP_Data::MODE_FIRMWARE,       CLayerPP_Data::MODE_PINRESET,
                            CLayerPP_Data::MODE_PINRESET_PABX,  CLayerPP_Data::MODE_PAYCOUNTER,
                            CLayerPP_Data::MODE_PAYCOUNTER_PABX};

// The transfer commands of the menu: trace, simulated mode run first in simulation mode, mode of a
// PABX run, mode otherwise.
enum ETransferCommand
{
    CMD_RX_CFG,
    CMD_TX_CFG,
    CMD_RX_DIALNAME,
    CMD_TX_DIALNAME,
    CMD_TX_PINRESET,
    CMD_TX_PAYCOUNTERRESET,
};
struct CTransferCommand
{
    const char* pszTrace;
    int nSimulationMode;
    int nPabxMode;
    int nMode;
};
const CTransferCommand s_transferCommands[] = {
    {"DoRxCfg()", CLayerPP_Data::MODE_SIMU_RX, CLayerPP_Data::MODE_RX_CFG_PABX, CLayerPP_Data::MODE_RX_CFG},
    {"DoTxCfg()", CLayerPP_Data::MODE_SIMU_TX, CLayerPP_Data::MODE_TX_CFG_PABX, CLayerPP_Data::MODE_TX_CFG},
    {"DoRxDialName()", CLayerPP_Data::MODE_SIMU_RX, CLayerPP_Data::MODE_RX_DIALNAME_PABX,
     CLayerPP_Data::MODE_RX_DIALNAME},
    {"DoTxDialName()", CLayerPP_Data::MODE_SIMU_TX, CLayerPP_Data::MODE_TX_DIALNAME_PABX,
     CLayerPP_Data::MODE_TX_DIALNAME},
    {"DoTxPinReset()", CLayerPP_Data::MODE_SIMU_TX, CLayerPP_Data::MODE_PINRESET_PABX,
     CLayerPP_Data::MODE_PINRESET},
    {"DoTxPayCounterReset()", CLayerPP_Data::MODE_SIMU_TX, CLayerPP_Data::MODE_PAYCOUNTER_PABX,
     CLayerPP_Data::MODE_PAYCOUNTER},
};

// The sends whose telephone is kept before and checked after, with the read of the same part and
// the operation an unattended run names in its outcome lines.
struct CWriteRead
{
    int nWriteMode;
    int nReadMode;
    const char* pszOperation;
};
const CWriteRead s_writeReads[] = {
    {CLayerPP_Data::MODE_TX_CFG, CLayerPP_Data::MODE_RX_CFG, "DoTxCfg()"},
    {CLayerPP_Data::MODE_TX_CFG_PABX, CLayerPP_Data::MODE_RX_CFG_PABX, "DoTxCfg()"},
    {CLayerPP_Data::MODE_TX_DIALNAME, CLayerPP_Data::MODE_RX_DIALNAME, "DoTxDialName()"},
    {CLayerPP_Data::MODE_TX_DIALNAME_PABX, CLayerPP_Data::MODE_RX_DIALNAME_PABX, "DoTxDialName()"},
};

// What decides the page set: the phone type and the module in each slot.
std::vector<int> TelephoneOf(const CData_All& data)
{
    std::vector<int> telephone{data.m_Version.m_nPhoneType};
    for (const CData_VersionModule& module : data.m_Cfg.m_VersionModule)
        telephone.push_back(module.m_nModuleType);
    return telephone;
}

// Phone types of a PABX port the phonebook program cannot serve.
const char* const s_apszRefusedDialNameTypes[] = {"RV730", "RV730-U"};
} // namespace

CApp::CApp() : m_pResource(std::make_unique<CPlatform_Resource>())
{
    s_pApp = this;
}

CApp::~CApp()
{
    ExitInstance();
    if (s_pApp == this)
        s_pApp = nullptr;
}

CApp* CApp::Get()
{
    return s_pApp;
}

bool CApp::PabxBrand() const
{
    return std::any_of(std::begin(s_apszPabxBrands), std::end(s_apszPabxBrands),
                       [this](const char* psz) { return Brand().m_szDerivat == psz; });
}

int CApp::DerivatLoad()
{
    return CApp_Profile::DerivatLoad(*m_pResource);
}

int CApp::DerivatToProperties(int nPhoneType)
{
    if (m_pDocData)
        m_pDocData->m_Version.m_nPhoneType = nPhoneType;
    CApp_Profile::DerivatToProperties(nPhoneType);
    // Step 7: once there is a window, the pages and the port pane follow the new properties.
    if (m_pView)
        m_pView->RefreshPages();
    if (CData_Properties::Current().m_bConnectionPane)
        MainWindow().SetPortPane(StatusPaneText());
    return 1;
}

void CApp::CreateContainers()
{
    m_bPhoneImageValid = false;
    m_pDocData = std::make_unique<CData_All>();
    m_pSavedData = std::make_unique<CData_All>();
    m_pTransferData = std::make_unique<CData_All>();
    m_pPhoneImage = std::make_unique<CData_All>();
}

int CApp::StartDocument(const std::string& path)
{
    m_pDoc = std::make_unique<CR740CfDoc>(*this);
    const int nDocument = path.empty() ? m_pDoc->OnFileNew() : m_pDoc->OpenDocumentFile(path);
    if (!nDocument)
    {
        TraceLine(s_szClass, "InitInstance() No document!");
        return 0;
    }
    MainWindow().AcceptDroppedFiles();
    MoveDataViewToDoc();
    *m_pSavedData = *m_pDocData;
    *m_pTransferData = *m_pDocData;
    *m_pPhoneImage = *m_pDocData;
    return 1;
}

int CApp::InitHeadless(const CApp_Startup& startup)
{
    TraceLine(s_szClass, "InitHeadless()");
    if (!startup.LoadResource(*m_pResource))
    {
        TraceLine(s_szClass, "InitHeadless() Resource module missing!");
        return 0;
    }
    DerivatLoad();
    m_szWorkingDirectory =
        startup.workingDirectory.empty() ? CPlatform_Path::CurrentDirectory() : startup.workingDirectory;
    CreateContainers();
    m_pDocData->m_Version.m_nPhoneType = SettlePhoneType();
    return StartDocument(std::string());
}

int CApp::InitInstance(const CApp_Startup& startup)
{
    TraceLine(s_szClass, "InitInstance()");

    // The resource module: every default text, the brand data and the pictures.
    if (!startup.LoadResource(*m_pResource))
    {
        TraceLine(s_szClass, "InitInstance() Resource module missing!");
        return 0;
    }

    DerivatLoad();

    m_szWorkingDirectory =
        startup.workingDirectory.empty() ? CPlatform_Path::CurrentDirectory() : startup.workingDirectory;
    if (m_szWorkingDirectory.empty() || m_szWorkingDirectory.back() != PLATFORM_PATH_SEPARATOR)
        m_szWorkingDirectory += PLATFORM_PATH_SEPARATOR;
    TraceLine(s_szClass, "InitInstance() Working directory ", m_szWorkingDirectory.c_str());

    // The PABX tool's "pabx.ini" decides the settings key, so it is read before anything else
    // that uses the settings.
    if (PabxBrand())
        DoPabx();

    m_szProgramBaseName = CLang_Info::ProgramBaseName(startup.programPath);
    std::string programDirectory = m_szWorkingDirectory;
    if (programDirectory.size() > 1)
        programDirectory.pop_back();

    m_pLanguageSettings = std::make_unique<CPlatform_Settings>(s_szLanguageOrganisation, std::string());
    m_pLangInfo = std::make_unique<CLang_Info>(programDirectory, startup.programPath, std::string(),
                                               m_pLanguageSettings.get());
    m_pLangInfo->SetInstallDirectory(startup.exeDirectory.empty() ? CPlatform_Path::ExecutableDirectory()
                                                                  : startup.exeDirectory);
    m_pLangText = std::make_unique<CLang_Text>(m_pLangInfo->LanguageFilePath());
    CLang_Text::Set(m_pLangText.get());
    m_szHelpFilePath = m_pLangInfo->HelpFilePath(false);
    if (!m_pLangText->CheckSignatureAtStart())
    {
        TraceLine(s_szClass, "InitInstance() Interface texts not accepted!");
        return 0;
    }

    ChooseRegistryKey();
    m_pSettings =
        std::make_unique<CPlatform_Settings>(SettingsOrganisation(m_szRegistryWord), m_szRegistryApplication);

    CreateContainers();

    LoadRecentFiles();
    ProfileSettingsGet(*m_pSettings);
    m_bStarted = true;

    const int nPhoneType = SettlePhoneType();
    m_pDocData->m_Version.m_nPhoneType = nPhoneType;

    m_CmdLine.Parse(startup.args, CData_UiText(IDS_CONFIG_EXTENSION));
    m_CmdLine.EvaluateSwitches();
    m_CmdLine.EvaluatePabxParameters(m_HandOff.m_nAuthenticationMode == CData_PabxHandOff::AUTH_USER);
    m_bPabxLink = m_CmdLine.m_bPabxLink;
    m_bPabxLine = m_CmdLine.m_bPabxLine;
    if (TraceIsOn())
    {
        const std::string modes = std::string(Simulation() ? " SIMU" : "") + (m_bPabxLink ? " SYSTEL" : "") +
                                  (m_bPabxLine ? " KNT" : "") + (FirmwareMode() ? " DOWNLOAD" : "");
        TraceLine(s_szClass, "InitInstance() Modes:", modes.c_str());
    }

    if (!StartDocument(m_CmdLine.DocumentPath()))
        return 0;

    if (PabxBrand() && PabxMode())
    {
        if (FirmwareMode())
            DoFirmwareUpdate();
        else
            DoSystel();
    }
    return 1;
}

int CApp::ExitInstance()
{
    if (m_bExited)
        return 1;
    m_bExited = true;
    int nResult = 1;
    if (m_bStarted)
    {
        TraceLine(s_szClass, "ExitInstance()");
        if (m_bConnectionSaved)
            m_nConnection = m_nSavedConnection;
        SaveRecentFiles();
        nResult = ProfileSettingsSet(*m_pSettings, m_pDocData->m_Version.m_nPhoneType);
    }
    m_pDoc.reset();
    m_pDocData.reset();
    m_pSavedData.reset();
    m_pTransferData.reset();
    m_pPhoneImage.reset();
    if (CLang_Text::Get() == m_pLangText.get())
        CLang_Text::Set(nullptr);
    m_pLangText.reset();
    m_pLangInfo.reset();
    if (CPlatform_Resource::Current() == m_pResource.get())
        CPlatform_Resource::SetCurrent(nullptr);
    return nResult;
}

void CApp::ChooseRegistryKey()
{
    const bool bPabxWord = !m_HandOff.m_szRegistry.empty();
    m_szRegistryWord = bPabxWord ? m_HandOff.m_szRegistry : s_szOwnRegistryWord;
    // Set for each role that is on; the phonebook program's key, set last, wins. A brand with
    // neither role still needs a key: the configurator's.
    m_szRegistryApplication = bPabxWord ? s_szPabxKeyCfg : s_szOwnKeyCfg;
    if (Brand().m_bAppDialName)
        m_szRegistryApplication = bPabxWord ? s_szPabxKeyDialName : s_szOwnKeyDialName;
    m_szRegistryKey = m_szRegistryWord + "\\" + m_szRegistryApplication;
    TraceLine(s_szClass, "InitInstance() Registry key ", m_szRegistryKey.c_str());
}

std::string CApp::SettingsOrganisation(const std::string& word)
{
    // The registry word comes from a file: "/" would make it a path of the settings store and
    // "." or ".." would name a directory outside it.
    std::string organisation = word;
    std::replace(organisation.begin(), organisation.end(), '/', '_');
    if (organisation.find_first_not_of('.') == std::string::npos)
        organisation.insert(0, "_");
    return organisation;
}

void CApp::LoadRecentFiles()
{
    m_recentFiles.clear();
    for (int i = 1; i <= RECENT_FILE_COUNT; ++i)
    {
        std::string path;
        if (m_pSettings->GetString(s_szRecentSection, "File" + std::to_string(i), path) && !path.empty())
            m_recentFiles.push_back(path);
    }
}

void CApp::SaveRecentFiles()
{
    for (int i = 1; i <= RECENT_FILE_COUNT; ++i)
    {
        const size_t n = static_cast<size_t>(i - 1);
        m_pSettings->SetString(s_szRecentSection, "File" + std::to_string(i),
                               n < m_recentFiles.size() ? m_recentFiles[n] : std::string());
    }
}

void CApp::AddToRecentFileList(const std::string& path)
{
    m_recentFiles.erase(std::remove(m_recentFiles.begin(), m_recentFiles.end(), path), m_recentFiles.end());
    m_recentFiles.insert(m_recentFiles.begin(), path);
    if (m_recentFiles.size() > static_cast<size_t>(RECENT_FILE_COUNT))
        m_recentFiles.resize(RECENT_FILE_COUNT);
}

void CApp::MoveDataViewToDoc()
{
    if (m_pView)
        m_pView->MoveDataViewToDoc();
}

void CApp::MoveDataDocToView()
{
    if (m_pView)
        m_pView->MoveDataDocToView();
}

int CApp::DoPabx()
{
    TraceLine(s_szClass, "DoPabx()");
    CData::File().SetFileName((m_szWorkingDirectory + s_szPabxFile).c_str());
    return CData_All::MoveFilePabx(m_HandOff);
}

void CApp::PrepareUnattendedRun()
{
    CData::File().SetFileName((m_szWorkingDirectory + s_szSystelFile).c_str());
    CData_All::MoveFileSystel(m_HandOff);
    MainWindow().SetTitle(UnattendedTitle(MainWindow().Title(), m_HandOff.m_szType, m_HandOff.m_szName));
    // What the run reads from the phone is the user's starting point, not a change.
    *m_pSavedData = *m_pDocData;
    // The user's setting comes back at the end whatever it was, USB (0) included.
    m_nSavedConnection = m_nConnection;
    m_bConnectionSaved = true;
    m_nConnection = CONNECTION_PABX;
}

void CApp::DoSystel()
{
    TraceLine(s_szClass, "DoSystel()");
    MainWindow().ShowMinimized();
    PrepareUnattendedRun();
    if (Brand().m_bAppCfg)
    {
        if (m_CmdLine.m_bMayRead)
            DoDataTransfer(CLayerPP_Data::MODE_RX_CFG_PABX, false);
        else
            NotRun("no permission to read");
        ReportUnattended("DoSystel()");
    }
    if (Brand().m_bAppDialName)
    {
        const bool bRefused =
            std::any_of(std::begin(s_apszRefusedDialNameTypes), std::end(s_apszRefusedDialNameTypes),
                        [this](const char* psz) { return m_HandOff.m_szType == psz; });
        if (bRefused)
        {
            const std::string text = CData_UiText(IDS_PHONETYPE_NOT_SUPPORTED);
            m_lastTransfer = {CApp_TransferRunner::OUTCOME_REJECTED, text};
            m_bTransferRan = true;
            ReportUnattended("DoSystel()");
            CUi_Interface::Get().MessageBox(text, std::string(), CUi_Interface::ICON_WARNING,
                                            CUi_Interface::BUTTONS_OK);
            MainWindow().Destroy();
            MainWindow().PostQuit(EXIT_CODE_UNATTENDED);
            return;
        }
        DoDataTransfer(CLayerPP_Data::MODE_RX_DIALNAME_PABX, false);
        ReportUnattended("DoSystel()");
    }
    MainWindow().ShowNormal();
}

void CApp::DoFirmwareUpdate()
{
    TraceLine(s_szClass, "DoFirmwareUpdate()");
    MainWindow().ShowMinimized();
    PrepareUnattendedRun();
    if (Brand().m_bAppCfg && FirmwareMode() && m_CmdLine.m_bMayUpdateFirmware)
    {
        // The firmware update block carries the hand-off's service number.
        CData_FirmwareUpdate::UpdateFileName() = m_HandOff.m_szServiceNo;
        DoDataTransfer(CLayerPP_Data::MODE_FIRMWARE, false);
    }
    else
        NotRun(Brand().m_bAppCfg ? "no permission to update the firmware" : "not the configurator");
    ReportUnattended("DoFirmwareUpdate()");
    // The PABX tool waits for the program to end, whatever the update's outcome.
    MainWindow().Destroy();
    MainWindow().PostQuit(EXIT_CODE_UNATTENDED);
}

void CApp::NotRun(const char* pszReason)
{
    m_bTransferRan = false;
    m_lastTransfer = CApp_TransferRunner::COutcome();
    m_szNotRun = pszReason;
}

void CApp::ReportUnattended(const char* pszOperation) const
{
    // The service technician sees the trace only when it is on: the outcome goes to standard error
    // as well, while the exit code stays what the PABX tool expects.
    static const char* const s_apszOutcomes[] = {"error", "done", "error", "rejected"};
    std::string line = pszOperation;
    if (!m_bTransferRan)
        line += " not run: " + m_szNotRun;
    else
    {
        const int nOutcome = m_lastTransfer.nOutcome;
        line +=
            std::string(" ") +
            s_apszOutcomes[nOutcome >= 0 && nOutcome < static_cast<int>(std::size(s_apszOutcomes)) ? nOutcome
                                                                                                   : 0];
        if (!m_lastTransfer.reason.empty() && nOutcome != CApp_TransferRunner::OUTCOME_DONE)
            line += ": " + m_lastTransfer.reason;
    }
    ReportLine(line);
}

void CApp::ReportLine(const std::string& line) const
{
    TraceLine(s_szClass, line.c_str());
    std::fprintf(stderr, "%s: %s\n", m_szProgramBaseName.empty() ? "R740Cf" : m_szProgramBaseName.c_str(),
                 line.c_str());
    std::fflush(stderr);
}

int CApp::LinkKind() const
{
    // The dialog counts its links the other way round: serial port 0, USB 1.
    switch (m_nConnection)
    {
    case 0:
        return CApp_TransferRunner::LINK_USB;
    case CONNECTION_PABX:
        return CApp_TransferRunner::LINK_PABX;
    default:
        return CApp_TransferRunner::LINK_SERIAL;
    }
}

int CApp::DoDataTransfer(int nMode, bool bInteractive)
{
    TraceLine(s_szClass, "DoDataTransfer()");
    NotRun("cancelled before the transfer");
    if (!m_pTransferRunner || !m_pDoc)
    {
        TraceLine(s_szClass, "DoDataTransfer() No transfer orchestration!");
        m_szNotRun = "no transfer dialog";
        return 0;
    }
    // The telephone wants the PIN for what changes it; the RV730 family has none.
    const bool bPin =
        std::find(std::begin(s_anPinModes), std::end(s_anPinModes), nMode) != std::end(s_anPinModes);
    const int nPhoneType = m_pDocData->m_Version.m_nPhoneType;
    if (bPin && nPhoneType != PHONETYPE_RV730 && nPhoneType != PHONETYPE_RV730U && !AskPin())
        return 0;
    const bool bRead = nMode == CLayerPP_Data::MODE_RX_CFG || nMode == CLayerPP_Data::MODE_RX_CFG_PABX ||
                       nMode == CLayerPP_Data::MODE_RX_DIALNAME ||
                       nMode == CLayerPP_Data::MODE_RX_DIALNAME_PABX;
    if (bRead && bInteractive && !m_pDoc->SaveModified())
        return 0;
    MoveDataViewToDoc();
    const auto writeRead = std::find_if(std::begin(s_writeReads), std::end(s_writeReads),
                                        [nMode](const CWriteRead& row) { return row.nWriteMode == nMode; });
    const CWriteRead* pWrite = writeRead != std::end(s_writeReads) ? &*writeRead : nullptr;
    std::string backup;
    if (pWrite && !KeepPhoneBackup(pWrite->nReadMode, pWrite->pszOperation, bInteractive, backup))
    {
        NotRun("no backup of the telephone");
        return 0;
    }
    *m_pTransferData = *m_pDocData;
    // Nothing of the old contents may survive what the telephone does not send.
    if (nMode == CLayerPP_Data::MODE_RX_CFG || nMode == CLayerPP_Data::MODE_RX_CFG_PABX)
        m_pTransferData->ResetCfg();
    if (nMode == CLayerPP_Data::MODE_RX_DIALNAME || nMode == CLayerPP_Data::MODE_RX_DIALNAME_PABX)
        m_pTransferData->ResetDialName();
    const std::vector<int> telephoneBefore = TelephoneOf(*m_pDocData);
    const int nResult = m_pTransferRunner->RunTransfer(nMode, LinkKind());
    m_bTransferRan = true;
    m_lastTransfer = m_pTransferRunner->LastOutcome();
    if (m_lastTransfer.nOutcome == CApp_TransferRunner::OUTCOME_UNKNOWN)
        m_lastTransfer.nOutcome =
            nResult ? CApp_TransferRunner::OUTCOME_DONE : CApp_TransferRunner::OUTCOME_ERROR;
    if (pWrite)
        m_bWriteNotVerified = false;
    if (pWrite && !bInteractive)
        ReportUnattended(pWrite->pszOperation);
    if (nResult && pWrite && m_nVerifyWrite)
        VerifyWrite(pWrite->nReadMode, pWrite->pszOperation, bInteractive, backup);
    else if (pWrite)
        TraceLine(s_szClass, "DoDataTransfer() Not read back");
    // A telephone of another type or with other modules needs other pages: the page set follows
    // the document, as it does when a document is opened.
    if (nResult && TelephoneOf(*m_pDocData) != telephoneBefore)
    {
        // The transfer put the telephone's properties in force: in the configurator the link is
        // the phone type's, as the link page shows it (the window's port pane follows).
        if (Brand().m_bAppCfg)
            FollowPhoneTypeLink();
        MainWindow().InitialUpdateFrame();
    }
    MoveDataDocToView();
    if (m_pView)
        m_pView->ActivateFirstPage();
    return nResult;
}

int CApp::AskPin()
{
    if (!m_pPinPrompt)
    {
        TraceLine(s_szClass, "DoDataTransfer() No PIN dialog!");
        return 0;
    }
    const CApp_PinPrompt::Accept accept = [](const std::string& pin, const std::string& caption)
    {
        if (pin.size() == PIN_LENGTH)
            return 1;
        CUi_Interface::Get().MessageBox(CData_UiText(IDS_STR_PIN_ERR1), caption, CUi_Interface::ICON_WARNING,
                                        CUi_Interface::BUTTONS_OK);
        return 0;
    };
    std::string pin;
    if (!m_pPinPrompt->AskPin(accept, pin) || pin.size() != PIN_LENGTH)
        return 0;
    // The transfer sends DocData's PIN once DocData has become TransferData.
    m_pDocData->m_Cfg.m_Basic.m_strPin = pin;
    return 1;
}

int CApp::ReadForWrite(int nReadMode)
{
    auto pDoc = std::make_unique<CData_All>(*m_pDocData);
    *m_pTransferData = *m_pDocData;
    if (nReadMode == CLayerPP_Data::MODE_RX_CFG || nReadMode == CLayerPP_Data::MODE_RX_CFG_PABX)
        m_pTransferData->ResetCfg();
    else
        m_pTransferData->ResetDialName();
    const int nResult = m_pTransferRunner->RunTransfer(nReadMode, LinkKind());
    // The read became DocData and PhoneImage: the document is what the user is sending.
    *m_pDocData = *pDoc;
    return nResult;
}

int CApp::KeepPhoneBackup(int nReadMode, const char* pszOperation, bool bInteractive, std::string& backup)
{
    backup.clear();
    if (m_pDoc->PathName().empty())
    {
        // An unsaved document has no place beside it for the backup.
        TraceLine(s_szClass, "DoDataTransfer() No backup for an unsaved document");
        return 1;
    }
    const std::string path = CTrans_Verify::BackupPath(m_pDoc->PathName());
    if (path.empty() || path == m_szLastFilePath)
    {
        // The document is itself a backup, or File Open (which keeps the document's path) loaded
        // the backup: what it replaces is the write it undoes, and the backup must stay as it is.
        TraceLine(s_szClass, "DoDataTransfer() No backup of a backup");
        return 1;
    }
    if (!m_bPhoneImageValid && !ReadForWrite(nReadMode))
    {
        const std::string reason = m_pTransferRunner->LastOutcome().reason;
        TellWrite(
            bInteractive,
            std::string(pszOperation) + " not run: the telephone could not be read for the backup " + path +
                (reason.empty() ? std::string() : ": " + reason),
            CImport_Report::Format(CImport_Report::UiText(IDS_STR_VERIFY_READ_FAILED, s_szVerifyReadFailed),
                                   {path, reason}),
            CUi_Interface::ICON_STOP);
        return 0;
    }
    if (!m_pDoc->SaveCopy(*m_pPhoneImage, path))
    {
        const std::string reason = m_pDoc->LastErrorText();
        TellWrite(
            bInteractive,
            std::string(pszOperation) + " not run: cannot write the backup " + path + ": " + reason,
            CImport_Report::Format(CImport_Report::UiText(IDS_STR_VERIFY_SAVE_FAILED, s_szVerifySaveFailed),
                                   {path, reason}),
            CUi_Interface::ICON_STOP);
        return 0;
    }
    TraceLine(s_szClass, "DoDataTransfer() Backup ", path.c_str());
    backup = path;
    return 1;
}

void CApp::VerifyWrite(int nReadMode, const char* pszOperation, bool bInteractive, const std::string& backup)
{
    const std::vector<CTrans_Verify::Record> sent = m_sentRecords;
    const std::string operation = pszOperation;
    const std::string undo =
        backup.empty()
            ? std::string()
            : "\n\n" + CImport_Report::Format(CImport_Report::UiText(IDS_STR_VERIFY_BACKUP, s_szVerifyBackup),
                                              {backup});
    const std::string undoLine =
        backup.empty() ? "; no backup" : "; what the telephone held before is in " + backup;
    m_bWriteNotVerified = true;
    if (!ReadForWrite(nReadMode))
    {
        const std::string reason = m_pTransferRunner->LastOutcome().reason;
        TellWrite(bInteractive,
                  operation + " not verified: the telephone could not be read back" +
                      (reason.empty() ? std::string() : ": " + reason) + undoLine,
                  CImport_Report::Format(
                      CImport_Report::UiText(IDS_STR_VERIFY_NOT_READ_BACK, s_szVerifyNotReadBack), {reason}) +
                      undo,
                  CUi_Interface::ICON_WARNING);
        return;
    }
    auto pReadBack = std::make_unique<CData_All>(*m_pPhoneImage);
    const std::vector<std::string> differing = CTrans_Verify::Differences(sent, *pReadBack);
    if (differing.empty())
    {
        m_bWriteNotVerified = false;
        TraceLine(s_szClass, "DoDataTransfer() Read back as sent");
        if (!bInteractive)
            ReportLine(operation + " verified: " + std::to_string(sent.size()) + " records as sent");
        return;
    }
    std::string blocks;
    std::string line = operation + " verify failed: the telephone holds other data in";
    for (const std::string& name : differing)
    {
        blocks += (blocks.empty() ? "" : "\n") + name;
        line += " " + name;
    }
    TellWrite(
        bInteractive, line + undoLine,
        CImport_Report::Format(CImport_Report::UiText(IDS_STR_VERIFY_DIFFERS, s_szVerifyDiffers), {blocks}) +
            undo,
        CUi_Interface::ICON_WARNING);
}

void CApp::TellWrite(bool bInteractive, const std::string& line, const std::string& text,
                     CUi_Interface::EIcon icon) const
{
    if (bInteractive)
        CUi_Interface::Get().MessageBox(text, std::string(), icon, CUi_Interface::BUTTONS_OK);
    else
        ReportLine(line);
}

int CApp::RunTransferCommand(int nCommand)
{
    const CTransferCommand& command = s_transferCommands[nCommand];
    TraceLine(s_szClass, command.pszTrace);
    if (Simulation())
        DoDataTransfer(command.nSimulationMode, true);
    if (PabxMode())
        return DoDataTransfer(command.nPabxMode, false);
    return DoDataTransfer(command.nMode, true);
}

int CApp::DoRxCfg()
{
    return RunTransferCommand(CMD_RX_CFG);
}

int CApp::DoTxCfg()
{
    return RunTransferCommand(CMD_TX_CFG);
}

int CApp::DoRxDialName()
{
    return RunTransferCommand(CMD_RX_DIALNAME);
}

int CApp::DoTxDialName()
{
    return RunTransferCommand(CMD_TX_DIALNAME);
}

int CApp::DoTxPinReset()
{
    return RunTransferCommand(CMD_TX_PINRESET);
}

int CApp::DoTxPayCounterReset()
{
    return RunTransferCommand(CMD_TX_PAYCOUNTERRESET);
}

void CApp::OnHelp()
{
    TraceLine(s_szClass, "OnHelp()");
}

void CApp::OnHelpOwn()
{
    TraceLine(s_szClass, "OnHelpOwn()");
    MainWindow().OpenHelp(HelpPage(HELP_CONTEXT_OWN), HELP_CONTEXT_OWN);
}

void CApp::OnHelpTemplate(unsigned nTemplate)
{
    TraceLine(s_szClass, "OnHelpTemplate() ", std::to_string(nTemplate).c_str());
    const int nContext = CLang_Help::TemplateContext(nTemplate);
    MainWindow().OpenHelp(HelpPage(nContext), nContext);
}

std::string CApp::HelpPage(int nContext) const
{
    if (!m_pLangInfo)
        return std::string();
    // The place on the page is no part of the file's name.
    const std::string page = CLang_Help::PageOfContext(nContext);
    const size_t nHash = page.find('#');
    const std::string path = m_pLangInfo->HelpPagePath(page.substr(0, nHash));
    return nHash == std::string::npos ? path : path + page.substr(nHash);
}
