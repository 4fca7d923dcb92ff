#include "model/Names.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

// Names equal under Equal must hash alike; a simple reference fold checks both.
TEST(Names, EqualNamesHashAlikeAgainstAReferenceFold)
{
    const auto lower = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    std::mt19937 random(7);
    const std::string letters = "aAbBzZ@[`{\x80\xC9\xE9 _09";
    for (int round = 0; round < 2000; ++round) {
        std::string a, b;
        const size_t length = random() % 12;
        for (size_t i = 0; i < length; ++i) {
            const char c = letters[random() % letters.size()];
            a += c;
            // b: the same letter in either case, now and then another byte.
            const char other = letters[random() % letters.size()];
            b += random() % 8 == 0 ? other : (random() % 2 ? c : lower(std::string(1, c))[0]);
        }
        const bool same = lower(a) == lower(b);
        EXPECT_EQ(names::Equal(a, b), same) << a << " / " << b;
        if (same) {
            EXPECT_EQ(names::Hash(a), names::Hash(b)) << a << " / " << b;
        }
        EXPECT_EQ(names::Compare(a, b) == 0, same);
    }
    EXPECT_NE(names::Hash("person"), names::Hash("persons"));
}
