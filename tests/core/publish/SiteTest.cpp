#include "publish/Site.h"
#include "HtmlPages.h"
#include "compare/Comparison.h"
#include "core/LoadHelpers.h"
#include "core/TempFolder.h"
#include "diagram/Svg.h"
#include "export/TOutline.h"
#include "model/Kinds.h"
#include "model/TDefPicture.h"
#include "model/TScriptList.h"
#include "model/TUsedSet.h"
#include "publish/TPageNames.h"
#include "views/ListRows.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace fs = std::filesystem;
using publish::TSiteResult;

namespace {

std::string ExampleText()
{
    std::ifstream in(STEMLOOK_EXAMPLES_DIR "/family.kvd/control.ged", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The example loaded once, its units and the names their pages have, and its site written once.
struct TExampleSite {
    TLoaded loaded{ExampleText(), "family.kvd"};
    compare::TUnits units{loaded.db.Definitions()};
    publish::TPageNames pages{units};
    TTempFolder folder;
    fs::path site = fs::path(folder.Path()) / "site";
    std::map<std::string, std::string> files;

    TExampleSite()
    {
        const publish::TSiteOutcome outcome = publish::WriteSite(loaded.db, site, nullptr);
        EXPECT_EQ(outcome.result, TSiteResult::Written) << outcome.path << ": " << outcome.reason;
        files = sitecheck::ReadFolder(site);
    }
    const std::string& Page(const TDefBase& element)
    {
        return files[std::string(pages.UnitPage(element))];
    }
};

TExampleSite& Example()
{
    static TExampleSite example;
    return example;
}

// What a page's text shows for bytes of the design.
std::string Shown(std::string_view bytes, bool utf8 = true)
{
    return sitecheck::PlainText(diagram::XmlText(bytes, utf8));
}

struct TLink {
    std::string text, href;
    bool operator==(const TLink&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TLink& link)
{
    return out << '"' << link.text << "\" -> " << link.href;
}

std::vector<TLink> Links(std::string_view html)
{
    std::vector<TLink> links;
    const std::vector<std::string> texts = sitecheck::Texts(html, "a");
    const std::vector<std::string> hrefs = sitecheck::Attributes(html, "href");
    for (size_t i = 0; i < std::min(texts.size(), hrefs.size()); ++i)
        links.push_back({texts[i], hrefs[i]});
    EXPECT_EQ(texts.size(), hrefs.size());
    return links;
}

} // namespace

// Every link of the example's site leads to a file of it (and an id there); every page is well
// formed; every unit has exactly one page, found by its heading.
TEST(Site, EveryLinkOfTheExampleResolvesAndEveryUnitHasOnePage)
{
    TExampleSite& example = Example();
    ASSERT_TRUE(example.files.count(publish::kSiteMarker));
    std::multiset<std::string> headings;
    for (const auto& [name, text] : example.files) {
        if (!name.ends_with(".html"))
            continue;
        SCOPED_TRACE(name);
        EXPECT_EQ(sitecheck::Problem(text), "");
        EXPECT_NE(text.find("<meta charset=\"utf-8\">"), std::string::npos);
        std::vector<std::string> targets = sitecheck::Attributes(text, "href");
        for (const std::string& src : sitecheck::Attributes(text, "src"))
            targets.push_back(src);
        for (const std::string& target : targets) {
            const size_t hash = target.find('#');
            const std::string file = hash == 0 ? name : target.substr(0, hash);
            ASSERT_TRUE(example.files.count(file)) << target;
            if (hash != std::string::npos) {
                const std::vector<std::string> ids =
                    sitecheck::Attributes(example.files[file], "id");
                EXPECT_NE(std::find(ids.begin(), ids.end(), target.substr(hash + 1)), ids.end())
                    << target;
            }
        }
        const std::vector<std::string> h1 = sitecheck::Texts(text, "h1");
        EXPECT_EQ(h1.size(), 1u);
        headings.insert(h1.begin(), h1.end());
    }
    for (size_t unit = 0; unit < example.units.Count(); ++unit) {
        const std::string title = Shown(example.units.Title(unit));
        SCOPED_TRACE(title);
        EXPECT_EQ(headings.count(title), 1u);
        EXPECT_EQ(sitecheck::Texts(example.files[example.pages.File(unit)], "h1"),
                  std::vector<std::string>{title});
    }
}

// The outline's leaves, in the order the tree shows them, are the index's links to units.
TEST(Site, IndexLinksTheOutlineLeavesInTreeOrder)
{
    TExampleSite& example = Example();
    TOutline outline;
    outline.Fill(example.loaded.db.Definitions(), "family.kvd");
    std::vector<TLink> expected;
    std::vector<int> pending{TOutline::Root()};
    while (!pending.empty()) {
        const TOutline::TNode& node = outline.Node(pending.back());
        pending.pop_back();
        pending.insert(pending.end(), node.children.rbegin(), node.children.rend());
        if (node.children.empty() && node.element != TOutline::kNone)
            expected.push_back(
                {Shown(node.label), std::string(example.pages.UnitPage(
                                        *example.loaded.At(static_cast<size_t>(node.element))))});
    }
    ASSERT_GT(expected.size(), 20u);
    const std::string_view outlineHtml =
        sitecheck::Between(example.files["index.html"], "<div class=\"outline\">", "</div>");
    EXPECT_EQ(Links(outlineHtml), expected);
}

// A picture's script links exactly its underlined pieces, in order, each to the page that
// opening its target shows; its used-by list is its used-by set.
TEST(Site, PicturePagesLinkTheUnderlinedPiecesAndListTheUsers)
{
    TExampleSite& example = Example();
    size_t pictures = 0, linked = 0;
    for (size_t unit = 0; unit < example.units.Count(); ++unit) {
        const auto* picture = dynamic_cast<const TDefPicture*>(&example.units.Element(unit));
        if (!picture || !kinds::IsPictureKind(picture->kind))
            continue;
        SCOPED_TRACE(picture->Title());
        ++pictures;
        const std::string& page = example.Page(*picture);
        std::vector<TLink> expected;
        if (picture->pieces)
            for (const TScriptPiece& piece : *picture->pieces) {
                if (!(piece.flags & TScriptPiece::kUnderlined))
                    continue;
                std::string_view text = std::string_view(picture->script)
                                            .substr(static_cast<size_t>(piece.offset),
                                                    static_cast<size_t>(piece.length));
                text = text.substr(0, text.find('\n'));
                expected.push_back({Shown(text), std::string(example.pages.PageOf(*piece.target))});
            }
        linked += expected.size();
        EXPECT_EQ(Links(sitecheck::Between(page, "<pre class=\"script\">", "</pre>")), expected);

        std::vector<std::string> users;
        if (picture->users)
            for (const TDefBase* user : *picture->users)
                users.push_back(Shown(lists::UsedRow(*user).text));
        EXPECT_EQ(sitecheck::Texts(sitecheck::Between(page, "<ul class=\"users\">", "</ul>"), "li"),
                  users);
    }
    EXPECT_GT(pictures, 20u);
    EXPECT_GT(linked, 50u);
}

// The names page holds the rows --index writes, cell for cell.
TEST(Site, NamesPageHoldsTheIndexRows)
{
    TExampleSite& example = Example();
    const std::string index = lists::IndexCopyText(example.loaded.db.Names());
    std::vector<std::string> expected;
    std::istringstream lines(index);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty())
            expected.push_back(Shown(line));
    const std::string& page = example.files["names.html"];
    std::vector<std::string> rows;
    for (const std::string_view part : {sitecheck::Between(page, "<thead>", "</thead>"),
                                        sitecheck::Between(page, "<tbody>", "</tbody>")})
        for (size_t at = part.find("<tr>"); at != std::string_view::npos;
             at = part.find("<tr>", at + 1)) {
            const std::string_view row = part.substr(at, part.find("</tr>", at) - at);
            std::vector<std::string> cells = sitecheck::Texts(row, "th");
            for (const std::string& cell : sitecheck::Texts(row, "td"))
                cells.push_back(cell);
            std::string joined;
            for (size_t i = 0; i < cells.size(); ++i)
                joined += (i ? "\t" : "") + cells[i];
            rows.push_back(joined);
        }
    EXPECT_EQ(rows, expected);
}

// Names with markup characters, slashes and Windows-1252 bytes: safe file names, escaped and
// converted text, well-formed pages.
TEST(Site, UnsafeNamesAreEscapedAndConverted)
{
    const TLoaded loaded("0 @pe<r&\"s/on\xE9@ RECORD\n1 @na/me@ FIELD text\n2 TAG NAME\n"
                         "1 @sh<o>rt@ PICTURE name \"caf\xE9 <b>\"\n"
                         "1 @Sh-O-rt@ PICTURE sh<o>rt\n0 TRLR\n");
    TTempFolder folder;
    const std::string site = folder.Path() + "/site";
    ASSERT_EQ(publish::WriteSite(loaded.db, site, nullptr).result, TSiteResult::Written);
    const auto files = sitecheck::ReadFolder(site);
    std::vector<std::string> headings;
    for (const auto& [name, text] : files) {
        SCOPED_TRACE(name);
        EXPECT_EQ(name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-."),
                  std::string::npos);
        if (!name.ends_with(".html"))
            continue;
        EXPECT_EQ(sitecheck::Problem(text), "");
        for (const std::string& h1 : sitecheck::Texts(text, "h1"))
            headings.push_back(h1);
    }
    // The two pictures' stems collide: the second, in unit order, is numbered.
    const auto* first = loaded.Titled("pe<r&\"s/on\xE9 picture script sh<o>rt");
    const auto* second = loaded.Titled("pe<r&\"s/on\xE9 picture script Sh-O-rt");
    ASSERT_TRUE(first && second);
    const compare::TUnits units(loaded.db.Definitions());
    const publish::TPageNames pages(units);
    EXPECT_EQ(pages.UnitPage(*first), "pe-r-s-on-picture-script-sh-o-rt.html");
    EXPECT_EQ(pages.UnitPage(*second), "pe-r-s-on-picture-script-sh-o-rt-2.html");
    EXPECT_NE(
        std::find(headings.begin(), headings.end(), "pe<r&\"s/on\xC3\xA9 picture script sh<o>rt"),
        headings.end());
    EXPECT_NE(
        files.at(std::string(pages.UnitPage(*first))).find("&quot;caf\xC3\xA9 &lt;b&gt;&quot;"),
        std::string::npos);
}

TEST(PageNames, StemsKeepLettersAndDigitsOnly)
{
    const struct {
        std::string title, stem;
    } cases[] = {
        {"person picture script BORN", "person-picture-script-born"},
        {"a/b<c>&\"d", "a-b-c-d"},
        {"  lead and trail  ", "lead-and-trail"},
        {"caf\xE9 caf\xC3\xA9", "caf-caf"},
        {"", "element"},
        {"<>", "element"},
        {std::string(200, 'x'), std::string(80, 'x')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(publish::FileStem(c.title), c.stem) << c.title;
}

// A folder with files of someone else's is refused and left as it was; an empty one and an
// earlier site are written, the earlier site's stale pages gone.
TEST(Site, WritesOnlyWhereItMay)
{
    const TLoaded loaded(ExampleText(), "family.kvd");
    TTempFolder folder;
    const std::string notes = folder.Write("mine/notes.txt", "keep me");
    const std::string file = folder.Write("plain-file", "keep me too");
    for (const std::string& place : {folder.Path() + "/mine", file}) {
        const publish::TSiteOutcome outcome = publish::WriteSite(loaded.db, place, nullptr);
        EXPECT_EQ(outcome.result, TSiteResult::NotOurs);
        EXPECT_EQ(outcome.path, place);
    }
    EXPECT_EQ(TTempFolder::Read(notes), "keep me");
    EXPECT_EQ(TTempFolder::Read(file), "keep me too");
    EXPECT_EQ(sitecheck::ReadFolder(folder.Path() + "/mine").size(), 1u);

    fs::create_directory(folder.Path() + "/empty");
    EXPECT_EQ(publish::WriteSite(loaded.db, folder.Path() + "/empty/", nullptr).result,
              TSiteResult::Written);
    folder.Write("empty/stale.html", "from an older design");
    EXPECT_EQ(publish::WriteSite(loaded.db, folder.Path() + "/empty", nullptr).result,
              TSiteResult::Written);
    EXPECT_FALSE(fs::exists(folder.Path() + "/empty/stale.html"));
    EXPECT_TRUE(fs::exists(folder.Path() + "/empty/index.html"));
    // Nothing is left beside it.
    size_t beside = 0;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        beside += entry.path().filename().string().starts_with(".");
    EXPECT_EQ(beside, 0u);
}

namespace {
// Cancels at the call after this many.
class TCancelAfter : public publish::TSiteProgress {
public:
    explicit TCancelAfter(size_t calls) : allowed(calls) {}
    bool Continue(size_t done, size_t total) override
    {
        EXPECT_LE(done, total);
        calls.push_back(done);
        return calls.size() <= allowed;
    }
    size_t allowed;
    std::vector<size_t> calls;
};

// The file size limit makes writing fail as a full disk does, whoever runs the tests.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    }

private:
    rlimit saved{};
    void (*previous)(int) = nullptr;
};
} // namespace

// A cancel and a failure leave the earlier site whole and nothing beside it; the failure says
// which file and why.
TEST(Site, CancelAndFailureKeepThePreviousSite)
{
    const TLoaded old("0 @old@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n0 TRLR\n", "old.kvd");
    const TLoaded loaded(ExampleText(), "family.kvd");
    TTempFolder folder;
    const std::string site = folder.Path() + "/site";
    ASSERT_EQ(publish::WriteSite(old.db, site, nullptr).result, TSiteResult::Written);
    const auto before = sitecheck::ReadFolder(site);

    TCancelAfter cancel(1);
    EXPECT_EQ(publish::WriteSite(loaded.db, site, &cancel).result, TSiteResult::Cancelled);
    EXPECT_EQ(cancel.calls.size(), 2u);
    EXPECT_EQ(cancel.calls.front(), 0u);
    EXPECT_EQ(sitecheck::ReadFolder(site), before);

    publish::TSiteOutcome outcome;
    {
        const TFileSizeLimit limit(4096);
        outcome = publish::WriteSite(loaded.db, site, nullptr);
    }
    EXPECT_EQ(outcome.result, TSiteResult::Failed);
    EXPECT_NE(outcome.path.find(".stemlook-new-"), std::string::npos) << outcome.path;
    EXPECT_TRUE(outcome.path.ends_with(".html")) << outcome.path;
    EXPECT_EQ(outcome.reason, "File too large");
    EXPECT_EQ(sitecheck::ReadFolder(site), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);

    TCancelAfter never(static_cast<size_t>(-1));
    EXPECT_EQ(publish::WriteSite(loaded.db, site, &never).result, TSiteResult::Written);
    const compare::TUnits units(loaded.db.Definitions());
    EXPECT_EQ(never.calls.back(), units.Count() + 5);
    EXPECT_TRUE(std::is_sorted(never.calls.begin(), never.calls.end()));
}

// However many threads make the pages, the site is the one a single thread writes, and the
// progress hears of every page.
TEST(Site, ThreadsWriteWhatOneThreadWrites)
{
    TExampleSite& example = Example();
    for (const size_t workers : {size_t{1}, size_t{2}, size_t{5}})
        for (const bool told : {false, true}) {
            SCOPED_TRACE(testing::Message() << workers << " workers, progress " << told);
            TTempFolder folder;
            const std::string site = folder.Path() + "/site";
            TCancelAfter never(static_cast<size_t>(-1));
            ASSERT_EQ(publish::WriteSite(example.loaded.db, site, told ? &never : nullptr, workers)
                          .result,
                      TSiteResult::Written);
            EXPECT_EQ(sitecheck::ReadFolder(site), example.files);
            if (told) {
                EXPECT_EQ(never.calls.back(), example.units.Count() + 5);
            }
        }
}
