#include "data/CData_Types.h"

#include "data/CData_CharSet.h"
#include "data/CData_Properties.h"
#include "support/Trace.h"

#include <cctype>
#include <cstring>

namespace
{
const char s_szClass[] = "CData_Types";

void Log(const char* pszOperation, const char* pszReason)
{
    TraceLine(s_szClass, pszOperation, pszReason);
}

// ---- Strings ----

enum ECharClass
{
    CLASS_DIGITS,
    CLASS_DIAL,
    CLASS_NAME,
};

struct CCharClass
{
    const char* pszCheck; // operation name of the class check
    const char* pszExtra; // characters allowed beside the digits (nullptr: name alphabet)
};

const CCharClass s_classes[] = {
    {"StrToNumStr() ", ""},
    {"StrToMsnStr() ", "#*"},
    {"StrToNameStr() ", nullptr},
};

bool InClass(ECharClass eClass, unsigned char c)
{
    const CCharClass& cls = s_classes[eClass];
    if (!cls.pszExtra)
        return CData_CharSet::IsNameChar(c) != 0;
    return (c >= '0' && c <= '9') || (c != 0 && std::strchr(cls.pszExtra, c) != nullptr);
}

int CheckClass(ECharClass eClass, const std::string& text, std::string& target)
{
    target.clear();
    int nResult = 1;
    for (const char ch : text)
    {
        if (InClass(eClass, static_cast<unsigned char>(ch)))
            target += ch;
        else
            nResult = 0;
    }
    if (!nResult)
        Log(s_classes[eClass].pszCheck, "Invalid char!");
    return nResult;
}

enum ELengthRule
{
    LENGTH_CUT,        // too long: cut to the maximum
    LENGTH_EXACT_OR_0, // any other length than 0 or the maximum: emptied
    LENGTH_EMPTIED,    // too long: emptied
    LENGTH_NOT_EMPTY,  // empty is an error (the empty string stays); too long: cut
};

struct CStringType
{
    const char* pszName; // operation name for the length line
    ECharClass eClass;
    size_t nMax;
    ELengthRule eRule;
};

int CheckString(const CStringType& type, const std::string& text, std::string& target)
{
    int nResult = CheckClass(type.eClass, text, target);
    bool bBad = false;
    switch (type.eRule)
    {
    case LENGTH_CUT:
        bBad = target.size() > type.nMax;
        if (bBad)
            target.resize(type.nMax);
        break;
    case LENGTH_EXACT_OR_0:
        bBad = !target.empty() && target.size() != type.nMax;
        if (bBad)
            target.clear();
        break;
    case LENGTH_EMPTIED:
        bBad = target.size() > type.nMax;
        if (bBad)
            target.clear();
        break;
    case LENGTH_NOT_EMPTY:
        bBad = target.empty() || target.size() > type.nMax;
        if (target.size() > type.nMax)
            target.resize(type.nMax);
        break;
    }
    if (bBad)
    {
        Log(type.pszName, "Invalid length!");
        nResult = 0;
    }
    return nResult;
}

// Field widths of the phone's records (the string lengths the phone accepts).
const CStringType s_msnExt = {"StrToMsnExt() ", CLASS_DIAL, 26, LENGTH_CUT};
const CStringType s_msnPreCall = {"StrToMsnPreCall() ", CLASS_DIAL, 23, LENGTH_CUT};
const CStringType s_msnAws = {"StrToMsnAws() ", CLASS_DIAL, 22, LENGTH_CUT};
const CStringType s_vMailPin = {"StrToVMailPin() ", CLASS_DIAL, 23, LENGTH_CUT};
const CStringType s_dialPre = {"StrToDialPre() ", CLASS_DIAL, 4, LENGTH_CUT};
const CStringType s_callDeflection = {"StrToCallDeflectionNumber() ", CLASS_DIAL, 26, LENGTH_CUT};
const CStringType s_team = {"StrToTeam() ", CLASS_DIGITS, 2, LENGTH_EXACT_OR_0};
const CStringType s_parkCode = {"StrToParkCode() ", CLASS_DIGITS, 2, LENGTH_CUT};
const CStringType s_smsServiceNo = {"StrToSmsServiceNo() ", CLASS_DIGITS, 26, LENGTH_CUT};
const CStringType s_serialNo = {"StrToSerialNo() ", CLASS_DIGITS, 9, LENGTH_CUT};
const CStringType s_name = {"StrToName() ", CLASS_NAME, 20, LENGTH_CUT};
const CStringType s_keyName = {"StrToKeyName() ", CLASS_NAME, 20, LENGTH_CUT};
const CStringType s_unitName = {"StrToUnitName() ", CLASS_NAME, 20, LENGTH_NOT_EMPTY};
const CStringType s_infotext = {"StrToInfotext() ", CLASS_NAME, 42, LENGTH_CUT};
const CStringType s_txt = {"StrToTxt() ", CLASS_NAME, 8, LENGTH_CUT};
const CStringType s_payStr = {"StrToPayStr() ", CLASS_NAME, 6, LENGTH_CUT};
const CStringType s_version = {"StrToVersion() ", CLASS_NAME, 9, LENGTH_CUT};
const CStringType s_release = {"StrToRelease() ", CLASS_NAME, 17, LENGTH_CUT};
const CStringType s_oemString = {"StrToOemString() ", CLASS_NAME, 32, LENGTH_CUT};

// The charge multiplier has four digits at most (mantissa below 16384), so five characters with
// the comma.
constexpr size_t PAYMULT_DIGITS_MAX = 4;
constexpr size_t PAYMULT_LENGTH_MAX = 5;

// ---- Integers ----

// The C library's decimal reading without its undefined overflow: leading blanks, an optional
// sign, the digits; anything after them is ignored; no digits read as 0. Saturates far outside
// every range so that an overlong number is simply out of range.
long long ReadDecimal(const std::string& text)
{
    constexpr long long SATURATION = 1LL << 40;
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        bNegative = text[i++] == '-';
    long long n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    {
        n = n * 10 + (text[i] - '0');
        if (n > SATURATION)
            n = SATURATION;
    }
    return bNegative ? -n : n;
}

struct CIntType
{
    const char* pszToStr;
    const char* pszStrTo;
    int nMin;
    int nMax;
};

int WriteInt(const CIntType& type, int& nValue, std::string& text)
{
    if (nValue >= type.nMin && nValue <= type.nMax)
    {
        text = std::to_string(nValue);
        return 1;
    }
    Log("IntToStr() ", "Invalid range!");
    nValue = type.nMin;
    text = std::to_string(nValue);
    if (type.pszToStr)
        Log(type.pszToStr, "Invalid range!");
    return 0;
}

int ReadInt(const CIntType& type, int& nValue, const std::string& text)
{
    const long long n = ReadDecimal(text);
    if (n >= type.nMin && n <= type.nMax)
    {
        nValue = static_cast<int>(n);
        return 1;
    }
    Log("StrToInt() ", "Invalid range!");
    nValue = type.nMin;
    if (type.pszStrTo)
        Log(type.pszStrTo, "Invalid range!");
    return 0;
}

const CIntType s_pabxType = {"PabxTypeToStr() ", "StrToPabxType() ", 0, 9};
const CIntType s_dialLen = {"DialLenToStr() ", "StrToDialLen() ", 0, 9};
const CIntType s_loudHand = {"LoudHandToStr() ", "StrToLoudHand() ", 0, 3};
const CIntType s_loudAttention = {"LoudAttentionToStr() ", "StrToLoudAttention() ", 0, 2};
const CIntType s_melody = {"MelodyToStr() ", "StrToMelody() ", 0, 19};
const CIntType s_melodyExt = {"MelodyExtToStr() ", "StrToMelodyExt() ", 0, 21};
const CIntType s_msnGo = {"MsnGoToStr() ", "StrToMsnGo() ", 0, 10};
const CIntType s_msnId = {"MsnIdToStr() ", "StrToMsnId() ", 0, 9};
const CIntType s_timeId = {"TimeIdToStr() ", "StrToTimeId() ", 0, 2};
const CIntType s_lcrRepeat = {"LcrRepeatToStr() ", "StrToLcrRepeat() ", 0, 9};
const CIntType s_taxLimit = {"TaxLimitToStr() ", "StrToTaxLimit() ", 0, 9999};
const CIntType s_day = {"DayToStr() ", "StrToDay() ", 1, 31};
const CIntType s_hour = {"HourToStr() ", "StrToHour() ", 0, 23};
const CIntType s_minute = {"MinuteToStr() ", "StrToMinute() ", 0, 59};
const CIntType s_month = {"MonthToStr() ", "StrToMonth() ", 1, 12};
const CIntType s_year = {"YearToStr() ", "StrToYear() ", 0, 99};
const CIntType s_setting = {"SettingToStr() ", "StrToSetting() ", 0, 3};
const CIntType s_speechQuality = {"SpeechQualityToStr() ", "StrToSpeechQuality() ", 0, 2};
const CIntType s_callsTill = {"CallsTillCalldefelctionToStr() ", "StrToCallsTillCalldefelction() ", 0, 13};
const CIntType s_announcement = {"AnnouncementToStr() ", "StrToAnnouncement() ", 0, 10};
const CIntType s_maxMessageTime = {"MaxMessageTimeToStr() ", "StrToCallsMaxMessageTime() ", 1, 4};
const CIntType s_timeType = {"TimeTypeToStr() ", "StrToTimeType() ", 0, 8};
const CIntType s_operationMode = {"OperationModeToStr() ", "StrToOperationMode() ", 1, 4};
const CIntType s_activationTime = {"ActivationTimeToStr() ", "StrToCallsActivationTime() ", 0, 9};

// Loud has six steps above 0; phones with the eighth step have one more (rising loudness).
constexpr int LOUD_MAX = 6;
constexpr int LOUD_MAX_STEP8 = 7;

// A channel byte is two decimal nibbles, each 1 to 9 (port and B channel); 0x11 is the first.
constexpr int CHANNEL_FALLBACK = 0x11;

bool ValidChannel(long long n)
{
    if (n < 0 || n > 255)
        return false;
    const long long nLow = n & 0x0F;
    const long long nHigh = n >> 4;
    return nLow >= 1 && nLow <= 9 && nHigh >= 1 && nHigh <= 9;
}

struct CUIntType
{
    const char* pszToStr;
    const char* pszStrTo;
};

int ReadUInt(const CUIntType& type, uint32_t& nValue, const std::string& text)
{
    const long long n = ReadDecimal(text);
    if (n >= 0 && n <= 0xFFFFFFFFLL)
    {
        nValue = static_cast<uint32_t>(n);
        return 1;
    }
    Log("StrToInt() ", "Invalid range!");
    nValue = 0;
    Log(type.pszStrTo, "Invalid range!");
    return 0;
}

const CUIntType s_payCounter = {"PayCounterToStr() ", "StrToPayCounter() "};
const CUIntType s_dbVersion = {"DbVersionToStr() ", "StrToDbVersion() "};

// ---- Enumerations ----

struct CEnumWord
{
    int nValue;
    const char* pszWord;
};

struct CEnumType
{
    const char* pszToStr;
    const char* pszStrTo;
    const CEnumWord* pWords; // both directions
    size_t nWords;
    const CEnumWord* pReadOnly; // words accepted only when reading
    size_t nReadOnly;
    int nFallback;
    const char* pszFallbackWord; // written for an unknown value
};

template <size_t N> constexpr size_t Count(const CEnumWord (&)[N])
{
    return N;
}

const CEnumWord* FindValue(const CEnumWord* pWords, size_t nWords, int nValue)
{
    for (size_t i = 0; i < nWords; ++i)
        if (pWords[i].nValue == nValue)
            return &pWords[i];
    return nullptr;
}

const CEnumWord* FindWord(const CEnumWord* pWords, size_t nWords, const std::string& text)
{
    for (size_t i = 0; i < nWords; ++i)
        if (text == pWords[i].pszWord)
            return &pWords[i];
    return nullptr;
}

int WriteEnum(const CEnumType& type, int nValue, std::string& text)
{
    if (const CEnumWord* p = FindValue(type.pWords, type.nWords, nValue))
    {
        text = p->pszWord;
        return 1;
    }
    Log(type.pszToStr, "Invalid value!");
    text = type.pszFallbackWord;
    return 0;
}

int ReadEnum(const CEnumType& type, int& nValue, const std::string& text)
{
    const CEnumWord* p = FindWord(type.pWords, type.nWords, text);
    if (!p)
        p = FindWord(type.pReadOnly, type.nReadOnly, text);
    if (p)
    {
        nValue = p->nValue;
        return 1;
    }
    Log(type.pszStrTo, "Invalid string!");
    nValue = type.nFallback;
    return 0;
}

const CEnumWord s_dispLan[] = {{0, "NON"}, {1, "GER"},    {2, "DUT"},  {3, "UK"},    {5, "ITA"},  {6, "DAN"},
                               {7, "SPA"}, {8, "SW"},     {10, "FRA"}, {11, "PORT"}, {14, "TCH"}, {16, "NOR"},
                               {17, "GR"}, {18, "GER_T"}, {20, "ISL"}, {21, "POL"},  {22, "HUN"}};
const CEnumWord s_country[] = {{0, "NON"},   {1, "GER"},  {2, "DUT"},    {3, "UK"},
                               {5, "ITA"},   {6, "DAN"},  {7, "SPA"},    {8, "SW"},
                               {11, "PORT"}, {14, "TCH"}, {18, "GER_T"}, {255, "INT"}};
const CEnumWord s_countryRead[] = {{10, "FRA"}, {17, "GR"}};
const CEnumWord s_phoneType[] = {
    {PHONETYPE_R740, "R740"},        {PHONETYPE_R750, "R750"},     {PHONETYPE_R760, "R760"},
    {PHONETYPE_R920, "R920"},        {PHONETYPE_R930T, "R930T"},   {PHONETYPE_RV740, "RV740"},
    {PHONETYPE_RV750, "RV750"},      {PHONETYPE_RV760, "RV760"},   {PHONETYPE_RV745, "RV745"},
    {PHONETYPE_RV730, "RV730"},      {PHONETYPE_RV920, "RV920"},   {PHONETYPE_RV930, "RV930"},
    {PHONETYPE_RV730U, "RV730U"},    {PHONETYPE_RV930U, "RV930U"}, {PHONETYPE_RV920XT, "RV920XT"},
    {PHONETYPE_RV930SMS, "RV930SMS"}};
const CEnumWord s_moduleType[] = {{0, "NON"}, {1, "E920"}, {2, "AB"}, {3, "W920"}};
const CEnumWord s_oemType[] = {{0, "TALVO"},      {1, "QUESK"},  {2, "LUMARDE"}, {3, "FENWORTH"},
                               {4, "VORTANE"},    {5, "NOVREK"}, {6, "PALUDIN"}, {7, "GASTRIN"},
                               {8, "BRELMONDIA"}, {9, "DROMEL"}};
const CEnumWord s_keyUse[] = {{1, "DIAL"},        {2, "LINE"},           {3, "EXT"},
                              {4, "MSN"},         {5, "VARIANT_ALL"},    {6, "VARIANT_TEAM"},
                              {7, "TEAMLOGOUT"},  {8, "ANNOUNCE"},       {9, "ANNOUNCE_LOOK"},
                              {10, "INTERCOM"},   {11, "INTERCOM_LOOK"}, {12, "CHEF"},
                              {13, "SEC"},        {14, "DIALFILTER"},    {15, "AWS"},
                              {16, "DIRECTCALL"}, {17, "VMAIL"},         {18, "MACRO"},
                              {19, "HEADSET"},    {20, "AUTOANSWER"},    {21, "ABVOICEBOX"},
                              {22, "USER"},       {23, "BALE"},          {24, "STATUSINFO"},
                              {25, "AWS_SEC"},    {26, "CONNECTION"},    {27, "PENDING_CALLBACK"}};
// Words of older files.
const CEnumWord s_keyUseRead[] = {{1, "DIALKEY"}, {2, "LINEKEY"}, {3, "EXTKEY"}, {4, "MSNKEY"}};
const CEnumWord s_dialKeyUse[] = {{1, "MSN"}, {2, "DTMF"}, {3, "KEYPAD"}};
const CEnumWord s_awsKeyUse[] = {{1, "FIX"}, {2, "DELAY"}, {3, "BUSY"}};
const CEnumWord s_callFilterUse[] = {{0, "NON"}, {1, "REJECT_LIST"}, {2, "PASS_LIST"}, {3, "BLOCK_ALL"}};
const CEnumWord s_dialFilterUse[] = {{0, "NON"}, {1, "BLOCKANDFREE"}, {2, "BLOCKALLEXPECTFREE"}};
const CEnumWord s_silence[] = {{0, "OFF"}, {1, "ON"}, {2, "OFF_EXCEPTNOTICE"}};
const CEnumWord s_lcrMode[] = {{1, "DEFAULT_CARRIER"}, {2, "NEXT_CARRIER"}, {4, "REPEAT_CARRIER"}};
const CEnumWord s_dispCall[] = {{0, "NUMBER_CHARGE"}, {1, "NUMBER_TIME"}, {2, "NUMBER"}, {3, "DATE_TIME"}};
const CEnumWord s_dispCharge[] = {{1, "CHARGE_ELSE_TIME"}, {2, "TIME"}, {3, "CHARGE"}};
const CEnumWord s_authenticationMode[] = {{0, "NON"}, {1, "USER"}, {2, "PIN1"}};

#define R740_ENUM(words) words, Count(words), nullptr, 0
#define R740_ENUM_READ(words, read) words, Count(words), read, Count(read)

const CEnumType s_enumDispLan = {"DispLanToStr() ", "StrToDispLan() ", R740_ENUM(s_dispLan), 0, "NON"};
const CEnumType s_enumCountry = {"CountryToStr() ", "StrToCountry() ",
                                 R740_ENUM_READ(s_country, s_countryRead), 0, "NON"};
const CEnumType s_enumModuleType = {"ModuleTypeToStr() ", "StrToModuleType() ", R740_ENUM(s_moduleType), 0,
                                    ""};
const CEnumType s_enumOemType = {"OemTypeToStr() ", "StrToOemType() ", R740_ENUM(s_oemType), 0, "TALVO"};
const CEnumType s_enumKeyUse = {"KeyUseToStr() ", "StrToKeyUse() ", R740_ENUM_READ(s_keyUse, s_keyUseRead), 1,
                                "DIAL"};
const CEnumType s_enumDialKeyUse = {"DialKeyUseToStr() ", "StrToDialKeyUse() ", R740_ENUM(s_dialKeyUse), 1,
                                    "MSN"};
const CEnumType s_enumAwsKeyUse = {"AwsKeyUseToStr() ", "StrToAwsKeyUse() ", R740_ENUM(s_awsKeyUse), 2,
                                   "DELAY"};
const CEnumType s_enumCallFilterUse = {"CallFilterUseToStr() ", "StrToCallFilterUse() ",
                                       R740_ENUM(s_callFilterUse), 0, "NON"};
const CEnumType s_enumDialFilterUse = {"DialFilterUseToStr() ", "StrToDialFilterUse() ",
                                       R740_ENUM(s_dialFilterUse), 0, "NON"};
const CEnumType s_enumSilence = {"SilenceToStr() ", "StrToSilence() ", R740_ENUM(s_silence), 0, "OFF"};
const CEnumType s_enumLcrMode = {"LcrModeToStr() ", "StrToLcrMode() ", R740_ENUM(s_lcrMode), 1,
                                 "DEFAULT_CARRIER"};
const CEnumType s_enumDispCall = {"DispCallToStr() ", "StrToDispCall() ", R740_ENUM(s_dispCall), 0,
                                  "NUMBER_CHARGE"};
const CEnumType s_enumDispCharge = {"DispChargeToStr() ", "StrToDispCharge() ", R740_ENUM(s_dispCharge), 1,
                                    "CHARGE_ELSE_TIME"};
// The reading side of this one logs without the StrTo prefix.
const CEnumType s_enumAuthenticationMode = {"AuthenticationModeToStr() ", "AuthenticationMode() ",
                                            R740_ENUM(s_authenticationMode), 0, "NON"};

#undef R740_ENUM
#undef R740_ENUM_READ

// The phone type falls back to the active brand's default type, whose word comes from the brand
// data; a default word that names no type falls back to the first type.
int DefaultPhoneType(std::string& word)
{
    word = CData_Properties::Current().m_szPhoneTypeDefault;
    const CEnumWord* p = FindWord(s_phoneType, Count(s_phoneType), word);
    if (p)
        return p->nValue;
    word = s_phoneType[0].pszWord;
    return s_phoneType[0].nValue;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

// ---- Character classes ----

int StrToNumStr(const std::string& text, std::string& target)
{
    return CheckClass(CLASS_DIGITS, text, target);
}

int StrToMsnStr(const std::string& text, std::string& target)
{
    return CheckClass(CLASS_DIAL, text, target);
}

int StrToNameStr(const std::string& text, std::string& target)
{
    return CheckClass(CLASS_NAME, text, target);
}

int StrToLineAbStr(const std::string& text, std::string& target)
{
    target.clear();
    int nResult = 1;
    for (const char ch : text)
    {
        if (IsDigit(ch) || (ch != 0 && std::strchr("#*KPTkpt", ch) != nullptr))
            target += ch;
        else
            nResult = 0;
    }
    if (!nResult)
        Log("StrToLineAbStr() ", "Invalid char!");
    return nResult;
}

int StrToPayMultStr(const std::string& text, std::string& target)
{
    target.clear();
    int nResult = 1;
    bool bComma = false;
    size_t nDigits = 0;
    for (const char ch : text)
    {
        if (IsDigit(ch) && nDigits < PAYMULT_DIGITS_MAX)
        {
            target += ch;
            ++nDigits;
        }
        else if (ch == ',' && !bComma && !target.empty())
        {
            target += ch;
            bComma = true;
        }
        else
            nResult = 0;
    }
    if (!nResult)
        Log("StrToPayMultStr() ", "Invalid char!");
    return nResult;
}

// ---- String types ----

int StrToMsnExt(const std::string& text, std::string& target)
{
    return CheckString(s_msnExt, text, target);
}

int StrToMsnInt(const std::string& text, std::string& target)
{
    int nMax = CData_Properties::Current().m_nIntNumberLen;
    if (nMax < 0)
        nMax = 0;
    const CStringType type = {"StrToMsnInt() ", CLASS_DIAL, static_cast<size_t>(nMax), LENGTH_EMPTIED};
    return CheckString(type, text, target);
}

int StrToMsnPreCall(const std::string& text, std::string& target)
{
    return CheckString(s_msnPreCall, text, target);
}

int StrToMsnAws(const std::string& text, std::string& target)
{
    return CheckString(s_msnAws, text, target);
}

int StrToVMailPin(const std::string& text, std::string& target)
{
    return CheckString(s_vMailPin, text, target);
}

int StrToDialPre(const std::string& text, std::string& target)
{
    return CheckString(s_dialPre, text, target);
}

int StrToCallDeflectionNumber(const std::string& text, std::string& target)
{
    return CheckString(s_callDeflection, text, target);
}

int StrToTeam(const std::string& text, std::string& target)
{
    return CheckString(s_team, text, target);
}

int StrToParkCode(const std::string& text, std::string& target)
{
    return CheckString(s_parkCode, text, target);
}

int StrToSmsServiceNo(const std::string& text, std::string& target)
{
    return CheckString(s_smsServiceNo, text, target);
}

int StrToSerialNo(const std::string& text, std::string& target)
{
    return CheckString(s_serialNo, text, target);
}

int StrToName(const std::string& text, std::string& target)
{
    return CheckString(s_name, text, target);
}

int StrToKeyName(const std::string& text, std::string& target)
{
    return CheckString(s_keyName, text, target);
}

int StrToUnitName(const std::string& text, std::string& target)
{
    return CheckString(s_unitName, text, target);
}

int StrToInfotext(const std::string& text, std::string& target)
{
    return CheckString(s_infotext, text, target);
}

int StrToTxt(const std::string& text, std::string& target)
{
    return CheckString(s_txt, text, target);
}

int StrToPayStr(const std::string& text, std::string& target)
{
    return CheckString(s_payStr, text, target);
}

int StrToVersion(const std::string& text, std::string& target)
{
    return CheckString(s_version, text, target);
}

int StrToRelease(const std::string& text, std::string& target)
{
    return CheckString(s_release, text, target);
}

int StrToOemString(const std::string& text, std::string& target)
{
    return CheckString(s_oemString, text, target);
}

int StrToPayMult(const std::string& text, std::string& target)
{
    int nResult = StrToPayMultStr(text, target);
    if (target.size() > PAYMULT_LENGTH_MAX)
    {
        target.resize(PAYMULT_LENGTH_MAX);
        Log("StrToPayMult() ", "Invalid length!");
        nResult = 0;
    }
    return nResult;
}

int StrToStr(const std::string& value, std::string& text)
{
    text = value;
    return 1;
}

// ---- Integers ----

int IntToStr(int& nValue, std::string& text, int nMin, int nMax)
{
    return WriteInt({nullptr, nullptr, nMin, nMax}, nValue, text);
}

int StrToInt(int& nValue, const std::string& text, int nMin, int nMax)
{
    return ReadInt({nullptr, nullptr, nMin, nMax}, nValue, text);
}

#define R740_INT_TYPE(Name, table)                                                                           \
    int Name##ToStr(int& nValue, std::string& text)                                                          \
    {                                                                                                        \
        return WriteInt(table, nValue, text);                                                                \
    }                                                                                                        \
    int StrTo##Name(int& nValue, const std::string& text)                                                    \
    {                                                                                                        \
        return ReadInt(table, nValue, text);                                                                 \
    }

R740_INT_TYPE(PabxType, s_pabxType)
R740_INT_TYPE(DialLen, s_dialLen)
R740_INT_TYPE(LoudHand, s_loudHand)
R740_INT_TYPE(LoudAttention, s_loudAttention)
R740_INT_TYPE(Melody, s_melody)
R740_INT_TYPE(MelodyExt, s_melodyExt)
R740_INT_TYPE(MsnGo, s_msnGo)
R740_INT_TYPE(MsnId, s_msnId)
R740_INT_TYPE(TimeId, s_timeId)
R740_INT_TYPE(LcrRepeat, s_lcrRepeat)
R740_INT_TYPE(TaxLimit, s_taxLimit)
R740_INT_TYPE(Day, s_day)
R740_INT_TYPE(Hour, s_hour)
R740_INT_TYPE(Minute, s_minute)
R740_INT_TYPE(Month, s_month)
R740_INT_TYPE(Year, s_year)
R740_INT_TYPE(Setting, s_setting)
R740_INT_TYPE(SpeechQuality, s_speechQuality)
R740_INT_TYPE(CallsTillCalldefelction, s_callsTill)
R740_INT_TYPE(Announcement, s_announcement)
R740_INT_TYPE(MaxMessageTime, s_maxMessageTime)
R740_INT_TYPE(TimeType, s_timeType)
R740_INT_TYPE(OperationMode, s_operationMode)
R740_INT_TYPE(ActivationTime, s_activationTime)

#undef R740_INT_TYPE

int LoudMax()
{
    return CData_Properties::Current().m_bLoudStep8 ? LOUD_MAX_STEP8 : LOUD_MAX;
}

int LoudToStr(int& nValue, std::string& text)
{
    return WriteInt({"LoudToStr() ", "StrToLoud() ", 0, LoudMax()}, nValue, text);
}

int StrToLoud(int& nValue, const std::string& text)
{
    return ReadInt({"LoudToStr() ", "StrToLoud() ", 0, LoudMax()}, nValue, text);
}

int ChannelToStr(int& nValue, std::string& text)
{
    int nResult = 1;
    if (!ValidChannel(nValue))
    {
        Log("ChannelToStr() ", "Invalid range!");
        nValue = CHANNEL_FALLBACK;
        nResult = 0;
    }
    text = std::to_string(nValue);
    return nResult;
}

int StrToChannel(int& nValue, const std::string& text)
{
    const long long n = ReadDecimal(text);
    if (ValidChannel(n))
    {
        nValue = static_cast<int>(n);
        return 1;
    }
    Log("StrToChannel() ", "Invalid range!");
    nValue = CHANNEL_FALLBACK;
    return 0;
}

int PayCounterToStr(uint32_t& nValue, std::string& text)
{
    text = std::to_string(nValue);
    return 1;
}

int StrToPayCounter(uint32_t& nValue, const std::string& text)
{
    return ReadUInt(s_payCounter, nValue, text);
}

int DbVersionToStr(uint32_t& nValue, std::string& text)
{
    text = std::to_string(nValue);
    return 1;
}

int StrToDbVersion(uint32_t& nValue, const std::string& text)
{
    return ReadUInt(s_dbVersion, nValue, text);
}

// ---- Booleans ----

int BoolToStr(int nValue, std::string& text)
{
    text = nValue == 1 ? "On" : "Off";
    return 1;
}

int StrToBool(int& nValue, const std::string& text)
{
    if (text == "On")
    {
        nValue = 1;
        return 1;
    }
    nValue = 0;
    if (text == "Off")
        return 1;
    Log("StrToBool() ", "Invalid string!");
    return 0;
}

// ---- Enumerations ----

#define R740_ENUM_TYPE(Name, table)                                                                          \
    int Name##ToStr(int nValue, std::string& text)                                                           \
    {                                                                                                        \
        return WriteEnum(table, nValue, text);                                                               \
    }                                                                                                        \
    int StrTo##Name(int& nValue, const std::string& text)                                                    \
    {                                                                                                        \
        return ReadEnum(table, nValue, text);                                                                \
    }

R740_ENUM_TYPE(DispLan, s_enumDispLan)
R740_ENUM_TYPE(Country, s_enumCountry)
R740_ENUM_TYPE(ModuleType, s_enumModuleType)
R740_ENUM_TYPE(OemType, s_enumOemType)
R740_ENUM_TYPE(KeyUse, s_enumKeyUse)
R740_ENUM_TYPE(DialKeyUse, s_enumDialKeyUse)
R740_ENUM_TYPE(AwsKeyUse, s_enumAwsKeyUse)
R740_ENUM_TYPE(CallFilterUse, s_enumCallFilterUse)
R740_ENUM_TYPE(DialFilterUse, s_enumDialFilterUse)
R740_ENUM_TYPE(Silence, s_enumSilence)
R740_ENUM_TYPE(LcrMode, s_enumLcrMode)
R740_ENUM_TYPE(DispCall, s_enumDispCall)
R740_ENUM_TYPE(DispCharge, s_enumDispCharge)
R740_ENUM_TYPE(AuthenticationMode, s_enumAuthenticationMode)

#undef R740_ENUM_TYPE

int PhoneTypeToStr(int nValue, std::string& text)
{
    if (const CEnumWord* p = FindValue(s_phoneType, Count(s_phoneType), nValue))
    {
        text = p->pszWord;
        return 1;
    }
    Log("PhoneTypeToStr() ", "Invalid value!");
    DefaultPhoneType(text);
    return 0;
}

int StrToPhoneType(int& nValue, const std::string& text)
{
    if (const CEnumWord* p = FindWord(s_phoneType, Count(s_phoneType), text))
    {
        nValue = p->nValue;
        return 1;
    }
    Log("StrToPhoneType() ", "Invalid string!");
    std::string word;
    nValue = DefaultPhoneType(word);
    return 0;
}

// ---- Charge multiplier ----

int PayMultToStr(const std::string& value, std::string& text)
{
    text = value;
    return 1;
}

// Both directions of the charge multiplier cut a mantissa or exponent that does not fit the
// record's 14 and 2 bits to the largest one that does, with the same log lines.
static int ClampMantExp(unsigned long& nMant, unsigned long& nExp)
{
    int nResult = 1;
    if (nMant > PAYMULT_MANT_MAX)
    {
        Log("PayMultToMantExp() ", "Mantisse too large!");
        nMant = PAYMULT_MANT_MAX;
        nResult = 0;
    }
    if (nExp > PAYMULT_EXP_MAX)
    {
        Log("PayMultToMantExp() ", "Exponent too large!");
        nExp = PAYMULT_EXP_MAX;
        nResult = 0;
    }
    return nResult;
}

int PayMultToMantExp(const std::string& text, unsigned& nMant, unsigned& nExp)
{
    unsigned long nDigits = 0;
    unsigned long nAfterComma = 0;
    bool bComma = false;
    for (const char ch : text)
    {
        if (bComma)
            ++nAfterComma;
        if (IsDigit(ch))
        {
            nDigits = nDigits * 10 + static_cast<unsigned long>(ch - '0');
            if (nDigits > PAYMULT_MANT_MAX)
                nDigits = PAYMULT_MANT_MAX + 1; // stays too large, never overflows
        }
        else if (ch == ',' && !bComma)
            bComma = true;
    }
    const int nResult = ClampMantExp(nDigits, nAfterComma);
    nMant = static_cast<unsigned>(nDigits);
    nExp = static_cast<unsigned>(nAfterComma);
    return nResult;
}

int MantExpToPayMult(unsigned nMant, unsigned nExp, std::string& text)
{
    unsigned long nMantissa = nMant;
    unsigned long nExponent = nExp;
    const int nResult = ClampMantExp(nMantissa, nExponent);
    nMant = static_cast<unsigned>(nMantissa);
    nExp = static_cast<unsigned>(nExponent);
    text = std::to_string(nMant);
    if (nExp != 0)
    {
        if (text.size() <= nExp)
            text.insert(0, nExp + 1 - text.size(), '0');
        text.insert(text.size() - nExp, 1, ',');
    }
    return nResult;
}

// ---- Version number ----

int VersionToNumber(const std::string& text)
{
    // Keeps major * 1000 + 999 inside an int whatever the text says.
    constexpr int MAJOR_MAX = 2147482;
    size_t i = 0;
    while (i < text.size() && !IsDigit(text[i]))
        ++i;
    int nMajor = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
    {
        nMajor = nMajor * 10 + (text[i] - '0');
        if (nMajor > MAJOR_MAX)
            nMajor = MAJOR_MAX;
    }
    while (i < text.size() && !IsDigit(text[i]))
        ++i;
    int nMinor = 0;
    int nMinorDigits = 0;
    for (; i < text.size() && IsDigit(text[i]) && nMinorDigits < 3; ++i, ++nMinorDigits)
        nMinor = nMinor * 10 + (text[i] - '0');
    for (; nMinorDigits < 3; ++nMinorDigits)
        nMinor *= 10;
    return nMajor * 1000 + nMinor;
}
