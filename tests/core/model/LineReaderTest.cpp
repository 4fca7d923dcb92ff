#include "model/TControlGed.h"
#include "model/TGedInput.h"
#include "model/TMessageLog.h"

#include <gtest/gtest.h>

namespace {

struct Line {
    int level;
    std::string xref, tag, value;
    bool isPointer;
    int code;
};

// Every line NextLine delivers, with the log the reading wrote.
struct Reading {
    std::vector<Line> lines;
    std::vector<std::string> log;
};

Reading ReadAll(const std::string& text)
{
    TGedInput in(text);
    TMessageLog log;
    TControlGed ged;
    Reading r;
    while (ged.NextLine(in, log))
        r.lines.push_back({ged.level, ged.xref, ged.tag, ged.value, ged.isPointer, ged.tagCode});
    EXPECT_EQ(ged.tagCode, 0);
    EXPECT_EQ(ged.level, 0);
    r.log = log.Lines();
    return r;
}

// Every line ReadLine delivers, known tag or not.
std::vector<Line> RawLines(const std::string& text, std::vector<std::string>* logOut = nullptr)
{
    TGedInput in(text);
    TMessageLog log;
    TControlGed ged;
    std::vector<Line> lines;
    while (ged.ReadLine(in, log))
        lines.push_back({ged.level, ged.xref, ged.tag, ged.value, ged.isPointer, 0});
    if (logOut)
        *logOut = log.Lines();
    return lines;
}

} // namespace

TEST(LineReader, SplitsLevelXrefTagAndValue)
{
    const auto lines = RawLines("0 @Person@ RECORD\n1 @Name@ FIELD text\n2 TAG NAME\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].level, 0);
    EXPECT_EQ(lines[0].xref, "Person");
    EXPECT_EQ(lines[0].tag, "RECORD");
    EXPECT_EQ(lines[0].value, "");
    EXPECT_EQ(lines[1].xref, "Name");
    EXPECT_EQ(lines[1].value, "text");
    EXPECT_EQ(lines[2].level, 2);
    EXPECT_EQ(lines[2].xref, "");
    EXPECT_EQ(lines[2].value, "NAME");
}

TEST(LineReader, UnknownTagIsLoggedAndSkipped)
{
    const auto r = ReadAll("0 HEAD\n1 SOUR x\n0 TRLR\n");
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0].tag, "TRLR");
    EXPECT_EQ(r.lines[0].code, 19);
    EXPECT_EQ(r.log, (std::vector<std::string>{"Unrecognised tag in 0 HEAD ",
                                               "Unrecognised tag in 1 SOUR x"}));
}

TEST(LineReader, TagTableCodes)
{
    EXPECT_EQ(TControlGed::TagCode("ACHART"), 2);
    EXPECT_EQ(TControlGed::TagCode("LINES"), 29);
    EXPECT_EQ(TControlGed::TagCode("LIST"), 28);
    EXPECT_EQ(TControlGed::TagCode("EOF"), 19);
    EXPECT_EQ(TControlGed::TagCode("TRLR"), 19);
    EXPECT_EQ(TControlGed::TagCode("Y"), 51);
    EXPECT_EQ(TControlGed::TagCode("VERSION"), 1);
    EXPECT_EQ(TControlGed::TagCode("CONC"), 0);
    EXPECT_EQ(TControlGed::TagCode("record"), 0);
}

TEST(LineReader, SpacesInValuesAndTrailingSpaces)
{
    const auto lines = RawLines("1 FIELD  text   \n   \n\n  2 TAG a  b\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].value, " text");
    EXPECT_EQ(lines[1].level, 2);
    EXPECT_EQ(lines[1].value, "a  b");
}

TEST(LineReader, XrefLengthLimits)
{
    std::vector<std::string> log;
    const auto lines = RawLines("0 @ABCDEFGHIJKLMNOPQRST@ GROUP\n0 @ABCDEFGHIJKLMNOPQRSTU@ GROUP\n"
                                "0 @@ GROUP\n0 @open GROUP\n",
                                &log);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].xref, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(lines[1].tag, "CONC"); // 21 characters: invalid, continues the line before
    EXPECT_EQ(lines[1].level, 1);
    EXPECT_EQ(lines[1].value, "0 @ABCDEFGHIJKLMNOPQRSTU@ GROUP");
    EXPECT_EQ(lines[2].tag, "GROUP");
    EXPECT_EQ(lines[2].xref, "");
    EXPECT_EQ(lines[3].tag, "CONC");
    EXPECT_EQ(lines[3].value, "0 @open GROUP");
    EXPECT_TRUE(log.empty());
}

TEST(LineReader, LevelsOutOfRangeAreInvalid)
{
    std::vector<std::string> log;
    const auto lines = RawLines("10 TAG x\n0 TRLR\n7 TAG x\n6 TAG x\n1TAG\n", &log);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "Warning: invalid GEDCOM line ignored:-");
    EXPECT_EQ(log[1], "10 TAG x");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].tag, "CONC");
    EXPECT_EQ(lines[1].level, 1);
    EXPECT_EQ(lines[1].value, "7 TAG x");
    EXPECT_EQ(lines[2].level, 6);
    EXPECT_EQ(lines[3].tag, "CONC");
    EXPECT_EQ(lines[3].level, 7);
    EXPECT_EQ(lines[3].value, "1TAG");
}

TEST(LineReader, TagLengthLimit)
{
    const std::string tag31(31, 'T');
    const auto lines = RawLines("0 " + tag31 + " v\n0 " + tag31 + "X v\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].tag, tag31);
    EXPECT_EQ(lines[1].tag, "CONC");
    EXPECT_EQ(lines[1].value, "0 " + tag31 + "X v");
}

TEST(LineReader, PointerValues)
{
    const auto lines = RawLines("1 TYPE @R1@\n1 TYPE @@R1@\n1 TYPE @R2@x1 TAG y\n1 TYPE @open\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].value, "R1");
    EXPECT_TRUE(lines[0].isPointer);
    EXPECT_EQ(lines[1].value, "@@R1@");
    EXPECT_FALSE(lines[1].isPointer);
    // One character after the closing '@' is consumed; the rest starts a new line.
    EXPECT_EQ(lines[2].value, "R2");
    EXPECT_EQ(lines[3].tag, "TAG");
    EXPECT_EQ(lines[3].value, "y");
    EXPECT_EQ(lines[4].value, "open");
    EXPECT_TRUE(lines[4].isPointer);
}

TEST(LineReader, LongValueIsCutAtLastSpaceAndContinued)
{
    const std::string value219(219, 'a');
    std::string words;
    while (words.size() < 250)
        words += "word ";
    words.resize(249); // ends in a letter
    const auto lines =
        RawLines("1 TITLE " + value219 + "\n1 TITLE " + words + "\n1 CONT " + words + "\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].value, value219);
    const size_t cut = words.rfind(' ', 219);
    EXPECT_EQ(lines[1].value, words.substr(0, cut));
    EXPECT_EQ(lines[2].tag, "CONC");
    EXPECT_EQ(lines[2].level, 2);
    EXPECT_EQ(lines[2].value, words.substr(cut + 1));
    // A cut CONT line continues at its own level.
    EXPECT_EQ(lines[4].tag, "CONC");
    EXPECT_EQ(lines[4].level, 1);
}

TEST(LineReader, LongValueWithoutSpacesIsCutAt220)
{
    const std::string value(500, 'x');
    const auto lines = RawLines("1 TITLE " + value + "\n0 TRLR\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].value.size(), 220u);
    EXPECT_EQ(lines[1].value.size(), 220u);
    EXPECT_EQ(lines[2].value.size(), 60u);
    EXPECT_EQ(lines[2].level, 2);
    EXPECT_EQ(lines[3].tag, "TRLR");
}

TEST(LineReader, LongInvalidLineBeforeFirstValidWarnsPerPiece)
{
    std::vector<std::string> log;
    const auto lines = RawLines(std::string(300, 'z') + "\n0 TRLR\n", &log);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[1], std::string(220, 'z'));
    EXPECT_EQ(log[3], std::string(80, 'z'));
}

TEST(LineReader, CarriageReturnsAreDropped)
{
    const auto crlf = RawLines("0 @G@ GROUP\r\n1 @F@ FIELD te\rxt\r\n\r\n");
    const auto lf = RawLines("0 @G@ GROUP\n1 @F@ FIELD text\n\n");
    ASSERT_EQ(crlf.size(), lf.size());
    for (size_t i = 0; i < lf.size(); ++i) {
        EXPECT_EQ(crlf[i].tag, lf[i].tag);
        EXPECT_EQ(crlf[i].value, lf[i].value);
    }
}

TEST(LineReader, LastLineWithoutLineFeedKeepsItsValue)
{
    const auto lines = RawLines("0 TRLR\n1 TITLE last words");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].value, "last words");
}

TEST(LineReader, BinaryBytesNeverStopReading)
{
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919) % 256);
    const auto r = ReadAll(junk + "\n0 TRLR\n" + junk);
    EXPECT_FALSE(r.lines.empty());
}

TEST(LineReader, LongRunsOfSpacesBeforeTheTagKeepTheLineValid)
{
    const std::string spaces(300, ' ');
    std::vector<std::string> log;
    const auto lines =
        RawLines("0" + spaces + "@g@" + spaces + "GROUP\n1 @f@" + spaces + "FIELD text\n", &log);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].xref, "g");
    EXPECT_EQ(lines[0].tag, "GROUP");
    EXPECT_EQ(lines[1].tag, "FIELD");
    EXPECT_EQ(lines[1].value, "text");
    EXPECT_TRUE(log.empty());
}

TEST(LineReader, LongInvalidHeaderIsCutIntoPieces)
{
    // 300 characters of one invalid "tag", then the line ends: two pieces, nothing read past it.
    const std::string word(300, 'w');
    const auto lines = RawLines("0 TRLR\n1 " + word + "\n0 TRLR\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1].tag, "CONC");
    EXPECT_EQ(lines[1].value, "1");
    EXPECT_EQ(lines[2].tag, "CONC");
    EXPECT_EQ(lines[2].value, word.substr(0, 220));
    EXPECT_EQ(lines[3].tag, "CONC");
    EXPECT_EQ(lines[3].value, word.substr(220));
    EXPECT_EQ(lines[4].tag, "TRLR");
    // A header of thousands of spaces is taken as invalid, and reading goes on after it.
    const auto huge = RawLines("0 TRLR\n1" + std::string(10000, ' ') + "X y\n0 TRLR\n");
    ASSERT_GE(huge.size(), 2u);
    EXPECT_EQ(huge.back().tag, "TRLR");
}
