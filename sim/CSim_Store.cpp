#include "sim/CSim_Store.h"

#include "data/CData_All.h"
#include "shell/CApp.h"
#include "shell/CR740CfDoc.h"

CSim_Store::CSim_Store() = default;

CSim_Store::~CSim_Store() = default;

int CSim_Store::Start(const std::string& brand, const std::string& exeDir)
{
    m_pApp = std::make_unique<CApp>();
    // A telephone keeps both: the state file holds its configuration and its phonebook.
    m_pApp->m_roleOverride = CApp_Profile::ROLE_BOTH;
    CApp_Startup startup;
    startup.exeDirectory = exeDir;
    startup.resourceBrand = brand;
    if (m_pApp->InitHeadless(startup))
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
    CR740CfDoc* pDoc = m_pApp->Document();
    return pDoc && pDoc->OnOpenDocument(path);
}

int CSim_Store::Save(const std::string& path)
{
    CR740CfDoc* pDoc = m_pApp->Document();
    return pDoc && pDoc->OnSaveDocument(path);
}

void CSim_Store::ApplyIdentity()
{
    const CData_Version& version = m_pApp->DocData().m_Version;
    m_pApp->SetVersionText(version.m_strVersion);
    m_pApp->DerivatToProperties(version.m_nPhoneType);
}
