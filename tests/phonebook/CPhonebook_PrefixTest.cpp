// Dialling-prefix processing in its three modes.

#include "phonebook/CPhonebook_Prefix.h"
#include "data/CData_AllDialName.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace
{
struct CPrefixCase
{
    const char* pszWhat;
    CPhonebook_PrefixSettings settings;
    std::vector<std::string> before;
    std::vector<std::string> after;
};

void PrintTo(const CPrefixCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

CPhonebook_PrefixSettings Settings(int nMode, const char* pszPrefix, int nDigits = 1, int nMin = 2,
                                   int nMax = 6)
{
    CPhonebook_PrefixSettings s;
    s.nMode = nMode;
    s.prefix = pszPrefix;
    s.nDigits = nDigits;
    s.nMinLength = nMin;
    s.nMaxLength = nMax;
    return s;
}

class PrefixModes : public ::testing::TestWithParam<CPrefixCase>
{
};

TEST_P(PrefixModes, ChangeTheNumbersThatMeetTheCondition)
{
    const CPrefixCase& c = GetParam();
    CData_AllDialName book;
    for (size_t i = 0; i < c.before.size(); ++i)
    {
        CData_DialName e(static_cast<int>(i));
        e.m_strName = "N" + std::to_string(i);
        e.m_strMsnExt = c.before[i];
        book.m_List.Append(e);
    }
    int nExpected = 0;
    for (size_t i = 0; i < c.before.size(); ++i)
        nExpected += c.before[i] != c.after[i] ? 1 : 0;
    EXPECT_EQ(nExpected, CPhonebook_Prefix::Apply(c.settings, book));
    std::vector<std::string> after;
    for (const CData_DialName& e : book.m_List.Entries())
        after.push_back(e.m_strMsnExt);
    EXPECT_EQ(c.after, after);
}

INSTANTIATE_TEST_SUITE_P(Rows, PrefixModes,
                         ::testing::Values(CPrefixCase{"mode 0 defaults: 3 to 5 characters",
                                                       Settings(0, "0"),
                                                       {"12", "123", "12345", "123456", ""},
                                                       {"12", "0123", "012345", "123456", ""}},
                                           CPrefixCase{"mode 0 keeps to the longest number",
                                                       Settings(0, "99999", 1, 0, 27),
                                                       {"1234567890123456789012"},
                                                       {"99999123456789012345678901"}},
                                           CPrefixCase{"mode 1 never empties a number",
                                                       Settings(1, "030"),
                                                       {"030", "0301234", "0891234", "03"},
                                                       {"030", "1234", "0891234", "03"}},
                                           CPrefixCase{"mode 2 with 3 digits and minimum 2",
                                                       Settings(2, "", 3, 2),
                                                       {"12", "123", "1234", "0301234"},
                                                       {"12", "", "4", "1234"}}));
} // namespace
