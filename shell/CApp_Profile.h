#pragma once

// The application object's brand data, user settings and feature properties: DerivatLoad,
// ProfileSettingsGet, ProfileSettingsSet and DerivatToProperties, and the window title of an
// unattended run. Headless; the application object owns one and wires in the resource bundle's
// string table and the settings store. Traces under "App".
//
// The brand data and the version number live in the input of the feature properties
// (CData_Properties::CurrentInput()), the properties in CData_Properties::Current(): DerivatLoad
// and DerivatToProperties put new ones in force there. The settings are this object's.

#include "data/CData_Properties.h"

#include <functional>
#include <string>

class CPlatform_Resource;
class CPlatform_Settings;

class CApp_Profile
{
public:
    // A string-table lookup by number; an entry that does not exist gives the empty text.
    using StringLookup = std::function<std::string(int)>;

    // Roles that replace the flags 150 and 151 at every DerivatLoad: a command-line run may work
    // on configuration files with a phonebook bundle and the other way round.
    enum ERole
    {
        ROLE_BRAND,    // as the brand data say
        ROLE_CFG,      // configurator only
        ROLE_DIALNAME, // phonebook program only
        ROLE_BOTH,
    };
    ERole m_roleOverride = ROLE_BRAND;

    // The connection setting of a PABX link.
    static constexpr int CONNECTION_PABX = 2;

    // ---- Settings: section "Transfer" ----
    int m_nComPort = 1;      // serial port number, COM1 = 1
    int m_nConnection = 1;   // 0 USB, 1 serial port, 2 PABX
    int m_nTimerOpen = 2000; // link opening timer, ms
    int m_nTimerData = 5000; // data timer, ms
    int m_nRepeatData = 5;   // repetitions of a data exchange
    int m_nVerifyWrite = 1;  // a send is read back and compared; the telephone's data kept before
    std::string m_szPhone;   // phone-type word of the last document: the current phone-type setting
    // ---- section "Screen" ----
    int m_nX = 20;
    int m_nY = 20;
    int m_nDX = 0;
    int m_nDY = 0;
    // ---- section "Settings" (read only) ----
    int m_nSetRV730 = 0;    // offer RV730
    int m_nSetRV745 = 0;    // offer RV745
    int m_nSetRV920 = 0;    // offer RV920 for "TALVO"
    int m_nSetRV930Sms = 0; // offer RV930SMS
    std::string m_szDataPath;

    // ---- State the application object sets ----
    bool m_bPabxLink = false;     // "/SYSTEL"
    bool m_bPabxLine = false;     // "/KNT" or forced by the PABX parameters
    std::string m_szHelpFilePath; // help file of the language texts; DerivatToProperties may switch it

    CApp_Profile();

    // The brand data in force (DerivatLoad) and the version number: the brand's, or an opened
    // file's until the next DerivatLoad.
    const CData_Brand& Brand() const { return CData_Properties::CurrentInput().brand; }
    int VersionNumber() const { return CData_Properties::CurrentInput().nVersion; }

    // Reads the brand data with the resource string table (lookup) and the interface texts
    // (interfaceText, for the country; the string table when empty) and puts them in force with
    // the brand's version number and no modules. 0 without a lookup.
    int DerivatLoad(const StringLookup& lookup, const StringLookup& interfaceText = nullptr);
    // The same from a resource module's string table, the interface texts first for the country.
    int DerivatLoad(const CPlatform_Resource& resource);
    // The version number of an opened file; it lasts until the next DerivatLoad.
    void SetVersionText(const std::string& version);

    int ProfileSettingsGet(const CPlatform_Settings& settings);
    // Writes the settings; nDocPhoneType (DocData's phone type) becomes the phone-type setting.
    // 1 when every value was written.
    int ProfileSettingsSet(CPlatform_Settings& settings, int nDocPhoneType);

    // Steps 2 to 6: puts the feature properties of the phone type in force, on the brand data,
    // version number and module set in force and this object's switches and PABX modes; then the
    // help file and the link follow them. 1. The caller stores the type and refreshes the view.
    int DerivatToProperties(int nPhoneType);
    // The link the properties in force give the phone type: USB for a USB-capable type, else the
    // serial port; a PABX run keeps the link it chose.
    void FollowPhoneTypeLink();

    // Start-up: converts the phone-type setting and computes the properties for it; a type the
    // brand does not offer is replaced by the brand's default type. Gives the type.
    int SettlePhoneType();

    // The status bar's port pane: " USB", " COM%1d" or the interface text 501 (PABX).
    std::string StatusPaneText() const;
    StringLookup m_interfaceText; // kept from DerivatLoad for the pane text

    // Window title of an unattended run from the current title and the hand-off's phone type and
    // name; the current title for brands without PABX runs.
    std::string UnattendedTitle(const std::string& current, const std::string& handOffType,
                                const std::string& handOffName) const;

    bool PabxMode() const { return m_bPabxLink || m_bPabxLine; }
};
