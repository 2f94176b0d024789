#pragma once

// The program's own resource bundle, and a language file if asked for, made current for the life
// of the object: dialogs then show the texts and pictures the program shows. Both come from the
// build directory, where the build leaves them beside the program.

#include "platform/CPlatform_Resource.h"
#include "support/CLang_Info.h"
#include "support/CLang_Text.h"

#include <string>

class CTest_Bundle
{
public:
    // pszLanguage: "UK", "GER" or nullptr for the bundle's default texts alone.
    explicit CTest_Bundle(const char* pszLanguage = nullptr) : m_language(pszLanguage ? pszLanguage : "UK")
    {
        m_bLoaded = m_resource.LoadFile(std::string(R740_BINARY_DIR) + "/Res_Pb.rcc") != 0;
        CPlatform_Resource::SetCurrent(&m_resource);
        if (pszLanguage)
        {
            m_text.ReadFile(std::string(R740_BINARY_DIR) + "/lang/R740Cf_" + pszLanguage + ".txt");
            CLang_Text::Set(&m_text);
        }
    }
    ~CTest_Bundle()
    {
        CLang_Text::Set(nullptr);
        CPlatform_Resource::SetCurrent(nullptr);
    }
    CTest_Bundle(const CTest_Bundle&) = delete;
    CTest_Bundle& operator=(const CTest_Bundle&) = delete;

    bool Loaded() const { return m_bLoaded; }
    // The key map file as the build ships it, in this object's language (else "UK").
    std::string MapPath(const std::string& mapName) const
    {
        return CLang_Info::MapFilePathIn(R740_BINARY_DIR, m_language, mapName);
    }

private:
    CPlatform_Resource m_resource;
    CLang_Text m_text;
    std::string m_language;
    bool m_bLoaded = false;
};
