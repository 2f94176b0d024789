#include "data/CData_Properties.h"

#include <climits>
#include <cstdint>
#include <utility>

namespace
{
constexpr uint32_t Bit(int nPhoneType)
{
    return uint32_t{1} << nPhoneType;
}

// Phone-type groups of the rules.
constexpr uint32_t ALL_TYPES = 0; // a rule without a group holds for every type
constexpr uint32_t G_920 = Bit(PHONETYPE_R920) | Bit(PHONETYPE_RV920);
constexpr uint32_t G_730 = Bit(PHONETYPE_RV730) | Bit(PHONETYPE_RV730U);
// The 930 family and its relatives, which got the version 3.3 features first.
constexpr uint32_t G_930 = Bit(PHONETYPE_R930T) | Bit(PHONETYPE_RV930) | Bit(PHONETYPE_RV930U) |
                           Bit(PHONETYPE_RV920XT) | Bit(PHONETYPE_RV930SMS);
constexpr uint32_t G_930CD = Bit(PHONETYPE_RV930) | Bit(PHONETYPE_RV930U) | Bit(PHONETYPE_RV930SMS);
constexpr uint32_t G_USB = Bit(PHONETYPE_R760) | Bit(PHONETYPE_R930T) | Bit(PHONETYPE_RV760) |
                           Bit(PHONETYPE_RV930) | Bit(PHONETYPE_RV930U) | Bit(PHONETYPE_RV930SMS);
constexpr uint32_t G_E740 = Bit(PHONETYPE_RV740) | Bit(PHONETYPE_RV750) | Bit(PHONETYPE_RV760);
constexpr uint32_t R930T = Bit(PHONETYPE_R930T);
constexpr uint32_t RV920 = Bit(PHONETYPE_RV920);

constexpr int ANY = INT_MIN; // no lower version bound
constexpr int TOP = INT_MAX; // no upper version bound

// One rule: when the version lies in [nVersionMin, nVersionMax], the phone type is in the group
// (or the group is ALL_TYPES) and the brand matches (or is nullptr), the property gets the value.
struct CRule
{
    int nStep; // 3 version rule, 4 phone-type rule, 5 brand rule; the tables are sorted by it
    bool CData_Properties::*pFlag;
    int CData_Properties::*pInt;
    int nValue;
    int nVersionMin;
    int nVersionMax;
    uint32_t nTypes;
    const char* pszDerivat;
};

constexpr CRule Flag(int nStep, bool CData_Properties::*p, bool bOn, int nMin, int nMax, uint32_t nTypes,
                     const char* pszDerivat = nullptr)
{
    return {nStep, p, nullptr, bOn ? 1 : 0, nMin, nMax, nTypes, pszDerivat};
}

constexpr CRule Int(int nStep, int CData_Properties::*p, int nValue, int nMin, int nMax, uint32_t nTypes,
                    const char* pszDerivat = nullptr)
{
    return {nStep, nullptr, p, nValue, nMin, nMax, nTypes, pszDerivat};
}

using P = CData_Properties;

// Counts, call filters and the link of the phone types (the fixed rules of the brand data).
const CRule s_baseRules[] = {
    Flag(3, &P::m_bCallFilter, true, 3300, TOP, ALL_TYPES),
    Flag(3, &P::m_bHtmlHelp, true, 3010, TOP, ALL_TYPES),
    Int(4, &P::m_nKeyCount, 10, ANY, TOP, G_920 | R930T | G_730),
    Flag(4, &P::m_bCallFilter, true, ANY, TOP, G_920),
    Int(4, &P::m_nMsnCount, 3, ANY, TOP, G_730),
    Flag(4, &P::m_bCallFilter, false, ANY, TOP, G_730),
    Flag(4, &P::m_bUsbCapable, true, ANY, TOP, G_USB),
};

// Capabilities of records and keys. Versions are "above the threshold": above 2999 is 3000 on.
const CRule s_capabilityRules[] = {
    // Step 3: version rules
    Flag(3, &P::m_bHeadSetLevels, true, 3000, TOP, ALL_TYPES),
    Flag(3, &P::m_bAutoAnswerSupport, true, 3400, TOP, RV920),
    Flag(3, &P::m_bAutoAnswerSupport, true, 3300, TOP, G_930),
    Flag(3, &P::m_bHeadSetTypeSupport, true, 3400, TOP, RV920),
    Flag(3, &P::m_bHeadSetTypeSupport, true, 3300, TOP, G_930),
    Flag(3, &P::m_bCallFilterFile, true, 3300, TOP, ALL_TYPES),
    Flag(3, &P::m_bCallFilterRecord, true, 3300, TOP, ALL_TYPES),
    Flag(3, &P::m_bUusFilterSupport, true, 4000, TOP, ALL_TYPES),
    Flag(3, &P::m_bUusFilterSupport, true, 3300, TOP, G_930),
    Flag(3, &P::m_bLoudStep8, true, 3300, TOP, G_930),
    Flag(3, &P::m_bCallDeflectionModes, true, 3300, TOP, G_930CD),
    Flag(3, &P::m_bVoiceBoxSupport, true, 4000, TOP, ALL_TYPES),
    Flag(3, &P::m_bVoiceBoxSupport, true, 3400, TOP, RV920),
    Flag(3, &P::m_bSmsServers, true, 3400, TOP, RV920),
    Flag(3, &P::m_bSmsRecordA, true, 4000, TOP, ALL_TYPES),
    Flag(3, &P::m_bExtendedBasic, true, 4000, TOP, ALL_TYPES),
    Flag(3, &P::m_bLoudAlarmCallRecord, true, 2000, TOP, ALL_TYPES),
    Flag(3, &P::m_bDisplayLanguageRecord, true, 2000, TOP, ALL_TYPES),
    Flag(3, &P::m_bKeyNames, true, 2000, TOP, ALL_TYPES),
    Flag(3, &P::m_bMsnGoRecord, true, 2000, TOP, ALL_TYPES),
    Flag(3, &P::m_bCallDeflectionSupport, true, 2000, TOP, ALL_TYPES),
    Flag(3, &P::m_bInternRing, true, 2000, TOP, ALL_TYPES),
    Flag(3, &P::m_bEntryInfotext, true, 4000, TOP, ALL_TYPES),
    Flag(3, &P::m_bEntryInfotext, true, 3300, TOP, G_930),
    Int(3, &P::m_nIntNumberLen, 2, ANY, TOP, ALL_TYPES),
    Int(3, &P::m_nIntNumberLen, 4, 2060, TOP, ALL_TYPES),
    // Step 4: phone-type rules
    Flag(4, &P::m_bHeadSetLevels, true, ANY, TOP, G_920 | G_730),
    Flag(4, &P::m_bAutoAnswerSupport, true, 4000, TOP, G_730),
    Flag(4, &P::m_bAutoAnswerSupport, false, ANY, 3999, G_730),
    Flag(4, &P::m_bHeadSetTypeSupport, true, 4000, TOP, G_730),
    Flag(4, &P::m_bHeadSetTypeSupport, false, ANY, 3999, G_730),
    Flag(4, &P::m_bCallFilterFile, true, ANY, TOP, G_920),
    Flag(4, &P::m_bCallFilterFile, false, ANY, TOP, G_730),
    Flag(4, &P::m_bCallFilterRecord, false, ANY, 3999, G_730),
    Flag(4, &P::m_bUusFilterSupport, false, ANY, TOP, G_920),
    Flag(4, &P::m_bVoiceBoxSupport, false, ANY, TOP, R930T | G_730),
    Flag(4, &P::m_bSmsServers, false, ANY, TOP, G_730),
    Flag(4, &P::m_bSmsRecordA, true, ANY, TOP, R930T),
    Flag(4, &P::m_bInternRing, false, ANY, TOP, R930T),
    // Step 5: brand rules
    Flag(5, &P::m_bCallFilterRecord, true, ANY, TOP, ALL_TYPES, "VORTANE"),
    Flag(5, &P::m_bNovRekLine, true, ANY, TOP, ALL_TYPES, "NOVREK"),
    Flag(5, &P::m_bVipKeyLabels, true, ANY, TOP, ALL_TYPES, "VORTANE"),
    Int(5, &P::m_nIntNumberLen, 3, ANY, TOP, ALL_TYPES, "VORTANE"),
    Int(5, &P::m_nIntNumberLen, 4, ANY, TOP, ALL_TYPES, "NOVREK"),
};

// The page flags: which pages, page elements, transfer states, commands and presets a phone type
// has. Each follows the firmware generation that brought its feature (thresholds 1999, 2059,
// 2129, 2999, 3009, 3299, 3399, 3999) and the phone-type groups above; where a flag guards the
// same record as a capability it repeats that capability's rows.
const CRule s_pageFlagRules[] = {
    // Step 3: version rules
    Flag(3, &P::m_bKeyPicture, true, 2000, TOP, ALL_TYPES),
    Flag(3, &P::m_bPhonebookMsnPara, true, 2000, TOP, ALL_TYPES),
    Flag(3, &P::m_bParkCodeField, true, 2000, TOP, ALL_TYPES),
    Flag(3, &P::m_bPinResetSupport, true, 2060, TOP, ALL_TYPES),
    Flag(3, &P::m_bDirectCallField, true, 2060, TOP, ALL_TYPES),
    Flag(3, &P::m_bE740Support, true, 2060, TOP, G_E740),
    Flag(3, &P::m_bFirmwareUpdate, true, 2130, TOP, ALL_TYPES),
    Flag(3, &P::m_bPayCounterResetSupport, true, 2130, TOP, ALL_TYPES),
    Flag(3, &P::m_bUnitNameField, true, 2130, TOP, ALL_TYPES),
    Flag(3, &P::m_bAlarmCalls, true, 3000, TOP, ALL_TYPES),
    Flag(3, &P::m_bLetterLarge, true, 3000, TOP, ALL_TYPES),
    Int(3, &P::m_nMelodyCount, 22, 3000, TOP, ALL_TYPES),
    Flag(3, &P::m_bRisingLoudness, true, 3300, TOP, G_930),
    Flag(3, &P::m_bAnswerDeflectionMode, true, 3300, TOP, G_930CD),
    Flag(3, &P::m_bDialFilterVariant, true, 3400, TOP, ALL_TYPES),
    Flag(3, &P::m_bSendChangesOnly, true, 3400, TOP, ALL_TYPES),
    Flag(3, &P::m_bAnsweringMachine, true, 3400, TOP, R930T | Bit(PHONETYPE_RV920XT)),
    Flag(3, &P::m_bToneSettings, true, 3400, TOP, RV920),
    Flag(3, &P::m_bVoiceMailClient, true, 3400, TOP, RV920),
    Flag(3, &P::m_bMessaging, true, 3400, TOP, RV920),
    Flag(3, &P::m_bToneSettings, true, 4000, TOP, ALL_TYPES),
    Flag(3, &P::m_bAudioSettings, true, 4000, TOP, ALL_TYPES),
    Flag(3, &P::m_bVoiceMailClient, true, 4000, TOP, ALL_TYPES),
    Flag(3, &P::m_bMessaging, true, 4000, TOP, ALL_TYPES),
    Flag(3, &P::m_bDialVipDialInd, true, 4000, TOP, ALL_TYPES),
    Flag(3, &P::m_bBasicExtChecks, true, 4000, TOP, ALL_TYPES),
    Int(3, &P::m_nText9210Limit, 2, ANY, TOP, ALL_TYPES),
    Int(3, &P::m_nText9210Limit, 4, 2060, TOP, ALL_TYPES),
    // Step 4: phone-type rules
    Flag(4, &P::m_bConnectionPane, true, ANY, TOP, G_USB),
    Flag(4, &P::m_bFixedSizeWindow, true, ANY, TOP, G_730),
    Flag(4, &P::m_bMessaging, true, ANY, TOP, R930T),
    Flag(4, &P::m_bMessaging, false, ANY, TOP, G_730),
    Flag(4, &P::m_bVoiceMailClient, false, ANY, TOP, R930T | G_730),
    Flag(4, &P::m_bAlarmCalls, false, ANY, TOP, G_730),
    Flag(4, &P::m_bAudioSettings, false, ANY, TOP, G_730),
    // The phonebook program refuses the RV730 family (the PABX hand-off says so too).
    Flag(4, &P::m_bRxDialNameAllowed, false, ANY, TOP, G_730),
    Flag(4, &P::m_bTxDialNameAllowed, false, ANY, TOP, G_730),
    // The RV730 family has no configuration PIN.
    Flag(4, &P::m_bPinPrompt, false, ANY, TOP, G_730),
    // Step 5: brand rules
    Flag(5, &P::m_bDialVipDialInd, true, ANY, TOP, ALL_TYPES, "VORTANE"),
    Flag(5, &P::m_bLcrSupport, false, ANY, TOP, ALL_TYPES, "BRELMONDIA"),
    Flag(5, &P::m_bPresetQMailboxKeys, true, ANY, TOP, ALL_TYPES, "QUESK"),
    Flag(5, &P::m_bPresetQMailboxPhonebook, true, ANY, TOP, ALL_TYPES, "QUESK"),
    Flag(5, &P::m_bPresetKeyDefaultsKeys, true, ANY, TOP, ALL_TYPES, "QUESK"),
    Flag(5, &P::m_bPresetKeyDefaultsPhonebook, true, ANY, TOP, ALL_TYPES, "QUESK"),
    Flag(5, &P::m_bPresetKeyDefaultsV4, true, 4000, TOP, ALL_TYPES, "QUESK"),
    Int(5, &P::m_nText9210Limit, 3, ANY, TOP, ALL_TYPES, "VORTANE"),
    Int(5, &P::m_nText9210Limit, 4, ANY, TOP, ALL_TYPES, "NOVREK"),
};

// Phone types offered before any rule.
constexpr uint32_t DEFAULT_OFFERED = Bit(PHONETYPE_R740) | Bit(PHONETYPE_R750) | Bit(PHONETYPE_R760) |
                                     Bit(PHONETYPE_RV730) | Bit(PHONETYPE_RV730U) | Bit(PHONETYPE_RV740) |
                                     Bit(PHONETYPE_RV750) | Bit(PHONETYPE_RV760) | Bit(PHONETYPE_RV920) |
                                     Bit(PHONETYPE_RV920XT) | Bit(PHONETYPE_RV930) | Bit(PHONETYPE_RV930U);

// Brands that offer a fixed set of phone types; bSmsRule: RV930SMS keeps what the version rule said.
struct CDerivatTypes
{
    const char* pszDerivat;
    uint32_t nTypes;
    bool bSmsRule;
};

const CDerivatTypes s_derivatTypes[] = {
    {"PALUDIN", Bit(PHONETYPE_RV740) | Bit(PHONETYPE_RV750), true},
    {"BRELMONDIA", Bit(PHONETYPE_R930T) | Bit(PHONETYPE_RV730), false},
    {"QUESK", Bit(PHONETYPE_RV740) | Bit(PHONETYPE_RV750), true},
    {"VORTANE", Bit(PHONETYPE_RV740) | Bit(PHONETYPE_RV920), false},
    {"NOVREK", Bit(PHONETYPE_RV730U) | Bit(PHONETYPE_RV740) | Bit(PHONETYPE_RV930U), true},
};

bool Matches(const CRule& rule, const CData_PropertyInput& input)
{
    if (input.nVersion < rule.nVersionMin || input.nVersion > rule.nVersionMax)
        return false;
    if (rule.nTypes != ALL_TYPES && (input.nPhoneType < 0 || input.nPhoneType >= PHONETYPE_LIMIT ||
                                     !(rule.nTypes & Bit(input.nPhoneType))))
        return false;
    return !rule.pszDerivat || input.brand.m_szDerivat == rule.pszDerivat;
}

template <size_t N>
void ApplyStep(CData_Properties& props, const CRule (&rules)[N], int nStep, const CData_PropertyInput& input)
{
    for (const CRule& rule : rules)
    {
        if (rule.nStep != nStep || !Matches(rule, input))
            continue;
        if (rule.pFlag)
            props.*rule.pFlag = rule.nValue != 0;
        else
            props.*rule.pInt = rule.nValue;
    }
}

uint32_t OfferedMask(const CData_Properties& props)
{
    uint32_t n = 0;
    for (int i = 0; i < PHONETYPE_LIMIT; ++i)
        if (props.m_abPhoneTypeOffered[i])
            n |= Bit(i);
    return n;
}

void SetOffered(CData_Properties& props, uint32_t nMask)
{
    for (int i = 0; i < PHONETYPE_LIMIT; ++i)
        props.m_abPhoneTypeOffered[i] = (nMask & Bit(i)) != 0;
}
} // namespace

bool CData_Properties::KeyFunctionOffered(int nKeyUse) const
{
    switch (nKeyUse)
    {
    case 2:
        return m_bKeyLine;
    case 3:
        return m_bKeyExt;
    case 5:
    case 6:
        return m_bKeyVariant;
    case 7:
        return m_bKeyTeamLogout;
    case 8:
    case 9:
        return m_bKeyAnnounce;
    case 10:
    case 11:
        return m_bKeyIntercom;
    case 12:
    case 13:
        return m_bKeyChefSec;
    case 14:
        return m_bKeyDialFilter;
    case 15:
        return m_bKeyAws;
    case 16:
        return m_bKeyDirectCall;
    case 17:
        return m_bKeyVMail;
    default:
        return nKeyUse == 1 || nKeyUse == 4 || (nKeyUse >= 18 && nKeyUse <= 27);
    }
}

int CData_Properties::PhoneTypeOffered(int nPhoneType) const
{
    if (nPhoneType < 0 || nPhoneType >= PHONETYPE_LIMIT)
        return 0;
    return m_abPhoneTypeOffered[nPhoneType] ? 1 : 0;
}

CData_Properties CData_Properties::Computed(const CData_PropertyInput& input)
{
    // Step 2: defaults under the brand data.
    CData_Properties props;
    static_cast<CData_Brand&>(props) = input.brand;
    const std::string& derivat = input.brand.m_szDerivat;
    const std::string& country = input.brand.m_szCountry;
    uint32_t nOffered = DEFAULT_OFFERED;

    // Step 3: version rules.
    if (input.nVersion > 4099 && input.bSettingRV930Sms)
        nOffered |= Bit(PHONETYPE_RV930SMS);
    if (input.nVersion > 2099 && (input.bPabxMode || input.bSettingRV730))
        nOffered |= Bit(PHONETYPE_RV730);
    if (input.nVersion > 2019 && (country == "ITA" || input.bSettingRV745))
        nOffered |= Bit(PHONETYPE_RV745);
    SetOffered(props, nOffered);
    for (int nStep = 3; nStep <= 5; ++nStep)
    {
        ApplyStep(props, s_baseRules, nStep, input);
        ApplyStep(props, s_capabilityRules, nStep, input);
        ApplyStep(props, s_pageFlagRules, nStep, input);
    }

    // Step 5: the phone types of the brand.
    nOffered = OfferedMask(props);
    const uint32_t nSms = nOffered & Bit(PHONETYPE_RV930SMS);
    if (derivat == "TALVO")
    {
        nOffered &= ~Bit(PHONETYPE_R920);
        if (!input.bSettingRV920)
            nOffered &= ~Bit(PHONETYPE_RV920);
        if (!input.bSettingRV930Sms)
            nOffered &= ~Bit(PHONETYPE_RV930SMS);
    }
    for (const CDerivatTypes& d : s_derivatTypes)
        if (derivat == d.pszDerivat)
            nOffered = d.nTypes | (d.bSmsRule ? nSms : 0);
    SetOffered(props, nOffered);

    // Step 6.
    if (country == "GER")
        props.m_bGerVortane = derivat == "VORTANE";

    // An answering-machine module in the first slot brings the answering machine and the
    // voicemail client to any phone that reports one.
    if (input.anModuleType[0] == MODULETYPE_AB)
    {
        props.m_bAnsweringMachine = true;
        props.m_bVoiceMailClient = true;
    }
    return props;
}

namespace
{
// The one value in force and its input (see Install).
CData_Properties::CSnapshot& InForce()
{
    static CData_Properties::CSnapshot s_inForce;
    return s_inForce;
}
} // namespace

const CData_Properties& CData_Properties::Current()
{
    return InForce().properties;
}

const CData_PropertyInput& CData_Properties::CurrentInput()
{
    return InForce().input;
}

void CData_Properties::Install(const CData_PropertyInput& input)
{
    CSnapshot& inForce = InForce();
    // Computed first: the input may be the one in force.
    CData_Properties props = Computed(input);
    inForce.input = input;
    inForce.properties = std::move(props);
}

void CData_Properties::SetVersionNumber(int nVersion)
{
    InForce().input.nVersion = nVersion;
}

CData_Properties::CSnapshot CData_Properties::Snapshot()
{
    return InForce();
}

void CData_Properties::Restore(const CSnapshot& snapshot)
{
    InForce() = snapshot;
}
