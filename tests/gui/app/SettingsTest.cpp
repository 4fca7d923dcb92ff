#include "core/TempFolder.h"
#include "gui/app/TRecentFolders.h"
#include "gui/app/TSettings.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QString PathIn(const TTempFolder& folder, const std::string& relative)
{
    return QString::fromStdString(folder.Path() + "/" + relative);
}

} // namespace

TEST(Settings, FirstRunGivesTheDefaultsAndMakesTheFolder)
{
    const TTempFolder folder;
    const QString path = PathIn(folder, "Kinvault Software/stemlook.ini");
    const TSettings settings(path);

    EXPECT_TRUE(QFileInfo(PathIn(folder, "Kinvault Software")).isDir());
    const QRect fallback(1, 2, 3, 4);
    EXPECT_EQ(settings.WindowRect(fallback), fallback);
    EXPECT_EQ(settings.TreeRight(77), 77);
    EXPECT_EQ(settings.InitialPath(), QDir::homePath() + "/Kinvault");
    EXPECT_TRUE(settings.RecentFolders(TRecentFolders::kCount).isEmpty());
}

TEST(Settings, WindowAndPathRoundTripThroughTheIniFile)
{
    const TTempFolder folder;
    const QString path = PathIn(folder, "stemlook.ini");
    {
        TSettings settings(path);
        settings.WriteWindow(QRect(10, 20, 300, 200), 100);
        settings.SetInitialPath("/data/Kinvault");
    }
    const TSettings again(path);
    EXPECT_EQ(again.WindowRect({}), QRect(10, 20, 300, 200));
    EXPECT_EQ(again.TreeRight(0), 100);
    EXPECT_EQ(again.InitialPath(), "/data/Kinvault");

    const std::string text = TTempFolder::Read(path.toStdString());
    EXPECT_NE(text.find("[Window]"), std::string::npos);
    EXPECT_NE(text.find("Right=310"), std::string::npos);
    EXPECT_NE(text.find("Bottom=220"), std::string::npos);
    EXPECT_NE(text.find("[Stemlook]"), std::string::npos);
    EXPECT_NE(text.find("InitialPath=/data/Kinvault"), std::string::npos);
}

TEST(Settings, MissingOrBadKeysGiveTheFallback)
{
    const TTempFolder folder;
    const std::string path =
        folder.Write("stemlook.ini", "[Window]\nLeft=5\nTop=6\nRight=x\nTreeRight=wide\n");
    const TSettings settings(QString::fromStdString(path));
    EXPECT_EQ(settings.WindowRect(QRect(0, 0, 9, 9)), QRect(0, 0, 9, 9));
    EXPECT_EQ(settings.TreeRight(42), 42);
}

TEST(Settings, FileThatCannotBeWrittenNeverStopsTheProgram)
{
    const TTempFolder folder;
    const std::string blocker = folder.Write("blocker", "a file where a folder should be");
    TSettings settings(QString::fromStdString(blocker + "/sub/stemlook.ini"));
    settings.WriteWindow(QRect(1, 1, 100, 100), 30);
    settings.WriteRecentFolders({"/a"}, TRecentFolders::kCount);
    EXPECT_EQ(settings.TreeRight(7), 30); // kept for this run, lost at exit
    EXPECT_FALSE(QFileInfo(QString::fromStdString(blocker + "/sub")).exists());
}

TEST(RecentFolders, CountIsWrittenAtStart)
{
    const TTempFolder folder;
    const QString path = PathIn(folder, "stemlook.ini");
    TSettings settings(path);
    const TRecentFolders recent(settings);
    EXPECT_NE(TTempFolder::Read(path.toStdString()).find("Count=5"), std::string::npos);
    EXPECT_TRUE(recent.Entries().isEmpty());
}

TEST(RecentFolders, OpenedFolderGoesFirstAndAListedOneMoves)
{
    const TTempFolder folder;
    const QString path = PathIn(folder, "stemlook.ini");
    TSettings settings(path);
    TRecentFolders recent(settings);
    recent.AddToFront("/a");
    recent.AddToFront("/b");
    recent.AddToFront("/c");
    EXPECT_EQ(recent.Entries(), QStringList({"/c", "/b", "/a"}));
    recent.AddToFront("/a");
    EXPECT_EQ(recent.Entries(), QStringList({"/a", "/c", "/b"}));
    // Case matters on a case-sensitive file system.
    recent.AddToFront("/A");
    EXPECT_EQ(recent.Entries(), QStringList({"/A", "/a", "/c", "/b"}));

    TSettings again(path);
    EXPECT_EQ(TRecentFolders(again).Entries(), QStringList({"/A", "/a", "/c", "/b"}));
}

TEST(RecentFolders, KeepsTheFiveNewestAndRemovingMovesLaterOnesUp)
{
    const TTempFolder folder;
    const QString path = PathIn(folder, "stemlook.ini");
    TSettings settings(path);
    TRecentFolders recent(settings);
    for (const char* f : {"/1", "/2", "/3", "/4", "/5", "/6"})
        recent.AddToFront(f);
    EXPECT_EQ(recent.Entries(), QStringList({"/6", "/5", "/4", "/3", "/2"}));

    recent.Remove("/5");
    EXPECT_EQ(recent.Entries(), QStringList({"/6", "/4", "/3", "/2"}));
    const std::string text = TTempFolder::Read(path.toStdString());
    EXPECT_NE(text.find("MRU1=/4"), std::string::npos);
    EXPECT_EQ(text.find("MRU4="), std::string::npos);
}
