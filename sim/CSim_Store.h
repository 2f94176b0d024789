#pragma once

// The emulator's telephone as the program's document holds a configuration: the headless
// application interface started on a resource bundle (configuration and phonebook), its DocData
// the telephone, its document reading and writing the state file (atomic saving included). The
// one place where the emulator reaches the program's document code.

#include <memory>
#include <string>

class CApp_Headless;
class CData_All;

class CSim_Store
{
public:
    CSim_Store();
    ~CSim_Store();
    CSim_Store(const CSim_Store&) = delete;
    CSim_Store& operator=(const CSim_Store&) = delete;

    // Starts the document code on the bundle (as r740tool --brand NAME); 0 when it is missing.
    int Start(const std::string& brand, const std::string& exeDir);
    // The telephone's configuration, phonebook and version block.
    CData_All& Phone();
    // Reads and writes the state file as the program opens and saves a document; 0 on failure
    // (the reason went to standard error).
    int Load(const std::string& path);
    int Save(const std::string& path);
    // The feature properties of the telephone itself: its phone type, firmware version and
    // modules under the bundle's brand, as the program computes them after its version check.
    void ApplyIdentity();

private:
    std::unique_ptr<CApp_Headless> m_pApp;
};
