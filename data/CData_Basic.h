#pragma once

#include "data/CData.h"

#include <cstdint>
#include <string>

class CData_Record;
struct CData_Properties;

// The telephone's basic settings: dialling prefixes, least-cost routing, charges, volumes, tones,
// display options, SMS service centres, keypad mode, unit name, voice-box number and the
// configuration PIN. One block (number 0). Its records are numbered 0 to 8 and 256 (the PIN); the
// transfer passes the record number as the flag of MoveBlock.
class CData_Basic : public CData
{
public:
    static constexpr const char* KIND = "Basic";

    // Records of the block (the flag of MoveBlock).
    static constexpr int RECORD_COUNT = 9; // records 0 to 8
    static constexpr int RECORD_PIN = 256;
    // Record identifiers; some records change theirs with the phone type's capabilities.
    static constexpr unsigned char ID_SWITCHES = 0x30;        // record 0
    static constexpr unsigned char ID_TONES = 0x31;           // record 1
    static constexpr unsigned char ID_TONES_EXTENDED = 0x39;  // record 1 with ExtendedBasic
    static constexpr unsigned char ID_LCR = 0x32;             // record 2
    static constexpr unsigned char ID_MISC = 0x33;            // record 3
    static constexpr unsigned char ID_DISPLAY = 0x34;         // record 4
    static constexpr unsigned char ID_CHARGES = 0x38;         // record 5
    static constexpr unsigned char ID_UNITNAME = 0x11;        // record 6
    static constexpr unsigned char ID_SMS = 0x40;             // record 7
    static constexpr unsigned char ID_SMS_A = 0x41;           // record 7 with SmsRecordA
    static constexpr unsigned char ID_KEYPAD = 0x35;          // record 8
    static constexpr unsigned char ID_KEYPAD_VOICEBOX = 0x37; // record 8 of TALVO/BRELMONDIA with voice box
    static constexpr unsigned char ID_PIN = 0x18;             // record 256

    // Longest strings a record carries (a longer length byte is taken as this).
    static constexpr size_t PAYSTR_MAX = 6;
    static constexpr size_t PARKCODE_MAX = 2;
    static constexpr size_t DIALPRE_MAX = 4;
    static constexpr size_t DIRECTCALL_MAX = 26;
    static constexpr size_t UNITNAME_MAX = 20;
    static constexpr size_t SMSSERVICENO_MAX = 26;
    static constexpr size_t SMSSERVICENO2_MAX = 10; // the second and third centre
    static constexpr size_t VOICEBOXNO_MAX = 26;
    // Width of the charge counter in record 5.
    static constexpr int PAYCOUNTER_WIDTH = 4;
    // Interface texts of the charge defaults.
    static constexpr unsigned TEXT_PAYMULT = 320;
    static constexpr unsigned TEXT_PAYSTR = 321;

    explicit CData_Basic(int nNumber = 0);
    void SetIndex(int nNumber) { CData::SetIndex(KIND, nNumber); }

    // Equal when every field of the file is equal; the PIN is not compared.
    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    // nFlag is the record number (0 to 8, or RECORD_PIN for sending the PIN).
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;
    std::string InfoText(int nIndex) const override;

    // The identifier of a record for the current phone type; -1 for a number that is no record.
    static int RecordId(int nRecord);
    // The interface text number of a display language's name; 0 when it has none.
    static unsigned DispLanTextNumber(int nDispLan);
    // The display language's name (empty when it has none).
    static std::string DispLanName(int nDispLan);

    // The HeadSet key: the level or the On/Off value, as the phone type has it.
    int& HeadSet();

    int m_nDialFilterUse = 0; // `DialFilterUse`
    int m_nCallFilterUse = 0; // `CallFilterUse`
    int m_nSilence = 0;       // `Silence`
    int m_nLcrMode = 2;       // `LcrMode`, NEXT_CARRIER
    int m_nDispCall = 0;      // `DispCall`
    int m_nDispCharge = 1;    // `DispCharge`, CHARGE_ELSE_TIME
    std::string m_strDialPre; // outside-line prefix
    std::string m_strDialPreInt;
    std::string m_strPayMult; // charge multiplier, decimal text
    std::string m_strPayStr;  // currency text
    std::string m_strParkCode = "55";
    std::string m_strSmsServiceNo = "0184630";
    std::string m_strSmsServiceNo2;
    std::string m_strSmsServiceNo3;
    std::string m_strDirectCall;   // direct-call number
    std::string m_strPin = "5182"; // configuration PIN, never in the file
    std::string m_strUnitName;
    std::string m_strVoiceBoxNo;
    int m_nLoudBox = 3;
    int m_nLoudHand = 1;
    int m_nLoudKnock = 3;
    int m_nLoudAlarmCall = 3;
    int m_nLoudSilence = 3;
    int m_nLcrRepeat = 4;
    int m_nPabxType = 0;
    int m_nDialLen = 4;
    int m_nDisplayLanguage = 0; // `DispLan`; the brand's default language at construction
    int m_nToneKnock = 1;
    int m_nKeypad = 0;
    int m_nHeadSetLevel = 0; // HeadSet with HeadSetLevels
    int m_nHeadSetType = 0;
    int m_nAutoAnswerTime = 1;
    int m_nDefaultSMSServer = 0;
    int m_nLoudAttention = 1;
    int m_nToneKnockIntern = 1;
    int m_nStatusLed = 0;
    int m_nSkPhonebook = 0;
    uint32_t m_nPayCounter = 0;
    // On/Off values (0 or 1).
    int m_bE740 = 0; // key-extension module E740 attached
    int m_bAutoExt = 0;
    int m_bToneError = 0;
    int m_bToneQuit = 0;
    int m_bDispNumberOut = 1;
    int m_bDispNumberIn = 1;
    int m_bDispNumberListLed = 1;
    int m_bKnockRepeat = 0;
    int m_bLetterLarge = 0;
    int m_bHeadSet = 0; // HeadSet without HeadSetLevels
    int m_bLcr = 0;
    int m_bPabxAtLowPower = 0;
    int m_bFreeSpeakSilence = 0;
    int m_bLinkEndInfo = 1;
    int m_bUusFilterInternal = 0;
    int m_bUusFilterExternal = 0;
    int m_bSilenceMsn1 = 0;

private:
    // One record in either direction, read top to bottom as it stands on the link.
    void MoveRecord(CData_Record& record, int nRecord, const CData_Properties& props);
    auto Fields() const;
};
