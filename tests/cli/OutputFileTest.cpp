#include "StemlookTextRun.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The names in the folder, sorted.
std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST_F(StemlookTextTest, OnlyAJobThatSucceedsReplacesTheOutputFile)
{
    WriteDesign();
    const std::string out = dir.Write("out/old.txt", "what was there\n");
    for (const std::vector<std::string>& job : {std::vector<std::string>{"--select", "tables"},
                                                {"--used-by", "nosuch"},
                                                {"--copy", "Nothing"},
                                                {"--pieces", "Nothing"}}) {
        SCOPED_TRACE(job.front());
        std::vector<std::string> args = job;
        args.insert(args.end(), {"-o", out, db});
        EXPECT_EQ(StemlookText(args).status, 1);
        EXPECT_EQ(TTempFolder::Read(out), "what was there\n");
        EXPECT_EQ(Entries(dir.Path() + "/out"), std::vector<std::string>{"old.txt"});
    }
    // Success keeps the file's permissions, leaves nothing beside it, and through a symbolic link
    // writes the link's target.
    const std::string index = StemlookText({"--index", db}).out;
    ::chmod(out.c_str(), 0640);
    ASSERT_EQ(StemlookText({"--index", "-o", out, db}).status, 0);
    EXPECT_EQ(TTempFolder::Read(out), index);
    struct stat st {};
    ASSERT_EQ(::stat(out.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(dir.Path() + "/out"), std::vector<std::string>{"old.txt"});
    const std::string target = dir.Write("target.txt", "old\n");
    fs::create_symlink(target, dir.Path() + "/link.txt");
    ASSERT_EQ(StemlookText({"--index", "-o", dir.Path() + "/link.txt", db}).status, 0);
    EXPECT_TRUE(fs::is_symlink(dir.Path() + "/link.txt"));
    EXPECT_EQ(TTempFolder::Read(target), index);
}

TEST_F(StemlookTextTest, OutputIsNeverTheDefinitionFileBeingRead)
{
    const std::string ged = WriteDesign();
    fs::create_symlink(ged, dir.Path() + "/symlink.ged");
    fs::create_hard_link(ged, dir.Path() + "/hardlink.ged");
    for (const std::string& output :
         {ged, db + "/./control.ged", dir.Path() + "/symlink.ged", dir.Path() + "/hardlink.ged"}) {
        SCOPED_TRACE(output);
        for (const char* job : {"--messages", "--index"}) {
            const TextRun r = StemlookText({job, "-o", output, db});
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err.rfind("stemlook-text: ", 0), 0u) << r.err;
            EXPECT_NE(r.err.find(output), std::string::npos) << r.err;
            EXPECT_EQ(TTempFolder::Read(ged), kTextDesign);
        }
    }
    EXPECT_EQ(Entries(db), std::vector<std::string>{"control.ged"});
}

TEST_F(StemlookTextTest, DefinitionFileThatCannotBeReadSaysWhy)
{
    const std::string ged = db + "/control.ged";
    struct TCase {
        const char* what;
        std::function<void()> make;
        std::string reason; // empty: missing
    };
    const TCase cases[] = {
        {"missing", [&] { fs::create_directories(db); }, ""},
        {"a directory", [&] { fs::create_directories(ged); }, std::strerror(EISDIR)},
        {"a FIFO",
         [&] {
             fs::create_directories(db);
             ASSERT_EQ(::mkfifo(ged.c_str(), 0600), 0);
         },
         "Not a regular file"},
        {"a dangling link",
         [&] {
             fs::create_directories(db);
             fs::create_symlink(dir.Path() + "/nowhere", ged);
         },
         ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(db);
        c.make();
        const TextRun r = StemlookText({"--messages", db});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.reason.empty()
                             ? "stemlook-text: File Missing: " + ged + "\n"
                             : "stemlook-text: cannot read " + ged + ": " + c.reason + "\n");
    }
}

TEST_F(StemlookTextTest, UnreadableDefinitionFileSaysPermissionDenied)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not keep root from reading";
    const std::string ged = WriteDesign();
    ::chmod(ged.c_str(), 0);
    const TextRun r = StemlookText({"--messages", db});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "stemlook-text: cannot read " + ged + ": " + std::strerror(EACCES) + "\n");
}
