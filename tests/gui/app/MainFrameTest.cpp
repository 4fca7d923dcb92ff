#include "GuiHelpers.h"
#include "gui/app/TMDIApp.h"
#include "gui/app/TSpecMDI.h"
#include "gui/support/CommandIds.h"
#include "gui/support/TChooseFolderDialog.h"
#include "gui/support/TMyMessage.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDisplayLog.h"
#include "gui/views/TSpecTree.h"
#include "gui/views/TTreeChild.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyleOptionTitleBar>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

namespace {

const std::string kClean = "0 @address@ GROUP\n"
                           "1 @street@ FIELD text\n"
                           "2 TAG ADDR\n"
                           "1 @full@ PICTURE street\n"
                           "0 @person@ RECORD\n"
                           "1 @name@ FIELD text\n"
                           "2 TAG NAME\n"
                           "0 TRLR\n";

// One unknown top-level tag: three log lines.
const std::string kOneProblem = "0 @person@ RECORD\n"
                                "1 @sex@ FIELD sex\n"
                                "2 TAG SEX\n"
                                "0 @sex@ CHOICE\n"
                                "1 WORD male\n"
                                "0 BOGUS\n"
                                "0 TRLR\n";

std::string Groups(int count)
{
    // The built-in elements need the record "person".
    std::string text = "0 @person@ RECORD\n";
    for (int i = 0; i < count; ++i)
        text += "0 @g" + std::to_string(i) + "@ GROUP\n1 @f@ FIELD text\n2 TAG NOTE\n";
    return text + "0 TRLR\n";
}

int ChildCount(const TSpecMDI& mdi)
{
    return static_cast<int>(mdi.subWindowList().size());
}

TDefBase& Element(const TSpecMDI& mdi, const std::string& title)
{
    if (TDefBase* e = mdi.Document().db.Definitions().FindTitled(title))
        return *e;
    throw std::runtime_error("no element " + title);
}

QString LogText(QWidget* pane)
{
    auto* log = qobject_cast<TDisplayLog*>(pane);
    if (!log)
        return {};
    log->selectAll();
    return log->SelectedText();
}

QString HelpPage(const THtmlHelp& help)
{
    return help.Browser() ? help.Browser()->source().fileName() : QString();
}

} // namespace

TEST(MainFrame, WindowComesBackWhereItWasLeft)
{
    TFrameFixture f;
    f.frame->setGeometry(50, 60, 800, 500);
    QApplication::processEvents();
    f.frame->close();
    f.Open();
    EXPECT_EQ(f.frame->geometry(), QRect(50, 60, 800, 500));
    EXPECT_EQ(f.settings->TreeRight(0), 800 / 3);
}

TEST(MainFrame, WindowKeysKeptWhenClosedMaximised)
{
    TFrameFixture f;
    f.frame->setGeometry(40, 30, 700, 400);
    QApplication::processEvents();
    f.frame->close();
    const std::string before = TTempFolder::Read(f.SettingsPath());

    f.Open();
    f.frame->showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(f.frame->isMaximized());
    f.frame->close();
    EXPECT_EQ(TTempFolder::Read(f.SettingsPath()), before);
}

TEST(MainFrame, FirstRunTreeColumnIsAThirdOfTheWindow)
{
    TFrameFixture f;
    EXPECT_EQ(f.frame->Client().TreeColumn(), f.frame->width() / 3);
}

TEST(MainFrame, CommandsNeedingADatabaseEnabledOnlyAfterALoad)
{
    TFrameFixture f;
    const TCommands& c = f.frame->Commands();
    for (QAction* always :
         {c.Action(commands::Open), c.Action(commands::Preferences), c.Action(commands::Exit),
          c.Action(commands::Cascade), c.Action(commands::Tile), c.Action(commands::ArrangeIcons),
          c.Action(commands::CloseAll), c.Action(commands::HelpTopics), c.Action(commands::About)})
        EXPECT_TRUE(always->isEnabled()) << always->text().toStdString();
    for (QAction* loaded :
         {c.Action(commands::Structure), c.Action(commands::Messages), c.Action(commands::Index),
          c.Action(commands::Copy), c.Action(commands::Definition), c.Action(commands::UsedBy)})
        EXPECT_FALSE(loaded->isEnabled()) << loaded->text().toStdString();

    ASSERT_TRUE(f.frame->OpenFolder(f.Database("a.kvd", kClean)));
    EXPECT_TRUE(c.Action(commands::Structure)->isEnabled());
    EXPECT_TRUE(c.Action(commands::Messages)->isEnabled());
    EXPECT_TRUE(c.Action(commands::Index)->isEnabled());
    EXPECT_TRUE(c.Action(commands::Relationships)->isEnabled());
    EXPECT_TRUE(c.Action(commands::SaveAs)->isEnabled());
    // The tree is active with no leaf selected; nothing to copy.
    for (QAction* later :
         {c.Action(commands::Copy), c.Action(commands::Definition), c.Action(commands::UsedBy)})
        EXPECT_FALSE(later->isEnabled()) << later->text().toStdString();
}

TEST(MainFrame, SaveAsRunsTheDialogAndKeepsItsFolder)
{
    TFrameFixture f;
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("a.kvd", kClean)));
    TModalAnswer answer;
    f.frame->Commands().Action(commands::SaveAs)->trigger();
    ASSERT_EQ(answer.seen.size(), 1u);
    EXPECT_EQ(answer.seen[0].title, "Select Elements to Save as Text");
    EXPECT_EQ(f.settings->SaveAsPath(), TSettings::DefaultInitialPath());
    EXPECT_NE(TTempFolder::Read(f.SettingsPath()).find("SaveAsPath="), std::string::npos);
}

TEST(MainFrame, DefinitionFollowsTheTreesSelectedLeafAndOpensIt)
{
    TFrameFixture f;
    const TCommands& c = f.frame->Commands();
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("a.kvd", kClean)));
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_NE(mdi.TreeChild(), nullptr);
    EXPECT_FALSE(c.Action(commands::Definition)->isEnabled()); // the root is selected, no leaf
    const TDefBase& picture = Element(mdi, "address picture script full");
    ASSERT_TRUE(mdi.TreeChild()->Tree().SelectElement(picture.index));
    EXPECT_TRUE(c.Action(commands::Definition)->isEnabled());
    c.Action(commands::Definition)->trigger();
    ASSERT_NE(mdi.activeSubWindow(), nullptr);
    EXPECT_EQ(mdi.activeSubWindow()->windowTitle(), "address picture script full");
    // With the definition window active the command has no leaf to open.
    EXPECT_FALSE(c.Action(commands::Definition)->isEnabled());
}

TEST(CommandTable, IdsUniqueHelpPagesThereAndNoSharedShortcut)
{
    TFrameFixture f;
    const TCommands& c = f.frame->Commands();
    std::set<int> ids;
    std::map<QString, int> keyOwner;
    for (const TCommand& command : c.Table()) {
        EXPECT_TRUE(ids.insert(command.id).second) << command.id;
        QAction* action = c.Action(command.id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->data().toInt(), command.id);
        if (command.help) {
            const QUrl page = THtmlHelp::PageUrl(command.help);
            EXPECT_NE(page, THtmlHelp::ContentsUrl()) << command.id;
            EXPECT_TRUE(QFile::exists(QLatin1Char(':') + page.path())) << command.id;
        }
        for (const QKeySequence& key : action->shortcuts()) {
            const auto [owner, fresh] = keyOwner.emplace(key.toString(), command.id);
            EXPECT_TRUE(fresh) << key.toString().toStdString() << " of " << command.id << " and "
                               << owner->second;
        }
    }
    QStringList menus;
    for (QAction* menu : f.frame->menuBar()->actions())
        if (menu->isVisible())
            menus.append(menu->text());
    // "&Zoom" joins them while the diagram is active.
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&View", "&Window", "&Help"}));
}

TEST(MainFrame, OpenLoadsTheChosenFolderAndKeepsItsParentForNextTime)
{
    TFrameFixture f;
    const QString family = f.Database("data/family.kvd", kClean);
    const QString data = QString::fromStdString(f.folder.Path()) + "/data";
    f.settings->SetInitialPath(data);
    QString title;
    TModalAnswer answer([&](QDialog& dialog) {
        auto& chooser = static_cast<TChooseFolderDialog&>(dialog);
        title = chooser.windowTitle();
        QTreeWidgetItem* best = chooser.BestMatch();
        for (int i = 0; best && i < best->childCount(); ++i)
            if (best->child(i)->text(0) == "family.kvd")
                chooser.Tree().setCurrentItem(best->child(i));
    });
    f.frame->Commands().Action(commands::Open)->trigger();
    EXPECT_EQ(title, "Kinvault Database");
    EXPECT_EQ(f.frame->Document().db.Name(), "family.kvd");
    EXPECT_EQ(f.frame->Recent().Entries(), QStringList({family}));
    EXPECT_EQ(f.settings->InitialPath(), data);
}

TEST(MainFrame, CancelledOpenChangesNothing)
{
    TFrameFixture f;
    f.settings->SetInitialPath("/nowhere");
    TModalAnswer answer([](QDialog& dialog) { dialog.reject(); });
    f.frame->Commands().Action(commands::Open)->trigger();
    ASSERT_EQ(answer.seen.size(), 1u);
    EXPECT_EQ(f.settings->InitialPath(), "/nowhere");
    EXPECT_TRUE(f.frame->Recent().Entries().isEmpty());
    EXPECT_FALSE(f.frame->Document().db.Loaded());
}

TEST(MainFrame, FailureEndingTheProgramIsNamedInItsBox)
{
    EXPECT_EQ(TMDIApp::FailureText(std::make_exception_ptr(std::bad_alloc())),
              "Error: out of memory");
    EXPECT_EQ(TMDIApp::FailureText(std::make_exception_ptr(std::runtime_error("Find(x) failed"))),
              "Find(x) failed");
    EXPECT_EQ(TMDIApp::FailureText(std::make_exception_ptr(42)), "Error: unexpected exception");
}

TEST(Loading, TitleIsTheDatabaseNameAndTheTreeOpens)
{
    TFrameFixture f;
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("family.kvd", kClean)));
    EXPECT_EQ(f.frame->windowTitle(), "family.kvd - Stemlook");
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_NE(mdi.TreeChild(), nullptr);
    EXPECT_EQ(mdi.TreeChild()->windowTitle(), "Database Structure");
    EXPECT_TRUE(mdi.TreeChild()->Key() == TChildKey{TChildKey::Structure});
    EXPECT_EQ(mdi.TreeChild()->geometry(), QRect(0, 0, mdi.TreeColumn(), mdi.viewport()->height()));
}

TEST(Loading, TheLogFileStartsEmptyBeforeAnyLoad)
{
    TFrameFixture f;
    const std::string log = f.folder.Path() + "/stemlook.log";
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("a.kvd", kOneProblem)));
    EXPECT_NE(TTempFolder::Read(log), "");
    f.Open(); // the next start of the program
    EXPECT_EQ(TTempFolder::Read(log), "");
}

TEST(Loading, MissingFolderShowsFileMissingAndLeavesEveryWindowOpen)
{
    TFrameFixture f;
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("a.kvd", kOneProblem)));
    TSpecMDI& mdi = f.frame->Client();
    const int open = ChildCount(mdi);
    ASSERT_EQ(open, 2); // tree and messages

    const std::string missing = f.folder.Path() + "/nothing.kvd";
    TBoxes boxes;
    EXPECT_FALSE(mdi.ReadFile(QString::fromStdString(missing)));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].caption, "File Missing");
    EXPECT_EQ(boxes.seen[0].text.toStdString(), missing + "/control.ged");
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Critical);
    // A control.ged that is there but can't be read is not missing: the box says why.
    std::filesystem::create_directories(f.folder.Path() + "/dir.kvd/control.ged");
    EXPECT_FALSE(mdi.ReadFile(QString::fromStdString(f.folder.Path() + "/dir.kvd")));
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[1].caption, "Cannot Read");
    EXPECT_TRUE(boxes.seen[1].text.endsWith(": Is a directory"));
    EXPECT_EQ(ChildCount(mdi), open);
    EXPECT_EQ(f.frame->windowTitle(), "a.kvd - Stemlook");
    EXPECT_EQ(mdi.Document().db.Name(), "a.kvd");
}

TEST(Loading, SecondLoadClosesEveryChildOfTheFirst)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("first.kvd", kOneProblem)));
    mdi.OpenDefinition(Element(mdi, "Choice sex"), false);
    const QPointer<QMdiSubWindow> tree = mdi.TreeChild();
    const QPointer<QMdiSubWindow> messages = mdi.FindChild({TChildKey::Messages});
    const QPointer<QMdiSubWindow> definition = mdi.FindChild({TChildKey::Definition, 2});
    ASSERT_TRUE(tree && messages && definition);
    EXPECT_EQ(mdi.PlacementCounter(), 2);

    ASSERT_TRUE(mdi.ReadFile(f.Database("second.kvd", kClean)));
    EXPECT_FALSE(tree);
    EXPECT_FALSE(messages);
    EXPECT_FALSE(definition);
    ASSERT_EQ(ChildCount(mdi), 1);
    EXPECT_EQ(mdi.TreeChild()->Tree().model()->index(0, 0).data().toString(), "second.kvd");
    EXPECT_EQ(mdi.PlacementCounter(), 0);
}

TEST(Loading, InternalErrorIsShownAndTheTreeStaysClosed)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    TBoxes boxes;
    // Without the record "person" the built-in elements can't be made.
    ASSERT_TRUE(mdi.ReadFile(f.Database("noperson.kvd", "0 @a@ GROUP\n0 BOGUS\n0 TRLR\n")));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].caption, "Internal Error");
    EXPECT_EQ(boxes.seen[0].text, "Find(person) failed in InsertBuiltIns()");
    EXPECT_EQ(mdi.TreeChild(), nullptr);
    EXPECT_NE(mdi.FindChild({TChildKey::Messages}), nullptr);
    EXPECT_EQ(f.frame->windowTitle(), "noperson.kvd - Stemlook");
}

TEST(Loading, MessagesWindowOpensOnlyWithMoreThanTwoLogLines)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("clean.kvd", kClean)));
    EXPECT_EQ(mdi.FindChild({TChildKey::Messages}), nullptr);

    // The command still shows the two lines.
    f.frame->Commands().Action(commands::Messages)->trigger();
    auto* messages = qobject_cast<TDisplayChild*>(mdi.FindChild({TChildKey::Messages}));
    ASSERT_NE(messages, nullptr);
    EXPECT_EQ(messages->windowTitle(), "Messages");
    EXPECT_EQ(LogText(messages->Pane()), "Reading clean.kvd\n0 lists, 0 Tables, 0 Reports");

    ASSERT_TRUE(mdi.ReadFile(f.Database("problem.kvd", kOneProblem)));
    messages = qobject_cast<TDisplayChild*>(mdi.FindChild({TChildKey::Messages}));
    ASSERT_NE(messages, nullptr);
    const QString text = LogText(messages->Pane());
    EXPECT_EQ(text.count('\n'), 2);
    EXPECT_TRUE(text.startsWith("Reading problem.kvd\n"));
}

TEST(Loading, OpenMessagesWindowIsBroughtForwardNotMadeAgain)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("problem.kvd", kOneProblem)));
    QMdiSubWindow* messages = mdi.FindChild({TChildKey::Messages});
    ASSERT_NE(messages, nullptr);
    messages->showMinimized();
    mdi.ShowStructure();
    ASSERT_NE(mdi.currentSubWindow(), messages);

    mdi.ShowMessages();
    EXPECT_EQ(mdi.FindChild({TChildKey::Messages}), messages);
    EXPECT_EQ(mdi.currentSubWindow(), messages);
    EXPECT_FALSE(messages->isMinimized());
    EXPECT_EQ(ChildCount(mdi), 2);
}

TEST(RecentFolders, MenuListsEntriesAndAPickedEntryLoadsWithoutMoving)
{
    TFrameFixture f;
    const QString a = f.Database("a.kvd", kClean);
    const QString b = f.Database("b.kvd", kClean);
    ASSERT_TRUE(f.frame->OpenFolder(a));
    ASSERT_TRUE(f.frame->OpenFolder(b));
    EXPECT_EQ(f.frame->Recent().Entries(), QStringList({b, a}));
    const TCommands& c = f.frame->Commands();
    EXPECT_EQ(c.Action(commands::FirstRecent + static_cast<int>(0))->text(), "&1 " + b);
    EXPECT_EQ(c.Action(commands::FirstRecent + static_cast<int>(1))->text(), "&2 " + a);
    EXPECT_TRUE(c.Action(commands::FirstRecent + static_cast<int>(1))->isVisible());
    EXPECT_FALSE(c.Action(commands::FirstRecent + static_cast<int>(2))->isVisible());

    c.Action(commands::FirstRecent + static_cast<int>(1))->trigger();
    EXPECT_EQ(f.frame->Document().db.Name(), "a.kvd");
    EXPECT_EQ(f.frame->Recent().Entries(), QStringList({b, a}));
}

TEST(RecentFolders, EntryThatFailsToLoadLeavesTheList)
{
    TFrameFixture f;
    const QString a = f.Database("a.kvd", kClean);
    const QString b = f.Database("b.kvd", kClean);
    ASSERT_TRUE(f.frame->OpenFolder(a));
    ASSERT_TRUE(f.frame->OpenFolder(b));
    std::filesystem::remove(a.toStdString() + "/control.ged");

    TBoxes boxes;
    f.frame->OpenRecent(1);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].caption, "File Missing");
    EXPECT_EQ(f.frame->Recent().Entries(), QStringList({b}));
    EXPECT_FALSE(
        f.frame->Commands().Action(commands::FirstRecent + static_cast<int>(1))->isVisible());
    EXPECT_EQ(f.frame->Document().db.Name(), "b.kvd");
}

TEST(Placement, NewChildrenStepOneCaptionAndTheEighthStartsAgain)
{
    TFrameFixture f({1400, 1000});
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("groups.kvd", Groups(8))));
    std::vector<QRect> places;
    for (int i = 0; i < 8; ++i) {
        mdi.OpenDefinition(Element(mdi, "Group g" + std::to_string(i)), false);
        places.push_back(mdi.currentSubWindow()->geometry());
    }
    const int step = places[1].top() - places[0].top();
    EXPECT_GT(step, 0);
    EXPECT_EQ(places[0].topLeft(), QPoint(mdi.TreeColumn(), 0));
    for (int k = 1; k < 7; ++k)
        EXPECT_EQ(places[k].topLeft(), places[0].topLeft() + QPoint(k * step, k * step));
    EXPECT_EQ(places[7].topLeft(), places[0].topLeft());
}

TEST(Placement, ChildIsNoWiderThanTheRoomRightOfTheTree)
{
    TFrameFixture f({600, 500});
    TSpecMDI& mdi = f.frame->Client();
    const QRect place = mdi.PlaceChild({5000, 5000});
    EXPECT_LE(place.right(), mdi.viewport()->width());
    EXPECT_LE(place.bottom(), mdi.viewport()->height());
}

TEST(Arrange, ResizingTheFramePutsTheTreeAtAThirdAndCascadesTheOthers)
{
    TFrameFixture f({900, 600});
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("groups.kvd", Groups(3))));
    for (int i = 0; i < 3; ++i)
        mdi.OpenDefinition(Element(mdi, "Group g" + std::to_string(i)), false);

    f.frame->resize(1200, 700);
    QApplication::processEvents();
    EXPECT_EQ(mdi.TreeColumn(), 400);
    EXPECT_EQ(mdi.TreeChild()->geometry(), QRect(0, 0, 400, mdi.viewport()->height()));
    for (QMdiSubWindow* w : mdi.subWindowList(QMdiArea::StackingOrder)) {
        if (w != mdi.TreeChild()) {
            EXPECT_GE(w->x(), 400);
        }
    }
}

TEST(Arrange, CascadeAndTileLeaveTheTreeAloneAndCloseAllClosesIt)
{
    TFrameFixture f({1200, 800});
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("groups.kvd", Groups(4))));
    for (int i = 0; i < 4; ++i)
        mdi.OpenDefinition(Element(mdi, "Group g" + std::to_string(i)), false);
    const QRect tree = mdi.TreeChild()->geometry();

    mdi.Tile();
    EXPECT_EQ(mdi.TreeChild()->geometry(), tree);
    QRegion covered;
    for (QMdiSubWindow* w : mdi.subWindowList())
        if (w != mdi.TreeChild()) {
            EXPECT_GE(w->x(), mdi.TreeColumn());
            EXPECT_FALSE(covered.intersects(w->geometry()));
            covered += w->geometry();
        }

    mdi.Cascade();
    EXPECT_EQ(mdi.TreeChild()->geometry(), tree);
    std::vector<QRect> cascade;
    for (QMdiSubWindow* w : mdi.subWindowList(QMdiArea::StackingOrder))
        if (w != mdi.TreeChild())
            cascade.push_back(w->geometry());
    ASSERT_EQ(cascade.size(), 4u);
    EXPECT_EQ(cascade[0].topLeft(), QPoint(mdi.TreeColumn(), 0));
    const QPoint step = cascade[1].topLeft() - cascade[0].topLeft();
    EXPECT_GT(step.x(), 0);
    EXPECT_EQ(step.x(), step.y());
    for (size_t i = 1; i < cascade.size(); ++i) {
        EXPECT_EQ(cascade[i].topLeft() - cascade[i - 1].topLeft(), step);
        EXPECT_EQ(cascade[i].size(), cascade[0].size());
    }

    f.frame->Commands().Action(commands::CloseAll)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ChildCount(mdi), 0);
    EXPECT_EQ(mdi.TreeChild(), nullptr);
    QTest::keyClick(f.frame.get(), Qt::Key_T, Qt::ControlModifier);
    ASSERT_NE(mdi.TreeChild(), nullptr);
    EXPECT_EQ(ChildCount(mdi), 1);
    EXPECT_EQ(mdi.TreeChild()->geometry(), tree);
}

TEST(Arrange, ResizingTheTreeSetsTheTreeColumn)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("a.kvd", kClean)));
    mdi.TreeChild()->resize(222, mdi.TreeChild()->height());
    EXPECT_EQ(mdi.TreeColumn(), 222);
    mdi.OpenDefinition(Element(mdi, "Group address"), false);
    EXPECT_EQ(mdi.currentSubWindow()->x(), 222);
}

TEST(OpenDefinition, BuiltInsAreExplainedInTheMessageDialog)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    TDefBase type(kinds::BuiltIn, "date", nullptr);
    TDefBase value(kinds::Variable, "today", nullptr);
    TDefBase alias(kinds::Alias, "me", nullptr);
    std::vector<int> helpIds;
    TBoxes boxes([&](const TMessage& message) {
        helpIds.push_back(message.helpContext);
        // Help, as the person would press it.
        message.help(message.helpContext);
    });
    mdi.OpenDefinition(type, false);
    EXPECT_EQ(HelpPage(f.help), "builtin-type.html");
    mdi.OpenDefinition(value, false);
    EXPECT_EQ(HelpPage(f.help), "builtin-value.html");
    mdi.OpenDefinition(alias, false);

    ASSERT_EQ(boxes.seen.size(), 3u);
    EXPECT_EQ(boxes.seen[0].caption, "Element Definition");
    EXPECT_EQ(boxes.seen[0].text, "date is a built-in type");
    EXPECT_EQ(boxes.seen[0].buttons, QMessageBox::Ok | QMessageBox::Help);
    EXPECT_EQ(boxes.seen[1].text, "today is a built-in value");
    EXPECT_EQ(boxes.seen[2].text, "me is a built-in value");
    EXPECT_EQ(helpIds, std::vector<int>({161, 160, 160}));
    EXPECT_EQ(ChildCount(mdi), 0);
}

TEST(OpenDefinition, FieldOpensItsOwnerOnceAndASecondRequestActivatesIt)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("a.kvd", kClean)));
    TDefBase& group = Element(mdi, "Group address");
    TDefBase& field = Element(mdi, "address Field street");

    mdi.OpenDefinition(field, true);
    EXPECT_EQ(mdi.FindChild({TChildKey::Definition, group.index}),
              nullptr); // only activating opens nothing
    mdi.OpenDefinition(field, false);
    QMdiSubWindow* window = mdi.FindChild({TChildKey::Definition, group.index});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Group address");

    mdi.ShowStructure();
    window->showMaximized();
    mdi.ShowStructure();
    mdi.OpenDefinition(group, false);
    EXPECT_EQ(mdi.currentSubWindow(), window);
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(ChildCount(mdi), 2);
}

TEST(OpenDefinition, WindowsAreFoundByWhatTheyShowInADesignOf20000Elements)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    // A bogus line makes the messages window open; 20,000 groups with a field each.
    ASSERT_TRUE(mdi.ReadFile(f.Database("big.kvd", Groups(10000) + "0 BOGUS\n")));
    QMdiSubWindow* tree = mdi.TreeChild();
    QMdiSubWindow* messages = mdi.FindChild({TChildKey::Messages});
    ASSERT_TRUE(tree && messages);
    ASSERT_GT(mdi.Document().db.Definitions().Count(), 20000u);

    // The indices the fixed windows once had, and one past them.
    for (const int index : {10000, 10001, 10002, 10003, 10004, 20000}) {
        TDefBase& element = *mdi.Document().db.Definitions().At(static_cast<size_t>(index));
        mdi.OpenDefinition(element, false);
        auto* shown = qobject_cast<TChildWindow*>(mdi.currentSubWindow());
        ASSERT_NE(shown, nullptr);
        EXPECT_NE(shown, tree);
        EXPECT_NE(shown, messages);
        TDefBase* owner = element.owner ? element.owner : &element;
        EXPECT_TRUE(shown->Key() == (TChildKey{TChildKey::Definition, owner->index})) << index;
        EXPECT_EQ(shown->windowTitle().toStdString(), owner->Title());
    }
    EXPECT_EQ(mdi.FindChild({TChildKey::Structure}), tree);
    EXPECT_EQ(mdi.FindChild({TChildKey::Messages}), messages);
}

// A pane that holds nothing, for child windows measured without one.
struct TBlankPane : QWidget, TPane {
    TPaneState State() const override { return {}; }
};

TEST(DisplayChild, AsksForRoomForTheCaptionOrThePane)
{
    const QString longCaption(150, 'W');
    const TDisplayChild wide(longCaption, {TChildKey::Definition, 0}, new TBlankPane, 0,
                             QSize(10, 40));
    const TDisplayChild narrow("x", {TChildKey::Definition, 0}, new TBlankPane, 0, QSize(900, 40));
    const TDisplayChild other("Messages", {TChildKey::Messages}, new TBlankPane, 0);
    const TDisplayChild hundred(QString(100, 'W'), {TChildKey::Definition, 0}, new TBlankPane, 0,
                                QSize(10, 40));

    EXPECT_GT(wide.CaptionWidth(), 100 * 3);
    EXPECT_EQ(wide.CaptionWidth(), hundred.CaptionWidth());
    EXPECT_EQ(wide.RequestedSize().height(), 40);
    EXPECT_GT(narrow.RequestedSize().width(), 900);
    EXPECT_EQ(other.RequestedSize(), QSize(400, 400));
}

TEST(DisplayChild, DefinitionWindowShowsItsWholeCaption)
{
    // Wide letters: an average character width would leave the caption cut short.
    const std::string name = "WWMMWWMMWWMMWWMMWWMM";
    TFrameFixture f({1600, 900});
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(
        f.Database("wide.kvd", "0 @person@ RECORD\n0 @" + name + "@ GROUP\n0 TRLR\n")));
    const TDefBase* group = mdi.Document().db.Definitions().FindTitled("Group " + name);
    ASSERT_NE(group, nullptr);
    mdi.OpenDefinition(*group);
    QMdiSubWindow* child = mdi.currentSubWindow();
    ASSERT_NE(child, nullptr);

    QStyleOptionTitleBar bar;
    bar.initFrom(child);
    bar.text = child->windowTitle();
    bar.icon = child->windowIcon();
    bar.titleBarFlags = child->windowFlags();
    bar.subControls = QStyle::SC_All;
    const int frame =
        child->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, child);
    bar.rect = QRect(0, 0, child->width() - 2 * frame,
                     child->style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, child));
    const QRect label =
        child->style()->subControlRect(QStyle::CC_TitleBar, &bar, QStyle::SC_TitleBarLabel, child);
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    EXPECT_GE(label.width(), metrics.horizontalAdvance(child->windowTitle()));
    EXPECT_LE(child->geometry().right(), mdi.viewport()->width());
}

TEST(Help, F1OpensThePageOfTheActiveChildOrHighlightedCommand)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    QTest::keyClick(f.frame.get(), Qt::Key_F1);
    EXPECT_EQ(HelpPage(f.help), "contents.html");

    ASSERT_TRUE(mdi.ReadFile(f.Database("a.kvd", kClean)));
    mdi.ShowMessages();
    QTest::keyClick(mdi.currentSubWindow(), Qt::Key_F1);
    EXPECT_EQ(HelpPage(f.help), "messages-window.html");
    mdi.ShowStructure();
    QTest::keyClick(&mdi.TreeChild()->Tree(), Qt::Key_F1);
    EXPECT_EQ(HelpPage(f.help), "structure-window.html");

    TMyMessage message(&mdi, "today is a built-in value", "Element Definition", 160);
    TModalAnswer answer([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_F1); });
    message.exec();
    EXPECT_EQ(HelpPage(f.help), "builtin-value.html");

    QMenu* file = f.frame->Commands().Menu(TMenu::File);
    file->popup(f.frame->mapToGlobal(QPoint(10, 10)));
    file->setActiveAction(f.frame->Commands().Action(commands::Open));
    QTest::keyClick(file, Qt::Key_F1);
    EXPECT_EQ(HelpPage(f.help), "open.html");
    file->close();
}

TEST(Arrange, MinimisedWindowsParkRightOfTheTree)
{
    TFrameFixture f({1200, 800});
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("groups.kvd", Groups(3))));
    std::vector<QMdiSubWindow*> opened;
    for (int i = 0; i < 3; ++i) {
        mdi.OpenDefinition(Element(mdi, "Group g" + std::to_string(i)));
        opened.push_back(mdi.currentSubWindow());
    }
    QRegion parked;
    for (QMdiSubWindow* window : opened) {
        window->showMinimized();
        QApplication::processEvents();
        EXPECT_GE(window->x(), mdi.TreeColumn());
        EXPECT_FALSE(parked.intersects(window->geometry()));
        parked += window->geometry();
    }
    f.frame->resize(1000, 700);
    QApplication::processEvents();
    for (QMdiSubWindow* window : opened)
        EXPECT_GE(window->x(), mdi.TreeColumn());
}

TEST(Arrange, ClosingAWindowActivatesTheOneUsedBeforeIt)
{
    TFrameFixture f({1200, 800});
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("groups.kvd", Groups(2))));
    mdi.OpenDefinition(Element(mdi, "Group g0"));
    mdi.OpenDefinition(Element(mdi, "Group g1"));
    QMdiSubWindow* before = mdi.currentSubWindow();
    mdi.ShowRelationships(nullptr);
    ASSERT_NE(mdi.currentSubWindow(), before);
    mdi.currentSubWindow()->close();
    QApplication::processEvents();
    EXPECT_EQ(mdi.currentSubWindow(), before);
}

// A theme change restyles every window; the minimised tree must still become the active window
// when it is activated, and the commands follow it.
TEST(MainFrame, EnablingFollowsTheActivationOfAMinimisedWindow)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    const TCommands& c = f.frame->Commands();
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("groups.kvd", Groups(4))));
    mdi.TreeChild()->showMinimized();
    for (int i = 0; i < 4; ++i)
        mdi.OpenDefinition(Element(mdi, "Group g" + std::to_string(i)), false);
    QApplication::processEvents();
    mdi.setActiveSubWindow(mdi.subWindowList()[2]);
    QApplication::processEvents();
    f.frame->SetTheme(TAppTheme::TChoice::Dark);
    QApplication::processEvents();
    f.frame->SetTheme(TAppTheme::TChoice::System);
    QApplication::processEvents();
    mdi.Cascade();
    QApplication::processEvents();
    mdi.ShowMessages();
    QApplication::processEvents();
    ASSERT_TRUE(c.Action(commands::Print)->isEnabled()); // the messages print
    mdi.setActiveSubWindow(mdi.TreeChild());
    QApplication::processEvents();
    EXPECT_EQ(mdi.activeSubWindow(), mdi.TreeChild());
    EXPECT_FALSE(c.Action(commands::Print)->isEnabled()); // the tree does not
}
