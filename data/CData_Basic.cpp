#include "data/CData_Basic.h"

#include "data/CData_FileRow.h"
#include "data/CData_Properties.h"
#include "data/CData_Record.h"
#include "data/CData_Types.h"
#include "data/CData_UiText.h"
#include "support/Trace.h"

#include <tuple>

namespace
{
const char s_szClass[] = "CData_Basic";

using B = CData_Basic;
using P = CData_Properties;
using Row = CData_FileRow<B>;
namespace R = CData_FileRows;

bool SmsServers(const P& p)
{
    return p.m_bSmsServers || p.m_bSmsRecordA;
}

// HeadSet is one key over two fields: a level 0 to 2 (read leniently 0 to 9) where the phone type
// has levels, an On/Off value elsewhere.
int MoveHeadSet(B& b, int bToFile, std::string& text)
{
    if (!CData_Properties::Current().m_bHeadSetLevels)
        return bToFile ? BoolToStr(b.m_bHeadSet, text) : StrToBool(b.m_bHeadSet, text);
    return bToFile ? IntToStr(b.m_nHeadSetLevel, text, 0, 2) : StrToInt(b.m_nHeadSetLevel, text, 0, 9);
}

// Section order of the file.
const Row s_rows[] = {
    {"DialFilterUse", R::Enum<B, &B::m_nDialFilterUse, DialFilterUseToStr, StrToDialFilterUse>, nullptr},
    {"Silence", R::Enum<B, &B::m_nSilence, SilenceToStr, StrToSilence>, nullptr},
    {"LcrMode", R::Enum<B, &B::m_nLcrMode, LcrModeToStr, StrToLcrMode>, nullptr},
    {"DispCall", R::Enum<B, &B::m_nDispCall, DispCallToStr, StrToDispCall>, nullptr},
    {"DispCharge", R::Enum<B, &B::m_nDispCharge, DispChargeToStr, StrToDispCharge>, nullptr},
    {"DialPre", R::Str<B, &B::m_strDialPre, StrToDialPre>, nullptr},
    {"DialPreInt", R::Str<B, &B::m_strDialPreInt, StrToDialPre>, nullptr},
    {"PayMult", R::Str<B, &B::m_strPayMult, StrToPayMult>, nullptr},
    {"PayStr", R::Str<B, &B::m_strPayStr, StrToPayStr>, nullptr},
    {"ParkCode", R::Str<B, &B::m_strParkCode, StrToParkCode>, nullptr},
    {"UnitName", R::Str<B, &B::m_strUnitName, StrToUnitName>, nullptr},
    {"DirectCall", R::Str<B, &B::m_strDirectCall, StrToMsnExt>, nullptr},
    {"LoudBox", R::Int<B, &B::m_nLoudBox, LoudToStr, StrToLoud>, nullptr},
    {"LoudHand", R::Int<B, &B::m_nLoudHand, LoudHandToStr, StrToLoudHand>, nullptr},
    {"LoudKnock", R::Int<B, &B::m_nLoudKnock, LoudToStr, StrToLoud>, nullptr},
    {"LoudAlarmCall", R::Int<B, &B::m_nLoudAlarmCall, LoudToStr, StrToLoud>, nullptr},
    {"LoudSilence", R::Int<B, &B::m_nLoudSilence, LoudToStr, StrToLoud>, nullptr},
    {"LcrRepeat", R::Int<B, &B::m_nLcrRepeat, LcrRepeatToStr, StrToLcrRepeat>, nullptr},
    {"PabxType", R::Int<B, &B::m_nPabxType, PabxTypeToStr, StrToPabxType>, nullptr},
    {"DialLen", R::Int<B, &B::m_nDialLen, DialLenToStr, StrToDialLen>, nullptr},
    {"PayCounter", R::U32<B, &B::m_nPayCounter, PayCounterToStr, StrToPayCounter>, nullptr},
    {"E740", R::Bool<B, &B::m_bE740>, nullptr},
    {"AutoExt", R::Bool<B, &B::m_bAutoExt>, nullptr},
    {"ToneKnock", R::Range<B, &B::m_nToneKnock, 0, 2>, nullptr},
    {"ToneError", R::Bool<B, &B::m_bToneError>, nullptr},
    {"ToneQuit", R::Bool<B, &B::m_bToneQuit>, nullptr},
    {"KnockRepeat", R::Bool<B, &B::m_bKnockRepeat>, nullptr},
    {"DispNumberOut", R::Bool<B, &B::m_bDispNumberOut>, nullptr},
    {"DispNumberIn", R::Bool<B, &B::m_bDispNumberIn>, nullptr},
    {"DispNumberListLed", R::Bool<B, &B::m_bDispNumberListLed>, nullptr},
    {"LetterLarge", R::Bool<B, &B::m_bLetterLarge>, nullptr},
    {"HeadSet", MoveHeadSet, nullptr},
    {"HeadSetType", R::Range<B, &B::m_nHeadSetType, 0, 9>, R::Has<&P::m_bHeadSetTypeSupport>},
    {"Lcr", R::Bool<B, &B::m_bLcr>, nullptr},
    {"PabxAtLowPower", R::Bool<B, &B::m_bPabxAtLowPower>, nullptr},
    {"FreeSpeakSilence", R::Bool<B, &B::m_bFreeSpeakSilence>, nullptr},
    {"DisplayLanguage", R::Enum<B, &B::m_nDisplayLanguage, DispLanToStr, StrToDispLan>, nullptr},
    {"SmsServiceNo", R::Str<B, &B::m_strSmsServiceNo, StrToSmsServiceNo>, nullptr},
    {"DefaultSMSServer", R::Range<B, &B::m_nDefaultSMSServer, 0, 2>, SmsServers},
    {"SmsServiceNo2", R::Str<B, &B::m_strSmsServiceNo2, StrToSmsServiceNo>, SmsServers},
    {"SmsServiceNo3", R::Str<B, &B::m_strSmsServiceNo3, StrToSmsServiceNo>, SmsServers},
    {"Keypad", R::Range<B, &B::m_nKeypad, 0, 2>, nullptr},
    {"LinkEndInfo", R::Bool<B, &B::m_bLinkEndInfo>, nullptr},
    {"CallFilterUse", R::Enum<B, &B::m_nCallFilterUse, CallFilterUseToStr, StrToCallFilterUse>,
     R::Has<&P::m_bCallFilterFile>},
    {"UusFilterInternal", R::Bool<B, &B::m_bUusFilterInternal>, R::Has<&P::m_bUusFilterSupport>},
    {"UusFilterExternal", R::Bool<B, &B::m_bUusFilterExternal>, R::Has<&P::m_bUusFilterSupport>},
    {"AutoAnswerTime", R::Range<B, &B::m_nAutoAnswerTime, 0, 2>, R::Has<&P::m_bAutoAnswerSupport>},
    {"VoiceBoxNo", R::Str<B, &B::m_strVoiceBoxNo, StrToMsnInt>, R::Has<&P::m_bVoiceBoxSupport>},
    {"LoudAttention", R::Int<B, &B::m_nLoudAttention, LoudAttentionToStr, StrToLoudAttention>,
     R::Has<&P::m_bExtendedBasic>},
    {"SilenceMsn1", R::Bool<B, &B::m_bSilenceMsn1>, R::Has<&P::m_bExtendedBasic>},
    {"ToneKnockIntern", R::Range<B, &B::m_nToneKnockIntern, 0, 2>, R::Has<&P::m_bExtendedBasic>},
    {"StatusLed", R::Range<B, &B::m_nStatusLed, 0, 2>, R::Has<&P::m_bExtendedBasic>},
    {"SkPhonebook", R::Range<B, &B::m_nSkPhonebook, 0, 1>, R::Has<&P::m_bExtendedBasic>},
};

// Display languages with a name: the value and the interface text of the name.
const struct
{
    int nDispLan;
    unsigned nText;
} s_dispLanNames[] = {
    {1, 352},  {2, 353},  {3, 354},  {5, 355},  {6, 356},  {7, 357},  {8, 358},  {10, 365},
    {11, 359}, {14, 360}, {16, 361}, {17, 367}, {18, 366}, {20, 362}, {21, 363}, {22, 364},
};

// Brands whose voice-box keypad record has an identifier of its own.
bool VoiceBoxBrand(const P& p)
{
    return p.m_szDerivat == "TALVO" || p.m_szDerivat == "BRELMONDIA";
}

// Extra trace lines of some records.
const char* RecordNote(int nRecord)
{
    switch (nRecord)
    {
    case 6:
        return "UNIT NAME";
    case 7:
        return "SMS ServiceNo";
    case 8:
        return "Keypad /DTMF...";
    default:
        return nullptr;
    }
}
} // namespace

CData_Basic::CData_Basic(int nNumber)
{
    SetIndex(nNumber);
    m_strPayMult = CData_UiText(TEXT_PAYMULT);
    m_strPayStr = CData_UiText(TEXT_PAYSTR);
    const std::string& lang = CData_Properties::Current().m_szDispLanDefault;
    if (!lang.empty())
        StrToDispLan(m_nDisplayLanguage, lang);
}

auto CData_Basic::Fields() const
{
    return std::tie(
        m_nDialFilterUse, m_nCallFilterUse, m_nSilence, m_nLcrMode, m_nDispCall, m_nDispCharge, m_strDialPre,
        m_strDialPreInt, m_strPayMult, m_strPayStr, m_strParkCode, m_strSmsServiceNo, m_strSmsServiceNo2,
        m_strSmsServiceNo3, m_strDirectCall, m_strUnitName, m_strVoiceBoxNo, m_nLoudBox, m_nLoudHand,
        m_nLoudKnock, m_nLoudAlarmCall, m_nLoudSilence, m_nLcrRepeat, m_nPabxType, m_nDialLen,
        m_nDisplayLanguage, m_nToneKnock, m_nKeypad, m_nHeadSetLevel, m_nHeadSetType, m_nAutoAnswerTime,
        m_nDefaultSMSServer, m_nLoudAttention, m_nToneKnockIntern, m_nStatusLed, m_nSkPhonebook,
        m_nPayCounter, m_bE740, m_bAutoExt, m_bToneError, m_bToneQuit, m_bDispNumberOut, m_bDispNumberIn,
        m_bDispNumberListLed, m_bKnockRepeat, m_bLetterLarge, m_bHeadSet, m_bLcr, m_bPabxAtLowPower,
        m_bFreeSpeakSilence, m_bLinkEndInfo, m_bUusFilterInternal, m_bUusFilterExternal, m_bSilenceMsn1);
}

bool CData_Basic::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const CData_Basic*>(&other);
    return p && CData::operator==(other) && Fields() == p->Fields();
}

int CData_Basic::MoveFile(int bToFile, int)
{
    R::MoveFileRows(*this, s_rows, bToFile, nullptr, R::VALUE_MAX_SETTINGS);
    return 1;
}

int& CData_Basic::HeadSet()
{
    return CData_Properties::Current().m_bHeadSetLevels ? m_nHeadSetLevel : m_bHeadSet;
}

int CData_Basic::RecordId(int nRecord)
{
    const P& p = CData_Properties::Current();
    switch (nRecord)
    {
    case 0:
        return ID_SWITCHES;
    case 1:
        return p.m_bExtendedBasic ? ID_TONES_EXTENDED : ID_TONES;
    case 2:
        return ID_LCR;
    case 3:
        return ID_MISC;
    case 4:
        return ID_DISPLAY;
    case 5:
        return ID_CHARGES;
    case 6:
        return ID_UNITNAME;
    case 7:
        return p.m_bSmsRecordA ? ID_SMS_A : ID_SMS;
    case 8:
        return VoiceBoxBrand(p) && p.m_bVoiceBoxSupport ? ID_KEYPAD_VOICEBOX : ID_KEYPAD;
    case RECORD_PIN:
        return ID_PIN;
    default:
        return -1;
    }
}

void CData_Basic::MoveRecord(CData_Record& r, int nRecord, const CData_Properties& p)
{
    r.Header(static_cast<unsigned char>(RecordId(nRecord)));
    switch (nRecord)
    {
    case 0:
        r.Byte(m_bAutoExt);
        r.Byte(m_bPabxAtLowPower);
        r.Byte(m_bFreeSpeakSilence);
        r.Byte(m_bE740);
        r.Byte(m_nDialFilterUse);
        r.Byte(m_nDialLen);
        if (p.m_bCallFilterRecord)
            r.Byte(m_nCallFilterUse);
        if (p.m_bUusFilterSupport)
        {
            r.Byte(m_bUusFilterInternal);
            r.Byte(m_bUusFilterExternal);
        }
        break;
    case 1:
        r.Byte(m_nToneKnock);
        r.Byte(m_bToneError);
        r.Byte(m_bToneQuit);
        r.Byte(m_bKnockRepeat);
        r.Byte(m_nSilence);
        r.Byte(m_nLoudBox);
        r.Byte(m_nLoudHand);
        r.Byte(m_nLoudKnock);
        r.Byte(m_nLoudSilence);
        if (p.m_bLoudAlarmCallRecord)
            r.Byte(m_nLoudAlarmCall);
        if (p.m_bExtendedBasic)
        {
            r.Byte(m_nLoudAttention);
            r.Byte(m_bSilenceMsn1);
            r.Byte(m_nToneKnockIntern);
            r.Byte(m_nStatusLed);
            r.Byte(m_nSkPhonebook);
        }
        break;
    case 2:
    {
        r.Byte(m_bLcr);
        // Repetitions in the low half, the mode in the high half.
        int nLcr = (m_nLcrRepeat & 0x0F) | (m_nLcrMode & 0x0F) << 4;
        r.Byte(nLcr);
        if (r.Parsing())
        {
            m_nLcrRepeat = nLcr & 0x0F;
            m_nLcrMode = nLcr >> 4 & 0x0F;
        }
        break;
    }
    case 3:
        r.Byte(m_bLetterLarge);
        r.Byte(p.m_bHeadSetLevels ? m_nHeadSetLevel : m_bHeadSet);
        r.Byte(m_nPabxType);
        if (p.m_bHeadSetTypeSupport)
            r.Byte(m_nHeadSetType);
        if (p.m_bAutoAnswerSupport)
            r.Byte(m_nAutoAnswerTime);
        break;
    case 4:
        r.Byte(m_bDispNumberOut);
        r.Byte(m_bDispNumberIn);
        r.Byte(m_nDispCall);
        r.Byte(m_nDispCharge);
        r.Byte(m_bDispNumberListLed);
        if (p.m_bDisplayLanguageRecord)
            r.Byte(m_nDisplayLanguage);
        break;
    case 5:
    {
        unsigned nMant = 0;
        unsigned nExp = 0;
        if (!r.Parsing())
            PayMultToMantExp(m_strPayMult, nMant, nExp);
        int nMantissa = static_cast<int>(nMant);
        int nExponent = static_cast<int>(nExp);
        r.U16(nMantissa);
        r.Byte(nExponent);
        if (r.Parsing() && r.Ok())
            MantExpToPayMult(static_cast<unsigned>(nMantissa), static_cast<unsigned>(nExponent),
                             m_strPayMult);
        r.String(m_strPayStr, PAYSTR_MAX, true);
        r.String(m_strParkCode, PARKCODE_MAX, false);
        r.String(m_strDialPre, DIALPRE_MAX, false);
        r.String(m_strDialPreInt, DIALPRE_MAX, false);
        r.String(m_strDirectCall, DIRECTCALL_MAX, false);
        if (r.Parsing())
        {
            // A shorter counter means the phone keeps none: the record ends before its length.
            const int nWidth = r.Peek();
            if (nWidth < 0)
            {
                r.Have(1); // fails the record: the length byte is missing
                break;
            }
            if (nWidth < PAYCOUNTER_WIDTH)
            {
                m_nPayCounter = 0;
                break;
            }
            r.Advance(1);
        }
        else
        {
            r.Expect(PAYCOUNTER_WIDTH);
        }
        r.U32(m_nPayCounter);
        break;
    }
    case 6:
        r.String(m_strUnitName, UNITNAME_MAX, true);
        break;
    case 7:
        r.String(m_strSmsServiceNo, SMSSERVICENO_MAX, false);
        if (p.m_bSmsServers || p.m_bSmsRecordA)
        {
            r.Byte(m_nDefaultSMSServer);
            r.String(m_strSmsServiceNo2, SMSSERVICENO2_MAX, false);
            r.String(m_strSmsServiceNo3, SMSSERVICENO2_MAX, false);
        }
        break;
    case 8:
    {
        r.Byte(m_nKeypad);
        // The phone keeps the inverse: 1 means no link-end information.
        int nNoLinkEnd = m_bLinkEndInfo ? 0 : 1;
        r.Byte(nNoLinkEnd);
        if (r.Parsing())
            m_bLinkEndInfo = nNoLinkEnd ? 0 : 1;
        if (p.m_bVoiceBoxSupport)
            r.String(m_strVoiceBoxNo, VOICEBOXNO_MAX, false);
        break;
    }
    case RECORD_PIN:
        r.String(m_strPin, 255, false);
        break;
    default:
        r.Fail();
        break;
    }
}

int CData_Basic::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    TraceLine(s_szClass, "MoveBlock()");
    if (const char* pszNote = RecordNote(nFlag))
        TraceLine(s_szClass, pszNote);
    const int nId = RecordId(nFlag);
    // The PIN is only ever sent.
    const bool bOurs = nId >= 0 && (nFlag != RECORD_PIN || nMode == MB_DATA);
    if (!bOurs || (nMode != MB_PARSE && nMode != MB_DATA && nMode != MB_REQUEST))
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    if (!pRecord)
        return 0;
    const CData_Properties& props = CData_Properties::Current();
    switch (nMode)
    {
    case MB_REQUEST:
        if (nSize < 2)
            return 0;
        pRecord[0] = static_cast<unsigned char>(nId);
        pRecord[1] = 0;
        return 2;
    case MB_DATA:
    {
        CData_Record record(false, pRecord, nSize);
        MoveRecord(record, nFlag, props);
        return record.Result();
    }
    default:
    {
        // Parsed into a copy: a refused record leaves the block as it was.
        CData_Basic parsed(*this);
        CData_Record record(true, pRecord, nSize);
        parsed.MoveRecord(record, nFlag, props);
        if (!record.Ok())
            return 0;
        *this = parsed;
        return record.Result();
    }
    }
}

unsigned CData_Basic::DispLanTextNumber(int nDispLan)
{
    for (const auto& row : s_dispLanNames)
        if (row.nDispLan == nDispLan)
            return row.nText;
    return 0;
}

std::string CData_Basic::DispLanName(int nDispLan)
{
    const unsigned nText = DispLanTextNumber(nDispLan);
    return nText ? CData_UiText(nText) : std::string();
}

std::string CData_Basic::InfoText(int nIndex) const
{
    switch (nIndex)
    {
    case 0:
        return m_strUnitName;
    case 1:
        return m_strPayMult + " " + m_strPayStr;
    case 2:
        return std::to_string(m_nPayCounter);
    default:
        return CData::InfoText(nIndex);
    }
}
