#include "shell/CApp_Profile.h"

#include "data/CData_Types.h"
#include "data/CData_UiText.h"
#include "platform/CPlatform_Resource.h"
#include "platform/CPlatform_Settings.h"
#include "support/Trace.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

namespace
{
const char s_szClass[] = "App";

// String-table numbers of the brand data in the resource bundle.
enum EBrandString
{
    IDS_DER_VERSION = 130,
    IDS_DER_OEM = 131,
    IDS_DER_COUNTRY = 132,
    IDS_DER_PHONETYPE_DEFAULT = 133,
    IDS_DER_DISPLANG = 134,
    IDS_DER_APPCFG = 150,
    IDS_DER_APPDIALNAME = 151,
    IDS_DER_FRAME_MINDX = 160,
    IDS_DER_FRAME_MINDY = 161,
};

// Interface text of the port pane in PABX mode.
constexpr int IDS_INDICATOR_PORT_PABX = 501;

const char s_szTransfer[] = "Transfer";
const char s_szScreen[] = "Screen";
const char s_szSettings[] = "Settings";

// Window position defaults and limits of the "Screen" section: a stored position outside the
// first limits puts the window back to 20/20; positions beyond the second are not stored.
constexpr int SCREEN_DEFAULT_POS = 20;
constexpr int SCREEN_READ_MAX_X = 3000;
constexpr int SCREEN_READ_MAX_Y = 300;
constexpr int SCREEN_WRITE_MAX_X = 800;
constexpr int SCREEN_WRITE_MAX_Y = 600;

// Defaults of the "Transfer" section.
constexpr int COMPORT_DEFAULT = 1;
constexpr int COMPORT_MAX = 255; // highest serial port number the link library addresses
constexpr int CONNECTION_USB = 0;
constexpr int CONNECTION_SERIAL = 1;
constexpr int CONNECTION_PABX = 2;
constexpr int TIMER_OPEN_DEFAULT = 2000;
constexpr int TIMER_DATA_DEFAULT = 5000;
constexpr int TIMER_TOO_SHORT = 1000; // older versions stored 1000 ms, too short for USB links
constexpr int TIMER_REPLACEMENT = 2000;
constexpr int REPEAT_DATA_DEFAULT = 5;

// The data directory's default: the system drive's root on Windows, the file system root here.
#ifdef _WIN32
const char s_szDataPathDefault[] = "C:\\";
#else
const char s_szDataPathDefault[] = "/";
#endif

// A decimal integer of the brand data; anything else reads as 0.
int BrandInt(const std::string& text)
{
    long long n = 0;
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && n < 1000000; ++i)
        n = n * 10 + (text[i] - '0');
    return static_cast<int>(n);
}

void GetInt(const CPlatform_Settings& settings, const char* pszSection, const char* pszName, int& nValue,
            int nDefault)
{
    nValue = nDefault;
    settings.GetInt(pszSection, pszName, nValue);
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (const char ch : text)
    {
        if (ch == ' ')
        {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        }
        else
            word += ch;
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

std::string Lower(std::string text)
{
    for (char& ch : text)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return text;
}
} // namespace

CApp_Profile::CApp_Profile() : m_szDataPath(s_szDataPathDefault) {}

int CApp_Profile::DerivatLoad(const StringLookup& lookup, const StringLookup& interfaceText)
{
    TraceLine(s_szClass, "DerivatLoad()");
    if (!lookup)
        return 0;
    m_interfaceText = interfaceText ? interfaceText : lookup;
    CData_Brand brand;
    brand.m_szDerivat = lookup(IDS_DER_OEM);
    brand.m_szCountry = m_interfaceText(IDS_DER_COUNTRY);
    brand.m_nBrandVersion = VersionToNumber(lookup(IDS_DER_VERSION));
    brand.m_szPhoneTypeDefault = lookup(IDS_DER_PHONETYPE_DEFAULT);
    brand.m_szDispLanDefault = lookup(IDS_DER_DISPLANG);
    brand.m_nFrameMinDx = BrandInt(lookup(IDS_DER_FRAME_MINDX));
    brand.m_nFrameMinDy = BrandInt(lookup(IDS_DER_FRAME_MINDY));
    brand.m_bAppCfg = !lookup(IDS_DER_APPCFG).empty();
    brand.m_bAppDialName = !lookup(IDS_DER_APPDIALNAME).empty();
    if (m_roleOverride != ROLE_BRAND)
    {
        brand.m_bAppCfg = m_roleOverride != ROLE_DIALNAME;
        brand.m_bAppDialName = m_roleOverride != ROLE_CFG;
    }

    // The brand data start over: their version number, no telephone's modules.
    CData_PropertyInput input = CData_Properties::CurrentInput();
    input.brand = brand;
    input.nVersion = brand.m_nBrandVersion;
    std::fill(std::begin(input.anModuleType), std::end(input.anModuleType), int{MODULETYPE_NON});
    CData_Properties::Install(input);
    return 1;
}

int CApp_Profile::DerivatLoad(const CPlatform_Resource& resource)
{
    return DerivatLoad([&resource](int n) { return resource.String(static_cast<unsigned>(n)); },
                       [](int n) { return CData_UiText(static_cast<unsigned>(n)); });
}

void CApp_Profile::SetVersionText(const std::string& version)
{
    CData_Properties::SetVersionNumber(VersionToNumber(version));
}

int CApp_Profile::ProfileSettingsGet(const CPlatform_Settings& settings)
{
    TraceLine(s_szClass, "ProfileSettingsGet()");
    GetInt(settings, s_szTransfer, "ComPort", m_nComPort, COMPORT_DEFAULT);
    GetInt(settings, s_szTransfer, "Connection", m_nConnection, CONNECTION_SERIAL);
    GetInt(settings, s_szTransfer, "TimerOpen", m_nTimerOpen, TIMER_OPEN_DEFAULT);
    GetInt(settings, s_szTransfer, "TimerData", m_nTimerData, TIMER_DATA_DEFAULT);
    GetInt(settings, s_szTransfer, "RepeatData", m_nRepeatData, REPEAT_DATA_DEFAULT);
    GetInt(settings, s_szTransfer, "VerifyWrite", m_nVerifyWrite, 1);
    m_szPhone.clear();
    settings.GetString(s_szTransfer, "Phone", m_szPhone);
    GetInt(settings, s_szScreen, "X", m_nX, SCREEN_DEFAULT_POS);
    GetInt(settings, s_szScreen, "Y", m_nY, SCREEN_DEFAULT_POS);
    GetInt(settings, s_szScreen, "DX", m_nDX, 0);
    GetInt(settings, s_szScreen, "DY", m_nDY, 0);
    GetInt(settings, s_szSettings, "RV730", m_nSetRV730, 0);
    GetInt(settings, s_szSettings, "RV745", m_nSetRV745, 0);
    GetInt(settings, s_szSettings, "RV920", m_nSetRV920, 0);
    GetInt(settings, s_szSettings, "RV930Sms", m_nSetRV930Sms, 0);
    m_szDataPath = s_szDataPathDefault;
    settings.GetString(s_szSettings, "DataPath", m_szDataPath);

    if (m_nConnection < CONNECTION_USB || m_nConnection > CONNECTION_PABX)
        m_nConnection = CONNECTION_SERIAL;
    if (m_nTimerOpen == TIMER_TOO_SHORT)
        m_nTimerOpen = TIMER_REPLACEMENT;
    if (m_nTimerData == TIMER_TOO_SHORT)
        m_nTimerData = TIMER_REPLACEMENT;
    // A value the transfer cannot run with (a timer that fires at once, an endless or negative
    // repeat count, a port the link cannot name) would stall or break every transfer: defaults.
    if (m_nTimerOpen <= 0)
        m_nTimerOpen = TIMER_OPEN_DEFAULT;
    if (m_nTimerData <= 0)
        m_nTimerData = TIMER_DATA_DEFAULT;
    if (m_nRepeatData < 0)
        m_nRepeatData = REPEAT_DATA_DEFAULT;
    if (m_nComPort < 1 || m_nComPort > COMPORT_MAX)
        m_nComPort = COMPORT_DEFAULT;
    if (m_nX < 0 || m_nY < 0 || m_nX >= SCREEN_READ_MAX_X || m_nY >= SCREEN_READ_MAX_Y)
    {
        m_nX = SCREEN_DEFAULT_POS;
        m_nY = SCREEN_DEFAULT_POS;
    }
    if (m_nDX < Brand().m_nFrameMinDx)
        m_nDX = Brand().m_nFrameMinDx;
    if (m_nDY < Brand().m_nFrameMinDy)
        m_nDY = Brand().m_nFrameMinDy;
    return 1;
}

int CApp_Profile::ProfileSettingsSet(CPlatform_Settings& settings, int nDocPhoneType)
{
    TraceLine(s_szClass, "ProfileSettingsSet()");
    PhoneTypeToStr(nDocPhoneType, m_szPhone);
    int nResult = 1;
    nResult &= settings.SetInt(s_szTransfer, "ComPort", m_nComPort);
    nResult &= settings.SetInt(s_szTransfer, "Connection", m_nConnection);
    nResult &= settings.SetInt(s_szTransfer, "TimerOpen", m_nTimerOpen);
    nResult &= settings.SetInt(s_szTransfer, "TimerData", m_nTimerData);
    nResult &= settings.SetInt(s_szTransfer, "RepeatData", m_nRepeatData);
    nResult &= settings.SetInt(s_szTransfer, "VerifyWrite", m_nVerifyWrite);
    nResult &= settings.SetString(s_szTransfer, "Phone", m_szPhone);
    nResult &= settings.SetString(s_szSettings, "DataPath", m_szDataPath);
    if (m_nX < SCREEN_WRITE_MAX_X)
        nResult &= settings.SetInt(s_szScreen, "X", m_nX);
    if (m_nY < SCREEN_WRITE_MAX_Y)
        nResult &= settings.SetInt(s_szScreen, "Y", m_nY);
    nResult &= settings.SetInt(s_szScreen, "DX", m_nDX);
    nResult &= settings.SetInt(s_szScreen, "DY", m_nDY);
    nResult &= settings.Sync();
    return nResult;
}

int CApp_Profile::DerivatToProperties(int nPhoneType)
{
    TraceLine(s_szClass, "DerivatToProperties()");
    CData_PropertyInput input = CData_Properties::CurrentInput();
    input.nPhoneType = nPhoneType;
    input.bSettingRV730 = m_nSetRV730 != 0;
    input.bSettingRV745 = m_nSetRV745 != 0;
    input.bSettingRV920 = m_nSetRV920 != 0;
    input.bSettingRV930Sms = m_nSetRV930Sms != 0;
    input.bPabxMode = PabxMode();
    CData_Properties::Install(input);

    // HTML help from version 3.01 on. Only the extension changes: the rest of the path keeps its
    // case, which matters on file systems that tell cases apart.
    if (input.nVersion > 3009)
    {
        const size_t nPos = Lower(m_szHelpFilePath).rfind(".hlp");
        if (nPos != std::string::npos)
            m_szHelpFilePath.replace(nPos, 4, ".chm");
    }

    FollowPhoneTypeLink();
    return 1;
}

void CApp_Profile::FollowPhoneTypeLink()
{
    // The link follows the phone type unless a PABX run chose it.
    if (!PabxMode())
        m_nConnection = CData_Properties::Current().m_bUsbCapable ? CONNECTION_USB : CONNECTION_SERIAL;
}

int CApp_Profile::SettlePhoneType()
{
    int nPhoneType = 0;
    // A setting that names no phone type converts to the default type and is replaced by its word.
    if (!StrToPhoneType(nPhoneType, m_szPhone))
        m_szPhone = Brand().m_szPhoneTypeDefault;
    DerivatToProperties(nPhoneType);
    if (!CData_Properties::Current().PhoneTypeOffered(nPhoneType))
    {
        m_szPhone = Brand().m_szPhoneTypeDefault;
        StrToPhoneType(nPhoneType, m_szPhone);
        DerivatToProperties(nPhoneType);
    }
    return nPhoneType;
}

std::string CApp_Profile::StatusPaneText() const
{
    if (PabxMode() || m_nConnection == CONNECTION_PABX)
        return m_interfaceText ? m_interfaceText(IDS_INDICATOR_PORT_PABX) : std::string();
    if (m_nConnection == CONNECTION_USB)
        return " USB";
    char sz[24];
    std::snprintf(sz, sizeof sz, " COM%1d", m_nComPort);
    return sz;
}

std::string CApp_Profile::UnattendedTitle(const std::string& current, const std::string& handOffType,
                                          const std::string& handOffName) const
{
    const std::string& derivat = Brand().m_szDerivat;
    if (derivat == "VORTANE" || derivat == "BRELMONDIA")
        return current + " : " + handOffName;
    if (derivat != "TALVO")
        return current;
    // The title reads "word1 - word2 word3 ..."; the dash between the first two is no word.
    std::vector<std::string> words = Words(current);
    if (words.size() > 1 && words[1] == "-")
        words.erase(words.begin() + 1);
    words.resize(words.size() < 4 ? 4 : words.size());
    const std::string tail = " " + handOffType + ", " + handOffName;
    if (Brand().m_bAppCfg)
        return words[0] + " - " + words[1] + " " + words[2] + " Systel-" + words[3] + tail;
    return words[0] + " - " + words[1] + " Systel-" + words[2] + tail;
}
