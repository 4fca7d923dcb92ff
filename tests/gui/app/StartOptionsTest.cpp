#include "gui/app/TStartOptions.h"
#include "gui/support/CommandIds.h"

#include "GuiHelpers.h"
#include "gui/app/TMDIApp.h"
#include "gui/app/TSpecMDI.h"
#include "gui/support/TFileVersion.h"
#include "gui/views/TChildWindow.h"
#include "model/TDefBase.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sstream>

namespace {

TStartOptions Parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("stemlook"));
    return TStartOptions::Parse(arguments);
}

// A usage error: status 2, the reason first and the usage after it, nothing to open.
void ExpectUsageError(const TStartOptions& options, const QString& reasonMentions)
{
    ASSERT_EQ(options.exitStatus, TStartOptions::kUsageError);
    EXPECT_TRUE(options.text.startsWith(QStringLiteral("stemlook: ")))
        << options.text.toStdString();
    EXPECT_TRUE(options.text.section(u'\n', 0, 0).contains(reasonMentions))
        << options.text.toStdString();
    EXPECT_TRUE(options.text.endsWith(u'\n' + TStartOptions::Usage()));
    EXPECT_TRUE(options.folder.isEmpty());
}

QList<TChildKey> DefinitionWindows(const TSpecMDI& mdi)
{
    QList<TChildKey> keys;
    for (QMdiSubWindow* window : mdi.subWindowList())
        if (auto* child = qobject_cast<TChildWindow*>(window);
            child && child->Key().role == TChildKey::Definition)
            keys.append(child->Key());
    return keys;
}

} // namespace

TEST(StartOptions, HelpAndVersionPrintAndEndWithZero)
{
    for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const TStartOptions options = Parse({help});
        EXPECT_EQ(options.exitStatus, 0);
        EXPECT_EQ(options.text, TStartOptions::Usage());
    }
    // Asking for help wins over what else is asked.
    EXPECT_EQ(Parse({"--open", "x", "folder", "--help"}).text, TStartOptions::Usage());

    const QString version = TFileVersion().Text();
    ASSERT_FALSE(version.isEmpty());
    const TStartOptions options = Parse({"--version"});
    EXPECT_EQ(options.exitStatus, 0);
    EXPECT_EQ(options.text, "stemlook " + version + '\n');
    EXPECT_TRUE(TStartOptions::Usage().startsWith(
        QStringLiteral("Usage: stemlook [--open TITLE]... [FOLDER]\n")));
}

TEST(StartOptions, WrongCommandLinesAreUsageErrors)
{
    ExpectUsageError(Parse({"--bogus"}), QStringLiteral("bogus"));
    ExpectUsageError(Parse({"folder", "--bogus"}), QStringLiteral("bogus"));
    ExpectUsageError(Parse({"one", "two"}), QStringLiteral("FOLDER"));
    ExpectUsageError(Parse({"--open", "Record person"}), QStringLiteral("--open"));
    // --open's title is missing: the folder is not taken for it.
    ExpectUsageError(Parse({"folder", "--open"}), QStringLiteral("open"));
}

TEST(StartOptions, FolderComesBackAbsoluteWithEveryOpenInOrder)
{
    const TStartOptions none = Parse({});
    EXPECT_FALSE(none.exitStatus);
    EXPECT_TRUE(none.folder.isEmpty());
    EXPECT_TRUE(none.titles.isEmpty());

    const TStartOptions options =
        Parse({"--open", "Record person", "/data/x/../family.kvd", "--open=Group a b", "--open",
               "Record person", "--open", ""});
    EXPECT_FALSE(options.exitStatus);
    EXPECT_EQ(options.folder, QStringLiteral("/data/family.kvd"));
    EXPECT_EQ(options.titles, QStringList({"Record person", "Group a b", "Record person", ""}));

    EXPECT_EQ(Parse({"family.kvd"}).folder, QDir::current().absoluteFilePath("family.kvd"));
    // After "--" a folder may look like an option.
    EXPECT_EQ(Parse({"--", "--open"}).folder, QDir::current().absoluteFilePath("--open"));
}

TEST(StartOptions, QtsOwnOptionsAreLeftToTheApplication)
{
    const TStartOptions options = Parse({"-platform", "offscreen", "-style=fusion", "-reverse",
                                         "--open", "Record person", "/data/family.kvd"});
    EXPECT_FALSE(options.exitStatus) << options.text.toStdString();
    EXPECT_EQ(options.folder, QStringLiteral("/data/family.kvd"));
    EXPECT_EQ(options.titles, QStringList{"Record person"});
}

TEST(StartOptions, ArgumentsKeepTheProgramAndEveryWord)
{
    const char* const argv[] = {"stemlook", "--open", "Caf\xC3\xA9", "folder"};
    EXPECT_EQ(TStartOptions::Arguments(4, argv),
              QStringList({"stemlook", "--open", QStringLiteral("Caf\u00E9"), "folder"}));
}

TEST(OpenAtStart, OpensTheKnownTitlesWindowAndReportsTheUnknownOne)
{
    TFrameFixture f;
    const QString folder = f.Database("family.kvd", "0 @address@ GROUP\n"
                                                    "1 @street@ FIELD text\n"
                                                    "2 TAG ADDR\n"
                                                    "0 @person@ RECORD\n"
                                                    "1 @name@ FIELD text\n"
                                                    "2 TAG NAME\n"
                                                    "0 TRLR\n");
    // Titles compare with letter case: "record person" is no title.
    const TStartOptions options =
        Parse({"--open", "record person", "--open", "Record person", folder});
    ASSERT_FALSE(options.exitStatus);
    std::ostringstream err;
    TMDIApp::OpenAtStart(*f.frame, options, err);
    QApplication::processEvents();

    const TSpecMDI& mdi = f.frame->Client();
    ASSERT_GT(mdi.Document().db.Definitions().Count(), 0u);
    const TDefBase* person = mdi.Document().db.Definitions().FindTitled("Record person");
    ASSERT_NE(person, nullptr);
    EXPECT_EQ(DefinitionWindows(mdi),
              QList<TChildKey>{(TChildKey{TChildKey::Definition, person->index})});
    EXPECT_EQ(err.str(), "stemlook: no element titled record person\n");
    EXPECT_EQ(f.frame->Recent().Entries().value(0), options.folder);
}

TEST(OpenAtStart, NoFolderOpensNothing)
{
    TFrameFixture f;
    std::ostringstream err;
    TMDIApp::OpenAtStart(*f.frame, Parse({}), err);
    EXPECT_EQ(f.frame->Document().db.Definitions().Count(), 0u);
    EXPECT_TRUE(f.frame->Client().subWindowList().isEmpty());
    EXPECT_EQ(err.str(), "");
}

TEST(OpenAtStart, AFolderThatFailsToLoadStaysOutOfTheRecentFolders)
{
    TFrameFixture f;
    QStringList good;
    for (int i = 0; i < TRecentFolders::kCount; ++i) {
        good.prepend(f.Database("good" + std::to_string(i) + ".kvd",
                                "0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n0 TRLR\n"));
        ASSERT_TRUE(f.frame->OpenFolder(good.front()));
    }
    ASSERT_EQ(f.frame->Recent().Entries(), good);

    TBoxes boxes;
    std::ostringstream err;
    const QString gone = QString::fromStdString(f.folder.Path()) + "/gone.kvd";
    TMDIApp::OpenAtStart(*f.frame, Parse({"--open", "Record person", gone}), err);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].caption, "File Missing");
    EXPECT_EQ(f.frame->Recent().Entries(), good);
    EXPECT_EQ(
        f.frame->Commands().Action(commands::FirstRecent + TRecentFolders::kCount - 1)->text(),
        "&5 " + good.back());
    // The next start lists the same.
    f.Open();
    EXPECT_EQ(f.frame->Recent().Entries(), good);
    EXPECT_EQ(err.str(), "");
}
