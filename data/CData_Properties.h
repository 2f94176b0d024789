#pragma once

// The feature properties of the phone type in force: every block, page and transfer state reads
// them here instead of testing brands or phone types itself.
//
// They are a pure function of their input (Computed): the brand data, the version number, the
// phone type, the module set and the user's switches. The program keeps one value in force,
// Current(), with the input it was computed from, CurrentInput(); Install() is the one way to
// change it (start-up, a new or opened document, a phone type chosen in the pages, the version
// check of a transfer), Snapshot() and Restore() put back what was in force before (a cancelled
// or failed transfer).
//
// Three groups: the brand data (CData_Brand, taken as they are from the input), the properties
// named by the brand rules (phone types offered, counts, link, the capabilities of records and
// keys) and the page flags. Computed starts from the defaults below and applies the rule tables
// of CData_Properties.cpp: version rules, then phone-type rules, then brand rules, so that a later
// rule overrides an earlier one.

#include "data/CData_Types.h"

#include <string>

// The brand data of the resource module's string table, read by DerivatLoad.
struct CData_Brand
{
    // Program roles: the configurator (whole configuration) and the phonebook program (phonebook
    // only). One executable may be both.
    bool m_bAppCfg = true;            // 150 not empty
    bool m_bAppDialName = false;      // 151 not empty
    std::string m_szDerivat;          // 131 brand word, also the OEM type string the phone must match
    std::string m_szCountry;          // 132 brand country word, default of the version block
    std::string m_szPhoneTypeDefault; // 133 default phone-type word (PhoneType fallback)
    std::string m_szDispLanDefault;   // 134 default display-language word of the basic block
    int m_nBrandVersion = 0;          // 130 the program's version number (VersionToNumber)
    int m_nFrameMinDx = 0;            // 160 minimum window width
    int m_nFrameMinDy = 0;            // 161 minimum window height
};

// What the properties are computed from.
struct CData_PropertyInput
{
    CData_Brand brand;
    // The version number (VersionToNumber): the brand's, an opened file's, or the telephone's
    // after a version check.
    int nVersion = 0;
    int nPhoneType = 0; // EPhoneType
    // The module set: the module type (EModuleType) in each module slot of the telephone, as its
    // version-module blocks report it; all MODULETYPE_NON when none were received.
    static constexpr int MODULE_SLOTS = 4;
    int anModuleType[MODULE_SLOTS] = {};
    // The user's "Settings" switches that offer further phone types.
    bool bSettingRV730 = false;
    bool bSettingRV745 = false;
    bool bSettingRV920 = false;
    bool bSettingRV930Sms = false;
    bool bPabxMode = false; // PABX link mode or PABX line mode
};

// The brand data come first, as they are: props.m_szDerivat is the brand word.
struct CData_Properties : CData_Brand
{
    // ---- Brand rules ---------------------------------------------------------------------------------

    // Phone types that may be chosen, indexed by EPhoneType.
    // Before any rule: R740, R750, R760, RV730, RV730U, RV740, RV750, RV760, RV920, RV920XT,
    // RV930, RV930U; not R920, R930T, RV745, RV930SMS.
    bool m_abPhoneTypeOffered[PHONETYPE_LIMIT] = {
        true,  true,  true,  false, false, false, false, false, false, false, // 0 R740 .. 9
        false, false, false, false, false, false, true,  true,  true,  false, // 10 R930T .. 19 RV745
        true,  true,  true,  true,  true,  true,  false,                      // 20 RV730 .. 26 RV930SMS
    };

    // How many blocks of a kind take part in file and transfer operations.
    int m_nMsnCount = 10;       // at most 10
    int m_nKeyCount = 62;       // at most 62
    bool m_bCallFilter = false; // the five call-filter blocks exist

    bool m_bUsbCapable = false;     // the phone type has a USB link
    bool m_bConnectionPane = false; // the status bar shows the link
    bool m_bGerVortane = false;     // German brand data of the brand VORTANE
    bool m_bHtmlHelp = false;       // help is HTML help (".chm") instead of the older help
    bool m_bLcrSupport = true;      // least-cost routing, default of the version block

    // Key functions offered, one flag per function group. Functions 5 and 6, 8 and 9, 10 and 11,
    // 12 and 13 share one flag each; functions 1, 4 and 18 to 27 are always accepted.
    bool m_bKeyLine = true;       // 2 LINE
    bool m_bKeyExt = true;        // 3 EXT
    bool m_bKeyVariant = true;    // 5 VARIANT_ALL, 6 VARIANT_TEAM
    bool m_bKeyTeamLogout = true; // 7 TEAMLOGOUT
    bool m_bKeyAnnounce = true;   // 8 ANNOUNCE, 9 ANNOUNCE_LOOK
    bool m_bKeyIntercom = true;   // 10 INTERCOM, 11 INTERCOM_LOOK
    bool m_bKeyChefSec = true;    // 12 CHEF, 13 SEC
    bool m_bKeyDialFilter = true; // 14 DIALFILTER
    bool m_bKeyAws = true;        // 15 AWS
    bool m_bKeyDirectCall = true; // 16 DIRECTCALL
    bool m_bKeyVMail = true;      // 17 VMAIL

    // Capabilities of records and keys (what each guards is said where it is read).
    bool m_bHeadSetLevels = false;
    bool m_bAutoAnswerSupport = false;
    bool m_bHeadSetTypeSupport = false;
    bool m_bCallFilterFile = false;
    bool m_bCallFilterRecord = false;
    bool m_bUusFilterSupport = false;
    bool m_bLoudStep8 = false; // the eighth volume step: Loud may be 7
    bool m_bCallDeflectionModes = false;
    bool m_bVoiceBoxSupport = false;
    bool m_bSmsServers = false;
    bool m_bSmsRecordA = false;
    bool m_bExtendedBasic = false;
    bool m_bLoudAlarmCallRecord = false;
    bool m_bDisplayLanguageRecord = false;
    bool m_bKeyNames = false;
    bool m_bMsnGoRecord = false;
    bool m_bCallDeflectionSupport = false;
    bool m_bInternRing = false;
    bool m_bEntryInfotext = false;
    bool m_bNovRekLine = false;
    bool m_bVipKeyLabels = false;
    int m_nIntNumberLen = 2; // longest internal number (StrToMsnInt)

    // ---- Page flags ------------------------------------------------------------------------------
    // Pages and transfer states that exist.
    bool m_bAlarmCalls = false;             // alarm-call page and transfer states
    bool m_bAnsweringMachine = false;       // answering-machine page and transfer states
    bool m_bMessaging = false;              // messaging page (SMS service centres)
    bool m_bFirmwareUpdate = false;         // firmware-update page
    bool m_bToneSettings = false;           // tone-settings transfer states
    bool m_bVoiceMailClient = false;        // voicemail-client transfer states
    bool m_bAudioSettings = false;          // audio-settings transfer states
    bool m_bSendChangesOnly = false;        // sending skips blocks equal to the phone image
    bool m_bPhonebookMsnPara = false;       // MSN parameters follow the phonebook when reading it
    bool m_bPinResetSupport = false;        // PIN reset (transfer and button)
    bool m_bPayCounterResetSupport = false; // charge-counter reset
    // Commands allowed for the phone type.
    bool m_bRxCfgAllowed = true;      // receive the configuration
    bool m_bTxCfgAllowed = true;      // send the configuration
    bool m_bRxDialNameAllowed = true; // receive the phonebook
    bool m_bTxDialNameAllowed = true; // send the phonebook
    bool m_bPinPrompt = true;         // sending asks for the configuration PIN first
    // Page and dialog elements.
    bool m_bDialVipDialInd = false;       // the VIP list is a dial-indication list (captions 213, 214)
    bool m_bDialFilterVariant = false;    // dial-filter caption 275 and control 9154
    bool m_bKeyPicture = false;           // key label sheet (button 9126 of the key page)
    bool m_bFixedSizeWindow = false;      // main window without sizing border and maximise box
    bool m_bE740Support = false;          // key-extension module E740 (check 1015, key maps)
    bool m_bUnitNameField = false;        // unit name (text 1023)
    bool m_bLetterLarge = false;          // large letters (check 1151)
    bool m_bDirectCallField = false;      // direct-call number (text 1156)
    bool m_bParkCodeField = false;        // park code (text 1154, label 1153)
    bool m_bBasicExtChecks = false;       // checks 9191 to 9193 of the basic page
    bool m_bAnswerDeflectionMode = false; // answering machine: mode combo 9203 instead of check 9015
    bool m_bRisingLoudness = false;       // a phonebook entry's Loud 7 means rising loudness
    int m_nMelodyCount = 12;              // items of the entry melody combo (standard, special, melodies)
    int m_nText9210Limit = 2;             // length limit of text 9210 (the voice-box number)
    // Presets of a new document, key part and phonebook part.
    bool m_bPresetKeyDefaultsV4 = false;
    bool m_bPresetKeyDefaultsKeys = false;
    bool m_bPresetKeyDefaultsPhonebook = false;
    bool m_bPresetQMailboxKeys = false;
    bool m_bPresetQMailboxPhonebook = false;

    // Whether a key function code is offered for the current phone type.
    bool KeyFunctionOffered(int nKeyUse) const;

    // 1 when the phone type may be chosen; 0 for every value that is no phone type.
    int PhoneTypeOffered(int nPhoneType) const;

    // Steps 2 to 6 of DerivatToProperties: the defaults, then the rules for the input.
    static CData_Properties Computed(const CData_PropertyInput& input);

    // ---- The value in force ----------------------------------------------------------------------
    // The properties in force; the defaults until the first Install.
    static const CData_Properties& Current();
    // The program's input: what Current() was computed from, except that SetVersionNumber may
    // have changed the version number since.
    static const CData_PropertyInput& CurrentInput();
    // Computes the properties for the input and puts both in force.
    static void Install(const CData_PropertyInput& input);
    // The version number for the next Install, without computing anew (an opened file's version
    // applies from the next phone-type change on, as the brand data's did before it).
    static void SetVersionNumber(int nVersion);

    // What is in force, to be put back as it was.
    struct CSnapshot;
    static CSnapshot Snapshot();
    static void Restore(const CSnapshot& snapshot);
};

struct CData_Properties::CSnapshot
{
    CData_PropertyInput input;
    CData_Properties properties;
};
