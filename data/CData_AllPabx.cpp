// The PABX hand-off files: both have the configuration file's format and are read through the
// one store, whose file name the caller (the application object) has set to the working directory
// and the file's name.

#include "data/CData_All.h"
#include "data/CData_FileExRam.h"
#include "data/CData_PabxHandOff.h"
#include "data/CData_Types.h"
#include "support/Trace.h"

#include <cstdio>

namespace
{
const char s_szClass[] = "CData_All";

const char s_szSectionPabx[] = "System";
const char s_szSectionSystel[] = "SystelConfiguration";

// One value into its buffer of CData_PabxHandOff::VALUE_MAX characters. A file that is not open
// leaves the default (the store's GetString then only traces).
void ReadValue(CData_FileExRam& file, const char* pszSection, const char* pszKey, const char* pszDefault,
               std::string& value)
{
    char sz[CData_PabxHandOff::VALUE_MAX];
    std::snprintf(sz, sizeof sz, "%s", pszDefault);
    file.GetString(pszSection, pszKey, pszDefault, sz, sizeof sz);
    value = sz;
}

struct CSystelKey
{
    const char* pszKey;
    std::string CData_PabxHandOff::*pValue;
};
// Read in this order.
const CSystelKey s_systelKeys[] = {
    {"SerialNo", &CData_PabxHandOff::m_szSerialNo}, {"PortId", &CData_PabxHandOff::m_szPortId},
    {"Link", &CData_PabxHandOff::m_szLink},         {"Type", &CData_PabxHandOff::m_szType},
    {"Name", &CData_PabxHandOff::m_szName},         {"ServiceNo", &CData_PabxHandOff::m_szServiceNo},
};
} // namespace

int CData_All::MoveFilePabx(CData_PabxHandOff& handOff)
{
    CData_FileExRam& file = CData::File();
    TraceLine(s_szClass, "MoveFilePabx()");
    TraceLine(s_szClass, file.FileName().c_str());
    if (!file.Open(1))
    {
        file.Close();
        return 0;
    }
    ReadValue(file, s_szSectionPabx, "Registry", "", handOff.m_szRegistry);
    std::string mode;
    ReadValue(file, s_szSectionPabx, "AuthenticationMode", "NON", mode);
    StrToAuthenticationMode(handOff.m_nAuthenticationMode, mode);
    file.Close();
    return 1;
}

int CData_All::MoveFileSystel(CData_PabxHandOff& handOff)
{
    CData_FileExRam& file = CData::File();
    TraceLine(s_szClass, "MoveFileSystel()");
    TraceLine(s_szClass, file.FileName().c_str());
    const int nOpen = file.Open(1);
    for (const CSystelKey& key : s_systelKeys)
        ReadValue(file, s_szSectionSystel, key.pszKey, "", handOff.*key.pValue);
    file.Close();
    return nOpen;
}
