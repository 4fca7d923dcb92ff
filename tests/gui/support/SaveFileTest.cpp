#include "gui/support/SaveFile.h"
#include "core/TempFolder.h"

#include <QIODevice>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// Saves the text to path, failing after it when fail is set, as a write cut short by a full disk.
QString Save(const std::string& path, const std::string& ged = {}, const char* text = "x",
             bool fail = false)
{
    return files::SaveFile(QString::fromStdString(path), ged, [text, fail](QIODevice& file) {
        return file.write(text) == static_cast<qint64>(std::strlen(text)) && !fail;
    });
}
} // namespace

TEST(SaveFile, AFailedWriteLeavesTheOldFileAndNothingBesideIt)
{
    TTempFolder dir;
    const std::string old = dir.Write("out/old.txt", "what was there\n");
    EXPECT_FALSE(Save(old, {}, "half", true).isEmpty());
    EXPECT_EQ(TTempFolder::Read(old), "what was there\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path() + "/out"), {}), 1);

    EXPECT_EQ(Save(old, {}, "new\n"), QString());
    EXPECT_EQ(TTempFolder::Read(old), "new\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path() + "/out"), {}), 1);
}

// Which spellings name the same file is SameFile's to tell; a hard link shows it is asked.
TEST(SaveFile, TheDefinitionFileIsNeverWritten)
{
    TTempFolder dir;
    const std::string ged = dir.Write("db.kvd/control.ged", "0 TRLR\n");
    fs::create_hard_link(ged, dir.Path() + "/hard.txt");
    EXPECT_TRUE(Save(dir.Path() + "/hard.txt", ged).contains("definition file"));
    EXPECT_EQ(TTempFolder::Read(ged), "0 TRLR\n");
    // Another file of the same text is written.
    const std::string other = dir.Write("other.txt", "0 TRLR\n");
    EXPECT_EQ(Save(other, ged), QString());
    EXPECT_EQ(TTempFolder::Read(other), "x");
}

// A device can't be replaced by a file: it is written as it is, and stays a device. Root could
// replace the system's own, so root checks copies made in the temporary folder.
TEST(SaveFile, ADeviceIsWrittenInPlace)
{
    TTempFolder dir;
    std::string null = "/dev/null", full = "/dev/full";
    if (::geteuid() == 0) {
        null = dir.Path() + "/null";
        full = dir.Path() + "/full";
        ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
    }
    if (!fs::is_character_file(full) || !fs::is_character_file(null))
        GTEST_SKIP() << "no /dev/full or /dev/null";
    EXPECT_FALSE(Save(full).isEmpty());
    EXPECT_EQ(Save(null), QString());
    EXPECT_TRUE(fs::is_character_file(full));
    EXPECT_TRUE(fs::is_character_file(null));
}
