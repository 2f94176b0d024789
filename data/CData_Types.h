#pragma once

// Text forms of every configuration value. Per value type one writing function (XToStr) and one
// reading function (StrToX); all are stateless. Each gives 1 on success and 0 on failure, and on
// failure leaves a usable value behind (a cut string, the lower bound of the range or the
// enumeration's fallback) and writes one trace line under "CData_Types", so that a damaged file
// still loads completely. Text is code page 1252 bytes.
//
// Three rules depend on the active phone type and brand (CData_Properties::Current()): the
// internal-number length (StrToMsnInt), the eighth volume step (Loud) and the default phone-type
// word (PhoneType fallback).

#include <cstdint>
#include <string>

// Phone types (values as stored in the version block and sent by the phone).
enum EPhoneType
{
    PHONETYPE_R740 = 0,
    PHONETYPE_R750 = 1,
    PHONETYPE_R760 = 2,
    PHONETYPE_R920 = 5,
    PHONETYPE_R930T = 10,
    PHONETYPE_RV740 = 16,
    PHONETYPE_RV750 = 17,
    PHONETYPE_RV760 = 18,
    PHONETYPE_RV745 = 19,
    PHONETYPE_RV730 = 20,
    PHONETYPE_RV920 = 21,
    PHONETYPE_RV930 = 22,
    PHONETYPE_RV730U = 23,
    PHONETYPE_RV930U = 24,
    PHONETYPE_RV920XT = 25,
    PHONETYPE_RV930SMS = 26,
    PHONETYPE_LIMIT = 27, // one past the highest value; sizes tables indexed by phone type
};

// Brands (OEM types) as the phone reports them.
enum EOemType
{
    OEMTYPE_TALVO = 0,
    OEMTYPE_QUESK = 1,
    OEMTYPE_LUMARDE = 2,
    OEMTYPE_FENWORTH = 3,
    OEMTYPE_VORTANE = 4,
    OEMTYPE_NOVREK = 5,
    OEMTYPE_PALUDIN = 6,
    OEMTYPE_GASTRIN = 7,
    OEMTYPE_BRELMONDIA = 8,
    OEMTYPE_DROMEL = 9,
};

// Key-extension module types.
enum EModuleType
{
    MODULETYPE_NON = 0,
    MODULETYPE_E920 = 1,
    MODULETYPE_AB = 2,
    MODULETYPE_W920 = 3,
};

// ---- Character-class checks: keep the characters of the class, drop the rest -------------------
// (text read, target): the target is emptied and receives the kept characters.
int StrToNumStr(const std::string& text, std::string& target);     // 0-9
int StrToMsnStr(const std::string& text, std::string& target);     // 0-9 # *
int StrToPayMultStr(const std::string& text, std::string& target); // 0-9, one comma, 4 digits
int StrToNameStr(const std::string& text, std::string& target);    // the phone's name alphabet
int StrToLineAbStr(const std::string& text, std::string& target);  // 0-9 # * K P T k p t

// ---- String types: class check, then length check ----------------------------------------------
int StrToMsnExt(const std::string& text, std::string& target);     // dial string, 0..26
int StrToMsnInt(const std::string& text, std::string& target);     // dial string, 0 or 1..internal length
int StrToMsnPreCall(const std::string& text, std::string& target); // dial string, 0..23
int StrToMsnAws(const std::string& text, std::string& target);     // dial string, 0..22
int StrToVMailPin(const std::string& text, std::string& target);   // dial string, 0..23
int StrToDialPre(const std::string& text, std::string& target);    // dial string, 0..4
int StrToCallDeflectionNumber(const std::string& text, std::string& target); // dial string, 0..26
int StrToTeam(const std::string& text, std::string& target);                 // digits, exactly 0 or 2
int StrToParkCode(const std::string& text, std::string& target);             // digits, 0..2
int StrToSmsServiceNo(const std::string& text, std::string& target);         // digits, 0..26
int StrToSerialNo(const std::string& text, std::string& target);             // digits, 0..9
int StrToName(const std::string& text, std::string& target);                 // name, 0..20
int StrToKeyName(const std::string& text, std::string& target);              // name, 0..20
int StrToUnitName(const std::string& text, std::string& target);  // name, 1..20 (empty is reported)
int StrToInfotext(const std::string& text, std::string& target);  // name, 0..42
int StrToTxt(const std::string& text, std::string& target);       // name, 0..8
int StrToPayStr(const std::string& text, std::string& target);    // name, 0..6
int StrToVersion(const std::string& text, std::string& target);   // name, 0..9
int StrToRelease(const std::string& text, std::string& target);   // name, 0..17
int StrToOemString(const std::string& text, std::string& target); // name, 0..32
int StrToPayMult(const std::string& text, std::string& target);   // charge multiplier, 0..5

// The writing direction of every string type copies the value unchanged; 1.
int StrToStr(const std::string& value, std::string& text);

// ---- Integers: decimal text, inclusive range; out of range gives the lower bound --------------
// (value, text) in both directions; the writing side also puts the lower bound into the value.
int IntToStr(int& nValue, std::string& text, int nMin, int nMax);
int StrToInt(int& nValue, const std::string& text, int nMin, int nMax);

int PabxTypeToStr(int& nValue, std::string& text);
int StrToPabxType(int& nValue, const std::string& text);
int DialLenToStr(int& nValue, std::string& text);
int StrToDialLen(int& nValue, const std::string& text);
int LoudToStr(int& nValue, std::string& text);
int StrToLoud(int& nValue, const std::string& text);
int LoudHandToStr(int& nValue, std::string& text);
int StrToLoudHand(int& nValue, const std::string& text);
int LoudAttentionToStr(int& nValue, std::string& text);
int StrToLoudAttention(int& nValue, const std::string& text);
int MelodyToStr(int& nValue, std::string& text);
int StrToMelody(int& nValue, const std::string& text);
int MelodyExtToStr(int& nValue, std::string& text);
int StrToMelodyExt(int& nValue, const std::string& text);
int MsnGoToStr(int& nValue, std::string& text);
int StrToMsnGo(int& nValue, const std::string& text);
int MsnIdToStr(int& nValue, std::string& text);
int StrToMsnId(int& nValue, const std::string& text);
int TimeIdToStr(int& nValue, std::string& text);
int StrToTimeId(int& nValue, const std::string& text);
int LcrRepeatToStr(int& nValue, std::string& text);
int StrToLcrRepeat(int& nValue, const std::string& text);
int ChannelToStr(int& nValue, std::string& text);
int StrToChannel(int& nValue, const std::string& text);
int TaxLimitToStr(int& nValue, std::string& text);
int StrToTaxLimit(int& nValue, const std::string& text);
int DayToStr(int& nValue, std::string& text);
int StrToDay(int& nValue, const std::string& text);
int HourToStr(int& nValue, std::string& text);
int StrToHour(int& nValue, const std::string& text);
int MinuteToStr(int& nValue, std::string& text);
int StrToMinute(int& nValue, const std::string& text);
int MonthToStr(int& nValue, std::string& text);
int StrToMonth(int& nValue, const std::string& text);
int YearToStr(int& nValue, std::string& text);
int StrToYear(int& nValue, const std::string& text);
int SettingToStr(int& nValue, std::string& text);
int StrToSetting(int& nValue, const std::string& text);
int SpeechQualityToStr(int& nValue, std::string& text);
int StrToSpeechQuality(int& nValue, const std::string& text);
int CallsTillCalldefelctionToStr(int& nValue, std::string& text);
int StrToCallsTillCalldefelction(int& nValue, const std::string& text);
int AnnouncementToStr(int& nValue, std::string& text);
int StrToAnnouncement(int& nValue, const std::string& text);
int MaxMessageTimeToStr(int& nValue, std::string& text);
int StrToMaxMessageTime(int& nValue, const std::string& text);
int TimeTypeToStr(int& nValue, std::string& text);
int StrToTimeType(int& nValue, const std::string& text);
int OperationModeToStr(int& nValue, std::string& text);
int StrToOperationMode(int& nValue, const std::string& text);
int ActivationTimeToStr(int& nValue, std::string& text);
int StrToActivationTime(int& nValue, const std::string& text);

// Unsigned 32 bits, the whole range valid; reading refuses negative and too large numbers.
int PayCounterToStr(uint32_t& nValue, std::string& text);
int StrToPayCounter(uint32_t& nValue, const std::string& text);
int DbVersionToStr(uint32_t& nValue, std::string& text);
int StrToDbVersion(uint32_t& nValue, const std::string& text);

// The upper bound of Loud for the active phone type (6, or 7 with the eighth volume step).
int LoudMax();

// ---- Booleans: "On" / "Off" ----------------------------------------------------------------------
int BoolToStr(int nValue, std::string& text);
int StrToBool(int& nValue, const std::string& text);

// ---- Enumerations: fixed words, compared exactly ---------------------------------------------------
int DispLanToStr(int nValue, std::string& text);
int StrToDispLan(int& nValue, const std::string& text);
int CountryToStr(int nValue, std::string& text);
int StrToCountry(int& nValue, const std::string& text);
int PhoneTypeToStr(int nValue, std::string& text);
int StrToPhoneType(int& nValue, const std::string& text);
int ModuleTypeToStr(int nValue, std::string& text);
int StrToModuleType(int& nValue, const std::string& text);
int OemTypeToStr(int nValue, std::string& text);
int StrToOemType(int& nValue, const std::string& text);
int KeyUseToStr(int nValue, std::string& text);
int StrToKeyUse(int& nValue, const std::string& text);
int DialKeyUseToStr(int nValue, std::string& text);
int StrToDialKeyUse(int& nValue, const std::string& text);
int AwsKeyUseToStr(int nValue, std::string& text);
int StrToAwsKeyUse(int& nValue, const std::string& text);
int CallFilterUseToStr(int nValue, std::string& text);
int StrToCallFilterUse(int& nValue, const std::string& text);
int DialFilterUseToStr(int nValue, std::string& text);
int StrToDialFilterUse(int& nValue, const std::string& text);
int SilenceToStr(int nValue, std::string& text);
int StrToSilence(int& nValue, const std::string& text);
int LcrModeToStr(int nValue, std::string& text);
int StrToLcrMode(int& nValue, const std::string& text);
int DispCallToStr(int nValue, std::string& text);
int StrToDispCall(int& nValue, const std::string& text);
int DispChargeToStr(int nValue, std::string& text);
int StrToDispCharge(int& nValue, const std::string& text);
int AuthenticationModeToStr(int nValue, std::string& text);
int StrToAuthenticationMode(int& nValue, const std::string& text);

// ---- Charge multiplier ---------------------------------------------------------------------------
// Binary form: mantissa 0..16383 and decimal exponent 0..3, value = mantissa / 10^exponent.
const unsigned PAYMULT_MANT_MAX = 16383; // 14 bits of the record
const unsigned PAYMULT_EXP_MAX = 3;      // two bits of the record, decimals 0 to 3

int PayMultToStr(const std::string& value, std::string& text);
// Text (after StrToPayMult) to mantissa and exponent; values beyond the bounds are capped.
int PayMultToMantExp(const std::string& text, unsigned& nMant, unsigned& nExp);
// Mantissa and exponent to text ("0,05" for 5 and 2); capped values still give a text.
int MantExpToPayMult(unsigned nMant, unsigned nExp, std::string& text);

// ---- Version number ------------------------------------------------------------------------------
// "2.15" gives 2150, "2.1" 2100, "2" 2000, "12.5" 12500, "" 0: major times 1000 plus up to three
// digits of the minor number filled on the right with zeros. Leading non-digits are skipped.
int VersionToNumber(const std::string& text);
