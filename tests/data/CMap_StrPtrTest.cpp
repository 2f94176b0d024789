#include "data/CMap_StrPtr.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

namespace
{
// Names asked for mostly in the order they were added, passing over a few or many at a time and
// now and then anywhere, with duplicates in any case: FindNext gives what a search from the
// first name gives.
TEST(CMap_StrPtr, FindNextGivesTheFirstOfANameInAnyOrder)
{
    std::mt19937 rng(740);
    for (int nRound = 0; nRound < 20; ++nRound)
    {
        const size_t nNames = 1 + rng() % 3000;
        std::vector<std::string> names;
        for (size_t i = 0; i < nNames; ++i)
        {
            std::string name = "Section_" + std::to_string(rng() % (nNames / 2 + 1));
            if (rng() % 4 == 0)
                name[0] = 's';
            names.push_back(name);
        }
        CMap_StrPtr map(16, 16);
        for (size_t i = 0; i < names.size(); ++i)
            map.Add(names[i].c_str(), static_cast<int>(i));

        auto first = [&names](const std::string& name)
        {
            for (size_t i = 0; i < names.size(); ++i)
                if (CMap_StrPtr::Compare(names[i].c_str(), name.c_str()) == 0)
                    return static_cast<int>(i);
            return -1;
        };
        size_t nAt = 0;
        for (int nAsk = 0; nAsk < 600; ++nAsk)
        {
            const unsigned nHow = rng() % 10;
            nAt = nHow < 6   ? nAt + 1
                  : nHow < 8 ? nAt + rng() % 12
                  : nHow < 9 ? nAt + rng() % 200
                             : rng() % nNames;
            std::string name = nAt < nNames ? names[nAt] : "Section_missing";
            if (rng() % 5 == 0)
                name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
            ASSERT_EQ(first(name), map.FindNext(name.c_str())) << "round " << nRound << " " << name;
            if (nAt >= nNames)
                nAt = 0;
        }
        EXPECT_EQ(first(names.back()), map.Find(names.back().c_str()));
    }
}
} // namespace
