// The current dialling location from the settings group of the telephony locations.

#include "platform/CPlatform_Telephony.h"
#include "platform/CPlatform_Settings.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace
{
struct CLocationCase
{
    const char* pszWhat;
    const char* pszCurrentId; // nullptr: value missing
    const char* pszListVersion;
    const char* pszGroup; // the group that holds Country 49 and OutsideAccess "0"
    const char* pszCountryText;
    const char* pszOutside;
};

void PrintTo(const CLocationCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

class TelephonyLocation : public ::testing::TestWithParam<CLocationCase>
{
};

TEST_P(TelephonyLocation, IsFoundByItsId)
{
    const CLocationCase& c = GetParam();
    CTest_TempDir dir;
    CPlatform_Settings::SetRootDirectory(dir.Path());
    {
        CPlatform_Settings store(CPlatform_Telephony::ORGANISATION, CPlatform_Telephony::APPLICATION);
        if (c.pszCurrentId)
            store.SetString("", "CurrentID", c.pszCurrentId);
        if (c.pszListVersion)
            store.SetString("", "LocationListVersion", c.pszListVersion);
        if (c.pszGroup)
        {
            store.SetInt(c.pszGroup, "Country", 49);
            store.SetString(c.pszGroup, "OutsideAccess", "0");
        }
        store.Sync();
    }
    const CPlatform_Telephony location = CPlatform_Telephony::Current();
    EXPECT_EQ(c.pszCountryText, location.CountryText());
    EXPECT_EQ(c.pszOutside, location.outside);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TelephonyLocation,
    ::testing::Values(CLocationCase{"list version 2 names groups by id", "3", "2", "Location3", "+49", "0"},
                      CLocationCase{"older lists by id minus one", "3", "1", "Location2", "+49", "0"},
                      CLocationCase{"no list version counts as older", "1", nullptr, "Location0", "+49", "0"},
                      CLocationCase{"the id's group is missing", "3", "2", "Location2", "+0", ""},
                      CLocationCase{"no location at all", nullptr, nullptr, nullptr, "+0", ""}));
} // namespace
