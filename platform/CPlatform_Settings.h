#pragma once

// The user's settings store, standing in for the registry below the current user's software
// branch: the registry word is the organisation, the key below it the application. On Windows
// this is the real registry; on Linux an INI file under the user's configuration directory.
// Sections are the registry's subkeys, values keep their names exactly.

#include <memory>
#include <string>

class QSettings;

class CPlatform_Settings
{
public:
    CPlatform_Settings(const std::string& organisation, const std::string& application);
    ~CPlatform_Settings();
    CPlatform_Settings(const CPlatform_Settings&) = delete;
    CPlatform_Settings& operator=(const CPlatform_Settings&) = delete;

    // 1 and the value when it exists (and, for integers, is a decimal integer); else 0 and
    // the output untouched. An empty section means the key itself.
    int GetInt(const std::string& section, const std::string& name, int& nValue) const;
    int GetString(const std::string& section, const std::string& name, std::string& value) const;

    // 1 when written.
    int SetInt(const std::string& section, const std::string& name, int nValue);
    int SetString(const std::string& section, const std::string& name, const std::string& value);

    // Writes pending changes to the store; 1 on success.
    int Sync();

    // Points every store created afterwards at a directory of its own (tests, portable runs).
    static void SetRootDirectory(const std::string& directory);

private:
    std::unique_ptr<QSettings> m_pSettings;
};
