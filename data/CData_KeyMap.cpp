#include "data/CData_KeyMap.h"

#include "data/CData_FileExRam.h"
#include "data/CData_Types.h"
#include "support/Trace.h"

#include <cstdio>
#include <cstring>

namespace
{
const char s_szClass[] = "CData_KeyMap";

// The pictures: map file and picture number per index; index 0 also stands for every index
// without a picture of its own.
struct CPicture
{
    const char* pszMap;
    unsigned nBitmap;
};
const CPicture s_pictures[CData_KeyMap::PICTURE_COUNT] = {
    {"RV740.map", 120},   {"RV740E740.map", 121}, {"RV760.map", 122},    {"RV760E740.map", 123},
    {"RV745.map", 124},   {"RV920.map", 125},     {"RV930.map", 126},    {"RV930E920.map", 127},
    {"RV920V2.map", 125}, {"RV920X.map", 126},    {"RV920XT.map", 7029}, {"RV930XE920.map", 127},
};

enum EPicture
{
    PIC_RV740 = 0,
    PIC_RV740_E740 = 1,
    PIC_RV760 = 2,
    PIC_RV760_E740 = 3,
    PIC_RV745 = 4,
    PIC_RV920 = 5,
    PIC_RV930 = 6,
    PIC_RV930_E920 = 7,
    PIC_RV920_V2 = 8,
    PIC_RV920X = 9,
    PIC_RV920XT_W920 = 10,
};

// Firmware of the RV920 from which on its keys follow the second map.
constexpr int RV920_V2_FIRMWARE = 3230;
// Keys of one key-extension module; module slot 1 holds the module keys 0 to 41.
constexpr int MODULE_KEYS = 42;
constexpr int MODULE_SLOTS = 3;

int PictureOfModuleKey(const CData_KeyMap::CPictureChoice& choice)
{
    int nSlot = choice.nKey / MODULE_KEYS + 1;
    if (choice.nKey < 0 || nSlot > MODULE_SLOTS)
        nSlot = 1;
    // A W920 module has its own picture; any other module in the slot is shown as the E920.
    return choice.anModuleType[nSlot] == MODULETYPE_W920 ? PIC_RV920XT_W920 : PIC_RV930_E920;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

int32_t ReadInt32(const unsigned char* p)
{
    const uint32_t n = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
    return static_cast<int32_t>(n);
}

void WriteInt32(unsigned char* p, int32_t nValue)
{
    const uint32_t n = static_cast<uint32_t>(nValue);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(n >> (8 * i) & 0xFF);
}

// Offsets of the record.
constexpr size_t OFS_CODE = CData_KeyMap::NAME_BYTES;
constexpr size_t OFS_RECT = CData_KeyMap::NAME_BYTES + 2;

const CData_KeyMap::CKey s_noKey;
} // namespace

CData_KeyMap::CData_KeyMap()
{
    Clear();
}

const char* CData_KeyMap::MapFileName(int nPicture)
{
    if (nPicture < 0 || nPicture >= PICTURE_COUNT)
        nPicture = PIC_RV740;
    return s_pictures[nPicture].pszMap;
}

unsigned CData_KeyMap::BitmapNumber(int nPicture)
{
    if (nPicture < 0 || nPicture >= PICTURE_COUNT)
        nPicture = PIC_RV740;
    return s_pictures[nPicture].nBitmap;
}

int CData_KeyMap::PictureIndex(const CPictureChoice& choice)
{
    const bool bE740 = choice.bE740Support && choice.bE740Attached;
    switch (choice.nPhoneType)
    {
    case PHONETYPE_RV740:
        return bE740 ? PIC_RV740_E740 : PIC_RV740;
    case PHONETYPE_RV750:
    case PHONETYPE_RV760:
        return bE740 ? PIC_RV760_E740 : PIC_RV760;
    case PHONETYPE_RV745:
        return PIC_RV745;
    case PHONETYPE_RV920:
        return choice.nFirmware < RV920_V2_FIRMWARE ? PIC_RV920 : PIC_RV920_V2;
    case PHONETYPE_RV930:
    case PHONETYPE_RV930U:
    case PHONETYPE_RV930SMS:
        return choice.bModuleKey ? PictureOfModuleKey(choice) : PIC_RV930;
    case PHONETYPE_RV920XT:
        return choice.bModuleKey ? PictureOfModuleKey(choice) : PIC_RV920X;
    default:
        return PIC_RV740;
    }
}

void CData_KeyMap::Clear()
{
    for (int k = 0; k < KEY_COUNT; ++k)
        m_keys[k] = CKey();
    for (int k = 0; k < KEY_COUNT; ++k)
        m_keys[k].nCode = k;
    m_nFound = 0;
    m_nRefused = 0;
}

int CData_KeyMap::ReadFile(const std::string& path)
{
    Clear();
    TraceLine(s_szClass, "ReadFile() ", path.c_str());
    CData_FileExRam file;
    if (path.empty() || !file.SetFileName(path.c_str()) || !file.Open(1))
    {
        TraceLine(s_szClass, "ReadFile() File not found!");
        return 0;
    }
    ReadKeys(file);
    file.Close();
    return 1;
}

int CData_KeyMap::ReadBuffer(const char* pData, size_t nSize)
{
    Clear();
    CData_FileExRam file;
    if (!file.OpenBuffer(pData, nSize))
        return 0;
    ReadKeys(file);
    file.Close();
    return m_nFound;
}

void CData_KeyMap::ReadKeys(CData_FileExRam& file)
{
    char szKey[16];
    std::string value;
    for (int k = 0; k < KEY_COUNT; ++k)
    {
        std::snprintf(szKey, sizeof szKey, "Key %X", static_cast<unsigned>(k));
        if (!file.GetString(SECTION, szKey, "", value))
            continue;
        unsigned char abRecord[RECORD_BYTES];
        if (!StructFromText(value, abRecord, RECORD_BYTES))
        {
            ++m_nRefused;
            TraceLine(s_szClass, "ReadKeys() Invalid value! ", szKey);
            continue;
        }
        m_keys[k] = KeyFromRecord(abRecord);
        // The value's key names the code: a record that says otherwise is taken as this key's,
        // so that a recorded code always finds its key again.
        if (m_keys[k].nCode != k)
        {
            TraceLine(s_szClass, "ReadKeys() Code differs from its key! ", szKey);
            m_keys[k].nCode = k;
        }
        if (m_keys[k].Exists())
            ++m_nFound;
    }
}

const CData_KeyMap::CKey& CData_KeyMap::Key(int nCode) const
{
    if (nCode < 0 || nCode >= KEY_COUNT)
        return s_noKey;
    return m_keys[nCode];
}

int CData_KeyMap::KeyAt(int x, int y) const
{
    for (int k = 0; k < KEY_COUNT; ++k)
        if (m_keys[k].Exists() && m_keys[k].Contains(x, y))
            return k;
    return -1;
}

int CData_KeyMap::FindName(const std::string& name) const
{
    if (name.empty())
        return -1;
    for (int k = 0; k < KEY_COUNT; ++k)
        if (m_keys[k].strName == name)
            return k;
    return -1;
}

int CData_KeyMap::StructFromText(const std::string& value, unsigned char* pDest, size_t nCount)
{
    size_t nBegin = 0;
    size_t nEnd = value.size();
    while (nBegin < nEnd && (value[nBegin] == ' ' || value[nBegin] == '\t'))
        ++nBegin;
    while (nEnd > nBegin && (value[nEnd - 1] == ' ' || value[nEnd - 1] == '\t' || value[nEnd - 1] == '\r'))
        --nEnd;
    if (!pDest || nEnd - nBegin != 2 * (nCount + 1))
        return 0;
    const char* pText = value.data() + nBegin;
    // The whole value is checked before anything reaches the destination.
    unsigned nSum = 0;
    for (size_t i = 0; i < 2 * (nCount + 1); ++i)
        if (HexDigit(pText[i]) < 0)
            return 0;
    auto byteAt = [pText](size_t i)
    { return static_cast<unsigned char>(HexDigit(pText[2 * i]) << 4 | HexDigit(pText[2 * i + 1])); };
    for (size_t i = 0; i < nCount; ++i)
        nSum += byteAt(i);
    if ((nSum & 0xFF) != byteAt(nCount))
        return 0;
    for (size_t i = 0; i < nCount; ++i)
        pDest[i] = byteAt(i);
    return 1;
}

std::string CData_KeyMap::StructToText(const unsigned char* pData, size_t nCount)
{
    static const char s_szHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(2 * (nCount + 1));
    unsigned nSum = 0;
    for (size_t i = 0; i <= nCount; ++i)
    {
        const unsigned nByte = i < nCount ? pData[i] : (nSum & 0xFF);
        nSum += nByte;
        text += s_szHex[nByte >> 4];
        text += s_szHex[nByte & 0x0F];
    }
    return text;
}

void CData_KeyMap::KeyToRecord(const CKey& key, unsigned char (&abRecord)[RECORD_BYTES])
{
    std::memset(abRecord, 0, RECORD_BYTES);
    const size_t n = key.strName.size() < NAME_BYTES - 1 ? key.strName.size() : NAME_BYTES - 1;
    std::memcpy(abRecord, key.strName.data(), n);
    abRecord[OFS_CODE] = static_cast<unsigned char>(key.nCode & 0xFF);
    WriteInt32(abRecord + OFS_RECT, key.nLeft);
    WriteInt32(abRecord + OFS_RECT + 4, key.nTop);
    WriteInt32(abRecord + OFS_RECT + 8, key.nRight);
    WriteInt32(abRecord + OFS_RECT + 12, key.nBottom);
}

CData_KeyMap::CKey CData_KeyMap::KeyFromRecord(const unsigned char (&abRecord)[RECORD_BYTES])
{
    CKey key;
    // The name is zero-terminated inside its 50 bytes; a name that fills them all stops there.
    size_t n = 0;
    while (n < NAME_BYTES && abRecord[n] != 0)
        ++n;
    key.strName.assign(reinterpret_cast<const char*>(abRecord), n);
    key.nCode = abRecord[OFS_CODE];
    key.nLeft = ReadInt32(abRecord + OFS_RECT);
    key.nTop = ReadInt32(abRecord + OFS_RECT + 4);
    key.nRight = ReadInt32(abRecord + OFS_RECT + 8);
    key.nBottom = ReadInt32(abRecord + OFS_RECT + 12);
    return key;
}
