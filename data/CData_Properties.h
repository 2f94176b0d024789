#pragma once

// The feature properties of the current phone type and brand. The application object computes
// them (DerivatToProperties) and every block and page reads them here instead of testing brands
// or phone types itself. One process-wide instance, like the application object that owns it.

#include <string>

struct CData_Properties
{
    // Program roles from the brand data: the configurator (whole configuration) and the phonebook
    // program (phonebook only). One executable may be both.
    bool m_bAppCfg = true;
    bool m_bAppDialName = false;

    // How many blocks of a kind take part in file and transfer operations.
    int m_nMsnCount = 10;       // at most 10
    int m_nKeyCount = 62;       // at most 62
    bool m_bCallFilter = false; // the five call-filter blocks exist

    // Key functions offered, one flag per function group. Functions 5 and 6, 8 and 9, 10 and 11,
    // 12 and 13 share one flag each; functions 1, 4 and 18 to 27 are always accepted.
    bool m_bKeyLine = true;       // 2 LINE
    bool m_bKeyExt = true;        // 3 EXT
    bool m_bKeyVariant = true;    // 5 VARIANT_ALL, 6 VARIANT_TEAM
    bool m_bKeyTeamLogout = true; // 7 TEAMLOGOUT
    bool m_bKeyAnnounce = true;   // 8 ANNOUNCE, 9 ANNOUNCE_LOOK
    bool m_bKeyIntercom = true;   // 10 INTERCOM, 11 INTERCOM_LOOK
    bool m_bKeyChefSec = true;    // 12 CHEF, 13 SEC
    bool m_bKeyDialFilter = true; // 14 DIALFILTER
    bool m_bKeyAws = true;        // 15 AWS
    bool m_bKeyDirectCall = true; // 16 DIRECTCALL
    bool m_bKeyVMail = true;      // 17 VMAIL

    // Rules of the value conversions that depend on phone type and brand.
    int m_nIntNumberLen = 2;          // longest internal number (StrToMsnInt)
    bool m_bLoudStep8 = false;        // Loud may be 7 (the eighth volume step)
    std::string m_szPhoneTypeDefault; // the brand's default phone-type word (PhoneType fallback)

    // Whether a key function code is offered for the current phone type.
    bool KeyFunctionOffered(int nKeyUse) const;

    // The instance in force.
    static CData_Properties& Current();
};
