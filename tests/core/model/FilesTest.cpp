#include "model/Files.h"
#include "core/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(Files, SameFileKnowsAFileByDeviceAndInode)
{
    TTempFolder dir;
    const std::string a = dir.Write("a/file.txt", "a");
    const std::string b = dir.Write("b/file.txt", "a"); // the same name and text, another file
    fs::create_symlink(a, dir.Path() + "/link");
    fs::create_hard_link(a, dir.Path() + "/hard");
    const std::string missing = dir.Path() + "/missing";
    struct TCase {
        std::string first, second;
        bool same;
    };
    const TCase cases[] = {
        {a, a, true},
        {a, dir.Path() + "/b/../a/./file.txt", true},
        {a, dir.Path() + "/link", true},
        {dir.Path() + "/hard", dir.Path() + "/link", true},
        {a, b, false},
        {a, dir.Path() + "/a", false},
        {missing, missing, false},
        {a, missing, false},
        {"", "", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.first + " | " + c.second);
        EXPECT_EQ(files::SameFile(c.first, c.second), c.same);
        EXPECT_EQ(files::SameFile(c.second, c.first), c.same);
    }
}
