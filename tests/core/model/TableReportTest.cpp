#include "core/LoadHelpers.h"
#include "model/TDefPicture.h"
#include "model/TDefPrintSetting.h"
#include "model/TDefReport.h"
#include "model/TDefTable.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

namespace {
std::string Columns(int n)
{
    std::string s;
    for (int i = 1; i <= n; ++i)
        s += "1 COLUMN\n2 TITLE C" + std::to_string(i) + "\n2 PICTURE p" + std::to_string(i) + "\n";
    return s;
}
} // namespace

TEST(TableReader, ColumnsTitlesAndPictures)
{
    const TRead t("0 @T1@ TABLE\n1 TYPE person\n1 TITLE First\n1 TITLE Second\n"
                  "1 COLUMN\n2 TITLE Name\n2 WIDTH 20\n2 JUSTIFICATION left\n2 PICTURE name\n"
                  "3 CONT more\n"
                  "1 COLUMN\n1 TITLE Again\n2 PICTURE born\n1 PRINTINFO 80 60\n0 TRLR\n");
    EXPECT_TRUE(t.Problems().empty());
    auto* table = t.At<TDefTable>(0);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->Title(), "person Table T1");
    EXPECT_EQ(table->title1, "Again"); // a column makes the next level-1 title the first again
    EXPECT_EQ(table->title2, "Second");
    EXPECT_EQ(table->lastColumn, 1);
    EXPECT_EQ(table->columns[0].title, "Name");
    EXPECT_EQ(table->columns[0].width, 20);
    EXPECT_EQ(table->columns[0].justification, "left");
    ASSERT_EQ(table->columns[0].picture, t.At(1));
    EXPECT_EQ(table->columns[0].picture->script, "name\nmore");
    EXPECT_EQ(t.At(1)->Title(), "person Table T1 Col. 1");
    EXPECT_EQ(t.At(2)->Title(), "person Table T1 Col. 2");
    EXPECT_EQ(t.At(3)->Title(), "person Table T1 Print Settings");
    EXPECT_EQ(t.At<TDefPrintSetting>(3)->pageHeight, 60u);
    EXPECT_EQ(table->TypeName(), "person");
}

TEST(TableReader, SeventeenthColumnSkipsTheRestOfTheTable)
{
    const TRead t("0 @T@ TABLE\n1 TYPE person\n" + Columns(17) +
                  "1 TITLE late\n0 @G@ GROUP\n0 TRLR\n");
    EXPECT_EQ(t.Problems(), (Lines{"Too many columns in Table T"}));
    auto* table = t.At<TDefTable>(0);
    EXPECT_EQ(table->lastColumn, 15);
    EXPECT_EQ(table->columns[15].title, "C16");
    EXPECT_FALSE(table->title1.has_value());
    EXPECT_EQ(t.Count(), 18u); // the table, 16 column pictures and the group
    EXPECT_EQ(t.At(17)->Title(), "Group G");
}

TEST(TableReader, ColumnLinesBeforeTheFirstColumnAreIgnored)
{
    const TRead t("0 @T@ TABLE\n2 TITLE x\n1 WIDTH 3\n1 JUSTIFICATION r\n1 PICTURE p\n"
                  "2 CONT q\n1 TYPE ABCDEFGHIJKLMNOPQRSTUVWXYZ\n0 TRLR\n");
    EXPECT_EQ(t.Problems(), (Lines{"type 44 not handled in Read()", "type 48 not handled in Read()",
                                   "type 26 not handled in Read()", "type 32 not handled in Read()",
                                   "type 11 not handled in Read()",
                                   "Table type [ABCDEFGHIJKLMNOPQRSTUVWXYZ] truncated"}));
    EXPECT_EQ(t.Count(), 1u);
    EXPECT_EQ(t.At<TDefTable>(0)->type, "ABCDEFGHIJKLMNOPQRS");
}

TEST(ReportReader, SizeBackgroundAndAreas)
{
    const TRead t("0 @R@ REPORT\n1 TYPE person\n1 WIDTH 78\n1 HEIGHT 20\n"
                  "1 BACKGROUND Name:\n1 BACKGROUND\n1 BACKGROUND Born:\n1 WIDTH 5\n"
                  "1 AREA\n2 X 6\n2 Y 0\n2 WIDTH 30\n2 HEIGHT 1\n2 PICTURE name\n"
                  "1 AREA\n2 X 70\n2 Y 19\n2 PICTURE born\n2 WIDTH 20\n2 HEIGHT 3\n"
                  "1 TITLE one\n1 TITLE two\n1 TITLE three\n0 TRLR\n");
    EXPECT_EQ(t.Problems(), (Lines{"person Report R Area B too wide -- narrowed",
                                   "person Report R Area B too deep -- shortened"}));
    auto* report = t.At<TDefReport>(0);
    EXPECT_EQ(report->stride, 80);
    EXPECT_EQ(report->lineCount, 21);
    EXPECT_EQ(report->BackgroundLine(0).substr(0, 6), "Name: ");
    EXPECT_EQ(report->BackgroundLine(1).substr(0, 79), std::string(79, ' '));
    EXPECT_EQ(report->BackgroundLine(2).substr(0, 5), "Born:");
    for (int l = 0; l < 21; ++l)
        EXPECT_EQ(report->BackgroundLine(l)[79], '\0');
    EXPECT_EQ(report->lastArea, 1);
    EXPECT_EQ(report->areas[0].letter, 'A');
    EXPECT_EQ(report->areas[1].letter, 'B');
    EXPECT_EQ(report->areas[1].width, 10);
    EXPECT_EQ(report->areas[1].height, 2);
    EXPECT_EQ(report->title1, "one");
    EXPECT_EQ(report->title2, "three");
    EXPECT_EQ(t.At(1)->Title(), "person Report R Area A");
    EXPECT_EQ(t.At(2)->Title(), "person Report R Area B");
}

TEST(ReportReader, AreasOutsideAreDroppedAndLettersGoOn)
{
    std::string text = "0 @R@ REPORT\n1 TYPE t\n1 WIDTH 10\n1 HEIGHT 5\n";
    for (int i = 0; i < 30; ++i)
        text += "1 AREA\n2 Y " + std::string(i == 2 ? "9" : "1") + "\n2 PICTURE p\n";
    text += "0 TRLR\n";
    const TRead t(text);
    EXPECT_EQ(t.Problems(), (Lines{"t Report R Area C lies outside Report -- ignored"}));
    auto* report = t.At<TDefReport>(0);
    EXPECT_EQ(report->lastArea, 28);
    EXPECT_EQ(report->areas[2].letter, 'D');
    EXPECT_EQ(report->areas[25].letter, 'a'); // the 27th "AREA" line
    EXPECT_EQ(t.Count(), 30u);
    for (size_t i = 1; i < t.Count(); ++i)
        EXPECT_EQ(t.At(i)->index, static_cast<int>(i));
}

TEST(ReportReader, AreasBeforeTheSizeLieOutside)
{
    const TRead t("0 @R@ REPORT\n1 AREA\n2 PICTURE p\n1 AREA\n2 X 1\n2 PICTURE q\n"
                  "1 WIDTH 10\n1 HEIGHT 2\n1 TYPE late\n0 TRLR\n");
    // The title is fixed by the first message, before the type was read.
    EXPECT_EQ(t.Problems(), (Lines{" Report R Area A lies outside Report -- ignored",
                                   " Report R Area B lies outside Report -- ignored"}));
    EXPECT_EQ(t.Count(), 1u);
    EXPECT_EQ(t.At<TDefReport>(0)->lastArea, -1);
}

TEST(ReportReader, FiftyFirstAreaSkipsTheRest)
{
    std::string text = "0 @R@ REPORT\n1 WIDTH 10\n1 HEIGHT 5\n";
    for (int i = 0; i < 51; ++i)
        text += "1 AREA\n";
    text += "1 TITLE late\n0 TRLR\n";
    const TRead t(text);
    EXPECT_EQ(t.Problems(), (Lines{"Too many areas in Report R"}));
    auto* report = t.At<TDefReport>(0);
    EXPECT_EQ(report->lastArea, 49);
    EXPECT_EQ(report->areas[49].letter, 'x');
    EXPECT_FALSE(report->title1.has_value());
}

TEST(ReportReader, BackgroundWithoutSizeOrTooLargeIsSkipped)
{
    const TRead t("0 @R@ REPORT\n1 BACKGROUND x\n1 TITLE skipped\n"
                  "0 @Huge@ REPORT\n1 WIDTH 2000000000\n1 HEIGHT 2000000000\n1 BACKGROUND x\n"
                  "0 @Neg@ REPORT\n1 WIDTH -5\n1 HEIGHT 3\n1 BACKGROUND x\n0 TRLR\n");
    EXPECT_EQ(t.Problems(),
              (Lines{"Report R has no size -- skipped", "Report Huge is too large -- skipped",
                     "Report Neg has no size -- skipped"}));
    EXPECT_FALSE(t.At<TDefReport>(0)->title1.has_value());
    EXPECT_FALSE(t.At<TDefReport>(1)->HasBackground());
}

TEST(ReportReader, BackgroundOverflowAndLongLinesRunOn)
{
    const TRead t("0 @R@ REPORT\n1 TYPE t\n1 WIDTH 3\n1 HEIGHT 1\n"
                  "1 BACKGROUND abcdefg\n1 BACKGROUND x\n1 BACKGROUND yy\n0 TRLR\n");
    EXPECT_EQ(t.Problems(), (Lines{"t Report R background overflows size"}));
    auto* report = t.At<TDefReport>(0);
    // 2 lines of 5: "abcde" then "fg" overwritten at the start by "x".
    EXPECT_EQ(report->BackgroundLine(0), std::string("abcd\0", 5));
    EXPECT_EQ(report->BackgroundLine(1), std::string("xg  \0", 5));
}

TEST(ReportReader, LettersPastTheLastCodeStartAgainAtA)
{
    std::string text = "0 @R@ REPORT\n1 TYPE t\n";
    for (int i = 0; i < 260; ++i)
        text += "1 AREA\n1 PICTURE p\n";
    text += "0 TRLR\n";
    const TRead t(text);
    const auto problems = t.Problems();
    ASSERT_EQ(problems.size(), 260u); // no size: every area is dropped, one line each
    EXPECT_EQ(problems[0], "t Report R Area A lies outside Report -- ignored");
    EXPECT_EQ(problems[27], "t Report R Area b lies outside Report -- ignored");
    EXPECT_EQ(problems[57], std::string("t Report R Area \x80 lies outside Report -- ignored"));
    EXPECT_EQ(problems[185], "t Report R Area A lies outside Report -- ignored");
}

TEST(ReportReader, BackgroundsOfOneLoadShareABudget)
{
    std::string text;
    for (int i = 0; i < 6; ++i)
        text +=
            "0 @R" + std::to_string(i) + "@ REPORT\n1 WIDTH 8000\n1 HEIGHT 8000\n1 BACKGROUND x\n";
    text += "0 TRLR\n";
    const TRead t(text);
    // Each background fits alone; the fifth would pass what one load may hold.
    EXPECT_EQ(t.Problems(),
              (Lines{"Report R4 is too large -- skipped", "Report R5 is too large -- skipped"}));
    EXPECT_TRUE(t.At<TDefReport>(3)->HasBackground());
}

TEST(ReportReader, AreasAtTheLastColumnOrLineAreInsideAndOnePastAreDropped)
{
    // WIDTH 8 and HEIGHT 4 make lines of 10 (the stride) and 5 lines.
    const TRead t("0 @R@ REPORT\n1 TYPE t\n1 WIDTH 8\n1 HEIGHT 4\n"
                  "1 AREA\n2 X 9\n2 Y 4\n2 WIDTH 1\n2 HEIGHT 1\n2 PICTURE a\n"
                  "1 AREA\n2 X 10\n2 Y 0\n2 PICTURE b\n"
                  "1 AREA\n2 X 0\n2 Y 5\n2 PICTURE c\n"
                  "1 AREA\n2 X 9\n2 Y 4\n2 WIDTH 2\n2 HEIGHT 2\n2 PICTURE d\n0 TRLR\n");
    EXPECT_EQ(t.Problems(), (Lines{"t Report R Area B lies outside Report -- ignored",
                                   "t Report R Area C lies outside Report -- ignored",
                                   "t Report R Area D too wide -- narrowed",
                                   "t Report R Area D too deep -- shortened"}));
    auto* report = t.At<TDefReport>(0);
    ASSERT_EQ(report->lastArea, 1);
    EXPECT_EQ(report->areas[0].letter, 'A');
    EXPECT_EQ(report->areas[0].width, 1); // ending exactly at the stride: not narrowed
    EXPECT_EQ(report->areas[0].height, 1);
    EXPECT_EQ(report->areas[1].letter, 'D');
    EXPECT_EQ(report->areas[1].width, 1);
    EXPECT_EQ(report->areas[1].height, 1);
    ASSERT_EQ(t.Count(), 3u); // the dropped areas' pictures are gone too
    EXPECT_EQ(t.At<TDefPicture>(2)->script, "d");
}
