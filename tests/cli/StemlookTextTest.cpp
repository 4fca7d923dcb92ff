#include "StemlookText.h"
#include "core/TempFolder.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {
struct TextRun {
    int status;
    std::string out, err;
};

TextRun StemlookText(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = RunStemlookText(args, out, err);
    return {status, out.str(), err.str()};
}
} // namespace

class StemlookTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Keep the log out of the user's cache folder.
        setenv("XDG_CACHE_HOME", dir.Path().c_str(), 1);
    }
    TTempFolder dir;
};

TEST_F(StemlookTextTest, MessagesWritesTheLogOfTheLoad)
{
    dir.Write("db.kvd/control.ged", "0 HEAD\r\n0 @G@ GROUP\r\n1 LIST\r\n0 TRLR\r\n");
    const TextRun r = StemlookText({"--messages", dir.Path() + "/db.kvd"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Reading db.kvd\nUnrecognised tag in 0 HEAD \ntype 28 not handled in Read()\n"
                     "0 lists, 0 Tables, 0 Reports\n");
    EXPECT_EQ(TTempFolder::Read(dir.Path() + "/Kinvault Software/stemlook.log"), r.out);
}

TEST_F(StemlookTextTest, MissingFolderAndBadUsage)
{
    const TextRun missing = StemlookText({"--messages", dir.Path() + "/none"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "File Missing: " + dir.Path() + "/none/control.ged\n");

    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"--bogus", "x"}, {"a", "b"}, {"--messages", "--messages", "x"}, {"-o"}}) {
        const TextRun r = StemlookText(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("Usage: stemlook-text"), std::string::npos);
    }
    EXPECT_EQ(StemlookText({"--help"}).status, 0);
    EXPECT_NE(StemlookText({"--version"}).out.find("stemlook-text "), std::string::npos);
}

TEST_F(StemlookTextTest, OutputFileAndUnwritableOutput)
{
    dir.Write("db.kvd/control.ged", "0 TRLR\n");
    const std::string file = dir.Path() + "/out.txt";
    const TextRun r = StemlookText({"--messages", "-o", file, dir.Path() + "/db.kvd"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(TTempFolder::Read(file), "Reading db.kvd\n0 lists, 0 Tables, 0 Reports\n");

    const TextRun bad = StemlookText({"--messages", "-o", dir.Path() + "/no/dir/out.txt", dir.Path() + "/db.kvd"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("cannot write " + dir.Path() + "/no/dir/out.txt"), std::string::npos);
}
