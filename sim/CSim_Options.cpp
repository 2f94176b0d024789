#include "sim/CSim_Options.h"

#include <cstdlib>
#include <functional>

namespace
{
bool ToNumber(const std::string& text, long long nMin, long long nMax, long long& nValue)
{
    char* pEnd = nullptr;
    const long long n = std::strtoll(text.c_str(), &pEnd, 10);
    if (text.empty() || *pEnd || n < nMin || n > nMax)
        return false;
    nValue = n;
    return true;
}

bool ToShare(const std::string& text, double& dValue)
{
    char* pEnd = nullptr;
    const double d = std::strtod(text.c_str(), &pEnd);
    if (text.empty() || *pEnd || !(d >= 0.0 && d <= 1.0))
        return false;
    dValue = d;
    return true;
}

// Limits of the numeric options: the line rates a serial line offers at the most, a delay below a
// minute, a frame count any transfer stays below.
constexpr long long BAUD_MAX = 4000000;
constexpr long long DELAY_MAX_MS = 60000;
constexpr long long DROP_MAX = 1000000000;
constexpr long long SEED_MAX = 0xFFFFFFFFLL;
} // namespace

std::string CSim_Options::Parse(const std::vector<std::string>& args)
{
    // Options with a text value, and where it goes.
    struct CTextOption
    {
        const char* pszName;
        std::string CSim_Options::*pValue;
    };
    static const CTextOption s_texts[] = {
        {"--listen", &CSim_Options::listen},   {"--state", &CSim_Options::statePath},
        {"--brand", &CSim_Options::brand},     {"--phone-type", &CSim_Options::phoneType},
        {"--oem", &CSim_Options::oem},         {"--version", &CSim_Options::version},
        {"--country", &CSim_Options::country}, {"--serial", &CSim_Options::serial},
        {"--modules", &CSim_Options::modules}, {"--pin", &CSim_Options::pin},
        {"--log", &CSim_Options::logPath},     {"--alter-block", &CSim_Options::alterBlock},
    };
    struct CShareOption
    {
        const char* pszName;
        double CSim_Options::*pValue;
    };
    static const CShareOption s_shares[] = {
        {"--loss", &CSim_Options::dLoss},
        {"--corrupt", &CSim_Options::dCorrupt},
        {"--nak", &CSim_Options::dNak},
        {"--bit-errors", &CSim_Options::dBitErrors},
        {"--duplicate", &CSim_Options::dDuplicate},
        {"--truncate", &CSim_Options::dTruncate},
        {"--garbage", &CSim_Options::dGarbage},
        {"--late", &CSim_Options::dLate},
    };

    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h")
        {
            bHelp = true;
            continue;
        }
        if (arg == "--pty")
        {
            bPty = true;
            continue;
        }
        const bool bHasValue = i + 1 < args.size();
        bool bKnown = false;
        for (const CTextOption& o : s_texts)
        {
            if (arg != o.pszName)
                continue;
            if (!bHasValue)
                return arg + " needs a value";
            this->*o.pValue = args[++i];
            bKnown = true;
        }
        for (const CShareOption& o : s_shares)
        {
            if (arg != o.pszName)
                continue;
            if (!bHasValue || !ToShare(args[++i], this->*o.pValue))
                return arg + " needs a share from 0 to 1";
            bKnown = true;
        }
        long long n = 0;
        if (arg == "--seed" || arg == "--delay" || arg == "--drop-after" || arg == "--baud")
        {
            const long long nMax = arg == "--seed"    ? SEED_MAX
                                   : arg == "--delay" ? DELAY_MAX_MS
                                   : arg == "--baud"  ? BAUD_MAX
                                                      : DROP_MAX;
            if (!bHasValue || !ToNumber(args[++i], arg == "--baud" ? 1 : 0, nMax, n))
                return arg + " needs a number from " + (arg == "--baud" ? "1" : "0") + " to " +
                       std::to_string(nMax);
            if (arg == "--seed")
                uSeed = static_cast<uint32_t>(n);
            else if (arg == "--delay")
                uDelayMs = static_cast<unsigned>(n);
            else if (arg == "--baud")
                uBaud = static_cast<unsigned>(n);
            else
                nDropAfter = n;
            bKnown = true;
        }
        if (!bKnown)
            return "unknown option " + arg;
    }
    if (bHelp)
        return std::string();
    if (bPty == !listen.empty())
        return "give either --pty or --listen HOST:PORT";
    if (!pin.empty() && pin.size() != 4)
        return "--pin needs four characters";
    return std::string();
}

std::string CSim_Options::Usage()
{
    return "usage: r740sim (--pty | --listen HOST:PORT) [options]\n"
           "\n"
           "Plays a telephone over the link library's wire protocol. With --pty the first line of\n"
           "standard output is the pseudo-terminal to point the program at (SLPV24_DEVICE=...).\n"
           "\n"
           "  --pty                 answer on a new pseudo-terminal\n"
           "  --listen HOST:PORT    answer TCP connections (tcp:HOST:PORT for the program)\n"
           "  --state FILE          the telephone's configuration file: loaded at start when it\n"
           "                        exists, saved after every transfer that changed it and at exit\n"
           "  --brand NAME          resource bundle (brand data), as r740tool --brand\n"
           "  --phone-type TYPE     phone type, e.g. RV740, RV930, RV730\n"
           "  --oem OEM             the telephone's brand, e.g. TALVO, VORTANE, DROMEL\n"
           "  --version TEXT        firmware version, e.g. 4.10\n"
           "  --country WORD        country word, e.g. GER\n"
           "  --serial DIGITS       serial number\n"
           "  --modules T0,T1,T2,T3 module slots, e.g. AB,E920,NON,NON (slot 0: answering machine)\n"
           "  --pin PIN             the configuration PIN (default 5182)\n"
           "\n"
           "faults (random choices repeat with --seed N):\n"
           "  --loss P              lose each frame in either direction with probability P\n"
           "  --corrupt P           damage each frame on the wire with probability P\n"
           "  --nak P               refuse each frame with probability P (never the PIN)\n"
           "  --bit-errors R        flip each bit on the wire with probability R (e.g. 1e-4)\n"
           "  --duplicate P         send each answer twice with probability P\n"
           "  --truncate P          cut each frame on the wire short with probability P\n"
           "  --garbage P           follow each frame on the wire by random bytes with probability P\n"
           "  --delay MS            wait MS milliseconds before each answer\n"
           "  --late P              wait --delay before an answer with probability P only\n"
           "  --drop-after N        cut the line after N frames (a pseudo-terminal then ends)\n"
           "  --baud B              pace the wire at B bit/s, 10 bits a byte, both directions\n"
           "  --alter-block ID      store the block ID (its section, e.g. MsnPara_00000000) with\n"
           "                        another value than sent, once, and acknowledge it all the same\n"
           "  --log FILE            every frame received and sent, with its direction and block\n"
           "\n"
           "SIGTERM or SIGINT saves the state and ends; on exit a line on standard error counts the\n"
           "frames and the bytes on the wire.\n";
}
