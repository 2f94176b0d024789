#include "shell/CApp_Headless.h"

#include "data/CData_All.h"
#include "platform/CPlatform_Resource.h"
#include "shell/CApp_Startup.h"
#include "shell/CR740CfDoc.h"

CApp_Headless::CApp_Headless() : m_pResource(std::make_unique<CPlatform_Resource>()) {}

CApp_Headless::~CApp_Headless()
{
    m_pDoc.reset();
    if (CPlatform_Resource::Current() == m_pResource.get())
        CPlatform_Resource::SetCurrent(nullptr);
}

int CApp_Headless::Init(const CApp_Startup& startup, CApp_Profile::ERole role)
{
    if (!startup.LoadResource(*m_pResource))
        return 0;
    m_profile.m_roleOverride = role;
    DerivatLoad();
    m_pDocData = std::make_unique<CData_All>();
    m_pSavedData = std::make_unique<CData_All>();
    m_pDocData->m_Version.m_nPhoneType = m_profile.SettlePhoneType();
    m_pDoc = std::make_unique<CR740CfDoc>(*this);
    return m_pDoc->OnNewDocument();
}

int CApp_Headless::DerivatLoad()
{
    return m_profile.DerivatLoad(*m_pResource);
}

int CApp_Headless::DerivatToProperties(int nPhoneType)
{
    if (m_pDocData)
        m_pDocData->m_Version.m_nPhoneType = nPhoneType;
    return m_profile.DerivatToProperties(nPhoneType);
}
