#include "compare/TitleMatch.h"
#include "compare/Comparison.h"
#include "core/LoadHelpers.h"
#include "load/TDatabase.h"
#include "model/TDefBase.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <random>

using compare::kUnmatched;

namespace {

// The rule spelt out: the new title's occurrence among the new titles before it, then the old
// title of that occurrence, searched from the start.
std::vector<size_t> SlowMatch(const std::vector<std::string_view>& old,
                              const std::vector<std::string_view>& now)
{
    std::vector<size_t> matches;
    for (size_t i = 0; i < now.size(); ++i) {
        const auto occurrence = std::count(now.begin(), now.begin() + static_cast<long>(i), now[i]);
        size_t match = kUnmatched;
        long seen = 0;
        for (size_t j = 0; j < old.size() && match == kUnmatched; ++j)
            if (old[j] == now[i] && seen++ == occurrence)
                match = j;
        matches.push_back(match);
    }
    return matches;
}

std::string ExampleText()
{
    std::ifstream in(STEMLOOK_EXAMPLES_DIR "/family.kvd/control.ged", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A table "nobody Table " + xref added at the end.
std::string WithTable(std::string text, const std::string& xref, const std::string& script)
{
    text.erase(text.rfind("0 TRLR"));
    return text + "0 @" + xref + "@ TABLE\n1 TYPE nobody\n1 COLUMN\n2 TITLE A\n2 PICTURE " +
           script + "\n0 TRLR\n";
}

} // namespace

TEST(TitleMatch, MatchesTheNthOfATitleWithTheNthAsTheRuleSpeltOutDoes)
{
    const std::vector<std::string_view> alphabet{"a", "b", "c", "d"};
    std::mt19937 random(21);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string_view> old(random() % 9);
        std::vector<std::string_view> now(random() % 9);
        for (auto& title : old)
            title = alphabet[random() % alphabet.size()];
        for (auto& title : now)
            title = alphabet[random() % alphabet.size()];
        ASSERT_EQ(compare::MatchByTitle(old, now), SlowMatch(old, now)) << "round " << round;
    }
}

TEST(TitleMatch, AnElementIsFoundAgainByTitleAfterElementsBeforeItCameAndWent)
{
    TDatabase before;
    before.ReadText(ExampleText(), "family");
    TDatabase after;
    // Two tables titled alike at the end: the second is found as the second of its title.
    after.ReadText(WithTable(WithTable(ExampleText(), "T", "\"1\""), "T", "\"2\""), "family");
    // Every element asked for at once, and -1 (no element) between them.
    std::vector<int> elements{-1};
    for (const auto& element : before.Definitions())
        elements.push_back(element->index);
    const std::vector<std::optional<compare::TTitleKey>> keys =
        compare::KeysOf(before.Definitions(), elements);
    ASSERT_EQ(keys.size(), elements.size());
    EXPECT_FALSE(keys.front());
    const std::vector<int> again = compare::ElementsOf(before.Definitions(), keys);
    const std::vector<int> found = compare::ElementsOf(after.Definitions(), keys);
    EXPECT_EQ(again, elements);
    EXPECT_EQ(found.front(), -1);
    std::map<std::string, size_t> seen;
    for (size_t i = 1; i < elements.size(); ++i) {
        const std::string& title =
            before.Definitions().At(static_cast<size_t>(elements[i]))->Title();
        EXPECT_EQ(keys[i], (compare::TTitleKey{title, seen[title]++}));
        ASSERT_GE(found[i], 0) << title;
        EXPECT_EQ(after.Definitions().At(static_cast<size_t>(found[i]))->Title(), title);
    }
    const std::string title = "nobody Table T";
    const std::vector<int> tables =
        compare::ElementsOf(after.Definitions(),
                            {compare::TTitleKey{title, 0}, compare::TTitleKey{title, 1},
                             compare::TTitleKey{title, 2}, compare::TTitleKey{"no such title", 0}});
    ASSERT_GE(tables[0], 0);
    ASSERT_GT(tables[1], tables[0]);
    EXPECT_EQ(compare::KeysOf(after.Definitions(), {tables[1]}).front(),
              (compare::TTitleKey{title, 1}));
    EXPECT_EQ(tables[2], -1);
    EXPECT_EQ(tables[3], -1);
}

TEST(TitleMatch, ChangedSinceNamesTheChangedAndAddedUnitsTheComparisonFinds)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {ExampleText(), ExampleText()},
        {ExampleText(), WithTable(ExampleText(), "T", "\"1\"")},
        {WithTable(ExampleText(), "T", "\"1\""), WithTable(ExampleText(), "T", "\"2\"")},
        {WithTable(ExampleText(), "T", "\"1\""), ExampleText()},
    };
    for (size_t c = 0; c < cases.size(); ++c) {
        TDatabase before;
        before.ReadText(cases[c].first, "family");
        TDatabase after;
        after.ReadText(cases[c].second, "family");
        const compare::TComparison comparison(before.Definitions(), after.Definitions());
        std::vector<int> expected;
        for (const compare::TDifference& d : comparison.Differences())
            if (const TDefBase* element = comparison.NewElement(d))
                expected.push_back(element->index);
        const std::vector<compare::TUnitPrint> prints =
            compare::TUnits(before.Definitions()).Prints();
        EXPECT_EQ(compare::ChangedSince(prints, compare::TUnits(after.Definitions())), expected)
            << "case " << c;
    }
}
