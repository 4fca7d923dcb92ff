#include "compare/TitleMatch.h"
#include "compare/Comparison.h"
#include "core/LoadHelpers.h"
#include "load/TDatabase.h"
#include "model/TDefBase.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
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
    // The old side indexes every other element's title: the others' keys are counted without it.
    std::vector<std::string_view> someTitles;
    std::vector<std::string_view> allTitles{"nobody Table T"};
    for (const auto& element : before.Definitions()) {
        if (element->index % 2 == 0)
            someTitles.push_back(element->Title());
        allTitles.push_back(element->Title());
    }
    const compare::TTitleIndex old(before.Definitions(), someTitles);
    const compare::TTitleIndex now(after.Definitions(), allTitles);
    std::map<std::string, size_t> seen;
    for (const auto& element : before.Definitions()) {
        const compare::TTitleKey key = old.KeyOf(element->index);
        EXPECT_EQ(key, (compare::TTitleKey{element->Title(), seen[element->Title()]++}));
        if (element->index % 2 == 0) {
            EXPECT_EQ(old.Find(key), element->index);
        }
        const int found = now.Find(key);
        ASSERT_GE(found, 0) << element->Title();
        EXPECT_EQ(after.Definitions().At(static_cast<size_t>(found))->Title(), element->Title());
    }
    const std::string title = "nobody Table T";
    const int first = now.Find({title, 0});
    const int second = now.Find({title, 1});
    ASSERT_GE(first, 0);
    ASSERT_GT(second, first);
    EXPECT_EQ(now.KeyOf(second), (compare::TTitleKey{title, 1}));
    EXPECT_EQ(now.Find({title, 2}), -1);
    EXPECT_EQ(now.Find({"no such title", 0}), -1);
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
