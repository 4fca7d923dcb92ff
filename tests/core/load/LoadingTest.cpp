#include "core/LoadHelpers.h"
#include "core/TempFolder.h"
#include "model/Kinds.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <sys/stat.h>

using Lines = std::vector<std::string>;

TEST(Loading, TrailerOnlyGivesReadingAndSummary)
{
    const TRead t("0 TRLR\n", "family.kvd");
    EXPECT_EQ(t.db.Log().Lines(), (Lines{"Reading family.kvd", "0 lists, 0 Tables, 0 Reports"}));
    EXPECT_EQ(t.Count(), 0u);
}

TEST(Loading, DefinitionArrayFollowsFileOrder)
{
    const TRead t("0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n1 @P@ PICTURE name\n"
                  "0 LIST\n1 FILTER x\n0 TRUNC 46\n0 @T@ TABLE\n1 COLUMN\n2 PICTURE a\n"
                  "0 @Sex@ CHOICE\n1 WORD m\n0 DCHART\n1 BRIEF b\n0 @R@ REPORT\n0 TRLR\n"
                  "0 @late@ GROUP\n");
    std::vector<int> found;
    for (const auto& e : t.db.Definitions())
        found.push_back(e->kind);
    EXPECT_EQ(found, (std::vector<int>{kinds::Record, kinds::Field, kinds::Picture, kinds::List,
                                       kinds::Filter, kinds::Options, kinds::Table, kinds::Picture,
                                       kinds::Choice, kinds::Word, kinds::DescendantChart,
                                       kinds::Picture, kinds::Report, kinds::Group}));
    EXPECT_EQ(t.db.Log().Lines().back(), "1 lists, 1 Tables, 1 Reports");
}

TEST(Loading, UnknownTopLevelLinesAreReported)
{
    const TRead t("0 HEAD\n1 FIELD text\n0 COLUMN\n0 TRLR\n");
    EXPECT_EQ(t.Problems(), (Lines{"Unrecognised tag in 0 HEAD ", "type 21 not handled in ReadFile",
                                   "type 10 not handled in ReadFile"}));
}

TEST(Loading, FileCutShortInsideAnElementEndsNormally)
{
    const TRead t("0 @R@ REPORT\n1 WIDTH 10\n1 HEIGHT 2\n1 AREA\n2 PICTURE abc");
    EXPECT_TRUE(t.Problems().empty());
    ASSERT_EQ(t.Count(), 2u);
    EXPECT_EQ(t.db.Log().Lines().back(), "0 lists, 0 Tables, 1 Reports");
}

TEST(Loading, FolderFindsControlGedIgnoringCaseAndMissingChangesNothing)
{
    TTempFolder dir;
    dir.Write("upper.kvd/CONTROL.GED", "0 @G@ GROUP\n0 @person@ RECORD\n0 TRLR\n");
    dir.Write("both.kvd/Control.ged", "0 @Wrong@ GROUP\n");
    dir.Write("both.kvd/control.ged", "0 @Right@ GROUP\n0 @person@ RECORD\n");
    std::filesystem::create_directories(dir.Path() + "/empty.kvd");
    const std::string logPath = dir.Path() + "/stemlook.log";

    TDatabase db(logPath);
    ASSERT_EQ(db.ReadFile(dir.Path() + "/upper.kvd/"), TDatabase::TLoadResult::Loaded);
    EXPECT_EQ(db.Name(), "upper.kvd");
    EXPECT_EQ(db.Definitions().At(0)->name, "G");
    EXPECT_EQ(TTempFolder::Read(logPath), "Reading upper.kvd\n0 lists, 0 Tables, 0 Reports\n");

    EXPECT_EQ(db.ReadFile(dir.Path() + "/empty.kvd"), TDatabase::TLoadResult::Missing);
    EXPECT_EQ(db.ReadFile(dir.Path() + "/nowhere"), TDatabase::TLoadResult::Missing);
    EXPECT_EQ(db.Name(), "upper.kvd");
    EXPECT_EQ(db.Definitions().At(0)->name, "G");
    EXPECT_EQ(db.Log().Lines().front(), "Reading upper.kvd");
    EXPECT_EQ(TDatabase::MissingPath(dir.Path() + "/empty.kvd/"),
              dir.Path() + "/empty.kvd/control.ged");

    ASSERT_EQ(db.ReadFile(dir.Path() + "/both.kvd"), TDatabase::TLoadResult::Loaded);
    EXPECT_EQ(db.Definitions().At(0)->name, "Right");
}

TEST(Loading, WithoutAnExactControlGedTheFirstNameInByteOrderWins)
{
    // Folders list names in creation order or in hash order: among this many, written forwards
    // and backwards, neither the first nor the last name listed wins by chance. "CONTROL.GEC"
    // would come first if it were taken for the name.
    Lines names{"Control.ged", "CONTROL.GEC"};
    for (int bits = 0; bits < 64; ++bits) {
        std::string name = "CONTROL.GED";
        for (int i = 0; i < 6; ++i)
            if (bits >> i & 1)
                name[i + 1] = static_cast<char>(std::tolower(name[i + 1]));
        names.push_back(name);
    }
    for (int pass = 0; pass < 2; ++pass, std::reverse(names.begin(), names.end())) {
        TTempFolder dir;
        for (const std::string& name : names)
            dir.Write(name, "0 @" + name + "@ GROUP\n0 TRLR\n");
        TDatabase db;
        ASSERT_EQ(db.ReadFile(dir.Path()), TDatabase::TLoadResult::Loaded);
        EXPECT_EQ(db.Definitions().At(0)->name, "CONTROL.GED") << "pass " << pass;
    }
}

TEST(Loading, SecondLoadLeavesNothingOfTheFirst)
{
    TRead t("0 @A@ GROUP\n0 LIST\n0 HEAD\n0 TRLR\n", "one");
    t.db.ReadText("0 @B@ RECORD\n0 TRLR\n", "two");
    EXPECT_EQ(t.db.Name(), "two");
    ASSERT_EQ(t.Count(), 1u);
    EXPECT_EQ(t.At(0)->name, "B");
    EXPECT_EQ(t.At(0)->index, 0);
    EXPECT_EQ(t.db.Log().Lines(), (Lines{"Reading two", "0 lists, 0 Tables, 0 Reports"}));
}

TEST(MessageLog, SymbolicLinkIsNotFollowedAndMemoryKeepsTheLines)
{
    TTempFolder dir;
    const std::string target = dir.Write("target.txt", "keep me");
    const std::string link = dir.Path() + "/stemlook.log";
    std::filesystem::create_symlink(target, link);
    TDatabase db(link);
    db.ReadText("0 HEAD\n0 TRLR\n", "x");
    EXPECT_EQ(TTempFolder::Read(target), "keep me");
    EXPECT_EQ(db.Log().Lines().size(), 3u);
}

TEST(MessageLog, TextWithLineFeedsCountsAsSeveralLines)
{
    TTempFolder dir;
    TMessageLog log;
    ASSERT_TRUE(log.Restart(dir.Path() + "/log"));
    log.Line("one\ntwo");
    log.Line("three");
    EXPECT_EQ(log.Lines(), (Lines{"one", "two", "three"}));
    EXPECT_EQ(TTempFolder::Read(dir.Path() + "/log"), "one\ntwo\nthree\n");
    EXPECT_FALSE(log.Restart(dir.Path() + "/no/such/folder/log"));
    log.Line("memory only");
    EXPECT_EQ(log.Lines(), (Lines{"memory only"}));
}

TEST(Loading, HostileBytesLoadWithoutCrashing)
{
    std::string junk("\0\0\x01 @@@ \n9 9 9\n0 \n0 @\n0 @x@\n1 @y@ \n", 36);
    std::mt19937 random(7);
    for (int i = 0; i < 200000; ++i)
        junk += static_cast<char>(random() % 256);
    for (const char* prefix : {"", "0 TRLR\n", "0 @R@ REPORT\n1 WIDTH 4\n1 HEIGHT 3\n"}) {
        TLoaded t(prefix + junk);
        EXPECT_GE(t.db.Log().Lines().size(), 2u);
    }
}

TEST(MessageLog, NamedPipeAtTheLogPlaceDoesNotHang)
{
    TTempFolder dir;
    const std::string pipe = dir.Path() + "/stemlook.log";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    TMessageLog log;
    EXPECT_FALSE(log.Restart(pipe));
    log.Line("kept in memory");
    EXPECT_EQ(log.Count(), 1u);
}
