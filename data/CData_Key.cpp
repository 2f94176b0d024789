#include "data/CData_Key.h"

#include "data/CData_FileRow.h"
#include "data/CData_Properties.h"
#include "data/CData_Record.h"
#include "data/CData_Types.h"
#include "support/Trace.h"

#include <climits>
#include <cstring>
#include <tuple>
#include <vector>

namespace
{
const char s_szClass[] = "CData_Key";
const char s_szMacroKey[] = "MacroStruct";

using K = CData_Key;
using P = CData_Properties;
using Row = CData_FileRow<K>;
namespace R = CData_FileRows;

// The voice-box line is kept as text; a file text is checked part by part around its first "/",
// which the line-string class itself does not hold.
int MoveLineAbVoicebox(K& k, int bToFile, std::string& text)
{
    if (bToFile)
        return StrToStr(k.m_strLineAbVoicebox, text);
    const size_t nSlash = text.find('/');
    std::string line;
    int nResult = StrToLineAbStr(text.substr(0, nSlash), line);
    if (nSlash != std::string::npos)
    {
        std::string voicebox;
        nResult &= StrToLineAbStr(text.substr(nSlash + 1), voicebox);
        line += "/" + voicebox;
    }
    k.SetLineAbVoicebox(line);
    return nResult;
}

// Section order of the file; MacroStruct follows as a structure value.
const Row s_rows[] = {
    {"KeyUse", R::Enum<K, &K::m_nKeyUse, KeyUseToStr, StrToKeyUse>, nullptr},
    {"DialKeyUse", R::Enum<K, &K::m_nDialKeyUse, DialKeyUseToStr, StrToDialKeyUse>, nullptr},
    {"AwsKeyUse", R::Enum<K, &K::m_nAwsKeyUse, AwsKeyUseToStr, StrToAwsKeyUse>, nullptr},
    {"DialKeyMsn", R::Str<K, &K::m_strDialKeyMsn, StrToMsnExt>, nullptr},
    {"LineKeyMsn", R::Str<K, &K::m_strLineKeyMsn, StrToMsnInt>, nullptr},
    {"MsnKeyMsn", R::Str<K, &K::m_strMsnKeyMsn, StrToMsnPreCall>, nullptr},
    {"VariantKeyMsnTeam", R::Str<K, &K::m_strVariantKeyMsnTeam, StrToTeam>, nullptr},
    {"LogOutKeyMsnTeam", R::Str<K, &K::m_strLogOutKeyMsnTeam, StrToTeam>, nullptr},
    {"LogOutKeyMsnId", R::Int<K, &K::m_nLogOutKeyMsnId, MsnIdToStr, StrToMsnId>, nullptr},
    {"AnnounceKeyMsnInt", R::Str<K, &K::m_strAnnounceKeyMsnInt, StrToMsnInt>, nullptr},
    {"IntercomKeyMsnInt", R::Str<K, &K::m_strIntercomKeyMsnInt, StrToMsnInt>, nullptr},
    {"ChefKeyMsnInt", R::Str<K, &K::m_strChefKeyMsnInt, StrToMsnInt>, nullptr},
    {"SecKeyMsnInt", R::Str<K, &K::m_strSecKeyMsnInt, StrToMsnInt>, nullptr},
    {"AwsMsnExt", R::Str<K, &K::m_strAwsMsnExt, StrToMsnAws>, nullptr},
    {"VMailPin", R::Str<K, &K::m_strVMailPin, StrToVMailPin>, nullptr},
    {"KeyName", R::Str<K, &K::m_strKeyName, StrToKeyName>, nullptr},
    {"NovRekPort", R::Range<K, &K::m_nNovRekPort, INT_MIN, INT_MAX>, R::Has<&P::m_bNovRekLine>},
    {"NovRekBChannel", R::Range<K, &K::m_nNovRekBChannel, INT_MIN, INT_MAX>, R::Has<&P::m_bNovRekLine>},
    {"ExtKeyChannel", R::Int<K, &K::m_nExtKeyChannel, ChannelToStr, StrToChannel>,
     R::Lacks<&P::m_bNovRekLine>},
    {"MsnKeyMsnId", R::Int<K, &K::m_nMsnKeyMsnId, MsnIdToStr, StrToMsnId>, nullptr},
    {"AwsMsnId", R::Int<K, &K::m_nAwsMsnId, MsnIdToStr, StrToMsnId>, nullptr},
    {"VMailMsnId", R::Int<K, &K::m_nVMailMsnId, MsnIdToStr, StrToMsnId>, nullptr},
    {"AutoAnswerMsnId", R::Int<K, &K::m_nAutoAnswerMsnId, MsnIdToStr, StrToMsnId>, nullptr},
    {"AutoAnswerTimeId", R::Int<K, &K::m_nAutoAnswerTimeId, TimeIdToStr, StrToTimeId>, nullptr},
    {"LineAbVoicebox", MoveLineAbVoicebox, nullptr},
    {"UserMsnId", R::Int<K, &K::m_nUserMsnId, MsnIdToStr, StrToMsnId>, nullptr},
    {"BaleId", R::Range<K, &K::m_nBaleId, 0, 9>, nullptr},
    {"StatusInfoId", R::Range<K, &K::m_nStatusInfoId, 0, 9>, nullptr},
    {"PendingCallbackKeyMsn", R::Str<K, &K::m_strPendingCallbackKeyMsn, StrToMsnInt>, nullptr},
};

// What each function sends: parameter 1 and 2 (nullptr: 0) and the parameter data (nullptr:
// none), with the longest data taken when parsing. MACRO and ABVOICEBOX send binary data, EXT on a
// NovRek line sends port and B-channel; the record code handles those.
struct CParamRow
{
    int nKeyUse;
    int K::*pParam1;
    int K::*pParam2;
    std::string K::*pData;
    size_t nDataMax;
};

const CParamRow s_params[] = {
    {K::KEYUSE_DIAL, &K::m_nDialKeyUse, nullptr, &K::m_strDialKeyMsn, 26},
    {K::KEYUSE_LINE, nullptr, nullptr, &K::m_strLineKeyMsn, 4},
    {K::KEYUSE_EXT, &K::m_nExtKeyChannel, nullptr, nullptr, 0},
    {K::KEYUSE_MSN, &K::m_nMsnKeyMsnId, nullptr, &K::m_strMsnKeyMsn, 26},
    {K::KEYUSE_VARIANT_TEAM, nullptr, nullptr, &K::m_strVariantKeyMsnTeam, 2},
    {K::KEYUSE_TEAMLOGOUT, &K::m_nLogOutKeyMsnId, nullptr, &K::m_strLogOutKeyMsnTeam, 2},
    {K::KEYUSE_ANNOUNCE, nullptr, nullptr, &K::m_strAnnounceKeyMsnInt, 4},
    {K::KEYUSE_INTERCOM, nullptr, nullptr, &K::m_strIntercomKeyMsnInt, 4},
    {K::KEYUSE_CHEF, nullptr, nullptr, &K::m_strChefKeyMsnInt, 4},
    {K::KEYUSE_SEC, nullptr, nullptr, &K::m_strSecKeyMsnInt, 4},
    {K::KEYUSE_AWS, &K::m_nAwsMsnId, &K::m_nAwsKeyUse, &K::m_strAwsMsnExt, 22},
    {K::KEYUSE_VMAIL, &K::m_nVMailMsnId, nullptr, &K::m_strVMailPin, 23},
    {K::KEYUSE_AUTOANSWER, &K::m_nAutoAnswerMsnId, &K::m_nAutoAnswerTimeId, nullptr, 0},
    {K::KEYUSE_USER, &K::m_nUserMsnId, nullptr, nullptr, 0},
    {K::KEYUSE_BALE, &K::m_nBaleId, nullptr, nullptr, 0},
    {K::KEYUSE_STATUSINFO, &K::m_nStatusInfoId, nullptr, nullptr, 0},
    {K::KEYUSE_PENDING_CALLBACK, nullptr, nullptr, &K::m_strPendingCallbackKeyMsn, 4},
};

const CParamRow* ParamRow(int nKeyUse)
{
    for (const CParamRow& row : s_params)
        if (row.nKeyUse == nKeyUse)
            return &row;
    return nullptr;
}

// 4-bit codes of the voice-box line.
constexpr unsigned char CODE_STAR = 10;
constexpr unsigned char CODE_HASH = 11;
constexpr unsigned char CODE_PAUSE = 12;
constexpr unsigned char CODE_SLASH = 13;
constexpr unsigned char CODE_ESCAPE = 14; // followed by 2 for "T", 3 for "K"
constexpr unsigned char CODE_END = 15;
constexpr unsigned char CODE_T = 2;
constexpr unsigned char CODE_K = 3;

// NovRek ports and B-channels go as two decimal digits in one byte.
int ToDecimalDigits(int n)
{
    if (n < 0)
        n = 0;
    return (n / 10 % 10) << 4 | n % 10;
}

int FromDecimalDigits(int nByte)
{
    return (nByte >> 4 & 0x0F) * 10 + (nByte & 0x0F);
}

auto Fields(const K& k)
{
    return std::tie(
        k.m_nKeyUse, k.m_nDialKeyUse, k.m_nAwsKeyUse, k.m_strDialKeyMsn, k.m_strLineKeyMsn, k.m_strMsnKeyMsn,
        k.m_strVariantKeyMsnTeam, k.m_strLogOutKeyMsnTeam, k.m_strAnnounceKeyMsnInt, k.m_strIntercomKeyMsnInt,
        k.m_strChefKeyMsnInt, k.m_strSecKeyMsnInt, k.m_strAwsMsnExt, k.m_strVMailPin, k.m_strKeyName,
        k.m_strLineAbVoicebox, k.m_strPendingCallbackKeyMsn, k.m_nExtKeyChannel, k.m_nMsnKeyMsnId,
        k.m_nAwsMsnId, k.m_nVMailMsnId, k.m_nAutoAnswerMsnId, k.m_nAutoAnswerTimeId, k.m_nUserMsnId,
        k.m_nBaleId, k.m_nNovRekPort, k.m_nNovRekBChannel, k.m_nLogOutKeyMsnId, k.m_nStatusInfoId);
}
} // namespace

// ---- MacroStruct ---------------------------------------------------------------------------------

void CData_Key::MacroStruct::ToBytes(unsigned char (&abData)[MACROSTRUCT_BYTES]) const
{
    std::memset(abData, 0, MACROTEXT_MAX);
    const size_t n = strText.size() < MACROTEXT_MAX ? strText.size() : MACROTEXT_MAX;
    std::memcpy(abData, strText.data(), n);
    unsigned char* p = abData + MACROTEXT_MAX;
    for (uint32_t nParam : anParam)
        for (int i = 0; i < 4; ++i)
            *p++ = static_cast<unsigned char>(nParam >> (8 * i) & 0xFF);
    *p = cParam;
}

void CData_Key::MacroStruct::FromBytes(const unsigned char (&abData)[MACROSTRUCT_BYTES])
{
    size_t n = 0;
    while (n < MACROTEXT_MAX && abData[n] != 0)
        ++n;
    strText.assign(reinterpret_cast<const char*>(abData), n);
    const unsigned char* p = abData + MACROTEXT_MAX;
    for (uint32_t& nParam : anParam)
    {
        nParam = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
        p += 4;
    }
    cParam = *p;
}

bool CData_Key::MacroStruct::operator==(const MacroStruct& other) const
{
    return strText == other.strText && anParam[0] == other.anParam[0] && anParam[1] == other.anParam[1] &&
           anParam[2] == other.anParam[2] && cParam == other.cParam;
}

// ---- Voice-box line ------------------------------------------------------------------------------

void CData_Key::PackLineAb(const std::string& text, unsigned char (&abPacked)[LINEAB_PACKED_BYTES])
{
    std::vector<unsigned char> codes;
    for (const char c : text)
    {
        if (c >= '0' && c <= '9')
            codes.push_back(static_cast<unsigned char>(c - '0'));
        else if (c == '*')
            codes.push_back(CODE_STAR);
        else if (c == '#')
            codes.push_back(CODE_HASH);
        else if (c == 'P')
            codes.push_back(CODE_PAUSE);
        else if (c == '/')
            codes.push_back(CODE_SLASH);
        else if (c == 'T' || c == 'K')
        {
            codes.push_back(CODE_ESCAPE);
            codes.push_back(c == 'T' ? CODE_T : CODE_K);
        }
    }
    std::memset(abPacked, 0xFF, LINEAB_PACKED_BYTES);
    const size_t nCodes = codes.size() < 2 * LINEAB_PACKED_BYTES ? codes.size() : 2 * LINEAB_PACKED_BYTES;
    for (size_t i = 0; i < nCodes; ++i)
    {
        unsigned char& b = abPacked[i / 2];
        b = i % 2 == 0 ? static_cast<unsigned char>(codes[i] << 4 | (b & 0x0F))
                       : static_cast<unsigned char>((b & 0xF0) | codes[i]);
    }
}

std::string CData_Key::UnpackLineAb(const unsigned char* pPacked, size_t nCount)
{
    static const char s_szCodes[] = "0123456789*#P/";
    std::string text;
    bool bEscape = false;
    for (size_t i = 0; i < 2 * nCount; ++i)
    {
        const unsigned char nCode = i % 2 == 0 ? pPacked[i / 2] >> 4 : pPacked[i / 2] & 0x0F;
        if (nCode == CODE_END)
            break;
        if (bEscape)
        {
            bEscape = false;
            if (nCode == CODE_T || nCode == CODE_K)
            {
                text += nCode == CODE_T ? 'T' : 'K';
                continue;
            }
        }
        if (nCode == CODE_ESCAPE)
            bEscape = true;
        else
            text += s_szCodes[nCode];
    }
    return text;
}

void CData_Key::SetLineAbVoicebox(const std::string& text)
{
    m_strLineAbVoicebox = text;
    const size_t nSlash = text.find('/');
    m_strLineAb = text.substr(0, nSlash);
    m_strVoicebox = nSlash == std::string::npos ? std::string() : text.substr(nSlash + 1);
    PackLineAb(text, m_abLineAbPacked);
}

// ---- Block ---------------------------------------------------------------------------------------

bool CData_Key::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const CData_Key*>(&other);
    return p && CData::operator==(other) && m_Macro == p->m_Macro && Fields(*this) == Fields(*p);
}

int CData_Key::MoveFile(int bToFile, int)
{
    R::MoveFileRows(*this, s_rows, bToFile, nullptr, R::VALUE_MAX_SETTINGS);
    unsigned char abMacro[MACROSTRUCT_BYTES];
    if (bToFile)
    {
        m_Macro.ToBytes(abMacro);
        File().PutStruct(Name().c_str(), s_szMacroKey, abMacro, sizeof abMacro);
    }
    else
    {
        m_Macro.ToBytes(abMacro); // a missing value leaves the macro as it is
        if (File().GetStruct(Name().c_str(), s_szMacroKey, abMacro, sizeof abMacro))
            m_Macro.FromBytes(abMacro);
    }
    return 1;
}

void CData_Key::MoveParameterData(CData_Record& r)
{
    const bool bMacro = m_nKeyUse == KEYUSE_MACRO;
    if (bMacro || m_nKeyUse == KEYUSE_ABVOICEBOX)
    {
        // Binary data. A received record may announce more than the area holds: the excess is
        // counted but not kept, and a shorter area is filled up as unused.
        unsigned char abArea[LINEAB_PACKED_BYTES];
        const size_t nArea = bMacro ? MACRO_PARAM_BYTES : LINEAB_PACKED_BYTES;
        int nLength = 0;
        if (!r.Parsing())
        {
            if (bMacro)
            {
                unsigned char abMacro[MACROSTRUCT_BYTES];
                m_Macro.ToBytes(abMacro);
                std::memcpy(abArea, abMacro + MACROTEXT_MAX, MACRO_PARAM_BYTES);
                nLength = static_cast<int>(MACRO_PARAM_BYTES);
            }
            else
            {
                PackLineAb(m_strLineAbVoicebox, m_abLineAbPacked);
                std::memcpy(abArea, m_abLineAbPacked, LINEAB_PACKED_BYTES);
                const size_t n = m_strLineAbVoicebox.size() / 2 + 2;
                nLength = static_cast<int>(n < LINEAB_DATA_MAX ? n : LINEAB_DATA_MAX);
            }
        }
        r.Byte(nLength);
        const size_t nData = static_cast<size_t>(nLength);
        if (!r.Have(nData))
            return;
        const size_t nKept = nData < nArea ? nData : nArea;
        if (r.Parsing())
        {
            std::memset(abArea, 0xFF, sizeof abArea);
            std::memcpy(abArea, r.At(), nKept);
            if (bMacro)
            {
                unsigned char abMacro[MACROSTRUCT_BYTES];
                m_Macro.ToBytes(abMacro);
                std::memcpy(abMacro + MACROTEXT_MAX, abArea, MACRO_PARAM_BYTES);
                m_Macro.FromBytes(abMacro);
            }
            else
            {
                std::memcpy(m_abLineAbPacked, abArea, LINEAB_PACKED_BYTES);
                SetLineAbVoicebox(UnpackLineAb(m_abLineAbPacked, LINEAB_PACKED_BYTES));
            }
        }
        else
        {
            // A long line announces more codes than the packed area holds: they go as unused.
            std::memset(r.At(), 0xFF, nData);
            std::memcpy(r.At(), abArea, nKept);
        }
        r.Advance(nData);
        return;
    }
    const CParamRow* pRow = ParamRow(m_nKeyUse);
    if (pRow && pRow->pData)
    {
        r.String(this->*pRow->pData, pRow->nDataMax, false, CData_Record::AFTER_ANNOUNCED);
        return;
    }
    // No data: a received length is skipped over.
    int nLength = 0;
    r.Byte(nLength);
    if (r.Have(static_cast<size_t>(nLength)))
        r.Advance(static_cast<size_t>(nLength));
}

void CData_Key::MoveRecord(CData_Record& r)
{
    r.Header(m_bModule ? ID_KEY_MODULE : ID_KEY);
    r.Expect(static_cast<unsigned char>(Number()));
    r.Byte(m_nKeyUse);
    // An unknown function carries nothing more.
    if (!r.Ok() || m_nKeyUse < KEYUSE_DIAL || m_nKeyUse > KEYUSE_MAX)
        return;
    const P& props = CData_Properties::Current();
    const CParamRow* pRow = ParamRow(m_nKeyUse);
    const bool bNovRek = m_nKeyUse == KEYUSE_EXT && props.m_bNovRekLine;

    int nParam1 = 0;
    int nParam2 = 0;
    if (bNovRek)
    {
        nParam1 = ToDecimalDigits(m_nNovRekPort);
        nParam2 = ToDecimalDigits(m_nNovRekBChannel);
    }
    else if (pRow)
    {
        nParam1 = pRow->pParam1 ? this->*pRow->pParam1 : 0;
        nParam2 = pRow->pParam2 ? this->*pRow->pParam2 : 0;
    }
    r.Byte(nParam1);
    r.Byte(nParam2);
    if (r.Parsing() && r.Ok())
    {
        if (bNovRek)
        {
            m_nNovRekPort = FromDecimalDigits(nParam1);
            m_nNovRekBChannel = FromDecimalDigits(nParam2);
        }
        else if (pRow)
        {
            if (pRow->pParam1)
                this->*pRow->pParam1 = nParam1;
            if (pRow->pParam2)
                this->*pRow->pParam2 = nParam2;
        }
        if (m_nKeyUse == KEYUSE_DIAL && (m_nDialKeyUse == 0 || m_nDialKeyUse > DIALKEYUSE_MAX))
            m_nDialKeyUse = DIALKEYUSE_MSN;
    }
    MoveParameterData(r);
    if (props.m_bKeyNames)
    {
        // A macro key shows its macro text where other keys show their label.
        std::string& label = m_nKeyUse == KEYUSE_MACRO ? m_Macro.strText : m_strKeyName;
        r.String(label, KEYNAME_MAX, true);
    }
}

int CData_Key::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    TraceLine(s_szClass, "MoveBlock()");
    // A refused record (another key, a short frame) changes nothing and leaves no trace line.
    return CData_MoveRecordModes(*this, nMode, pRecord, nSize, nFlag, nullptr,
                                 m_bModule ? ID_KEY_MODULE : ID_KEY, Number(), &CData_Key::MoveRecord);
}

std::string CData_Key::InfoText(int nIndex) const
{
    switch (nIndex)
    {
    case 0:
    {
        std::string text;
        KeyUseToStr(m_nKeyUse, text);
        return text;
    }
    case 1:
        return m_nKeyUse == KEYUSE_MACRO ? m_Macro.strText : m_strKeyName;
    case 2:
    {
        const CParamRow* pRow = ParamRow(m_nKeyUse);
        if (m_nKeyUse == KEYUSE_ABVOICEBOX)
            return m_strLineAbVoicebox;
        if (pRow && pRow->pData)
            return this->*pRow->pData;
        if (pRow && pRow->pParam1)
            return std::to_string(this->*pRow->pParam1);
        return std::string();
    }
    default:
        return CData::InfoText(nIndex);
    }
}
