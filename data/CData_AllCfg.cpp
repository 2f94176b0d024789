#include "data/CData_AllCfg.h"

#include "data/CData_AllDialName.h"
#include "data/CData_Properties.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_AllCfg";

// How many blocks of a kind take part for the current phone type.
enum ECount
{
    C_HELD,        // all that are held
    C_KEYS,        // the key count
    C_MSNS,        // the MSN count
    C_CALLFILTERS, // all when the phone type has call filters, else none
};

struct CKindRow
{
    CData_AllCfg::EKind kind;
    const char* pszWord;
    int nHeld;
    ECount count;
    bool bFile;    // stands in the configuration file
    bool bCompare; // takes part in the comparison of two configurations
};

// Container order is section order. Module keys are not compared: two configurations that differ
// only there are the same configuration of the telephone. The command blocks never go to a file.
const CKindRow s_kinds[CData_AllCfg::K_COUNT] = {
    {CData_AllCfg::K_BASIC, CData_Basic::KIND, 1, C_HELD, true, true},
    {CData_AllCfg::K_KEY, CData_Key::KIND, CData_AllCfg::KEY_MAX, C_KEYS, true, true},
    {CData_AllCfg::K_DIALVIP, CData_DialVip::KIND, CData_AllCfg::DIALVIP_MAX, C_HELD, true, true},
    {CData_AllCfg::K_CALLFILTER, CData_CallFilter::KIND, CData_AllCfg::CALLFILTER_MAX, C_CALLFILTERS, true,
     true},
    {CData_AllCfg::K_DIALFILTER, CData_DialFilter::KIND, CData_AllCfg::DIALFILTER_MAX, C_HELD, true, true},
    {CData_AllCfg::K_MSNPARA, CData_MsnPara::KIND, CData_AllCfg::MSNPARA_MAX, C_MSNS, true, true},
    {CData_AllCfg::K_ALARMCALL, CData_AlarmCall::KIND, CData_AllCfg::ALARMCALL_MAX, C_HELD, true, true},
    {CData_AllCfg::K_ANSWERMASCHINE, CData_AnswerMaschine::KIND, 1, C_HELD, true, true},
    {CData_AllCfg::K_ANSMASCHINFOTEXT, CData_AnsMaschInfoText::KIND, 1, C_HELD, true, true},
    {CData_AllCfg::K_ANSMASCHPERMSN, CData_AnsMaschPerMsn::KIND, CData_AllCfg::ANSMASCHPERMSN_MAX, C_HELD,
     true, true},
    {CData_AllCfg::K_ANSMASCHTIMETYPE, CData_AnsMaschTimeType::KIND, CData_AllCfg::ANSMASCHTIMETYPE_MAX,
     C_HELD, true, true},
    {CData_AllCfg::K_TONE, CData_Tone::KIND, 1, C_HELD, true, true},
    {CData_AllCfg::K_VOICEMAIL, CData_VoiceMail::KIND, 1, C_HELD, true, true},
    {CData_AllCfg::K_AUDIO, CData_Audio::KIND, 1, C_HELD, true, true},
    {CData_AllCfg::K_VERSIONMODULE, CData_VersionModule::KIND, CData_AllCfg::VERSIONMODULE_MAX, C_HELD, true,
     true},
    {CData_AllCfg::K_KEYE920, CData_Key::KIND_MODULE, CData_AllCfg::KEYE920_MAX, C_HELD, true, false},
    {CData_AllCfg::K_FIRMWAREUPDATE, CData_FirmwareUpdate::KIND, 1, C_HELD, false, false},
    {CData_AllCfg::K_PINRESET, CData_PinReset::KIND, 1, C_HELD, false, false},
    {CData_AllCfg::K_SERVICE, CData_Service::KIND, 1, C_HELD, false, false},
};

int Clamp(int n, int nMax)
{
    return n < 0 ? 0 : (n > nMax ? nMax : n);
}
} // namespace

CData_AllCfg::CData_AllCfg()
{
    SetIndex(KIND, 0);
    for (int i = 0; i < KEY_MAX; ++i)
        m_Key[i].SetIndex(i);
    for (int i = 0; i < DIALVIP_MAX; ++i)
        m_DialVip[i].SetIndex(i);
    for (int i = 0; i < CALLFILTER_MAX; ++i)
        m_CallFilter[i].SetIndex(i);
    for (int i = 0; i < DIALFILTER_MAX; ++i)
        m_DialFilter[i].SetIndex(i);
    for (int i = 0; i < MSNPARA_MAX; ++i)
        m_MsnPara[i].SetIndex(i);
    for (int i = 0; i < ALARMCALL_MAX; ++i)
        m_AlarmCall[i].SetIndex(i);
    for (int i = 0; i < ANSMASCHPERMSN_MAX; ++i)
        m_AnsMaschPerMsn[i].SetIndex(i);
    for (int i = 0; i < ANSMASCHTIMETYPE_MAX; ++i)
        m_AnsMaschTimeType[i].SetIndex(i);
    for (int i = 0; i < VERSIONMODULE_MAX; ++i)
        m_VersionModule[i].SetIndex(i);
    for (int i = 0; i < KEYE920_MAX; ++i)
        m_KeyE920[i] = CData_Key(i, true);
}

int CData_AllCfg::Held(EKind kind)
{
    return kind >= 0 && kind < K_COUNT ? s_kinds[kind].nHeld : 0;
}

int CData_AllCfg::Active(EKind kind)
{
    if (kind < 0 || kind >= K_COUNT)
        return 0;
    const CKindRow& row = s_kinds[kind];
    const CData_Properties& props = CData_Properties::Current();
    switch (row.count)
    {
    case C_KEYS:
        return Clamp(props.m_nKeyCount, row.nHeld);
    case C_MSNS:
        return Clamp(props.m_nMsnCount, row.nHeld);
    case C_CALLFILTERS:
        return props.m_bCallFilter ? row.nHeld : 0;
    default:
        return row.nHeld;
    }
}

const char* CData_AllCfg::KindWord(EKind kind)
{
    return kind >= 0 && kind < K_COUNT ? s_kinds[kind].pszWord : "";
}

const CData* CData_AllCfg::Block(EKind kind, int i) const
{
    if (i < 0 || i >= Held(kind))
        return nullptr;
    switch (kind)
    {
    case K_BASIC:
        return &m_Basic;
    case K_KEY:
        return &m_Key[i];
    case K_DIALVIP:
        return &m_DialVip[i];
    case K_CALLFILTER:
        return &m_CallFilter[i];
    case K_DIALFILTER:
        return &m_DialFilter[i];
    case K_MSNPARA:
        return &m_MsnPara[i];
    case K_ALARMCALL:
        return &m_AlarmCall[i];
    case K_ANSWERMASCHINE:
        return &m_AnswerMaschine;
    case K_ANSMASCHINFOTEXT:
        return &m_AnsMaschInfoText;
    case K_ANSMASCHPERMSN:
        return &m_AnsMaschPerMsn[i];
    case K_ANSMASCHTIMETYPE:
        return &m_AnsMaschTimeType[i];
    case K_TONE:
        return &m_Tone;
    case K_VOICEMAIL:
        return &m_VoiceMail;
    case K_AUDIO:
        return &m_Audio;
    case K_VERSIONMODULE:
        return &m_VersionModule[i];
    case K_KEYE920:
        return &m_KeyE920[i];
    case K_FIRMWAREUPDATE:
        return &m_FirmwareUpdate;
    case K_PINRESET:
        return &m_PinReset;
    case K_SERVICE:
        return &m_Service;
    default:
        return nullptr;
    }
}

CData* CData_AllCfg::Block(EKind kind, int i)
{
    return const_cast<CData*>(static_cast<const CData_AllCfg*>(this)->Block(kind, i));
}

void CData_AllCfg::ForEachFileBlock(const std::function<void(const CData&)>& visit) const
{
    for (const CKindRow& row : s_kinds)
    {
        if (!row.bFile)
            continue;
        const int n = Active(row.kind);
        for (int i = 0; i < n; ++i)
            visit(*Block(row.kind, i));
    }
}

void CData_AllCfg::ForEachFileBlock(const std::function<void(CData&)>& visit)
{
    static_cast<const CData_AllCfg*>(this)->ForEachFileBlock([&visit](const CData& block)
                                                             { visit(const_cast<CData&>(block)); });
}

int CData_AllCfg::MoveFile(int bToFile, int nVariant)
{
    TraceLine(s_szClass, "MoveFile()");
    ForEachFileBlock([bToFile, nVariant](CData& block) { block.MoveFile(bToFile, nVariant); });
    return 1;
}

bool CData_AllCfg::operator==(const CData& other) const
{
    TraceLine(s_szClass, "operator==()");
    const auto* p = dynamic_cast<const CData_AllCfg*>(&other);
    if (!p || !CData::operator==(other))
        return false;
    for (const CKindRow& row : s_kinds)
    {
        if (!row.bFile || !row.bCompare)
            continue;
        const int n = Active(row.kind);
        for (int i = 0; i < n; ++i)
            if (*Block(row.kind, i) != *p->Block(row.kind, i))
                return false;
    }
    return true;
}

bool CData_AllCfg::operator!=(const CData& other) const
{
    TraceLine(s_szClass, "operator!=()");
    return !(*this == other);
}

// ---- Presets of a new document ---------------------------------------------------------------------

namespace
{
// The presets trace under the name of the container that offers them to the document.
const char s_szPresetClass[] = "CData_All";

// A key that a preset turns into a DIAL key; nDialKeyUse 0 leaves the key's dial mode as it is.
struct CPresetKey
{
    int nKey;
    const char* pszNumber;
    int nDialKeyUse;
};

// A phonebook entry of a preset (names in code page 1252).
struct CPresetEntry
{
    const char* pszName;
    const char* pszNumber;
};

const CPresetKey s_keyDefaultsKeys[] = {
    {7, "15247", 0},      {8, "15248", 0},        {9, "08006417300", 0}, {10, "08006417500", 0},
    {11, "019274630", 0}, {12, "08006419191", 0}, {13, "06942", 0},
};
const CPresetEntry s_keyDefaultsEntries[] = {
    {"Auskunft Inland", "15247"}, {"Auskunft Ausland", "15248"}, {"Vortane", "08006417300"},
    {"Q-Service", "08006417500"}, {"Q-Hotline", "019274630"},    {"Q-Mailbox", "08006419191"},
    {"Q-call by call", "06942"},
};

// The mailbox: its number, then the PIN and the two commands sent as tones.
const CPresetKey s_qMailboxKeys[] = {
    {7, "08006419191", 0},
    {8, "5067*", CData_Key::DIALKEYUSE_DTMF},
    {9, "9", CData_Key::DIALKEYUSE_DTMF},
    {10, "3", CData_Key::DIALKEYUSE_DTMF},
};
const CPresetEntry s_qMailboxEntries[] = {
    {"Q-Mail-Box anw\xE4hlen", "08006419191"},
    {"Nachricht abh\xF6ren", "5067*"},
    {"Nachricht l\xF6schen", "9"},
    {"n\xE4"
     "chste Nachricht",
     "3"},
};

template <size_t N> void PresetKeys(CData_Key (&keys)[CData_AllCfg::KEY_MAX], const CPresetKey (&rows)[N])
{
    for (const CPresetKey& row : rows)
    {
        CData_Key& key = keys[row.nKey];
        key.m_nKeyUse = CData_Key::KEYUSE_DIAL;
        key.m_strDialKeyMsn = row.pszNumber;
        if (row.nDialKeyUse)
            key.m_nDialKeyUse = row.nDialKeyUse;
    }
}

// Entries 0, 1, ... of the phonebook; an entry already there with the same index is replaced.
template <size_t N> void PresetEntries(CData_AllDialName* pDialName, const CPresetEntry (&rows)[N])
{
    if (!pDialName)
        return;
    int nIndex = 0;
    for (const CPresetEntry& row : rows)
    {
        CData_DialName entry(nIndex++);
        entry.m_strName = row.pszName;
        entry.m_strMsnExt = row.pszNumber;
        pDialName->m_List.Insert(entry);
    }
}
} // namespace

void CData_AllCfg::SetKeyDefaultsV4()
{
    TraceLine(s_szPresetClass, "SetKeyDefaultsV4()");
    if (!CData_Properties::Current().m_bPresetKeyDefaultsV4)
        return;
    m_Key[3].m_nKeyUse = CData_Key::KEYUSE_HEADSET;
    m_Key[4].m_nKeyUse = CData_Key::KEYUSE_AUTOANSWER;
    m_Key[4].m_nAutoAnswerMsnId = 0;
}

void CData_AllCfg::SetKeyDefaults(CData_AllDialName* pDialName)
{
    TraceLine(s_szPresetClass, "SetKeyDefaults()");
    const CData_Properties& props = CData_Properties::Current();
    if (props.m_bPresetKeyDefaultsKeys)
        PresetKeys(m_Key, s_keyDefaultsKeys);
    if (props.m_bPresetKeyDefaultsPhonebook)
        PresetEntries(pDialName, s_keyDefaultsEntries);
}

void CData_AllCfg::SetQMailbox(CData_AllDialName* pDialName)
{
    TraceLine(s_szPresetClass, "SetQMailbox()");
    const CData_Properties& props = CData_Properties::Current();
    if (props.m_bPresetQMailboxKeys)
        PresetKeys(m_Key, s_qMailboxKeys);
    if (props.m_bPresetQMailboxPhonebook)
        PresetEntries(pDialName, s_qMailboxEntries);
}
