#include "views/TextSize.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// What a scalable font lists, and a bitmap font with a few sizes.
const std::vector<int> kScalable = {6,  7,  8,  9,  10, 11, 12, 14, 16,
                                    18, 20, 22, 24, 26, 28, 36, 48, 72};
const std::vector<int> kBitmap = {13, 5, 8, 10, 8};
} // namespace

TEST(TextSize, OfferedAreTheFontsSizesInRangeSortedOnce)
{
    EXPECT_EQ(textsize::Offered(kBitmap), (std::vector<int>{8, 10, 13}));
    const std::vector<int> scalable = textsize::Offered(kScalable);
    EXPECT_EQ(scalable.front(), 6);
    EXPECT_EQ(scalable.back(), 36);
    EXPECT_EQ(scalable.size(), 16u);
    // A font that lists no size in range: every size of the range.
    const std::vector<int> all = textsize::Offered({4, 40});
    ASSERT_EQ(all.size(), 31u);
    EXPECT_EQ(all.front(), 6);
    EXPECT_EQ(all.back(), 36);
}

TEST(TextSize, KeptSizeOutOfRangeIsTheDefaultAndOneMissingIsTheNearest)
{
    const std::vector<int> scalable = textsize::Offered(kScalable);
    const std::vector<int> bitmap = textsize::Offered(kBitmap);
    struct Case {
        int kept;
        const std::vector<int>& offered;
        int used;
    };
    const Case cases[] = {
        {0, scalable, 9},    {-3, scalable, 9},  {5, scalable, 9},   {37, scalable, 9},
        {1000, scalable, 9}, {6, scalable, 6},   {36, scalable, 36}, {14, scalable, 14},
        {13, scalable, 12},  {15, scalable, 14}, {33, scalable, 36}, {31, scalable, 28},
        {9, bitmap, 8},      {12, bitmap, 13},   {0, bitmap, 8},     {36, bitmap, 13},
    };
    for (const Case& c : cases)
        EXPECT_EQ(textsize::FromSettings(c.kept, c.offered), c.used) << c.kept;
}

TEST(TextSize, StepsGoThroughTheOfferedSizesAndStopAtTheEnds)
{
    const std::vector<int> offered = textsize::Offered(kScalable);
    // Up from the smallest to the largest, then back: every offered size once each way.
    const auto walk = [&](int from, int by) {
        std::vector<int> sizes{from};
        while (textsize::Step(sizes.back(), by, offered) != sizes.back())
            sizes.push_back(textsize::Step(sizes.back(), by, offered));
        return sizes;
    };
    EXPECT_EQ(walk(offered.front(), 1), offered);
    const std::vector<int> down = walk(offered.back(), -1);
    EXPECT_EQ(std::vector<int>(down.rbegin(), down.rend()), offered);
    // A size between two offered ones steps to its neighbours.
    EXPECT_EQ(textsize::Step(13, 1, offered), 14);
    EXPECT_EQ(textsize::Step(13, -1, offered), 12);
}
