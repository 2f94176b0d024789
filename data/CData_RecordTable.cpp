#include "data/CData_RecordTable.h"

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "support/Trace.h"

#include <algorithm>
#include <iterator>

namespace
{
const char s_szClass[] = "CData_RecordTable";

using T = CData_RecordTable;
using K = CData_AllCfg;

// The PIN reset command and the basic block's PIN record share the identifier 0x18; the reset
// command ends in its mark right after the PIN.
bool IsPinReset(const unsigned char* pRecord, size_t nLength)
{
    return nLength >= 4 && pRecord[1] == 1 && nLength == static_cast<size_t>(pRecord[2]) + 4 &&
           pRecord[nLength - 1] == CData_PinReset::RESET_MARK;
}

// The phone types that report their module slots (record 0x9F).
const int s_anModulePhones[] = {PHONETYPE_RV930, PHONETYPE_RV930U, PHONETYPE_RV930SMS, PHONETYPE_RV920XT};
// Module slot 0 holds the answering-machine module, slots 1 to 3 the key-extension modules.
constexpr int SLOT_AB = 0;

// Identifiers with two values (extended or info-text variants) have a row each.
const T::CRow s_rows[] = {
    {CData_Version::RECORD_ID, T::T_VERSION, K::K_COUNT, 0, T::B2_DATA, nullptr},
    {CData_PinReset::RECORD_ID, T::T_CFG, K::K_PINRESET, 0, T::B2_DATA, IsPinReset},
    {CData_Basic::ID_PIN, T::T_CFG, K::K_BASIC, CData_Basic::RECORD_PIN, T::B2_DATA, nullptr},
    {CData_FirmwareUpdate::RECORD_ID, T::T_CFG, K::K_FIRMWAREUPDATE, 0, T::B2_DATA, nullptr},
    {CData_DialNameBasic::RECORD_ID, T::T_DIALNAMEBASIC, K::K_COUNT, 0, T::B2_DATA, nullptr},
    {CData_DialName::RECORD_ID, T::T_DIALNAME, K::K_COUNT, 0, T::B2_INDEX, nullptr},
    {CData_DialName::RECORD_ID_INFOTEXT, T::T_DIALNAME, K::K_COUNT, 0, T::B2_INDEX, nullptr},
    {CData_Basic::ID_SWITCHES, T::T_CFG, K::K_BASIC, 0, T::B2_DATA, nullptr},
    {CData_Basic::ID_TONES, T::T_CFG, K::K_BASIC, 1, T::B2_DATA, nullptr},
    {CData_Basic::ID_TONES_EXTENDED, T::T_CFG, K::K_BASIC, 1, T::B2_DATA, nullptr},
    {CData_Basic::ID_LCR, T::T_CFG, K::K_BASIC, 2, T::B2_DATA, nullptr},
    {CData_Basic::ID_MISC, T::T_CFG, K::K_BASIC, 3, T::B2_DATA, nullptr},
    {CData_Basic::ID_DISPLAY, T::T_CFG, K::K_BASIC, 4, T::B2_DATA, nullptr},
    {CData_Basic::ID_CHARGES, T::T_CFG, K::K_BASIC, 5, T::B2_DATA, nullptr},
    {CData_Basic::ID_UNITNAME, T::T_CFG, K::K_BASIC, 6, T::B2_DATA, nullptr},
    {CData_Basic::ID_SMS, T::T_CFG, K::K_BASIC, 7, T::B2_DATA, nullptr},
    {CData_Basic::ID_SMS_A, T::T_CFG, K::K_BASIC, 7, T::B2_DATA, nullptr},
    {CData_Basic::ID_KEYPAD, T::T_CFG, K::K_BASIC, 8, T::B2_DATA, nullptr},
    {CData_Basic::ID_KEYPAD_VOICEBOX, T::T_CFG, K::K_BASIC, 8, T::B2_DATA, nullptr},
    {CData_Audio::RECORD_ID, T::T_CFG, K::K_AUDIO, 0, T::B2_DATA, nullptr},
    {CData_MsnPara::ID_RECORD, T::T_CFG, K::K_MSNPARA, 0, T::B2_INDEX, nullptr},
    {CData_DialFilter::RECORD_ID, T::T_CFG, K::K_DIALFILTER, 0, T::B2_INDEX, nullptr},
    {CData_DialVip::RECORD_ID, T::T_CFG, K::K_DIALVIP, 0, T::B2_INDEX, nullptr},
    {CData_AlarmCall::RECORD_ID, T::T_CFG, K::K_ALARMCALL, 0, T::B2_INDEX, nullptr},
    {CData_AlarmCall::RECORD_ID_INFOTEXT, T::T_CFG, K::K_ALARMCALL, 0, T::B2_INDEX, nullptr},
    {CData_CallFilter::RECORD_ID, T::T_CFG, K::K_CALLFILTER, 0, T::B2_INDEX, nullptr},
    {CData_Key::ID_KEY, T::T_CFG, K::K_KEY, 0, T::B2_INDEX, nullptr},
    {CData_Key::ID_KEY_MODULE, T::T_CFG, K::K_KEYE920, 0, T::B2_INDEX, nullptr},
    {CData_VersionModule::RECORD_ID, T::T_CFG, K::K_VERSIONMODULE, 0, T::B2_INDEX, nullptr},
    {CData_AnswerMaschine::RECORD_ID, T::T_CFG, K::K_ANSWERMASCHINE, 0, T::B2_DATA, nullptr},
    {CData_AnsMaschPerMsn::RECORD_ID, T::T_CFG, K::K_ANSMASCHPERMSN, 0, T::B2_INDEX, nullptr},
    {CData_AnsMaschTimeType::RECORD_ID, T::T_CFG, K::K_ANSMASCHTIMETYPE, 0, T::B2_INDEX, nullptr},
    {CData_AnsMaschInfoText::RECORD_ID, T::T_CFG, K::K_ANSMASCHINFOTEXT, 0, T::B2_DATA, nullptr},
    {CData_Tone::RECORD_ID, T::T_CFG, K::K_TONE, 0, T::B2_DATA, nullptr},
    {CData_VoiceMail::RECORD_ID, T::T_CFG, K::K_VOICEMAIL, 0, T::B2_DATA, nullptr},
    {CData_Service::RECORD_ID, T::T_CFG, K::K_SERVICE, 0, T::B2_DATA, nullptr},
};
} // namespace

const CData_RecordTable::CRow* CData_RecordTable::Find(const unsigned char* pRecord, size_t nLength)
{
    if (!pRecord || nLength == 0)
        return nullptr;
    for (const CRow& row : s_rows)
        if (row.nId == pRecord[0] && (!row.pfnMatches || row.pfnMatches(pRecord, nLength)))
            return &row;
    return nullptr;
}

CData* CData_RecordTable::Route(CData_All& all, const unsigned char* pRecord, size_t nLength, int& nFlag)
{
    const CRow* pRow = Find(pRecord, nLength);
    if (!pRow)
    {
        TraceLine(s_szClass, "Route() unknown record!");
        return nullptr;
    }
    nFlag = pRow->nFlag;
    // A record that selects its block must carry the index.
    int nIndex = 0;
    if (pRow->byte2 == B2_INDEX)
    {
        if (nLength < 3)
        {
            TraceLine(s_szClass, "Route() no index!");
            return nullptr;
        }
        nIndex = pRecord[2];
    }
    CData* pBlock = nullptr;
    switch (pRow->target)
    {
    case T_VERSION:
        pBlock = &all.m_Version;
        break;
    case T_DIALNAMEBASIC:
        pBlock = &all.m_DialName.m_Basic;
        break;
    case T_DIALNAME:
        pBlock = all.m_DialName.Entry(nIndex);
        break;
    case T_CFG:
        // Only the blocks the phone type has: keys, MSNs and call filters as far as it counts them.
        if (nIndex < CData_AllCfg::Active(pRow->kind))
            pBlock = all.m_Cfg.Block(pRow->kind, nIndex);
        break;
    }
    if (!pBlock)
        TraceLine(s_szClass, "Route() invalid index!");
    return pBlock;
}

void CData_RecordTable::ForEachRecord(CData_All& all,
                                      const std::function<void(CData& block, int nFlag)>& visit)
{
    const CData_Properties& props = CData_Properties::Current();
    visit(all.m_Version, 0);
    if (props.m_bAppCfg)
    {
        all.m_Cfg.ForEachFileBlock(
            [&all, &visit](CData& block)
            {
                const int nRecords = &block == &all.m_Cfg.m_Basic ? RecordCount(CData_AllCfg::K_BASIC) : 1;
                for (int nFlag = 0; nFlag < nRecords; ++nFlag)
                    visit(block, nFlag);
            });
    }
    if (props.m_bAppDialName)
    {
        visit(all.m_DialName.m_Basic, 0);
        for (int i = 0; i < all.m_DialName.Count(); ++i)
            visit(*all.m_DialName.Entry(i), 0);
    }
}

int CData_RecordTable::RecordCount(CData_AllCfg::EKind kind)
{
    return kind == CData_AllCfg::K_BASIC ? CData_Basic::RECORD_COUNT : 1;
}

bool CData_RecordTable::ReportsModules(int nPhoneType)
{
    return std::find(std::begin(s_anModulePhones), std::end(s_anModulePhones), nPhoneType) !=
           std::end(s_anModulePhones);
}

bool CData_RecordTable::ModulePresent(const CData_All& phone, int nSlot)
{
    if (nSlot < 0 || nSlot >= CData_AllCfg::VERSIONMODULE_MAX ||
        !ReportsModules(phone.m_Version.m_nPhoneType))
        return false;
    const int nType = phone.m_Cfg.m_VersionModule[nSlot].m_nModuleType;
    return nSlot == SLOT_AB ? nType == MODULETYPE_AB : nType != MODULETYPE_NON;
}

bool CData_RecordTable::PhoneHas(const CData_All& phone, CData_AllCfg::EKind kind, int nIndex)
{
    if (nIndex < 0 || nIndex >= CData_AllCfg::Active(kind))
        return false;
    const CData_Properties& props = CData_Properties::Current();
    switch (kind)
    {
    case CData_AllCfg::K_ALARMCALL:
        return props.m_bAlarmCalls;
    case CData_AllCfg::K_CALLFILTER:
        return props.m_bCallFilter;
    case CData_AllCfg::K_ANSWERMASCHINE:
    case CData_AllCfg::K_ANSMASCHINFOTEXT:
    case CData_AllCfg::K_ANSMASCHPERMSN:
    case CData_AllCfg::K_ANSMASCHTIMETYPE:
        return props.m_bAnsweringMachine || ModulePresent(phone, SLOT_AB);
    case CData_AllCfg::K_TONE:
        return props.m_bToneSettings;
    case CData_AllCfg::K_VOICEMAIL:
        return props.m_bVoiceMailClient || ModulePresent(phone, SLOT_AB);
    case CData_AllCfg::K_AUDIO:
        return props.m_bAudioSettings;
    case CData_AllCfg::K_VERSIONMODULE:
        return ReportsModules(phone.m_Version.m_nPhoneType);
    case CData_AllCfg::K_KEYE920:
        return ModulePresent(phone, 1 + nIndex / CData_AllCfg::MODULE_KEY_COUNT);
    default:
        return true;
    }
}
