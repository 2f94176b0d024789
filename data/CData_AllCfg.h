#pragma once

// All configuration blocks of one telephone. The kinds, their counts and the order in which they
// stand in the configuration file are one table (CData_AllCfg.cpp); file access, comparison and
// the block walks of other parts all follow it.

#include "data/CData.h"
#include "data/CData_AlarmCall.h"
#include "data/CData_AnsMaschInfoText.h"
#include "data/CData_AnsMaschPerMsn.h"
#include "data/CData_AnsMaschTimeType.h"
#include "data/CData_AnswerMaschine.h"
#include "data/CData_Audio.h"
#include "data/CData_Basic.h"
#include "data/CData_CallFilter.h"
#include "data/CData_DialFilter.h"
#include "data/CData_DialVip.h"
#include "data/CData_FirmwareUpdate.h"
#include "data/CData_Key.h"
#include "data/CData_MsnPara.h"
#include "data/CData_PinReset.h"
#include "data/CData_Service.h"
#include "data/CData_Tone.h"
#include "data/CData_VersionModule.h"
#include "data/CData_VoiceMail.h"

#include <functional>

class CData_AllDialName;

class CData_AllCfg : public CData
{
public:
    static constexpr const char* KIND = "AllCfg";

    // Room held for each kind.
    static constexpr int KEY_MAX = 62;
    static constexpr int DIALVIP_MAX = 10;
    static constexpr int CALLFILTER_MAX = 5;
    static constexpr int DIALFILTER_MAX = 14;
    static constexpr int MSNPARA_MAX = 10;
    static constexpr int ALARMCALL_MAX = 3;
    static constexpr int ANSMASCHPERMSN_MAX = 11;
    static constexpr int ANSMASCHTIMETYPE_MAX = 9;
    static constexpr int VERSIONMODULE_MAX = 4;
    static constexpr int MODULE_COUNT = 3;      // key-extension modules
    static constexpr int MODULE_KEY_COUNT = 42; // keys of one module
    static constexpr int KEYE920_MAX = MODULE_COUNT * MODULE_KEY_COUNT;

    // The kinds in container order.
    enum EKind
    {
        K_BASIC,
        K_KEY,
        K_DIALVIP,
        K_CALLFILTER,
        K_DIALFILTER,
        K_MSNPARA,
        K_ALARMCALL,
        K_ANSWERMASCHINE,
        K_ANSMASCHINFOTEXT,
        K_ANSMASCHPERMSN,
        K_ANSMASCHTIMETYPE,
        K_TONE,
        K_VOICEMAIL,
        K_AUDIO,
        K_VERSIONMODULE,
        K_KEYE920,
        K_FIRMWAREUPDATE,
        K_PINRESET,
        K_SERVICE,
        K_COUNT
    };

    CData_AllCfg();

    bool operator==(const CData& other) const override;
    bool operator!=(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;

    // Blocks of a kind held (room), and how many take part in file and transfer operations for
    // the current phone type (key count, MSN count, call filters).
    static int Held(EKind kind);
    static int Active(EKind kind);
    static const char* KindWord(EKind kind);

    // Block i of a kind, i below Held(kind); nullptr otherwise.
    CData* Block(EKind kind, int i);
    const CData* Block(EKind kind, int i) const;

    // Presets of a new document, each only as far as the brand enables its key part and its
    // phonebook part; the phonebook part fills the phonebook given. A new document runs
    // SetQMailbox, SetKeyDefaults, SetKeyDefaultsV4 in this order.
    void SetKeyDefaultsV4();
    void SetKeyDefaults(CData_AllDialName* pDialName = nullptr);
    void SetQMailbox(CData_AllDialName* pDialName = nullptr);

    // Every block that the configuration file holds, in section order.
    void ForEachFileBlock(const std::function<void(CData&)>& visit);
    void ForEachFileBlock(const std::function<void(const CData&)>& visit) const;

    CData_Basic m_Basic;
    CData_Key m_Key[KEY_MAX];
    CData_DialVip m_DialVip[DIALVIP_MAX];
    CData_CallFilter m_CallFilter[CALLFILTER_MAX];
    CData_DialFilter m_DialFilter[DIALFILTER_MAX];
    CData_MsnPara m_MsnPara[MSNPARA_MAX];
    CData_AlarmCall m_AlarmCall[ALARMCALL_MAX];
    CData_AnswerMaschine m_AnswerMaschine;
    CData_AnsMaschInfoText m_AnsMaschInfoText;
    CData_AnsMaschPerMsn m_AnsMaschPerMsn[ANSMASCHPERMSN_MAX];
    CData_AnsMaschTimeType m_AnsMaschTimeType[ANSMASCHTIMETYPE_MAX];
    CData_Tone m_Tone;
    CData_VoiceMail m_VoiceMail;
    CData_Audio m_Audio;
    CData_VersionModule m_VersionModule[VERSIONMODULE_MAX];
    CData_Key m_KeyE920[KEYE920_MAX];
    CData_FirmwareUpdate m_FirmwareUpdate;
    CData_PinReset m_PinReset;
    CData_Service m_Service;
};
