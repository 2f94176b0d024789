// The transfer commands of r740tool: the program's own transfer (state machine over the link
// library) on a configuration the program's document holds, without a window. What the transfer
// dialog does after a successful transfer is done here too; a configuration read from the
// telephone is saved only after the transfer succeeded, atomically, as the program saves. A write
// first reads what the telephone holds into a backup file beside IN, and afterwards reads the
// telephone back and compares every record sent (unless --no-verify).

#include "tools/r740tool/CTool_Transfer.h"

#include "data/CData_All.h"
#include "data/CData_FirmwareUpdate.h"
#include "shell/CApp_Headless.h"
#include "tools/r740tool/CTool_Commands.h"
#include "tools/r740tool/CTool_Config.h"
#include "transfer/CTrans_Stack.h"
#include "transfer/CTrans_Verify.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace
{
const char s_szTool[] = "r740tool";
// The configuration PIN is four characters (the PIN dialog's limit).
constexpr size_t PIN_LENGTH = 4;
// Longest time-out and repeat count a command line may ask for.
constexpr long TIMEOUT_MAX_MS = 600000;
constexpr long REPEATS_MAX = 100;

// Which part of a configuration file a command works on.
enum EPart
{
    PART_CFG,
    PART_DIALNAME,
    PART_NONE,
};

struct CTransferCommand
{
    const char* pszName;
    int nMode;
    EPart part;
    bool bRead;    // the telephone's data are saved to OUT
    bool bWrite;   // IN is sent
    int nReadMode; // the read of the same part (backup and verification of a write)
};

constexpr int RX_CFG = CLayerPP_Data::MODE_RX_CFG;
constexpr int RX_DIALNAME = CLayerPP_Data::MODE_RX_DIALNAME;
const CTransferCommand s_read{"read", RX_CFG, PART_CFG, true, false, RX_CFG};
const CTransferCommand s_write{"write", CLayerPP_Data::MODE_TX_CFG, PART_CFG, false, true, RX_CFG};
const CTransferCommand s_readDialName{"read-phonebook", RX_DIALNAME, PART_DIALNAME, true, false, RX_DIALNAME};
const CTransferCommand s_writeDialName{
    "write-phonebook", CLayerPP_Data::MODE_TX_DIALNAME, PART_DIALNAME, false, true, RX_DIALNAME};
const CTransferCommand s_pinReset{"pin-reset", CLayerPP_Data::MODE_PINRESET, PART_NONE, false, false, -1};
const CTransferCommand s_payCounterReset{
    "paycounter-reset", CLayerPP_Data::MODE_PAYCOUNTER, PART_NONE, false, false, -1};
const CTransferCommand s_firmwareUpdate{
    "firmware-update", CLayerPP_Data::MODE_FIRMWARE, PART_NONE, false, false, -1};

// The options of every transfer command.
struct CTransferOptions
{
    std::string file; // OUT, IN or the service number
    std::string device;
    long nPort = -1;
    long nOpenTimeout = -1;
    long nDataTimeout = -1;
    long nRepeats = -1;
    std::string pin;
    bool bVerify = true; // a write reads the telephone back and compares
};

bool Number(const std::string& text, long nMin, long nMax, long& nValue)
{
    char* pEnd = nullptr;
    const long n = std::strtol(text.c_str(), &pEnd, 10);
    if (text.empty() || *pEnd || n < nMin || n > nMax)
        return false;
    nValue = n;
    return true;
}

// Reads the command's arguments; empty on success, else what is wrong.
std::string ParseOptions(const CTransferCommand& command, const std::vector<std::string>& args,
                         CTransferOptions& options)
{
    struct CNumberOption
    {
        const char* pszName;
        long CTransferOptions::*pValue;
        long nMin;
        long nMax;
    };
    static const CNumberOption s_numbers[] = {
        {"--port", &CTransferOptions::nPort, 1, SLP_PORT_PABX_TCPIP},
        {"--open-timeout", &CTransferOptions::nOpenTimeout, 1, TIMEOUT_MAX_MS},
        {"--data-timeout", &CTransferOptions::nDataTimeout, 1, TIMEOUT_MAX_MS},
        {"--repeats", &CTransferOptions::nRepeats, 0, REPEATS_MAX},
    };
    const bool bFile = command.bRead || command.bWrite || command.nMode == CLayerPP_Data::MODE_FIRMWARE;
    bool bFileGiven = false;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (arg == "--no-verify" && command.bWrite)
        {
            options.bVerify = false;
            continue;
        }
        if (arg.compare(0, 2, "--") != 0)
        {
            if (!bFile || bFileGiven)
                return "unexpected argument " + arg;
            options.file = arg;
            bFileGiven = true;
            continue;
        }
        if (i + 1 >= args.size())
            return arg + " needs a value";
        const std::string& value = args[++i];
        if (arg == "--device")
        {
            options.device = value;
            continue;
        }
        if (arg == "--pin")
        {
            if (value.size() != PIN_LENGTH)
                return "--pin needs four characters";
            options.pin = value;
            continue;
        }
        bool bKnown = false;
        for (const CNumberOption& o : s_numbers)
        {
            if (arg != o.pszName)
                continue;
            if (!Number(value, o.nMin, o.nMax, options.*o.pValue))
                return arg + " needs a number from " + std::to_string(o.nMin) + " to " +
                       std::to_string(o.nMax);
            bKnown = true;
        }
        if (!bKnown)
            return "unknown option " + arg;
    }
    if (bFile && !bFileGiven)
        return std::string(command.pszName) + " needs " +
               (command.bRead    ? "OUT"
                : command.bWrite ? "IN"
                                 : "the service number");
    return std::string();
}

// Phonebook commands need the phonebook in the files, configuration commands the configuration:
// without --role the command takes the part it needs; a --role without it is a mistake.
bool ChooseRole(CApp_Headless& app, EPart part)
{
    if (part == PART_NONE)
        return true;
    const bool bNeedsDialName = part == PART_DIALNAME;
    CApp_Profile& profile = app.Profile();
    if (profile.m_roleOverride == CApp_Profile::ROLE_BRAND)
    {
        if ((bNeedsDialName ? profile.Brand().m_bAppDialName : profile.Brand().m_bAppCfg))
            return true;
        profile.m_roleOverride = bNeedsDialName ? CApp_Profile::ROLE_DIALNAME : CApp_Profile::ROLE_CFG;
        return CTool_Config(app).New() != 0;
    }
    return bNeedsDialName ? profile.m_roleOverride != CApp_Profile::ROLE_CFG
                          : profile.m_roleOverride != CApp_Profile::ROLE_DIALNAME;
}

// The port of the connection setting, as the transfer dialog chooses it.
int PortOf(const CApp_Profile& profile)
{
    switch (profile.m_nConnection)
    {
    case 0:
        return SLP_PORT_USB0;
    case CApp_Profile::CONNECTION_PABX:
        return SLP_PORT_PABX_SVC;
    default:
        return profile.m_nComPort;
    }
}

// The progress line on standard error: rewritten in place on a terminal, a line per percent
// otherwise (a log or a test reads it).
class CProgressLine
{
public:
    CProgressLine() : m_bTerminal(::isatty(2) != 0) {}
    ~CProgressLine()
    {
        if (m_bTerminal && m_bShown)
            std::fputc('\n', stderr);
    }
    void Show(int nPercent, const std::string& block)
    {
        if (m_bTerminal)
        {
            std::fprintf(stderr, "\r%s: %3d%% %-24s", s_szTool, nPercent, block.c_str());
            m_bShown = true;
        }
        else if (nPercent != m_nLast)
            std::fprintf(stderr, "%s: %3d%% %s\n", s_szTool, nPercent, block.c_str());
        m_nLast = nPercent;
        std::fflush(stderr);
    }

private:
    bool m_bTerminal;
    bool m_bShown = false;
    int m_nLast = -1;
};

int RunTransfer(const CTransferCommand& command, CTool_Context& context)
{
    CApp_Headless& app = *context.pApp;
    const CApp_Profile& profile = app.Profile();
    CTransferOptions options;
    const std::string error = ParseOptions(command, context.args, options);
    if (!error.empty())
    {
        std::fprintf(stderr, "%s: %s (%s)\n", s_szTool, error.c_str(), TOOL_MORE_HELP);
        return TOOL_EXIT_ERROR;
    }
    if (!ChooseRole(app, command.part))
    {
        std::fprintf(stderr, "%s: %s needs the %s in the files; choose --role accordingly\n", s_szTool,
                     command.pszName, command.part == PART_DIALNAME ? "phonebook" : "configuration");
        return TOOL_EXIT_ERROR;
    }

    CTool_Config config(app);
    // Nothing is sent of a file that cannot be read.
    if (command.bWrite && !config.Open(options.file))
        return TOOL_EXIT_ERROR;
    CData_All& doc = app.DocData();
    if (!options.pin.empty())
        doc.m_Cfg.m_Basic.m_strPin = options.pin;
    if (command.nMode == CLayerPP_Data::MODE_PINRESET && !CData_Properties::Current().m_bPinResetSupport)
    {
        std::string type;
        PhoneTypeToStr(doc.m_Version.m_nPhoneType, type);
        std::fprintf(stderr, "%s: pin-reset failed: the phone type %s has no PIN reset\n", s_szTool,
                     type.c_str());
        return TOOL_EXIT_FAILED;
    }
    if (command.nMode == CLayerPP_Data::MODE_FIRMWARE)
        CData_FirmwareUpdate::UpdateFileName() = options.file;

    if (!options.device.empty())
        qputenv("SLPV24_DEVICE", QByteArray(options.device.c_str()));
    const int nPort = options.nPort > 0 ? static_cast<int>(options.nPort) : PortOf(profile);
    // One transfer of a mode on a container, as DoDataTransfer prepares it. The application's
    // other two containers last one run here: nothing was exchanged with a telephone before it,
    // so the phone image stands for none.
    std::string reason;
    auto exchange = [&](int nMode, CData_All& transfer, std::vector<CTrans_Verify::Record>* pSent)
    {
        auto pPhoneImage = std::make_unique<CData_All>();
        bool bPhoneImageValid = false;
        if (nMode == CLayerPP_Data::MODE_RX_CFG)
            transfer.ResetCfg();
        if (nMode == CLayerPP_Data::MODE_RX_DIALNAME)
            transfer.ResetDialName();
        CLayerPP_DataShared shared;
        shared.pDocData = &doc;
        shared.pPhoneImage = pPhoneImage.get();
        shared.pbPhoneImageValid = &bPhoneImageValid;
        shared.bFirmwareMode = nMode == CLayerPP_Data::MODE_FIRMWARE;
        shared.pSentRecords = pSent;
        CProgressLine line;
        CTrans_Stack stack(
            transfer, nMode, nPort,
            options.nOpenTimeout > 0 ? static_cast<int>(options.nOpenTimeout) : profile.m_nTimerOpen,
            options.nDataTimeout > 0 ? static_cast<int>(options.nDataTimeout) : profile.m_nTimerData,
            static_cast<unsigned>(options.nRepeats >= 0 ? options.nRepeats : profile.m_nRepeatData), shared);
        const int nStatus =
            stack.Run([&line](int nPercent, const std::string& block) { line.Show(nPercent, block); });
        const std::string openError = stack.OpenError();
        reason = stack.OpenFailed() ? "the link on port " + std::to_string(nPort) + " could not be opened" +
                                          (!openError.empty()       ? ": " + openError
                                           : options.device.empty() ? std::string()
                                                                    : " (" + options.device + ")")
                                    : stack.Data().ErrorText();
        if (nStatus != TRANS_DONE && reason.empty())
            reason = "the transfer did not end";
        return nStatus;
    };

    // Before a write: what the telephone holds goes to the backup beside IN, saved as the
    // program saves (the document is the backup for that moment).
    const std::string backup = command.bWrite ? CTrans_Verify::BackupPath(options.file) : std::string();
    if (command.bWrite && backup.empty())
        std::fprintf(stderr, "%s: %s is a backup: no backup is kept of what it replaces\n", s_szTool,
                     options.file.c_str());
    if (!backup.empty())
    {
        std::fprintf(stderr, "%s: reading the telephone for the backup %s\n", s_szTool, backup.c_str());
        auto pHeld = std::make_unique<CData_All>(doc);
        const int nStatus = exchange(command.nReadMode, *pHeld, nullptr);
        if (nStatus != TRANS_DONE)
        {
            std::fprintf(stderr, "%s: %s failed: the telephone could not be read for the backup: %s\n",
                         s_szTool, command.pszName, reason.c_str());
            return TOOL_EXIT_FAILED;
        }
        auto pDoc = std::make_unique<CData_All>(doc);
        doc = *pHeld;
        const int bSaved = config.Save(backup);
        doc = *pDoc;
        if (!bSaved)
        {
            std::fprintf(stderr, "%s: %s: cannot write the backup %s; nothing was sent\n", s_szTool,
                         command.pszName, backup.c_str());
            return TOOL_EXIT_ERROR;
        }
    }

    auto pTransfer = std::make_unique<CData_All>(doc);
    CData_All& transfer = *pTransfer;
    std::vector<CTrans_Verify::Record> sent;
    const int nStatus = exchange(command.nMode, transfer, command.bWrite ? &sent : nullptr);
    if (nStatus != TRANS_DONE)
    {
        std::fprintf(stderr, "%s: %s %s: %s\n", s_szTool, command.pszName,
                     nStatus == TRANS_REJECTED ? "refused" : "failed", reason.c_str());
        return TOOL_EXIT_FAILED;
    }

    // After a write: the telephone read back, every record sent compared with what it holds now.
    if (command.bWrite && options.bVerify)
    {
        auto pReadBack = std::make_unique<CData_All>(doc);
        if (exchange(command.nReadMode, *pReadBack, nullptr) != TRANS_DONE)
        {
            std::fprintf(stderr, "%s: %s not verified: the telephone could not be read back: %s\n", s_szTool,
                         command.pszName, reason.c_str());
            return TOOL_EXIT_FAILED;
        }
        const std::vector<std::string> differing = CTrans_Verify::Differences(sent, *pReadBack);
        if (!differing.empty())
        {
            std::fprintf(stderr, "%s: %s verify failed: the telephone holds %zu block(s) other than sent:\n",
                         s_szTool, command.pszName, differing.size());
            for (const std::string& name : differing)
                std::fprintf(stderr, "  %s\n", name.c_str());
            if (!backup.empty())
                std::fprintf(stderr, "%s: what the telephone held before is in %s (%s %s %s puts it back)\n",
                             s_szTool, backup.c_str(), s_szTool, command.pszName, backup.c_str());
            return TOOL_EXIT_FAILED;
        }
        std::fprintf(stderr, "%s: %s verified: %zu records as sent\n", s_szTool, command.pszName,
                     sent.size());
    }

    // What the transfer dialog does after success (the phone image ends with this run); a
    // charge-counter reset leaves the document.
    if (command.nMode != CLayerPP_Data::MODE_PAYCOUNTER)
    {
        doc = transfer;
        doc.Validate();
    }
    if (command.bRead && !config.Save(options.file))
        return TOOL_EXIT_ERROR;
    return TOOL_EXIT_OK;
}
} // namespace

int ToolRead(CTool_Context& context)
{
    return RunTransfer(s_read, context);
}

int ToolWrite(CTool_Context& context)
{
    return RunTransfer(s_write, context);
}

int ToolReadPhonebook(CTool_Context& context)
{
    return RunTransfer(s_readDialName, context);
}

int ToolWritePhonebook(CTool_Context& context)
{
    return RunTransfer(s_writeDialName, context);
}

int ToolPinReset(CTool_Context& context)
{
    return RunTransfer(s_pinReset, context);
}

int ToolPayCounterReset(CTool_Context& context)
{
    return RunTransfer(s_payCounterReset, context);
}

int ToolFirmwareUpdate(CTool_Context& context)
{
    return RunTransfer(s_firmwareUpdate, context);
}
