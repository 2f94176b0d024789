#pragma once

// The application interface for a run without the program's window and settings: the
// command-line tool and the emulator open and save configuration files through the document and
// data code with it. It owns a resource module, the brand data and default settings of a
// CApp_Profile, DocData, SavedData and the document; there is no view, no recently used list and
// nothing is written to the user's settings.

#include "shell/CApp_Interface.h"
#include "shell/CApp_Profile.h"

#include <memory>
#include <string>

class CData_All;
class CPlatform_Resource;
class CR740CfDoc;
struct CApp_Startup;

class CApp_Headless : public CApp_Interface
{
public:
    CApp_Headless();
    ~CApp_Headless() override;
    CApp_Headless(const CApp_Headless&) = delete;
    CApp_Headless& operator=(const CApp_Headless&) = delete;

    // The resource module (the user is told when it is missing), the brand data with the role
    // given, the brand's default phone type and a new document. 1 on success.
    int Init(const CApp_Startup& startup, CApp_Profile::ERole role = CApp_Profile::ROLE_BRAND);

    CR740CfDoc& Document() { return *m_pDoc; }
    // The brand data in force, the role and the settings' defaults (nothing of them is stored).
    CApp_Profile& Profile() { return m_profile; }

    // ---- CApp_Interface ----
    CData_All& DocData() override { return *m_pDocData; }
    CData_All& SavedData() override { return *m_pSavedData; }
    void SetPhoneImageValid(bool bValid) override { m_bPhoneImageValid = bValid; }
    std::string PhoneSetting() const override { return m_profile.m_szPhone; }
    int DerivatLoad() override;
    int DerivatToProperties(int nPhoneType) override;
    void SetVersionText(const std::string& version) override { m_profile.SetVersionText(version); }
    void MoveDataViewToDoc() override {}
    void MoveDataDocToView() override {}
    const std::string& LastFilePath() const override { return m_lastFilePath; }
    void SetLastFilePath(const std::string& path) override { m_lastFilePath = path; }
    void AddToRecentFileList(const std::string&) override {}
    void InitialUpdateFrame() override {}

private:
    std::unique_ptr<CPlatform_Resource> m_pResource;
    CApp_Profile m_profile;
    std::unique_ptr<CData_All> m_pDocData;
    std::unique_ptr<CData_All> m_pSavedData;
    std::unique_ptr<CR740CfDoc> m_pDoc;
    std::string m_lastFilePath;
    bool m_bPhoneImageValid = false;
};
