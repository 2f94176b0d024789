#include "support/CVersion_Info.h"

#include "platform/CPlatform_Resource.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

namespace
{
struct CAboutCase
{
    const char* pszWhat;
    const char* pszVersionBlock; // the bundle's version text; nullptr: no version block at all
    const char* pszText;
};

void PrintTo(const CAboutCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

class VersionAboutText : public ::testing::TestWithParam<CAboutCase>
{
};

// Through a loaded bundle, so that "-" for a missing name and the empty strings without a block
// are the bundle's own answers.
TEST_P(VersionAboutText, FollowsTheProductVersionRule)
{
    const CAboutCase& c = GetParam();
    CPlatform_Resource resource;
    ASSERT_EQ(1, resource.LoadData("110\tR740Cf\n", c.pszVersionBlock ? c.pszVersionBlock : ""));
    CPlatform_Resource::SetCurrent(&resource);
    EXPECT_EQ(c.pszText, CVersion_Info::AboutText(CVersion_Info::CurrentBundle(), "Apr 11 2005", "13:36:14"))
        << c.pszWhat;
    CPlatform_Resource::SetCurrent(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, VersionAboutText,
    ::testing::Values(
        CAboutCase{"complete",
                   "ProductName\tR740 Configurator\nProductVersion\t2, 10, 0, 157\n"
                   "CompanyName\tTalvo\nLegalCopyright\t(C) 2005\n",
                   "R740 Configurator\n\nV 2.100, Build 157,  Apr 11 2005 13:36:14\n\nTalvo\n(C) 2005"},
        CAboutCase{"ProductVersion missing", "ProductName\tR740\nCompanyName\tTalvo\n",
                   "R740\n\nV ., Build -,  Apr 11 2005 13:36:14\n\nTalvo\n-"},
        CAboutCase{"no version block", nullptr, "\n\nV ., Build ,  Apr 11 2005 13:36:14\n\n\n"},
        CAboutCase{"ProductVersion without blanks", "ProductVersion\t2,10,0,157\n",
                   "-\n\nV ., Build 2100157,  Apr 11 2005 13:36:14\n\n-\n-"},
        CAboutCase{"several blanks between the numbers", "ProductVersion\t3,  1, 7\n",
                   "-\n\nV 3.1, Build 7,  Apr 11 2005 13:36:14\n\n-\n-"}));

} // namespace
