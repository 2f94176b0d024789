#include "sim/CSim_Store.h"

#include "data/CData_All.h"
#include "data/CData_RecordTable.h"
#include "shell/CApp_Headless.h"
#include "shell/CApp_Startup.h"
#include "shell/CR740CfDoc.h"
#include "transfer/CLayerPP_Data.h"

CSim_Store::CSim_Store() = default;

CSim_Store::~CSim_Store() = default;

int CSim_Store::Start(const std::string& brand, const std::string& exeDir)
{
    m_pApp = std::make_unique<CApp_Headless>();
    CApp_Startup startup;
    startup.exeDirectory = exeDir;
    startup.resourceBrand = brand;
    // A telephone keeps both: the state file holds its configuration and its phonebook.
    if (m_pApp->Init(startup, CApp_Profile::ROLE_BOTH))
        return 1;
    m_pApp.reset();
    return 0;
}

CData_All& CSim_Store::Phone()
{
    return m_pApp->DocData();
}

int CSim_Store::Load(const std::string& path)
{
    return m_pApp->Document().OnOpenDocument(path);
}

int CSim_Store::Save(const std::string& path)
{
    return m_pApp->Document().OnSaveDocument(path);
}

void CSim_Store::ApplyIdentity()
{
    const CData_All& phone = m_pApp->DocData();
    // Only the types that report their modules have a module set in the program's eyes.
    const bool bModules = CData_RecordTable::ReportsModules(phone.m_Version.m_nPhoneType);
    CLayerPP_Data::ApplyPhoneProperties(phone.m_Version, bModules ? phone.m_Cfg.m_VersionModule : nullptr);
}
