#pragma once

// What the frame fuzzers share: the program's properties before a version check (TALVO brand
// data, configuration and phonebook) and a telephone of a chosen type and modules holding a PIN
// and a few phonebook entries.

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "transfer/CLayerPP_Data.h"

#include <memory>

struct CFuzz_PhoneKind
{
    int nPhoneType;
    const char* pszVersion;
    int anModules[CLayerPP_Data::MODULE_SLOTS];
};

inline void FuzzInstallProgramProperties()
{
    CData_PropertyInput input;
    input.brand.m_szDerivat = "TALVO";
    input.brand.m_szCountry = "GER";
    input.brand.m_bAppCfg = true;
    input.brand.m_bAppDialName = true;
    CData_Properties::Install(input);
}

inline std::unique_ptr<CData_All> FuzzMakePhone(const CFuzz_PhoneKind& kind, int nEntries)
{
    auto pPhone = std::make_unique<CData_All>();
    CData_All& phone = *pPhone;
    phone.m_Version.m_nPhoneType = kind.nPhoneType;
    phone.m_Version.m_strVersion = kind.pszVersion;
    for (int i = 0; i < CLayerPP_Data::MODULE_SLOTS; ++i)
        phone.m_Cfg.m_VersionModule[i].m_nModuleType = kind.anModules[i];
    phone.m_Cfg.m_Basic.m_strPin = "5182";
    for (int i = 0; i < nEntries; ++i)
    {
        CData_DialName entry(i);
        entry.m_strName = "Name";
        entry.m_strMsnExt = "0301";
        phone.m_DialName.m_List.Append(entry);
    }
    phone.m_DialName.m_Basic.m_nCount = nEntries;
    return pPhone;
}
