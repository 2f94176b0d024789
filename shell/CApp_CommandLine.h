#pragma once

// The command line of the application object: the document to open, the mode switches and the
// PABX parameters a PABX administration tool passes.
//
// A document path on this platform begins with "/" like a switch, so an argument that names an
// existing file or ends in the configuration file extension is the document and is never searched
// for switches or cut into PABX parameters. The other arguments, joined by blanks, are the
// argument text that the switch and parameter rules work on.

#include <string>
#include <vector>

class CApp_CommandLine
{
public:
    // args: the program's arguments without the program itself; configExt: the configuration
    // file extension (".cfg"), compared without regard to case.
    void Parse(const std::vector<std::string>& args, const std::string& configExt);

    // Sets the four mode flags. Each switch is found as a case-sensitive substring anywhere:
    // "/SIMU" and "/DOWNLOAD" within one argument, "/SYSTEL" and "/KNT" within the argument text.
    void EvaluateSwitches();

    // The PABX parameters, split at "/" (empty pieces skipped). With bUserMode (authentication
    // mode "USER") the pieces are A, B and N, and any argument text switches on PABX line mode;
    // otherwise, in PABX line mode, the switch word comes first and then A, B and N. Each byte
    // 0xB6 of A and B becomes a blank; both permission flags become bit 9 of N (0 when N is
    // missing). When neither case applies the flags stay set.
    void EvaluatePabxParameters(bool bUserMode);

    // The first document argument; empty when there is none.
    const std::string& DocumentPath() const { return m_documentPath; }
    // The arguments that are not documents, and the argument text (them joined by blanks).
    const std::vector<std::string>& SwitchArgs() const { return m_switchArgs; }
    const std::string& ArgumentText() const { return m_argumentText; }

    bool m_bSimulation = false;       // "/SIMU"
    bool m_bPabxLink = false;         // "/SYSTEL"
    bool m_bPabxLine = false;         // "/KNT", or forced by the PABX parameters
    bool m_bFirmwareUpdate = false;   // "/DOWNLOAD"
    std::string m_szPabxParamA;       // `PabxParamA`
    std::string m_szPabxParamB;       // `PabxParamB`
    bool m_bMayRead = true;           // `MayRead`
    bool m_bMayUpdateFirmware = true; // `MayUpdateFirmware`

    // The permission bit of N.
    static constexpr long long PERMISSION_BIT = 0x200;
    // The Western code page's pilcrow: the PABX tool's stand-in for a blank inside a parameter.
    static constexpr unsigned char PILCROW = 0xB6;

    // A decimal 64-bit integer as the PABX tool writes it: leading blanks, a sign, digits up to
    // the first other character; saturated instead of overflowing. 0 without digits.
    static long long ToInt64(const std::string& text);

private:
    std::vector<std::string> m_switchArgs;
    std::string m_argumentText;
    std::string m_documentPath;
};
