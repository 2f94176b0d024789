#pragma once

#include "data/CData.h"

// One programmable key: a telephone key ("Key", record 0x80) or a key of a key-extension module
// ("KeyE920", record 0x90). Both share fields, file keys and record layout.
// The remaining fields, file keys and records are added with the block itself.
class CData_Key : public CData
{
public:
    static constexpr const char* KIND = "Key";
    static constexpr const char* KIND_MODULE = "KeyE920";

    // Key functions run from 1 "DIAL" to 27 "PENDING_CALLBACK".
    static constexpr int KEYUSE_DIAL = 1;
    static constexpr int KEYUSE_MAX = 27;

    explicit CData_Key(int nNumber = 0, bool bModule = false) : m_bModule(bModule) { SetIndex(nNumber); }
    void SetIndex(int nNumber) { CData::SetIndex(m_bModule ? KIND_MODULE : KIND, nNumber); }
    bool IsModuleKey() const { return m_bModule; }

    bool operator==(const CData& other) const override
    {
        const auto* p = dynamic_cast<const CData_Key*>(&other);
        return p && CData::operator==(other) && m_nKeyUse == p->m_nKeyUse;
    }
    int MoveFile(int, int) override { return 1; }

    int m_nKeyUse = KEYUSE_DIAL; // `KeyUse`

private:
    bool m_bModule;
};
