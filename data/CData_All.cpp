#include "data/CData_All.h"

#include "data/CData_FileExRam.h"
#include "data/CData_Properties.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_All";

// Where a block identifier leads: a block kind, and either a fixed record number within the block
// ("out") or an index that selects the block ("in").
enum ETarget
{
    T_VERSION,
    T_DIALNAMEBASIC,
    T_DIALNAME,
    T_CFG,
};
constexpr int SELECTS = -1;  // the index selects the block
constexpr int NOT_USED = -2; // the index is neither read nor set
struct CBlockIdRow
{
    int nId;
    ETarget target;
    CData_AllCfg::EKind kind;
    int nRecordOut;   // >= 0: the record number handed back, or one of the two below
    int nIndexOffset; // subtracted from the index before it selects the block
};

const CBlockIdRow s_blockIds[] = {
    {CData_All::BI_VERSION, T_VERSION, CData_AllCfg::K_COUNT, NOT_USED, 0},
    {CData_All::BI_DIALNAMEBASIC, T_DIALNAMEBASIC, CData_AllCfg::K_COUNT, NOT_USED, 0},
    {CData_All::BI_DIALNAME, T_DIALNAME, CData_AllCfg::K_COUNT, SELECTS, 0},
    {CData_All::BI_DIALNAME_INFOTEXT, T_DIALNAME, CData_AllCfg::K_COUNT, SELECTS, 0},
    {CData_All::BI_BASIC_0, T_CFG, CData_AllCfg::K_BASIC, 0, 0},
    {CData_All::BI_BASIC_1, T_CFG, CData_AllCfg::K_BASIC, 1, 0},
    {CData_All::BI_BASIC_2, T_CFG, CData_AllCfg::K_BASIC, 2, 0},
    {CData_All::BI_BASIC_3, T_CFG, CData_AllCfg::K_BASIC, 3, 0},
    {CData_All::BI_BASIC_4, T_CFG, CData_AllCfg::K_BASIC, 4, 0},
    {CData_All::BI_BASIC_8, T_CFG, CData_AllCfg::K_BASIC, 8, 0},
    {CData_All::BI_AUDIO, T_CFG, CData_AllCfg::K_AUDIO, NOT_USED, 0},
    {CData_All::BI_BASIC_5, T_CFG, CData_AllCfg::K_BASIC, 5, 0},
    // MSNs are numbered from 1 on the link.
    {CData_All::BI_MSNPARA, T_CFG, CData_AllCfg::K_MSNPARA, SELECTS, 1},
    {CData_All::BI_DIALFILTER, T_CFG, CData_AllCfg::K_DIALFILTER, SELECTS, 0},
    {CData_All::BI_DIALVIP, T_CFG, CData_AllCfg::K_DIALVIP, SELECTS, 0},
    {CData_All::BI_KEY, T_CFG, CData_AllCfg::K_KEY, SELECTS, 0},
    {CData_All::BI_KEYE920, T_CFG, CData_AllCfg::K_KEYE920, SELECTS, 0},
};
} // namespace

CData_All::CData_All()
{
    SetIndex(KIND, 0);
}

bool CData_All::operator==(const CData& other) const
{
    TraceLine(s_szClass, "operator==()");
    const auto* p = dynamic_cast<const CData_All*>(&other);
    // The version block is not compared: it describes the telephone, not its configuration.
    return p && CData::operator==(other) && m_Cfg == p->m_Cfg && m_DialName == p->m_DialName;
}

bool CData_All::operator!=(const CData& other) const
{
    TraceLine(s_szClass, "operator!=()");
    return !(*this == other);
}

int CData_All::MoveFile(int bToFile, int nVariant)
{
    TraceLine(s_szClass, "MoveFile()");
    const CData_Properties& props = CData_Properties::Current();
    if (props.m_bAppDialName)
        m_DialName.Sort();
    CData_FileExRam& file = CData::File();
    if (!file.Open(bToFile ? 0 : 1))
        return 0;
    m_Version.MoveFile(bToFile, nVariant);
    // Reading is two-phase: the version section decides the phone type, whose properties every
    // further section is read with. The brand data, version number and switches stay as they are.
    if (!bToFile)
    {
        CData_PropertyInput input = CData_Properties::CurrentInput();
        input.nPhoneType = m_Version.m_nPhoneType;
        CData_Properties::Install(input);
    }
    if (props.m_bAppCfg)
        m_Cfg.MoveFile(bToFile, nVariant);
    if (props.m_bAppDialName)
        m_DialName.MoveFile(bToFile, nVariant);
    return file.Close();
}

int CData_All::Validate()
{
    TraceLine(s_szClass, "Validate()");
    const CData_Properties& props = CData_Properties::Current();
    if (!props.m_bAppCfg)
        return 1;
    const int nKeys = KeyCount();
    for (int i = 0; i < nKeys; ++i)
    {
        int& nUse = m_Cfg.m_Key[i].m_nKeyUse;
        if (nUse < CData_Key::KEYUSE_DIAL || nUse > CData_Key::KEYUSE_MAX || !props.KeyFunctionOffered(nUse))
            nUse = CData_Key::KEYUSE_DIAL;
    }
    return 1;
}

CData* CData_All::ObjInd_From_BlockInd(int nBlockId, int& nIndex)
{
    TraceLine(s_szClass, "ObjInd_From_BlockInd()");
    const int nId = nBlockId & 0xFF;
    for (const CBlockIdRow& row : s_blockIds)
    {
        if (row.nId != nId)
            continue;
        CData* pBlock = nullptr;
        if (row.nRecordOut != SELECTS)
        {
            switch (row.target)
            {
            case T_VERSION:
                pBlock = &m_Version;
                break;
            case T_DIALNAMEBASIC:
                pBlock = &m_DialName.m_Basic;
                break;
            default:
                pBlock = m_Cfg.Block(row.kind, 0);
                break;
            }
            if (row.nRecordOut >= 0)
                nIndex = row.nRecordOut;
        }
        else if (row.target == T_DIALNAME)
        {
            pBlock = m_DialName.Entry(nIndex);
        }
        else
        {
            // Module keys reach the first module only; keys and MSNs only as far as the phone
            // type has them.
            const int i = nIndex - row.nIndexOffset;
            int nLimit = CData_AllCfg::Active(row.kind);
            if (row.kind == CData_AllCfg::K_KEYE920)
                nLimit = CData_AllCfg::MODULE_KEY_COUNT;
            else if (row.kind == CData_AllCfg::K_KEY)
                nLimit = KeyCount();
            if (i >= 0 && i < nLimit)
                pBlock = m_Cfg.Block(row.kind, i);
        }
        if (pBlock)
            return pBlock;
        break;
    }
    TraceLine(s_szClass, "ObjInd_From_BlockInd() fails, invalid block or index!");
    return nullptr;
}

int CData_All::KeyCount() const
{
    return CData_AllCfg::Active(CData_AllCfg::K_KEY);
}

void CData_All::ResetCfg()
{
    TraceLine(s_szClass, "ResetCfg()");
    m_Cfg = CData_AllCfg();
}

void CData_All::ResetDialName()
{
    TraceLine(s_szClass, "ResetDialName()");
    m_DialName = CData_AllDialName();
}
