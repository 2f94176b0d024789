#pragma once

#include "data/CData.h"

#include <cstdint>
#include <string>

class CData_Record;

// One programmable key: a telephone key ("Key", record 0x80) or a key of a key-extension module
// ("KeyE920", record 0x90). Both share fields, file keys and record layout. A key has one function
// (`KeyUse`) and that function's parameters; the parameters of the other functions stay in the
// block but are not sent.
class CData_Key : public CData
{
public:
    static constexpr const char* KIND = "Key";
    static constexpr const char* KIND_MODULE = "KeyE920";

    static constexpr unsigned char ID_KEY = 0x80;
    static constexpr unsigned char ID_KEY_MODULE = 0x90;

    // Key functions (`KeyUse`).
    enum EKeyUse
    {
        KEYUSE_DIAL = 1,
        KEYUSE_LINE = 2,
        KEYUSE_EXT = 3,
        KEYUSE_MSN = 4,
        KEYUSE_VARIANT_ALL = 5,
        KEYUSE_VARIANT_TEAM = 6,
        KEYUSE_TEAMLOGOUT = 7,
        KEYUSE_ANNOUNCE = 8,
        KEYUSE_ANNOUNCE_LOOK = 9,
        KEYUSE_INTERCOM = 10,
        KEYUSE_INTERCOM_LOOK = 11,
        KEYUSE_CHEF = 12,
        KEYUSE_SEC = 13,
        KEYUSE_DIALFILTER = 14,
        KEYUSE_AWS = 15,
        KEYUSE_DIRECTCALL = 16,
        KEYUSE_VMAIL = 17,
        KEYUSE_MACRO = 18,
        KEYUSE_HEADSET = 19,
        KEYUSE_AUTOANSWER = 20,
        KEYUSE_ABVOICEBOX = 21,
        KEYUSE_USER = 22,
        KEYUSE_BALE = 23,
        KEYUSE_STATUSINFO = 24,
        KEYUSE_AWS_SEC = 25,
        KEYUSE_CONNECTION = 26,
        KEYUSE_PENDING_CALLBACK = 27,
        KEYUSE_MAX = 27,
    };
    // `DialKeyUse`
    static constexpr int DIALKEYUSE_MSN = 1;
    static constexpr int DIALKEYUSE_DTMF = 2;
    static constexpr int DIALKEYUSE_MAX = 3;

    // Longest texts (a longer length in a received record is taken as this).
    static constexpr size_t KEYNAME_MAX = 20;
    static constexpr size_t MACROTEXT_MAX = 20;
    // The macro's parameter area in the record: three 32-bit values and one byte.
    static constexpr size_t MACRO_PARAM_BYTES = 13;
    // The file value MacroStruct: the text in 20 bytes, then the parameter area.
    static constexpr size_t MACROSTRUCT_BYTES = MACROTEXT_MAX + MACRO_PARAM_BYTES;
    // The packed voice-box line: 14 bytes of two 4-bit codes each.
    static constexpr size_t LINEAB_PACKED_BYTES = 14;
    // Largest parameter data a voice-box record announces.
    static constexpr size_t LINEAB_DATA_MAX = 26;

    // The macro of a MACRO key, as the file keeps it (MacroStruct) and the phone takes it.
    struct MacroStruct
    {
        std::string strText; // at most 20 characters
        uint32_t anParam[3] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
        unsigned char cParam = 0xFF;

        // The 33 bytes of the file value: text zero-filled in 20 bytes, parameters little-endian.
        void ToBytes(unsigned char (&abData)[MACROSTRUCT_BYTES]) const;
        void FromBytes(const unsigned char (&abData)[MACROSTRUCT_BYTES]);
        bool operator==(const MacroStruct& other) const;
    };

    explicit CData_Key(int nNumber = 0, bool bModule = false) : m_bModule(bModule) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(m_bModule ? KIND_MODULE : KIND, nNumber); }
    bool IsModuleKey() const { return m_bModule; }

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    // The record of this key; the flag is not used.
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;
    // 0 the function word, 1 the label, 2 the function's main parameter.
    std::string InfoText(int nIndex) const override;

    // Packed voice-box line: text to 4-bit codes (the rest 0xF) and back.
    static void PackLineAb(const std::string& text, unsigned char (&abPacked)[LINEAB_PACKED_BYTES]);
    static std::string UnpackLineAb(const unsigned char* pPacked, size_t nCount);
    // Sets the voice-box line text and everything derived from it (its two parts, the codes).
    void SetLineAbVoicebox(const std::string& text);

    // The macro parameter area in the order of the record.
    MacroStruct m_Macro;
    unsigned char m_abLineAbPacked[LINEAB_PACKED_BYTES] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                           0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    int m_nKeyUse = KEYUSE_DIAL;
    int m_nDialKeyUse = DIALKEYUSE_MSN;
    int m_nAwsKeyUse = 2; // DELAY
    std::string m_strDialKeyMsn;
    std::string m_strLineKeyMsn;
    std::string m_strMsnKeyMsn;
    std::string m_strVariantKeyMsnTeam = "00";
    std::string m_strLogOutKeyMsnTeam = "00";
    std::string m_strAnnounceKeyMsnInt;
    std::string m_strIntercomKeyMsnInt;
    std::string m_strChefKeyMsnInt;
    std::string m_strSecKeyMsnInt;
    std::string m_strAwsMsnExt;
    std::string m_strVMailPin;
    std::string m_strKeyName; // label
    std::string m_strLineAbVoicebox;
    std::string m_strLineAb;   // the line part, before the first "/"
    std::string m_strVoicebox; // the voice-box part, after it
    std::string m_strPendingCallbackKeyMsn;
    int m_nExtKeyChannel = 0x11;
    int m_nMsnKeyMsnId = 0;
    int m_nAwsMsnId = 1;
    int m_nVMailMsnId = 1;
    int m_nAutoAnswerMsnId = 1;
    int m_nAutoAnswerTimeId = 0;
    int m_nUserMsnId = 1;
    int m_nBaleId = 0;
    int m_nNovRekPort = 0;
    int m_nNovRekBChannel = 0;
    int m_nLogOutKeyMsnId = 1;
    int m_nStatusInfoId = 1;

private:
    void MoveRecord(CData_Record& record);
    void MoveParameterData(CData_Record& record);

    bool m_bModule;
};
