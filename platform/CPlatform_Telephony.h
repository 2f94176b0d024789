#pragma once

// The platform's current dialling location: the country code and the digits that open an
// outside line, which the vCard import needs to make international numbers dialable. Read, never
// written, from a settings group of our own (organisation "Telephony", application "Locations"),
// laid out like the telephony locations of the system the program comes from:
//
//     CurrentID=1                 the current location's id
//     LocationListVersion=2       2: location groups are numbered by id, else by id - 1
//     [Location1]
//     Country=49
//     OutsideAccess=0
//
// On Linux the group is the file ~/.config/Telephony/Locations.conf (top-level values under
// [General]); on Windows the registry key HKEY_CURRENT_USER\Software\Telephony\Locations.

#include <string>

class CPlatform_Settings;

struct CPlatform_Telephony
{
    // The outside-access text is cut to this length, the width of the value in the original store.
    static constexpr size_t OUTSIDE_ACCESS_MAX = 50;
    static const char* const ORGANISATION;
    static const char* const APPLICATION;

    int nCountry = 0;    // 0 when nothing is found
    std::string outside; // empty when nothing is found

    // "+" and the country code: "+49", "+0" when nothing is found.
    std::string CountryText() const;

    // The current location from the group above, or from another store.
    static CPlatform_Telephony Current();
    static CPlatform_Telephony Current(const CPlatform_Settings& store);
};
