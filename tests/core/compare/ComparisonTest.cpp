#include "compare/Comparison.h"
#include "core/LoadHelpers.h"
#include "export/TOutline.h"
#include "export/TTextWriter.h"
#include "model/Kinds.h"
#include "model/TDefinedArray.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <numeric>
#include <regex>
#include <sstream>

namespace {

std::string ExampleText()
{
    std::ifstream in(STEMLOOK_EXAMPLES_DIR "/family.kvd/control.ged", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The example with elements of no record added, two of them titled alike.
std::string WithOrphans(const std::string& secondScript = "\"y\"")
{
    std::string text = ExampleText();
    text.erase(text.rfind("0 TRLR"));
    return text + "0 @orphan@ TABLE\n1 TYPE nobody\n1 COLUMN\n2 TITLE A\n2 PICTURE \"x\"\n" +
           "0 @orphan@ TABLE\n1 TYPE nobody\n1 COLUMN\n2 TITLE B\n2 PICTURE " + secondScript +
           "\n0 @loose@ REPORT\n1 TYPE nobody\n1 WIDTH 4\n1 HEIGHT 1\n1 BACKGROUND abc\n"
           "1 AREA\n2 X 1\n2 Y 1\n2 WIDTH 2\n2 HEIGHT 1\n2 PICTURE \"z\"\n0 TRLR\n";
}

class TQuietHost : public TDisplayHost {
public:
    bool ActivateDefinition(const TDefBase&) override { return false; }
    void OpenDefinition(const TDefBase&, TPaneKind) override {}
    void ShowError(std::string_view, std::string_view) override { ADD_FAILURE(); }
};

void Leaves(const TOutline& outline, int node, std::vector<int>& out)
{
    const TOutline::TNode& n = outline.Node(node);
    if (n.children.empty() && n.element != TOutline::kNone)
        out.push_back(n.element);
    for (int child : n.children)
        Leaves(outline, child, out);
}

// The rule read literally: fresh writers for the texts, one writer through all units for what
// is written already, and the kinds without a text of their own named one by one.
std::vector<std::pair<std::string, std::string>> ReferenceUnits(const TDefinedArray& defs)
{
    TOutline outline;
    outline.Fill(defs, "x");
    std::vector<int> elements;
    Leaves(outline, TOutline::Root(), elements);
    TQuietHost host;
    TTextWriter shared(defs, host);
    std::ostringstream ignored;
    std::vector<std::pair<std::string, std::string>> units;
    const auto add = [&](const TDefBase& e) {
        std::ostringstream text;
        TTextWriter(defs, host).Write(text, e, 0);
        units.emplace_back(e.Title(), text.str());
        shared.Write(ignored, e, 0);
    };
    for (int e : elements)
        add(*defs.At(static_cast<size_t>(e)));
    for (const auto& e : defs) {
        const int k = e->kind;
        const bool noText = kinds::IsChart(k) || k == kinds::Field || k == kinds::Word ||
                            k == kinds::BuiltIn || k == kinds::Alias || k == kinds::Variable;
        if (!noText && !shared.Written(*e) &&
            std::find(elements.begin(), elements.end(), e->index) == elements.end())
            add(*e);
    }
    return units;
}

TEST(ComparisonTest, UnitsFollowTheRuleReadLiterally)
{
    for (const std::string& text : {ExampleText(), WithOrphans(), std::string("0 TRLR\n")}) {
        const TLoaded design(text);
        const compare::TUnits units(design.db.Definitions());
        std::vector<size_t> all(units.Count());
        std::iota(all.begin(), all.end(), 0);
        const std::vector<std::string> texts = units.Texts(all);
        const std::vector<compare::TUnitPrint> prints = units.Prints();
        std::vector<std::pair<std::string, std::string>> got;
        for (size_t i = 0; i < units.Count(); ++i) {
            got.emplace_back(units.Title(i), texts[i]);
            EXPECT_EQ(prints[i].length, texts[i].size());
            EXPECT_EQ(prints[i].digest, std::hash<std::string_view>{}(texts[i]));
        }
        EXPECT_EQ(got, ReferenceUnits(design.db.Definitions()));
    }
}

std::string Brief(const std::string& oldText, const std::string& newText)
{
    const TLoaded oldDesign(oldText, "old");
    const TLoaded newDesign(newText, "new");
    const compare::TComparison comparison(oldDesign.db.Definitions(), newDesign.db.Definitions());
    std::ostringstream out;
    for (const compare::TDifference& d : comparison.Differences())
        compare::WriteBrief(out, comparison, d);
    EXPECT_EQ(comparison.Same(), out.str().empty());
    return out.str();
}

TEST(ComparisonTest, EditsShowInTheirUnitsInTheNewOrderThenTheRemoved)
{
    struct Edit {
        const char* from;
        const char* to;
        const char* brief;
    };
    const Edit edits[] = {
        {"", "", ""},
        // A choice's picture is a unit after the outline's.
        {"else \"they\" end", "else \"them\" end", "changed pronoun\n"},
        {"1 @notes@ FIELD longtext\n", "", "changed Record person\n"},
        // A column script is its own leaf and part of its table's layout.
        {"PICTURE short\\(mother\\)\n1 PRINTINFO", "PICTURE short(father)\n1 PRINTINFO",
         "changed person Table census\nchanged person Table census Col. 4\n"},
        {"@short@ PICTURE", "@brief@ PICTURE",
         "added person picture script brief\nremoved person picture script short\n"},
        // A list's filter is written with its list, so it is no unit of its own.
        {"FILTER sex = female", "FILTER sex = male", "changed List 1: (person) 250 entries\n"},
        // Order alone is no difference.
        {"(0 @sex@ CHOICE\n(?:[1-9].*\n)*)(0 @quality@ CHOICE\n(?:[1-9].*\n)*)", "$2$1", ""},
    };
    const std::string example = ExampleText();
    for (const Edit& edit : edits) {
        const std::string edited = std::regex_replace(example, std::regex(edit.from), edit.to);
        EXPECT_EQ(edit.from[0] == 0, edited == example) << edit.from;
        EXPECT_EQ(Brief(example, edited), edit.brief) << edit.from;
    }
    // The n-th of a title matches the n-th; one more is added.
    EXPECT_EQ(Brief(WithOrphans(), WithOrphans("\"w\"")), "changed nobody Table orphan\n");
    std::string more = WithOrphans();
    more.insert(more.rfind("0 TRLR"), "0 @orphan@ TABLE\n1 TYPE nobody\n");
    EXPECT_EQ(Brief(WithOrphans(), more), "added nobody Table orphan\n");
    EXPECT_EQ(Brief(more, WithOrphans()), "removed nobody Table orphan\n");
}

} // namespace
