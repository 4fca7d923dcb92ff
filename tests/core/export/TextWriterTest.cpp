#include "core/LoadHelpers.h"
#include "core/export/RecordingHost.h"
#include "export/TTextWriter.h"
#include "model/Kinds.h"
#include "model/TDefList.h"
#include "model/TDefOption.h"
#include "model/TDefPicture.h"
#include "model/TDefReport.h"
#include "model/TDefTable.h"

#include <gtest/gtest.h>
#include <optional>
#include <sstream>

using Errors = std::vector<std::string>;

namespace {
const std::string kNoWriter = "TDefBase::AsText: Should not be called";

// A loaded design and one writer over it: what it has written stays written from one Write to
// the next until Renew, as within one document.
struct TWriter {
    TLoaded loaded;
    TRecordingHost host;
    std::optional<TTextWriter> writer;

    explicit TWriter(const std::string& text) : loaded(text) { Renew(); }

    // A new writer, as a save or a copy starts with.
    void Renew() { writer.emplace(loaded.db.Definitions(), host); }

    TDefBase& Element(const std::string& title)
    {
        TDefBase* e = loaded.Titled(title);
        if (!e)
            throw std::runtime_error("no element titled " + title);
        return *e;
    }
    std::string Write(const TDefBase& element, int level)
    {
        std::ostringstream out;
        writer->Write(out, element, level);
        return out.str();
    }
    std::string Write(const std::string& title, int level) { return Write(Element(title), level); }
    // The text by a new writer.
    std::string Fresh(const std::string& title, int level)
    {
        Renew();
        return Write(title, level);
    }
    bool Written(const std::string& title) { return writer->Written(Element(title)); }
};

// The start of text, as long as expected is.
std::string Head(const std::string& text, const std::string& expected)
{
    return text.substr(0, expected.size());
}

const char* const kRecord = "0 @person@ RECORD\n"
                            "1 @name@ FIELD text\n2 TAG NAME\n"
                            "1 @born@ FIELD date\n2 TAG BIRT\n"
                            "1 @P@ PICTURE name\n"
                            "1 WORD stray\n"
                            "1 @late@ FIELD text\n2 TAG LATE\n"
                            "0 @other@ GROUP\n1 @name@ FIELD text\n2 TAG X\n"
                            "0 TRLR\n";
} // namespace

TEST(FieldList, TitleHeadingAndEveryOwnedFieldByLevel)
{
    TWriter w(kRecord);
    EXPECT_EQ(w.Fresh("Record person", 1), "Record person\n"
                                           "\tField\tType\tTag\n"
                                           "\tname\ttext\tNAME\n"
                                           "\tborn\tdate\tBIRT\n"
                                           "\tlate\ttext\tLATE\n");
    EXPECT_EQ(w.Fresh("Record person", 0),
              "name\ttext\tNAME\nborn\tdate\tBIRT\nlate\ttext\tLATE\n");
    EXPECT_EQ(w.Fresh("Record person", 2), "Record person\n"
                                           "\t\tField\tType\tTag\n"
                                           "\t\tname\ttext\tNAME\n"
                                           "\t\tborn\tdate\tBIRT\n"
                                           "\t\tlate\ttext\tLATE\n");
    EXPECT_EQ(w.Fresh("Group other", 1), "Group other\n\tField\tType\tTag\n\tname\ttext\tX\n");
    EXPECT_TRUE(w.host.errors.empty());
}

TEST(FieldList, WrittenElementWritesNothingUntilANewWriter)
{
    TWriter w(kRecord);
    EXPECT_FALSE(w.Fresh("Record person", 0).empty());
    EXPECT_TRUE(w.Written("Record person"));
    EXPECT_EQ(w.Write("Record person", 1), "");
    EXPECT_FALSE(w.Fresh("Record person", 1).empty());
}

TEST(WordList, WordsJoinedWithoutTrailingSeparator)
{
    TWriter w("0 @Sex@ CHOICE\n1 WORD male\n1 WORD female\n1 @P@ PICTURE x\n1 @f@ FIELD text\n"
              "2 TAG F\n1 WORD other\n0 @Empty@ CHOICE\n0 @One@ CHOICE\n1 WORD only\n0 TRLR\n");
    EXPECT_EQ(w.Fresh("Choice Sex", 1), "Choice Sex\n\tmale, female, other\n");
    EXPECT_EQ(w.Fresh("Choice Sex", 0), "male, female, other\n");
    EXPECT_EQ(w.Fresh("Choice Sex", 2), "Choice Sex\n\t\tmale, female, other\n");
    EXPECT_EQ(w.Write("Choice Sex", 1), ""); // recorded by the write above
    EXPECT_EQ(w.Fresh("Choice One", 1), "Choice One\n\tonly\n");
    EXPECT_EQ(w.Fresh("Choice Empty", 1), "Choice Empty\n\t\n");
    EXPECT_EQ(w.Fresh("Choice Empty", 0), "\n");
}

TEST(Script, LinesSplitAtLineFeedsByLevel)
{
    // Scripts: "a", "", "b"; "x" with a line feed at its end; an empty one.
    TWriter w("0 @G@ GROUP\n1 @P@ PICTURE a\n2 CONT\n2 CONT b\n1 @Q@ PICTURE x\n2 CONT\n"
              "1 @E@ PICTURE\n1 @Plan@ PLANPIC p\n0 TRLR\n");
    EXPECT_EQ(w.Fresh("G picture script P", 1), "G picture script P\n\ta\n\t\n\tb\n");
    EXPECT_EQ(w.Fresh("G picture script P", 0), "a\n\nb\n");
    EXPECT_EQ(w.Fresh("G picture script P", 2), "G picture script P\n\t\ta\n\t\t\n\t\tb\n");
    EXPECT_EQ(w.Fresh("G picture script P", -1), "\ta\n\t\n\tb\n");
    EXPECT_EQ(w.Fresh("G picture script Q", 1), "G picture script Q\n\tx\n");
    EXPECT_EQ(w.Fresh("G picture script E", 1), "G picture script E\n");
    EXPECT_EQ(w.Fresh("G picture script E", 0), "");
    EXPECT_EQ(w.Fresh("Plan picture script Plan", 1), "Plan picture script Plan\n\tp\n");
    EXPECT_EQ(w.Write("Plan picture script Plan", 1), "");
}

TEST(Script, TwoColumnScriptsShareOneHeading)
{
    TWriter w("0 @T@ TABLE\n1 TYPE person\n1 COLUMN\n2 PICTURE a\n3 CONT b\n3 CONT c\n"
              "1 COLUMN\n2 PICTURE d\n1 COLUMN\n2 PICTURE\n0 TRLR\n");
    EXPECT_EQ(w.Write("person Table T Col. 1", 1),
              "person Table T Picture scripts:-\n\n\tCol. 1\ta\n\t\tb\n\t\tc\n");
    EXPECT_EQ(w.Write("person Table T Col. 2", 1), "\tCol. 2\td\n");
    // No lines: the name and a tab, and no line end of its own.
    EXPECT_EQ(w.Write("person Table T Col. 3", 1), "\tCol. 3\t");
    EXPECT_EQ(w.Fresh("person Table T Col. 2", 2),
              "person Table T Picture scripts:-\n\n\t\tCol. 2\td\n");
    // Not a column script below level 1.
    EXPECT_EQ(w.Fresh("person Table T Col. 1", 0), "a\nb\nc\n");
    EXPECT_EQ(w.Fresh("person Table T Col. 1", -2), "\t\ta\n\t\tb\n\t\tc\n");
}

TEST(Script, AreaScriptIsHeadedByItsReport)
{
    TWriter w("0 @R@ REPORT\n1 TYPE person\n1 WIDTH 5\n1 HEIGHT 1\n1 AREA\n2 PICTURE a\n"
              "3 CONT b\n0 TRLR\n");
    EXPECT_EQ(w.Fresh("person Report R Area A", 1),
              "person Report R Picture scripts:-\n\n\tArea A\ta\n\t\tb\n");
}

TEST(Script, FilterScriptWritesNoTitleLine)
{
    TWriter w("0 LIST\n1 FILTER keep\n2 CONT this\n0 TRLR\n");
    TDefPicture* filter = static_cast<TDefList&>(w.Element("List 1: () 0 entries")).filter;
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(w.Write(*filter, 1), "\tkeep\n\tthis\n");
    EXPECT_EQ(w.Write(*filter, 1), "");
}

TEST(ListText, SortKeysAndFilterByLevel)
{
    TWriter w("0 LIST\n1 TYPE Person\n1 METHOD index\n1 SIZE 25\n"
              "1 KEY\n2 EXPRESSION surname\n2 DIRECTION ascending\n"
              "1 KEY\n2 EXPRESSION born\n2 DIRECTION Ascending\n"
              "1 KEY\n2 DIRECTION ascending\n"
              "1 FILTER sex = \"m\"\n2 CONT and alive\n0 TRLR\n");
    const std::string title = "List 1: (Person) 25 entries";
    EXPECT_EQ(w.Fresh(title, 1), title + "\n\tMethod: Index\n"
                                         "\n\tSorted by:-\n"
                                         "\tsurname (ascending)\n"
                                         "\tborn (descending)\n"
                                         "\t (ascending)\n"
                                         "\n\tFiltered by:-\n"
                                         "\t\tsex = \"m\"\n"
                                         "\t\tand alive\n");
    EXPECT_EQ(w.Fresh(title, 0),
              "Method: Index\n"
              "\nSorted by:-\nsurname (ascending)\nborn (descending)\n (ascending)\n"
              "\nFiltered by:-\n\tsex = \"m\"\n\tand alive\n");
    // The filter was written and recorded with the list: written again it gives nothing.
    EXPECT_EQ(w.Write(title, 1), "");
    const TDefPicture& filter = *static_cast<TDefList&>(w.Element(title)).filter;
    EXPECT_TRUE(w.writer->Written(filter));
    // With the filter alone written, the list leaves it out.
    w.Renew();
    w.Write(filter, 1);
    EXPECT_EQ(w.Write(title, 1), title + "\n\tMethod: Index\n"
                                         "\n\tSorted by:-\n"
                                         "\tsurname (ascending)\n"
                                         "\tborn (descending)\n"
                                         "\t (ascending)\n"
                                         "\n\tFiltered by:-\n");
}

TEST(ListText, KeysAfterTheFourthAreIgnoredWithTheirLines)
{
    std::string keys;
    for (const char* e : {"a", "b", "c", "d"})
        keys += std::string("1 KEY\n2 EXPRESSION ") + e + "\n2 DIRECTION ascending\n";
    const std::string fifth = "1 KEY\n2 EXPRESSION e\n2 DIRECTION descending\n";
    const std::string sixth = "1 KEY\n2 DIRECTION descending\n2 EXPRESSION f\n";
    const std::string sorted = "\n\tSorted by:-\n\ta (ascending)\n\tb (ascending)\n"
                               "\tc (ascending)\n\td (ascending)\n";
    const std::string title = "List 1: (P) 0 entries";
    const std::string key = "type 27 not handled in Read()";
    const std::string expression = "type 20 not handled in Read()";
    const std::string direction = "type 17 not handled in Read()";
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {fifth, {key, expression, direction}},
        {fifth + sixth, {key, expression, direction, key, direction, expression}},
    };
    for (const auto& [extra, problems] : cases) {
        TWriter w("0 LIST\n1 TYPE P\n1 METHOD index\n" + keys + extra + "0 TRLR\n");
        EXPECT_EQ(w.loaded.Problems(), problems);
        EXPECT_EQ(w.Fresh(title, 1), title + "\n\tMethod: Index\n" + sorted);
    }
}

TEST(ListText, EachMethodLine)
{
    TWriter w("0 LIST\n1 METHOD anctree\n1 REFERENCE Plan1\n1 GENERATIONS 4\n1 BASE 2\n1 PIN -1\n"
              "0 LIST\n1 METHOD desctree\n1 REFERENCE Plan2\n1 GENERATIONS 3\n1 BASE 1\n1 PIN 9\n"
              "0 LIST\n1 METHOD lines\n1 REFERENCE Plan3\n1 GENERATIONS 5\n1 BASE 6\n"
              "0 LIST\n1 METHOD fill\n1 TYPE Family\n"
              "0 LIST\n1 TYPE Odd\n0 TRLR\n");
    EXPECT_EQ(w.Fresh("List 1: Plan Plan1 0 entries", 1),
              "List 1: Plan Plan1 0 entries\n"
              "\tAncestor Tree for 4 generations from \n"
              "\tgeneration 2, person RIN 4294967295\n");
    EXPECT_EQ(w.Fresh("List 2: Plan Plan2 0 entries", 0),
              "Descendants Tree for 3 generations from \ngeneration 1, person RIN 9\n");
    EXPECT_EQ(
        w.Fresh("List 3: Plan Plan3 0 entries", 1),
        "List 3: Plan Plan3 0 entries\n\tLine of Descent from generation 6 for 5 generations\n");
    EXPECT_EQ(w.Fresh("List 4: (Family) 0 entries", 2),
              "List 4: (Family) 0 entries\n\t\tMethod: Fill\n");
    auto& odd = static_cast<TDefList&>(w.Element("List 5: (Odd) 0 entries"));
    odd.method = 7;
    EXPECT_EQ(w.Fresh("List 5: (Odd) 0 entries", 1), "List 5: (Odd) 0 entries\n");
}

TEST(OptionsText, EveryLineByLevel)
{
    TWriter w("0 DATEFORMAT 5\n0 @G@ GROUP\n0 DATEPREFIX bef abt aft\n0 PRINTER laser\n"
              "0 TRUNC 46\n0 SHOWRINS y\n0 LINES N\n0 TRLR\n");
    EXPECT_EQ(w.Fresh("Options", 1), "Options\n"
                                     "\tDates\n"
                                     "\t\tFormat\tyyyy-mm-dd\n"
                                     "\t\tPrefixes\n"
                                     "\t\t\tBefore\tbef\n"
                                     "\t\t\tAbout\tabt\n"
                                     "\t\t\tAfter\taft\n"
                                     "\n"
                                     "\tPrinter Name\tlaser\n"
                                     "\tTruncation Marker\t46 (.)\n"
                                     "\tShow RINs\tYes\n"
                                     "\tShow Lines\tNo\n");
    EXPECT_EQ(w.Fresh("Options", 0), "Dates\n"
                                     "\tFormat\tyyyy-mm-dd\n"
                                     "\tPrefixes\n"
                                     "\t\tBefore\tbef\n"
                                     "\t\tAbout\tabt\n"
                                     "\t\tAfter\taft\n"
                                     "\n"
                                     "Printer Name\tlaser\n"
                                     "Truncation Marker\t46 (.)\n"
                                     "Show RINs\tYes\n"
                                     "Show Lines\tNo\n");
    EXPECT_EQ(w.Write("Options", 0), "");
}

TEST(OptionsText, MarkerCharacterOnlyAboveThirtyTwo)
{
    TWriter w("0 TRUNC 16\n0 TRLR\n");
    auto& options = static_cast<TDefOption&>(w.Element("Options"));
    const auto markerLine = [&](int32_t code) {
        options.truncMarker = code;
        const std::string text = w.Fresh("Options", 0);
        const size_t at = text.find("Truncation Marker");
        return text.substr(at, text.find('\n', at) - at);
    };
    EXPECT_EQ(markerLine(16), "Truncation Marker\t16");
    EXPECT_EQ(markerLine(32), "Truncation Marker\t32");
    EXPECT_EQ(markerLine(33), "Truncation Marker\t33 (!)");
    EXPECT_EQ(markerLine(46), "Truncation Marker\t46 (.)");
    EXPECT_EQ(markerLine(256 + 42), "Truncation Marker\t298 (*)"); // the code's low byte
    EXPECT_EQ(markerLine(-5), "Truncation Marker\t-5");
}

TEST(OptionsText, DateFormatNames)
{
    TWriter w("0 DATEFORMAT 0\n0 TRLR\n");
    auto& options = static_cast<TDefOption&>(w.Element("Options"));
    const std::vector<std::pair<int32_t, std::string>> formats = {
        {0, "dd Mmm yyyy"},       {1, "dd-Mmm-yyyy"}, {2, "ddMmmyyyy"},
        {3, "yyyymmdd"},          {4, "yyyy"},        {5, "yyyy-mm-dd"},
        {6, "Ddd, d Mmm yyyy"},   {7, "d Mmm yyyy"},  {8, "unknown format 8"},
        {-1, "unknown format -1"}};
    for (const auto& [format, name] : formats) {
        options.dateFormat = format;
        const std::string expected = "Options\n\tDates\n\t\tFormat\t" + name + "\n\t\tPrefixes\n";
        EXPECT_EQ(Head(w.Fresh("Options", 1), expected), expected) << format;
    }
}

TEST(PrintSettingsText, NineValuesAndPagePauseByLevel)
{
    TWriter w("0 ACHART\n1 PRINTINFO 80 66 1 2 3 4 5 6 -1 1\n0 DCHART\n1 PRINTINFO 10\n0 TRLR\n");
    EXPECT_EQ(w.Fresh("Ancestor Chart Print Settings", 1), "Ancestor Chart Print Settings\n"
                                                           "\tSequence 1\t5\n"
                                                           "\tSequence 2\t6\n"
                                                           "\tSequence 3\t4294967295\n"
                                                           "\tPage Width\t80\n"
                                                           "\tPage Height\t66\n"
                                                           "\tLeft Margin\t1\n"
                                                           "\tRight Margin\t2\n"
                                                           "\tTop Space\t3\n"
                                                           "\tBottom Space\t4\n"
                                                           "\tPage pause\tYes\n");
    EXPECT_EQ(w.Fresh("Descendant Chart Print Settings", 0),
              "Sequence 1\t0\nSequence 2\t0\nSequence 3\t0\nPage Width\t10\nPage Height\t0\n"
              "Left Margin\t0\nRight Margin\t0\nTop Space\t0\nBottom Space\t0\nPage pause\tNo\n");
    EXPECT_EQ(w.Write("Descendant Chart Print Settings", 0), "");
}

namespace {
const char* const kTable = "0 @T@ TABLE\n1 TYPE person\n1 TITLE First\n1 TITLE Second\n"
                           "1 COLUMN\n2 TITLE Name\n2 WIDTH 20\n2 JUSTIFICATION left\n"
                           "2 PICTURE name\n3 CONT surname\n"
                           "1 COLUMN\n2 WIDTH -3\n1 PRINTINFO 80\n0 TRLR\n";
} // namespace

TEST(TableText, TitlesColumnsAndTheirScriptsByLevel)
{
    TWriter w(kTable);
    EXPECT_EQ(w.Fresh("person Table T", 1), "person Table T\n"
                                            "\tFirst\n\tSecond\n\n"
                                            "\tColumns:-\n"
                                            "\tTitle\tWidth\tPosition\n"
                                            "\tName\t20\tleft\n\n"
                                            "\tPicture Script:\n"
                                            "\t\tname\n\t\tsurname\n\n"
                                            "\t\t-3\t\n\n"
                                            "\tPicture Script:\n\n");
    EXPECT_FALSE(w.Written("person Table T"));
    EXPECT_TRUE(w.Written("person Table T Col. 1"));
    EXPECT_EQ(w.Fresh("person Table T", 0), "First\nSecond\n\n"
                                            "Columns:-\n"
                                            "Title\tWidth\tPosition\n"
                                            "Name\t20\tleft\n\n"
                                            "Picture Script:\n"
                                            "\tname\n\tsurname\n\n"
                                            "\t-3\t\n\n"
                                            "Picture Script:\n\n");
}

TEST(TableText, EmptyLineAfterTitlesOnlyWithAFirstTitle)
{
    TWriter w(kTable);
    auto& table = static_cast<TDefTable&>(w.Element("person Table T"));
    table.title2.reset();
    EXPECT_EQ(Head(w.Fresh("person Table T", 0), "First\n\nColumns:-"), "First\n\nColumns:-");
    table.title1.reset();
    table.title2 = "Second";
    EXPECT_EQ(Head(w.Fresh("person Table T", 0), "Columns:-"), "Columns:-");
}

TEST(TableText, ColumnScriptsWrittenEarlierAreLeftOut)
{
    TWriter w(kTable);
    EXPECT_EQ(w.Write("person Table T Col. 1", 1),
              "person Table T Picture scripts:-\n\n\tCol. 1\tname\n\t\tsurname\n");
    // The heading recorded the table, yet the table's writer neither asks nor records it.
    EXPECT_EQ(w.Write("person Table T", 1), "person Table T\n"
                                            "\tFirst\n\tSecond\n\n"
                                            "\tColumns:-\n"
                                            "\tTitle\tWidth\tPosition\n"
                                            "\tName\t20\tleft\n\n"
                                            "\tPicture Script:\n\n"
                                            "\t\t-3\t\n\n"
                                            "\tPicture Script:\n\n");
    EXPECT_EQ(Head(w.Write("person Table T", 0), "First\n"), "First\n");
}

namespace {
// Stride 10 and three lines of nine visible characters. Area A covers columns 2 to 5 of lines 0
// and 1; area B, narrowed to width 6 from column 4, overlaps A on line 1 and reaches the end.
const char* const kReport = "0 @R@ REPORT\n1 TYPE person\n1 WIDTH 8\n1 HEIGHT 2\n"
                            "1 BACKGROUND Name:\n1 BACKGROUND\n1 BACKGROUND Born:\n"
                            "1 AREA\n2 X 2\n2 Y 0\n2 WIDTH 4\n2 HEIGHT 2\n2 PICTURE a\n"
                            "1 AREA\n2 X 4\n2 Y 1\n2 WIDTH 10\n2 HEIGHT 1\n2 PICTURE b\n"
                            "0 @Bare@ REPORT\n1 TYPE person\n1 AREA\n0 TRLR\n";
} // namespace

TEST(ReportText, AreasFillACopyOfTheBackgroundInOrder)
{
    TWriter w(kReport);
    ASSERT_EQ(w.loaded.Problems(), (Errors{"person Report R Area B too wide -- narrowed"}));
    EXPECT_EQ(w.Fresh("person Report R", 1), "person Report R\n"
                                             "\tNaAAAA   \n"
                                             "\t  AABBBBB\n"
                                             "\tBorn:    \n");
    EXPECT_EQ(w.Fresh("person Report R", 0), "NaAAAA   \n  AABBBBB\nBorn:    \n");
    EXPECT_EQ(w.Write("person Report R", 2), "person Report R\n"
                                             "\t\tNaAAAA   \n"
                                             "\t\t  AABBBBB\n"
                                             "\t\tBorn:    \n");
    const auto& report = static_cast<TDefReport&>(w.Element("person Report R"));
    EXPECT_FALSE(w.writer->Written(report));
    EXPECT_EQ(report.BackgroundLine(0).substr(0, 9), "Name:    "); // the model is untouched
}

TEST(ReportText, AreaOutsideThePageFillsOnlyWhatIsVisible)
{
    TWriter w(kReport);
    auto& report = static_cast<TDefReport&>(w.Element("person Report R"));
    report.areas[0] = {.column = -3, .row = -1, .width = 5, .height = 2, .letter = 'A'};
    report.areas[1] = {.column = 7, .row = 2, .width = 100, .height = 100, .letter = 'B'};
    EXPECT_EQ(w.Fresh("person Report R", 0), "AAme:    \n         \nBorn:  BB\n");
}

TEST(ReportText, WithoutBackgroundOnlyTheTitle)
{
    TWriter w(kReport);
    EXPECT_EQ(w.Fresh("person Report Bare", 1), "person Report Bare\n");
    EXPECT_EQ(w.Fresh("person Report Bare", 0), "");
}

TEST(NoWriter, NameLineAndTheErrorBox)
{
    TWriter w("0 ACHART\n0 @G@ GROUP\n1 @f@ FIELD text\n2 TAG F\n1 WORD w\n0 TRLR\n");
    EXPECT_EQ(w.Fresh("Ancestor Chart", 1), "Ancestor Chart\n");
    EXPECT_EQ(w.host.errors, Errors{kNoWriter});
    EXPECT_EQ(w.Fresh("G Field f", 0), "");
    EXPECT_EQ(w.Fresh("w", 2), "w\n");
    EXPECT_EQ(w.host.errors, (Errors{kNoWriter, kNoWriter, kNoWriter}));
    EXPECT_FALSE(w.Written("Ancestor Chart"));
    EXPECT_EQ(w.Write("Ancestor Chart", 1), "Ancestor Chart\n");
}

TEST(Written, ElementOutsideTheArrayIsRecordedApart)
{
    TWriter w(kRecord);
    // Index 0 as if from another array: the array's own element 0 stays unwritten.
    TDefPicture loose(kinds::Picture, "loose", "x", nullptr);
    loose.index = 0;
    EXPECT_FALSE(w.writer->Written(loose));
    EXPECT_EQ(w.Write(loose, 1), "loose\n\tx\n");
    EXPECT_TRUE(w.writer->Written(loose));
    EXPECT_EQ(w.Write(loose, 1), "");
    EXPECT_FALSE(w.writer->Written(*w.loaded.db.Definitions().At(0)));
    EXPECT_FALSE(w.Write(*w.loaded.db.Definitions().At(0), 1).empty());
}

TEST(NoWriter, PictureKindWithoutThePictureClass)
{
    TWriter w(kRecord);
    const TDefBase bare(kinds::Picture, "bare", nullptr);
    EXPECT_EQ(w.Write(bare, 1), "bare\n");
    EXPECT_EQ(w.host.errors, Errors{kNoWriter});
    EXPECT_FALSE(w.writer->Written(bare));
}
