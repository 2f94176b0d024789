#include "sim/CSim_Phone.h"

#include "data/CData_All.h"
#include "data/CData_RecordTable.h"
#include "support/Trace.h"

#include <algorithm>

namespace
{
const char s_szClass[] = "CSim_Phone";

using T = CData_RecordTable;
using K = CData_AllCfg;

// Offsets of the command records: the PIN's length byte and its first character.
constexpr size_t PIN_LENGTH_AT = 2;
constexpr size_t PIN_AT = 3;

bool IsKind(const T::CRow& row, K::EKind kind)
{
    return row.target == T::T_CFG && row.kind == kind;
}

bool IsPinRow(const T::CRow& row)
{
    return IsKind(row, K::K_BASIC) && row.nFlag == CData_Basic::RECORD_PIN;
}

// The PIN of the configuration PIN record and of the PIN reset, which carry it alike.
bool PinOf(const unsigned char* pFrame, size_t nLength, std::string& pin)
{
    if (nLength < PIN_AT || nLength < PIN_AT + pFrame[PIN_LENGTH_AT])
        return false;
    pin.assign(reinterpret_cast<const char*>(pFrame + PIN_AT), pFrame[PIN_LENGTH_AT]);
    return true;
}

int IndexOf(const T::CRow& row, const unsigned char* pFrame, size_t nLength)
{
    return row.byte2 == T::B2_INDEX && nLength > 2 ? pFrame[2] : 0;
}
} // namespace

CSim_Phone::CSim_Phone(CData_All& phone) : m_phone(phone) {}

void CSim_Phone::StartSession()
{
    m_bPinAccepted = false;
    m_bRefused = false;
}

void CSim_Phone::SetPin(const std::string& pin)
{
    m_phone.m_Cfg.m_Basic.m_strPin = pin;
}

const std::string& CSim_Phone::Pin() const
{
    return m_phone.m_Cfg.m_Basic.m_strPin;
}

CSim_Phone::Frame CSim_Phone::Acknowledge(bool bPositive)
{
    return Frame{0, static_cast<unsigned char>(bPositive ? 1 : 0)};
}

bool CSim_Phone::IsPinFrame(const unsigned char* pFrame, size_t nLength)
{
    const T::CRow* pRow = T::Find(pFrame, nLength);
    return pRow && nLength >= 2 && pFrame[1] == 1 && IsPinRow(*pRow);
}

CSim_Phone::Frame CSim_Phone::OnFrame(const unsigned char* pFrame, size_t nLength)
{
    m_lastBlock = "?";
    if (!pFrame || nLength < 2)
        return Acknowledge(false);
    // The program acknowledges nothing; an acknowledgement needs no answer.
    if (pFrame[0] == 0)
        return Frame();
    if (pFrame[1] == 0)
        return Request(pFrame, nLength);
    if (pFrame[1] == 1)
        return Data(pFrame, nLength);
    return Acknowledge(false);
}

CSim_Phone::Frame CSim_Phone::Request(const unsigned char* pFrame, size_t nLength)
{
    const T::CRow* pRow = T::Find(pFrame, nLength);
    // Commands are only ever sent to the telephone, and the PIN is never read back.
    if (!pRow || IsPinRow(*pRow) || IsKind(*pRow, K::K_PINRESET) || IsKind(*pRow, K::K_SERVICE))
        return Acknowledge(false);
    if (pRow->target == T::T_CFG && !T::PhoneHas(m_phone, pRow->kind, IndexOf(*pRow, pFrame, nLength)))
        return Acknowledge(false);

    Frame answer(CData::RECORD_MAX);
    int n = 0;
    if (pRow->target == T::T_DIALNAMEBASIC)
    {
        CData_DialNameBasic header = m_phone.m_DialName.LinkHeader();
        m_lastBlock = header.Name();
        n = header.MoveBlock(CData::MB_DATA, answer.data(), answer.size(), 0);
    }
    else
    {
        int nFlag = 0;
        CData* pBlock = T::Route(m_phone, pFrame, nLength, nFlag);
        if (!pBlock)
            return Acknowledge(false);
        m_lastBlock = pBlock->Name();
        n = pBlock->MoveBlock(CData::MB_DATA, answer.data(), answer.size(), nFlag);
        // What only the telephone reports (the answering machine's recordings).
        if (n <= 0)
            n = pBlock->MoveBlock(CData::MB_PHONE, answer.data(), answer.size(), nFlag);
    }
    // A record the telephone keeps under another identifier (an older or newer variant of the
    // record) is one it does not know.
    if (n <= 0 || static_cast<size_t>(n) > answer.size() || answer[0] != pFrame[0])
        return Acknowledge(false);
    answer.resize(static_cast<size_t>(n));
    return answer;
}

int CSim_Phone::Store(CData& block, std::vector<unsigned char>& record, int nFlag)
{
    // A parser may write into the record it is given.
    const std::vector<unsigned char> sent = record;
    const int nLength = block.MoveBlock(CData::MB_PARSE, record.data(), record.size(), nFlag);
    if (nLength != static_cast<int>(record.size()) || m_bAltered || block.Name() != m_alterBlock)
        return nLength;
    // The first byte behind the identifier, flag and index whose lowest bit, flipped, still gives
    // a valid record of another content (a digit, a level, a switch).
    Frame original(CData::RECORD_MAX);
    const int nOriginal = block.MoveBlock(CData::MB_DATA, original.data(), original.size(), nFlag);
    for (size_t i = sent.size(); i-- > 3;)
    {
        std::vector<unsigned char> changed = sent;
        changed[i] ^= 1;
        Frame built(CData::RECORD_MAX);
        if (block.MoveBlock(CData::MB_PARSE, changed.data(), changed.size(), nFlag) == nLength &&
            block.MoveBlock(CData::MB_DATA, built.data(), built.size(), nFlag) == nOriginal &&
            !std::equal(original.begin(), original.begin() + std::max(nOriginal, 0), built.begin()))
        {
            m_bAltered = true;
            TraceLine(s_szClass, "Store() block altered!");
            return nLength;
        }
    }
    // Nothing to change in it: the record as sent.
    record = sent;
    return block.MoveBlock(CData::MB_PARSE, record.data(), record.size(), nFlag);
}

CSim_Phone::Frame CSim_Phone::Data(const unsigned char* pFrame, size_t nLength)
{
    const T::CRow* pRow = T::Find(pFrame, nLength);
    if (!pRow)
        return Acknowledge(false);
    std::vector<unsigned char> record(pFrame, pFrame + nLength);
    std::string pin;

    if (IsPinRow(*pRow))
    {
        m_lastBlock = m_phone.m_Cfg.m_Basic.Name();
        m_bPinAccepted = PinOf(pFrame, nLength, pin) && nLength == PIN_AT + pin.size() && pin == Pin();
        // A wrong PIN refuses the whole transfer: nothing of it is stored.
        m_bRefused = !m_bPinAccepted;
        if (m_bRefused)
            TraceLine(s_szClass, "Data() wrong PIN!");
        return Acknowledge(m_bPinAccepted);
    }
    if (IsKind(*pRow, K::K_PINRESET))
    {
        m_lastBlock = m_phone.m_Cfg.m_PinReset.Name();
        if (!PinOf(pFrame, nLength, pin))
            return Acknowledge(false);
        SetPin(pin);
        return Acknowledge(true);
    }
    if (IsKind(*pRow, K::K_SERVICE))
    {
        m_lastBlock = m_phone.m_Cfg.m_Service.Name();
        if (nLength < 2 + CData_Service::VALUE_COUNT)
            return Acknowledge(false);
        if (pFrame[2 + CData_Service::VALUE_PAYCOUNTER_RESET] == CData_Service::PAYCOUNTER_RESET_MARK)
        {
            m_phone.m_Cfg.m_Basic.m_nPayCounter = 0;
            for (CData_MsnPara& msn : m_phone.m_Cfg.m_MsnPara)
                msn.m_nPayCounter = 0;
            m_bChanged = true;
        }
        return Acknowledge(true);
    }
    if (IsKind(*pRow, K::K_FIRMWAREUPDATE))
    {
        CData_FirmwareUpdate& update = m_phone.m_Cfg.m_FirmwareUpdate;
        m_lastBlock = update.Name();
        if (update.MoveBlock(CData::MB_PARSE, record.data(), record.size(), 0) != static_cast<int>(nLength))
            return Acknowledge(false);
        m_firmwareFile = update.m_strFileName;
        return Acknowledge(true);
    }
    switch (pRow->target)
    {
    case T::T_VERSION:
        // The telephone's identity is its own.
        m_lastBlock = m_phone.m_Version.Name();
        return Acknowledge(false);
    case T::T_DIALNAMEBASIC:
    {
        // A new phonebook begins: its count comes first, then the entries from 0 on.
        CData_DialNameBasic header = m_phone.m_DialName.m_Basic;
        m_lastBlock = header.Name();
        if (header.MoveBlock(CData::MB_PARSE, record.data(), record.size(), 0) != static_cast<int>(nLength))
            return Acknowledge(false);
        m_phone.m_DialName.m_List.Clear();
        m_phone.m_DialName.m_Basic = header;
        m_bChanged = true;
        return Acknowledge(true);
    }
    case T::T_DIALNAME:
    {
        const int nIndex = IndexOf(*pRow, pFrame, nLength);
        CData_DialName entry(nIndex);
        m_lastBlock = entry.Name();
        if (nIndex >= CData_AllDialName::ENTRY_MAX || Store(entry, record, 0) != static_cast<int>(nLength))
            return Acknowledge(false);
        m_phone.m_DialName.m_List.Insert(entry);
        m_bChanged = true;
        return Acknowledge(true);
    }
    case T::T_CFG:
        break;
    }
    // The configuration is stored only after the right PIN.
    if (m_bRefused || !m_bPinAccepted || !T::PhoneHas(m_phone, pRow->kind, IndexOf(*pRow, pFrame, nLength)))
        return Acknowledge(false);
    int nFlag = 0;
    CData* pBlock = T::Route(m_phone, pFrame, nLength, nFlag);
    if (!pBlock)
        return Acknowledge(false);
    m_lastBlock = pBlock->Name();
    if (Store(*pBlock, record, nFlag) != static_cast<int>(nLength))
        return Acknowledge(false);
    m_bChanged = true;
    return Acknowledge(true);
}
