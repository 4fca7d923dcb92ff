#include "script/FindInScripts.h"
#include "core/LoadHelpers.h"
#include "model/Kinds.h"
#include "model/TDefList.h"
#include "model/TDefPicture.h"
#include "model/TDefReport.h"
#include "model/TDefTable.h"
#include "model/TDefinedArray.h"
#include "views/HostLayouts.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// A hit as "title|line|text|offset|length", so that a failed comparison shows both sides whole.
std::string Row(const search::TScriptHit& hit)
{
    return hit.element->Title() + "|" + std::to_string(hit.line) + "|" + std::string(hit.text) +
           "|" + std::to_string(hit.offset) + "|" + std::to_string(hit.length);
}

std::vector<std::string> Rows(const std::vector<search::TScriptHit>& hits)
{
    std::vector<std::string> rows;
    for (const search::TScriptHit& hit : hits)
        rows.push_back(Row(hit));
    return rows;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The plain search: every script cut into lines at each line feed, each line lowered and
// searched on its own.
std::vector<std::string> NaiveRows(const TDefinedArray& defs, const std::string& text)
{
    std::vector<std::string> rows;
    if (text.empty())
        return rows;
    const std::string needle = Lower(text);
    for (const auto& element : defs) {
        const auto* picture = dynamic_cast<const TDefPicture*>(element.get());
        if (!picture)
            continue;
        std::string line;
        size_t number = 1;
        const auto check = [&] {
            const size_t at = Lower(line).find(needle);
            if (at != std::string::npos)
                rows.push_back(picture->Title() + "|" + std::to_string(number) + "|" + line + "|" +
                               std::to_string(at) + "|" + std::to_string(text.size()));
        };
        for (const char c : picture->script) {
            if (c == '\n') {
                check();
                line.clear();
                ++number;
            } else {
                line += c;
            }
        }
        check();
    }
    return rows;
}

// Letters of both cases, the bytes next to A-Z and a-z, line feeds, and bytes above 127 that
// differ by 0x20 as letters do (Windows-1252 É and é; the last bytes of UTF-8 É and é).
const std::string kAlphabet = std::string("aAbBzZ@[`{ \n\n") + "\xC9\xE9\xC3\x89\xA9";

std::string RandomText(std::mt19937& random, size_t length)
{
    std::uniform_int_distribution<size_t> pick(0, kAlphabet.size() - 1);
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += kAlphabet[pick(random)];
    return text;
}

} // namespace

TEST(FindInScripts, MatchesTheNaiveSearchOnRandomScripts)
{
    std::mt19937 random(7);
    for (int design = 0; design < 40; ++design) {
        TDefinedArray defs;
        std::uniform_int_distribution<size_t> length(0, 120);
        for (int e = 0; e < 12; ++e) {
            if (e % 4 == 3)
                defs.Add(new TDefBase(kinds::Record, "r" + std::to_string(e), nullptr));
            else
                defs.Add(new TDefPicture(kinds::Picture, "p" + std::to_string(e),
                                         RandomText(random, length(random)), nullptr));
        }
        for (int search = 0; search < 30; ++search) {
            std::string text = RandomText(random, 1 + search % 3);
            // Texts cut out of a script are found more often than random ones.
            if (search % 2 == 0) {
                const auto& script = static_cast<TDefPicture*>(defs.At(0))->script;
                if (script.size() > 4)
                    text = script.substr(script.size() / 3, 1 + search % 4);
            }
            std::string noLineFeed;
            for (const char c : text)
                if (c != '\n')
                    noLineFeed += c;
            if (noLineFeed.empty())
                continue;
            EXPECT_EQ(Rows(search::FindInScripts(defs, noLineFeed)), NaiveRows(defs, noLineFeed))
                << "design " << design << " text \"" << noLineFeed << "\"";
        }
    }
}

TEST(FindInScripts, OneRowPerLineWithTheFirstMatchIgnoringLetterCase)
{
    TDefinedArray defs;
    defs.Add(new TDefPicture(kinds::Picture, "p", "Name name NAME\n\nfather.NaMe\nnam\ne\nname\n",
                             nullptr));
    defs.Add(new TDefPicture(kinds::Picture, "q", "\xC3\x89tienne \xC3\xA9tienne", nullptr));
    EXPECT_EQ(Rows(search::FindInScripts(defs, "nAME")),
              (std::vector<std::string>{"p|1|Name name NAME|0|4", "p|3|father.NaMe|7|4",
                                        "p|6|name|0|4"}));
    // Bytes above 127 match only themselves: UTF-8 é is not É.
    EXPECT_EQ(Rows(search::FindInScripts(defs, "\xC3\xA9t")),
              (std::vector<std::string>{"q|1|\xC3\x89tienne \xC3\xA9tienne|9|3"}));
    for (const std::string nothing : {"", "e\nn", "name name name name name"})
        EXPECT_TRUE(search::FindInScripts(defs, nothing).empty()) << nothing;
    EXPECT_EQ(search::HitsText(search::FindInScripts(defs, "father")), "p\t3\tfather.NaMe\n");
}

// Every kind of script is searched, and each hit is shown where its host's pane lays the line
// out: the characters at the hit's rectangle are the text found.
TEST(FindInScripts, EveryScriptKindAndWhereItsPaneShowsTheMatch)
{
    const TLoaded t("0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                    "1 @show@ PICTURE name\n2 CONT \"Mark: \" name\n"
                    "1 @Edit@ EDITPANEL \"mark\" name\n"
                    "1 @Plan@ PLANPIC line\n2 CONT two MARK\n"
                    "0 LIST\n1 TYPE person\n1 METHOD index\n1 KEY\n2 EXPRESSION name\n"
                    "1 FILTER name = \"x\"\n2 CONT and name <> \"mark\"\n"
                    "0 @T@ TABLE\n1 TYPE person\n1 TITLE Marks\n"
                    "1 COLUMN\n2 TITLE Name\n2 PICTURE name\n"
                    "1 COLUMN\n2 TITLE Mark\n2 PICTURE \"x\"\n2 CONT \"mark\" name\n"
                    "0 @R@ REPORT\n1 TYPE person\n1 WIDTH 40\n1 HEIGHT 3\n1 BACKGROUND Mark:\n"
                    "1 AREA\n2 X 6\n2 Y 0\n2 WIDTH 20\n2 HEIGHT 1\n2 PICTURE name \"mark\"\n"
                    "0 TRLR\n");
    const auto hits = search::FindInScripts(t.db.Definitions(), "MARK");
    std::vector<std::string> titles;
    for (const search::TScriptHit& hit : hits)
        titles.push_back(hit.element->Title() + ":" + std::to_string(hit.line));
    EXPECT_EQ(titles, (std::vector<std::string>{
                          "person picture script show:2", "person Edit panel Edit:1",
                          "Plan picture script Plan:2", "List 1: (person) Filter script:2",
                          "person Table T Col. 2:2", "person Report R Area A:1"}));

    const int W = 7, L = 13;
    for (const search::TScriptHit& hit : hits) {
        const TDefBase& host = panes::ScriptHost(*hit.element);
        TPaneKind pane = TPaneKind::Picture;
        ASSERT_TRUE(host.PaneKind(pane));
        const TPaneLayout layout = panes::LayPane(host, pane, t.db.Definitions(), W, L);
        EXPECT_EQ(&host != hit.element, host.kind == kinds::List || host.kind == kinds::Table);
        const auto rect =
            panes::ScriptTextRect(layout, *hit.element, hit.line, hit.offset, hit.length, W, L);
        ASSERT_TRUE(rect) << Row(hit);
        // The row of characters the pane draws at the rectangle's line.
        std::string row;
        for (const TPaneText& text : layout.texts)
            if (text.y == rect->top) {
                const auto column = static_cast<size_t>(text.x / W);
                row.resize(std::max(row.size(), column + text.text.size()), ' ');
                row.replace(column, text.text.size(), text.text);
            }
        const auto column = static_cast<size_t>(rect->left / W);
        EXPECT_EQ(Lower(row.substr(column, static_cast<size_t>(rect->right - rect->left) / W)),
                  "mark")
            << Row(hit);
        EXPECT_EQ(rect->bottom - rect->top, L);
        // A line the script does not have is shown nowhere.
        EXPECT_FALSE(panes::ScriptTextRect(layout, *hit.element, 9, 0, 1, W, L));
    }
}
