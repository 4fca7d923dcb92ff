#include "core/LoadHelpers.h"
#include "model/Kinds.h"
#include "model/TDefChart.h"
#include "model/TDefField.h"
#include "model/TDefList.h"
#include "model/TDefOption.h"
#include "model/TDefPicture.h"
#include "model/TDefPrintSetting.h"
#include "model/TDefRepBase.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <gtest/gtest.h>
#include <random>

using Lines = std::vector<std::string>;

TEST(GroupReader, FieldsWithTagsAndTheirProblems)
{
    const TRead t("0 @Addr@ GROUP\n"
                  "1 @Street@ FIELD text\n2 TAG STRE\n"
                  "1 @City@ FIELD text\n"
                  "1 @Post@ FIELD text\n2 TAG ABCDEFGHIJKLMNOPQRSTUVWXY\n"
                  "1 @Long@ FIELD ABCDEFGHIJKLMNOPQRSTU\n2 TAG LONG\n"
                  "1 LIST\n"
                  "1 CACHE 12\n"
                  "0 @Empty@ GROUP\n0 TRLR\n");
    EXPECT_EQ(
        t.Problems(),
        (Lines{"Tag missing from field City", "GEDCOM tag [ABCDEFGHIJKLMNOPQRSTUVWXY] truncated",
               "Type ABCDEFGHIJKLMNOPQRSTU too long -- field ignored in "
               "TDefBase::Read()",
               "type 43 not handled in Read()", "type 28 not handled in Read()"}));
    ASSERT_EQ(t.Count(), 5u);
    const auto* group = t.At(0);
    EXPECT_EQ(group->Title(), "Group Addr");
    EXPECT_EQ(group->cacheSize, 12u);
    const auto* street = t.At<TDefField>(1);
    ASSERT_NE(street, nullptr);
    EXPECT_EQ(street->fieldType, "text");
    EXPECT_EQ(street->GedcomTag(), "STRE");
    EXPECT_EQ(street->owner, group);
    EXPECT_EQ(street->Title(), "Addr Field Street");
    EXPECT_EQ(t.At<TDefField>(2)->GedcomTag(), "");
    EXPECT_EQ(t.At<TDefField>(3)->GedcomTag(), "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(t.At(4)->Title(), "Group Empty");
    for (size_t i = 0; i < t.Count(); ++i)
        EXPECT_EQ(t.At(i)->index, static_cast<int>(i));
}

TEST(GroupReader, WordsPicturesPlanPicturesAndEditPanels)
{
    const TRead t("0 @Sex@ CHOICE\n1 WORD male\n1 WORD female\n1 WORD ABCDEFGHIJKLMNOPQRSTU\n"
                  "1 @Show@ PICTURE sex\n"
                  "0 @person@ RECORD\n1 @Edit@ EDITPANEL name\n1 @Plan@ PLANPIC line\n2 CONT two\n"
                  "0 TRLR\n");
    EXPECT_EQ(t.Problems(), (Lines{"Word ABCDEFGHIJKLMNOPQRSTU too long -- choice ignored in "
                                   "TDefBase::Read()"}));
    ASSERT_EQ(t.Count(), 7u);
    EXPECT_EQ(t.At(0)->Title(), "Choice Sex");
    EXPECT_EQ(t.At(1)->kind, kinds::Word);
    EXPECT_EQ(t.At(1)->name, "male");
    EXPECT_EQ(t.At(1)->owner, t.At(0));
    EXPECT_EQ(t.At(3)->Title(), "Show"); // a choice's picture is titled by its name alone
    EXPECT_EQ(t.At(5)->Title(), "person Edit panel Edit");
    const auto* plan = t.At<TDefPicture>(6);
    EXPECT_EQ(plan->owner, nullptr);
    EXPECT_EQ(plan->script, "line\ntwo");
    EXPECT_EQ(plan->Title(), "Plan picture script Plan");
}

TEST(PictureReader, ContLinesAndStrayCont)
{
    const TRead t("0 @person@ RECORD\n1 @P@ PICTURE one\n2 CONT two\n3 CONT three\n"
                  "1 @F@ FIELD text\n2 TAG X\n2 CONT stray\n0 TRLR\n");
    EXPECT_EQ(t.At<TDefPicture>(1)->script, "one\ntwo\nthree");
    EXPECT_EQ(t.At(1)->Title(), "person picture script P");
    EXPECT_EQ(t.Problems(), (Lines{"type 11 not handled in Read()"}));
}

TEST(PictureWrap, BreaksLongLinesAtTheirLastWhiteSpace)
{
    std::string line;
    for (int i = 0; line.size() < 100; ++i)
        line.append(1, 'w').append(1, static_cast<char>('0' + i % 10)).append("xy ");
    line.resize(100);
    std::string s = line;
    TDefPicture::Wrap(s);
    size_t start = 0;
    for (size_t end = s.find('\n'); end != std::string::npos; end = s.find('\n', start)) {
        EXPECT_LE(end - start, 60u);
        start = end + 1;
    }
    std::string joined = s;
    std::replace(joined.begin(), joined.end(), '\n', ' ');
    EXPECT_EQ(joined, line);
    EXPECT_NE(s.find('\n'), std::string::npos);

    // The first line breaks at its 61st character, a line after a line feed at its 60th.
    std::string first = std::string(59, 'a') + " bb";
    TDefPicture::Wrap(first);
    EXPECT_EQ(first, std::string(59, 'a') + "\nbb");
    std::string exact = std::string(58, 'a') + " b";
    TDefPicture::Wrap(exact);
    EXPECT_EQ(exact, std::string(58, 'a') + " b");
    std::string second = "x\n" + std::string(58, 'a') + " b";
    TDefPicture::Wrap(second);
    EXPECT_EQ(second, "x\n" + std::string(58, 'a') + "\nb");

    std::string unbroken(150, 'q');
    TDefPicture::Wrap(unbroken);
    EXPECT_EQ(unbroken, std::string(150, 'q'));
}

TEST(ListReader, MethodsKeysFilterAndNames)
{
    const TRead t("0 LIST\n1 TYPE Person\n1 METHOD index\n1 SIZE 25\n"
                  "1 KEY\n2 EXPRESSION name\n2 DIRECTION ascending\n"
                  "1 KEY\n2 EXPRESSION born\n2 DIRECTION Ascending\n"
                  "1 FILTER sex = male\n2 CONT and alive\n1 PIN 3\n"
                  "0 LIST\n1 METHOD anctree\n1 REFERENCE Plan1\n1 GENERATIONS 4\n1 METHOD Index\n"
                  "0 LIST\n1 DIRECTION ascending\n1 KEY\n1 KEY\n1 KEY\n1 KEY\n1 KEY\n"
                  "1 TYPE ABCDEFGHIJKLMNOPQRSTUVWXYZ\n1 REFERENCE ABCDEFGHIJKLMNOPQRSTUVWXYZ\n"
                  "0 TRLR\n");
    EXPECT_EQ(t.Problems(), (Lines{"Unknown list method Index", "type 17 not handled in Read()",
                                   "type 27 not handled in Read()",
                                   "List owner [ABCDEFGHIJKLMNOPQRSTUVWXYZ] truncated",
                                   "List Plan ref. [ABCDEFGHIJKLMNOPQRSTUVWXYZ] truncated"}));
    EXPECT_EQ(t.db.Log().Lines().back(), "3 lists, 0 Tables, 0 Reports");
    const auto* first = t.At<TDefList>(0);
    EXPECT_EQ(first->Title(), "List 1: (Person) 25 entries");
    EXPECT_EQ(first->keyIndex, 1);
    EXPECT_EQ(first->keys[0].expression, "name");
    EXPECT_TRUE(first->keys[0].ascending);
    EXPECT_FALSE(first->keys[1].ascending);
    EXPECT_EQ(first->pin, 3u);
    ASSERT_EQ(first->filter, t.At(1));
    EXPECT_EQ(first->filter->script, "sex = male\nand alive");
    EXPECT_EQ(first->filter->Title(), "List 1: (Person) Filter script");
    const auto* second = t.At<TDefList>(2);
    EXPECT_EQ(second->name, "List 2: Plan Plan1");
    EXPECT_EQ(second->method, TDefList::AncTree);
    EXPECT_EQ(second->generations, 4u);
    const auto* third = t.At<TDefList>(3);
    EXPECT_EQ(third->keyIndex, 3);
    EXPECT_EQ(third->ownerType, "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(third->TypeName(), "ABCDEFGHIJKLMNOPQRS");
}

TEST(OptionsReader, ScatteredLinesMergeIntoOneElementAtTheFirstPlace)
{
    const TRead t("0 DATEFORMAT 3\n0 @G@ GROUP\n0 SHOWRINS y\n0 LINES Yes\n"
                  "0 DATEPREFIX bef. abt\n0 DATEPREFIX before123456 c. after\n"
                  "0 PRINTER ABCDEFGHIJKLMNOPQRSTUVWXYZ\n0 TRUNC 46\n0 DATEFORMAT 5\n0 TRLR\n");
    EXPECT_EQ(t.Problems(), (Lines{"Printer name [ABCDEFGHIJKLMNOPQRSTUVWXYZ] truncated"}));
    ASSERT_EQ(t.Count(), 2u);
    const auto* options = t.At<TDefOption>(0);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->Title(), "Options");
    EXPECT_EQ(options->dateFormat, 5);
    EXPECT_TRUE(options->showRins);
    EXPECT_FALSE(options->showLines);
    EXPECT_EQ(options->prefixBefore, "before123");
    EXPECT_EQ(options->prefixAbout, "c.");
    EXPECT_EQ(options->prefixAfter, "after");
    EXPECT_EQ(options->printerName, "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(options->truncMarker, 46);
}

TEST(ChartReader, PicturesAndPrintSettings)
{
    const TRead t("0 ACHART\n1 BRIEF name\n1 DETAILED name\n2 CONT born\n1 NORMAL x\n"
                  "1 PRINTINFO 80 66 1 2 3 4 5 6 7 1\n1 WIDTH 3\n"
                  "0 TREE\n1 PRINTINFO 12abc 5\n0 TRLR\n");
    EXPECT_EQ(t.Problems(), (Lines{"type 48 not handled in Read()"}));
    ASSERT_EQ(t.Count(), 7u);
    EXPECT_EQ(t.At(0)->name, "Ancestor Chart");
    EXPECT_EQ(t.At(1)->Title(), "Ancestor Chart picture script Brief");
    EXPECT_EQ(t.At(2)->Title(), "Ancestor Chart picture script Detail");
    EXPECT_EQ(t.At(3)->Title(), "Ancestor Chart picture script Normal");
    const auto* print = t.At<TDefPrintSetting>(4);
    EXPECT_EQ(print->Title(), "Ancestor Chart Print Settings");
    EXPECT_EQ(print->pageWidth, 80u);
    EXPECT_EQ(print->pageHeight, 66u);
    EXPECT_EQ(print->leftMargin, 1u);
    EXPECT_EQ(print->rightMargin, 2u);
    EXPECT_EQ(print->topSpace, 3u);
    EXPECT_EQ(print->bottomSpace, 4u);
    EXPECT_EQ(print->sequence3, 7u);
    EXPECT_TRUE(print->pagePause);
    EXPECT_EQ(t.At(5)->name, "Tree");
    const auto* partial = t.At<TDefPrintSetting>(6);
    EXPECT_EQ(partial->pageWidth, 12u);
    EXPECT_EQ(partial->pageHeight, 0u);
}

TEST(ElementModel, OwnershipTypeNamesAndDisplayHooks)
{
    struct Host : TDisplayHost {
        std::vector<std::string> calls;
        bool ActivateDefinition(const TDefBase& e) override
        {
            calls.push_back("activate " + std::to_string(e.index));
            return e.index == 0;
        }
        void OpenDefinition(const TDefBase& e, TPaneKind pane) override
        {
            calls.push_back("open " + e.Title() + " " + std::to_string(static_cast<int>(pane)));
        }
        void ShowError(std::string_view text, std::string_view caption) override
        {
            calls.push_back(std::string(caption) + ": " + std::string(text));
        }
    } host;
    const TRead t("0 @G@ GROUP\n1 @F@ FIELD text\n2 TAG F\n1 WORD w\n0 @R@ RECORD\n0 TRLR\n");
    EXPECT_TRUE(t.At(1)->IsOwnedBy(kinds::Field, t.At(0)));
    EXPECT_FALSE(t.At(1)->IsOwnedBy(kinds::Word, t.At(0)));
    EXPECT_EQ(t.At(1)->TypeName(), "text");
    t.At(0)->Display(host, false); // already open: brought forward only
    t.At(1)->Display(host, false);
    t.At(2)->Display(host, false); // words have no window
    t.At(3)->Display(host, true);
    t.At(3)->Display(host, false);
    EXPECT_EQ(host.calls,
              (Lines{"activate 0", "Internal Error: TDefField::Display shouldn't be called",
                     "activate 2", "activate 3", "activate 3", "open Record R 1"}));
}

// The wrap as first described: one pass over the whole script with a running count. The
// line-by-line version must give the same text for any script.
static void ReferenceWrap(std::string& s)
{
    size_t count = 0;
    size_t lastSpace = std::string::npos;
    for (size_t i = 0; i < s.size(); ++i) {
        if (std::isspace(static_cast<unsigned char>(s[i])))
            lastSpace = i;
        if (i + 1 < s.size() && s[i + 1] == '\n') {
            count = 0;
            lastSpace = std::string::npos;
        } else {
            ++count;
        }
        if (count > 60 && lastSpace != std::string::npos) {
            s[lastSpace] = '\n';
            count = i - lastSpace;
            lastSpace = std::string::npos;
        }
    }
}

TEST(PictureWrap, MatchesTheSinglePassWrapOnRandomScripts)
{
    std::mt19937 random(42);
    const char alphabet[] = "ab \n\t\r\v\f";
    for (int round = 0; round < 3000; ++round) {
        std::string s(random() % 400, 'x');
        const unsigned spread = 2 + random() % 40; // few or many separators
        for (char& c : s)
            if (random() % spread == 0)
                c = alphabet[random() % 8];
        std::string expected = s;
        ReferenceWrap(expected);
        TDefPicture::Wrap(s);
        ASSERT_EQ(s, expected) << "round " << round;
    }
}

// Letters that differ from place to place, so a cut at the wrong place shows.
static std::string Letters(size_t n)
{
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += static_cast<char>('A' + i % 26);
    return s;
}

TEST(ElementReaders, TextsOfExactlyTheirLimitAreKeptWholeAndOneMoreIsCutOrIgnored)
{
    struct Case {
        const char* what;
        size_t limit;
        std::function<std::string(const std::string&)> text; // the file around the value
        std::function<std::string(const TRead&)> read;       // "" when the element is not there
        std::function<Lines(const std::string&)> pastLog;
        bool ignoredPast;
    };
    const auto typeOf = [](const TRead& t) { return t.At<TDefRepBase>(0)->type; };
    const Case cases[] = {
        {"GEDCOM tag", 19, [](auto& v) { return "0 @G@ GROUP\n1 @F@ FIELD text\n2 TAG " + v; },
         [](const TRead& t) { return t.At<TDefField>(1)->GedcomTag(); },
         [](auto& v) { return Lines{"GEDCOM tag [" + v + "] truncated"}; }, false},
        // The ignored field leaves its TAG line to the group.
        {"field type", 20, [](auto& v) { return "0 @G@ GROUP\n1 @F@ FIELD " + v + "\n2 TAG T"; },
         [](const TRead& t) { return t.Count() > 1 ? t.At<TDefField>(1)->fieldType : ""; },
         [](auto& v) {
             return Lines{"Type " + v + " too long -- field ignored in TDefBase::Read()",
                          "type 43 not handled in Read()"};
         },
         true},
        {"word", 20, [](auto& v) { return "0 @C@ CHOICE\n1 WORD " + v; },
         [](const TRead& t) { return t.Count() > 1 ? t.At(1)->name : ""; },
         [](auto& v) {
             return Lines{"Word " + v + " too long -- choice ignored in TDefBase::Read()"};
         },
         true},
        {"list owner", 19, [](auto& v) { return "0 LIST\n1 TYPE " + v; },
         [](const TRead& t) { return t.At<TDefList>(0)->ownerType; },
         [](auto& v) { return Lines{"List owner [" + v + "] truncated"}; }, false},
        {"list plan", 19, [](auto& v) { return "0 LIST\n1 REFERENCE " + v; },
         [](const TRead& t) { return t.At<TDefList>(0)->planRef; },
         [](auto& v) { return Lines{"List Plan ref. [" + v + "] truncated"}; }, false},
        {"printer", 19, [](auto& v) { return "0 PRINTER " + v; },
         [](const TRead& t) { return t.At<TDefOption>(0)->printerName; },
         [](auto& v) { return Lines{"Printer name [" + v + "] truncated"}; }, false},
        // Date prefixes are cut silently.
        {"date prefix", 9, [](auto& v) { return "0 DATEPREFIX bef " + v + " aft"; },
         [](const TRead& t) { return t.At<TDefOption>(0)->prefixAbout; },
         [](auto&) { return Lines{}; }, false},
        {"report type", 19, [](auto& v) { return "0 @R@ REPORT\n1 TYPE " + v; }, typeOf,
         [](auto& v) { return Lines{"Report type [" + v + "] truncated"}; }, false},
        {"table type", 19, [](auto& v) { return "0 @T@ TABLE\n1 TYPE " + v; }, typeOf,
         [](auto& v) { return Lines{"Table type [" + v + "] truncated"}; }, false},
        // A longer cross-reference makes the line invalid: it continues the line before.
        {"xref", 20, [](auto& v) { return "0 @A@ GROUP\n0 @" + v + "@ GROUP"; },
         [](const TRead& t) { return t.Count() > 1 ? t.At(1)->name : ""; },
         [](auto& v) { return Lines{"Unrecognised tag in 1 CONC 0 @" + v + "@ GROUP"}; }, true},
    };
    for (const Case& c : cases) {
        const std::string whole = Letters(c.limit), past = Letters(c.limit + 1);
        const TRead at(c.text(whole) + "\n0 TRLR\n"), over(c.text(past) + "\n0 TRLR\n");
        EXPECT_EQ(at.Problems(), Lines{}) << c.what;
        EXPECT_EQ(c.read(at), whole) << c.what;
        EXPECT_EQ(over.Problems(), c.pastLog(past)) << c.what;
        EXPECT_EQ(c.read(over), c.ignoredPast ? "" : whole) << c.what;
    }
}

TEST(ElementReaders, LineValuesAndTagsPastTheirLimitContinueAsUnknownLines)
{
    const std::string tag31(31, 'T');
    const TRead t("0 @T@ TABLE\n1 TITLE " + Letters(219) + "\n1 TITLE " + Letters(221) + "\n1 " +
                  tag31 + " v\n1 " + tag31 + "X v\n0 TRLR\n");
    // The cut-off byte and the over-long tag come back as CONC lines, which no reader knows.
    EXPECT_EQ(t.Problems(), (Lines{"Unrecognised tag in 2 CONC " + Letters(221).substr(220),
                                   "Unrecognised tag in 1 " + tag31 + " v",
                                   "Unrecognised tag in 2 CONC 1 " + tag31 + "X v"}));
    const auto* table = t.At<TDefRepBase>(0);
    EXPECT_EQ(table->title1, Letters(219));
    EXPECT_EQ(table->title2, Letters(220));
}
