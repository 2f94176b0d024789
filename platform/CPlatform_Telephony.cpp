#include "platform/CPlatform_Telephony.h"

#include "platform/CPlatform_Settings.h"

const char* const CPlatform_Telephony::ORGANISATION = "Telephony";
const char* const CPlatform_Telephony::APPLICATION = "Locations";

namespace
{
// Location lists of this version name their groups by the id itself.
constexpr int LIST_VERSION_BY_ID = 2;
} // namespace

std::string CPlatform_Telephony::CountryText() const
{
    return "+" + std::to_string(nCountry);
}

CPlatform_Telephony CPlatform_Telephony::Current()
{
    const CPlatform_Settings store(ORGANISATION, APPLICATION);
    return Current(store);
}

CPlatform_Telephony CPlatform_Telephony::Current(const CPlatform_Settings& store)
{
    int nId = 0;
    int nListVersion = 0;
    store.GetInt("", "CurrentID", nId);
    store.GetInt("", "LocationListVersion", nListVersion);
    const int nLocation = nListVersion == LIST_VERSION_BY_ID ? nId : nId - 1;
    const std::string group = "Location" + std::to_string(nLocation);

    CPlatform_Telephony location;
    store.GetInt(group, "Country", location.nCountry);
    store.GetString(group, "OutsideAccess", location.outside);
    if (location.outside.size() > OUTSIDE_ACCESS_MAX)
        location.outside.resize(OUTSIDE_ACCESS_MAX);
    return location;
}
