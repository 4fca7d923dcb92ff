#include "views/TNavigationHistory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

// Against a browser's history kept the plain way: a list and a position.
TEST(NavigationHistory, WalksLikeABrowser)
{
    std::mt19937 random(7);
    TNavigationHistory history;
    std::vector<int> pages;
    int at = -1;
    for (int step = 0; step < 5000; ++step) {
        const int action = static_cast<int>(random() % 4);
        if (action == 0) {
            const int expected = at > 0 ? pages[static_cast<size_t>(--at)] : -1;
            EXPECT_EQ(history.Back(), expected);
        } else if (action == 1) {
            const bool can = at + 1 < static_cast<int>(pages.size());
            const int expected = can ? pages[static_cast<size_t>(++at)] : -1;
            EXPECT_EQ(history.Forward(), expected);
        } else {
            const int element = static_cast<int>(random() % 6);
            if (at < 0 || pages[static_cast<size_t>(at)] != element) {
                pages.resize(static_cast<size_t>(at + 1));
                pages.push_back(element);
                at = static_cast<int>(pages.size()) - 1;
            }
            history.Visit(element);
        }
        ASSERT_EQ(history.Current(), at < 0 ? -1 : pages[static_cast<size_t>(at)]);
        ASSERT_EQ(history.CanGoBack(), at > 0);
        ASSERT_EQ(history.CanGoForward(), at + 1 < static_cast<int>(pages.size()));
    }
    history.Clear();
    EXPECT_EQ(history.Current(), -1);
    EXPECT_FALSE(history.CanGoBack());
}

TEST(NavigationHistory, KeepsTheNewestEntriesOnly)
{
    TNavigationHistory history;
    const int visits = static_cast<int>(TNavigationHistory::kLimit) + 10;
    for (int i = 0; i < visits; ++i)
        history.Visit(i);
    size_t steps = 0;
    while (history.Back() >= 0)
        ++steps;
    EXPECT_EQ(steps, TNavigationHistory::kLimit - 1);
    EXPECT_EQ(history.Current(), visits - static_cast<int>(TNavigationHistory::kLimit));
}

TEST(NavigationHistory, RemappedEntriesOfElementsGoneGoAndTheirNeighboursMeet)
{
    struct TCase {
        std::vector<int> visits;
        int backs;
        std::vector<int> gone;
        std::vector<int> entries; // each index now ten more
        int current;
    };
    const TCase cases[] = {
        {{1, 2, 3}, 1, {}, {11, 12, 13}, 12},
        {{1, 2, 1, 3}, 1, {2}, {11, 13}, 11},     // 1 2 1 meet as one 1
        {{1, 2, 3, 4}, 1, {3}, {11, 12, 14}, 12}, // the current one gone: the one before it
        {{1, 2, 3}, 2, {1}, {12, 13}, 12},        // none before it: the first kept
        {{1, 2}, 0, {1, 2}, {}, -1},
    };
    for (const TCase& c : cases) {
        TNavigationHistory history;
        for (const int element : c.visits)
            history.Visit(element);
        for (int i = 0; i < c.backs; ++i)
            history.Back();
        std::vector<int> now;
        for (const int element : history.Entries())
            now.push_back(std::find(c.gone.begin(), c.gone.end(), element) == c.gone.end()
                              ? element + 10
                              : -1);
        history.Remap(now);
        EXPECT_EQ(history.Entries(), c.entries);
        EXPECT_EQ(history.Current(), c.current);
    }
}
