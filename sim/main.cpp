// r740sim: a telephone on a pseudo-terminal or a TCP port, for the program, the tool and the tests.

#include "data/CData_All.h"
#include "platform/CPlatform_Path.h"
#include "sim/CSim_Options.h"
#include "sim/CSim_Phone.h"
#include "sim/CSim_Server.h"
#include "sim/CSim_Store.h"
#include "support/CUi_Interface.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
// Exit codes: as r740tool's.
constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILED = 1;
constexpr int EXIT_USAGE = 2;

// Nobody to ask: messages go to standard error, questions get their first button.
class CSim_ConsoleUi : public CUi_Interface
{
public:
    int MessageBox(const std::string& text, const std::string&, EIcon, EButtons buttons) override
    {
        std::fprintf(stderr, "r740sim: %s\n", text.c_str());
        return buttons == BUTTONS_YES_NO || buttons == BUTTONS_YES_NO_CANCEL ? ANSWER_YES : ANSWER_OK;
    }
};

// One word of an enumeration, or the complaint.
bool Word(int (*pfnStrTo)(int&, const std::string&), const std::string& word, const char* pszWhat,
          int& nValue, std::string& error)
{
    if (word.empty())
        return true;
    if (pfnStrTo(nValue, word))
        return true;
    error = std::string("unknown ") + pszWhat + " " + word;
    return false;
}

// The telephone's identity from the command line over what the state file holds.
std::string ApplyOptions(const CSim_Options& options, CData_All& phone)
{
    std::string error;
    CData_Version& version = phone.m_Version;
    if (!Word(StrToPhoneType, options.phoneType, "phone type", version.m_nPhoneType, error) ||
        !Word(StrToOemType, options.oem, "OEM type", version.m_nOemType, error) ||
        !Word(StrToCountry, options.country, "country", version.m_nCountry, error))
        return error;
    if (!options.version.empty())
        version.m_strVersion = options.version;
    if (!options.serial.empty())
        version.m_strSerialNo = options.serial;
    if (!options.modules.empty())
    {
        std::vector<std::string> words;
        size_t nStart = 0;
        for (;;)
        {
            const size_t nComma = options.modules.find(',', nStart);
            words.push_back(options.modules.substr(nStart, nComma - nStart));
            if (nComma == std::string::npos)
                break;
            nStart = nComma + 1;
        }
        if (words.size() != static_cast<size_t>(CData_AllCfg::VERSIONMODULE_MAX))
            return "--modules needs four module types, e.g. AB,E920,NON,NON";
        for (size_t i = 0; i < words.size(); ++i)
            if (!Word(StrToModuleType, words[i], "module type", phone.m_Cfg.m_VersionModule[i].m_nModuleType,
                      error))
                return error;
    }
    return std::string();
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    CSim_Options options;
    const std::string error = options.Parse(args);
    if (options.bHelp)
    {
        std::fputs(CSim_Options::Usage().c_str(), stdout);
        return EXIT_OK;
    }
    if (!error.empty())
    {
        std::fprintf(stderr, "r740sim: %s\n\n%s", error.c_str(), CSim_Options::Usage().c_str());
        return EXIT_USAGE;
    }

    CSim_ConsoleUi ui;
    CUi_Interface::Set(&ui);
    int nExit = EXIT_FAILED;
    {
        CSim_Store store;
        if (!store.Start(options.brand, CPlatform_Path::ExecutableDirectory()))
        {
            std::fprintf(stderr, "r740sim: no resource bundle %s\n", options.brand.c_str());
            CUi_Interface::Set(nullptr);
            return EXIT_USAGE;
        }
        const bool bState = !options.statePath.empty() &&
                            QFileInfo::exists(QString::fromLocal8Bit(options.statePath.c_str()));
        if (bState && !store.Load(options.statePath))
        {
            CUi_Interface::Set(nullptr);
            return EXIT_FAILED;
        }
        const std::string optionError = ApplyOptions(options, store.Phone());
        if (!optionError.empty())
        {
            std::fprintf(stderr, "r740sim: %s\n", optionError.c_str());
            CUi_Interface::Set(nullptr);
            return EXIT_USAGE;
        }
        store.ApplyIdentity();

        CSim_Phone phone(store.Phone());
        if (!options.pin.empty())
            phone.SetPin(options.pin);
        phone.SetAlterBlock(options.alterBlock);
        CSim_Server server(options, phone, [&store, &options]() { return store.Save(options.statePath); });
        nExit = server.Run();
    }
    CUi_Interface::Set(nullptr);
    return nExit;
}
