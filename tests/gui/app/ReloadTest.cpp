#include "GuiHelpers.h"
#include "gui/app/TReloader.h"
#include "gui/app/TSpecMDI.h"
#include "gui/diagram/TDisplayBrowser.h"
#include "gui/support/CommandIds.h"
#include "gui/support/TDesignInUse.h"
#include "gui/views/TDisplayIndex.h"
#include "gui/views/TFilterBox.h"
#include "gui/views/TSpecTree.h"
#include "gui/views/TStructModel.h"
#include "gui/views/TTreeChild.h"
#include "model/TDefBase.h"

#include <QAction>
#include <QDialog>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <thread>

namespace {

// A record with pictures; `extra` goes in after them.
std::string Design(const std::string& shortScript, bool withGone, const std::string& extra = {})
{
    std::string text = "0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                       "1 @short@ PICTURE " +
                       shortScript + "\n1 @long@ PICTURE short \" x\"\n";
    if (withGone)
        text += "1 @gone@ PICTURE \"bye\"\n";
    return text + extra + "0 TRLR\n";
}

std::string Groups(int count)
{
    std::string text = "0 @person@ RECORD\n";
    for (int i = 0; i < count; ++i)
        text += "0 @g" + std::to_string(i) + "@ GROUP\n1 @f@ FIELD text\n2 TAG NOTE\n";
    return text + "0 TRLR\n";
}

const TDefBase* Named(const TMainFrame& frame, const std::string& name)
{
    for (const auto& element : frame.Document().db.Definitions())
        if (element->name == name)
            return element.get();
    return nullptr;
}

TChildWindow* OpenOwn(TMainFrame& frame, const std::string& name)
{
    const TDefBase* element = Named(frame, name);
    TPaneKind kind{};
    if (!element || !element->PaneKind(kind))
        return nullptr;
    frame.Client().OpenPane(*element, kind);
    return frame.Client().FindChild({TChildKey::Definition, element->index});
}

TChildWindow* Find(const TMainFrame& frame, const std::string& name)
{
    const TDefBase* element = Named(frame, name);
    return element ? frame.Client().FindChild({TChildKey::Definition, element->index}) : nullptr;
}

QString Status(const TMainFrame& frame)
{
    return frame.statusBar()->currentMessage();
}

// Every child shows an element of the design loaded now.
void ExpectLive(const TMainFrame& frame)
{
    const size_t count = frame.Document().db.Definitions().Count();
    for (QMdiSubWindow* sub : frame.Client().subWindowList()) {
        const auto* child = qobject_cast<TChildWindow*>(sub);
        ASSERT_NE(child, nullptr);
        EXPECT_LT(child->Key().element, static_cast<int>(count));
        child->ContentPane().State();
    }
}

} // namespace

TEST(Reload, KeepsTheWindowsOfElementsStillThereAndMarksWhatChanged)
{
    TFrameFixture f;
    const QString folder = f.Database("a.kvd", Design("name", true));
    ASSERT_TRUE(f.frame->OpenFolder(folder));
    TSpecMDI& mdi = f.frame->Client();
    TChildWindow* longWindow = OpenOwn(*f.frame, "long");
    ASSERT_NE(longWindow, nullptr);
    longWindow->setGeometry(QRect(350, 40, 300, 200));
    ASSERT_NE(OpenOwn(*f.frame, "gone"), nullptr);
    mdi.ShowIndex(Named(*f.frame, "short"));
    ActivePane<TDisplayIndex>(mdi)->FilterBox().setText(QStringLiteral("s"));
    mdi.ShowRelationships(Named(*f.frame, "short"));
    ActivePane<TDisplayBrowser>(mdi)->SetZoom(50);
    ASSERT_NE(ActivePane<TDisplayBrowser>(mdi)->Selected(), nullptr);
    mdi.TreeChild()->FilterBox().setText(QStringLiteral("o"));
    mdi.setActiveSubWindow(longWindow);
    const int before = static_cast<int>(mdi.subWindowList().size());

    f.folder.Write("a.kvd/control.ged", Design("name \" y\"", false, "1 @fresh@ PICTURE \"n\"\n"));
    EXPECT_EQ(f.frame->Reloader().Reload(), TReloader::TResult::Reloaded);
    // Laid out after the note, the windows are where they were all the same.
    QApplication::processEvents();

    EXPECT_EQ(static_cast<int>(mdi.subWindowList().size()), before - 1);
    EXPECT_EQ(Find(*f.frame, "gone"), nullptr);
    TChildWindow* again = Find(*f.frame, "long");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->geometry(), QRect(350, 40, 300, 200));
    EXPECT_EQ(mdi.currentSubWindow(), again);
    EXPECT_EQ(Status(*f.frame), QStringLiteral("Reloaded control.ged; 1 window closed"));
    mdi.ShowIndex(nullptr);
    auto* index = ActivePane<TDisplayIndex>(mdi);
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(index->FilterBox().text(), QStringLiteral("s"));
    EXPECT_EQ(index->SelectedElement(), Named(*f.frame, "short"));
    auto* diagramChild = qobject_cast<TDisplayChild*>(mdi.FindChild({TChildKey::Relationships}));
    ASSERT_NE(diagramChild, nullptr);
    auto* diagram = qobject_cast<TDisplayBrowser*>(diagramChild->Pane());
    ASSERT_NE(diagram, nullptr);
    EXPECT_EQ(diagram->Zoom(), 50);
    ASSERT_NE(diagram->Selected(), nullptr);
    EXPECT_EQ(diagram->Selected()->element, Named(*f.frame, "short"));
    EXPECT_EQ(mdi.TreeChild()->FilterBox().text(), QStringLiteral("o"));
    // The changed picture and the new one are marked, the others are not.
    const TStructModel& tree = *mdi.TreeChild()->Tree().Outline();
    const TOutline& outline = tree.Outline();
    std::set<std::string> marked;
    for (int node = 0; node < static_cast<int>(outline.Count()); ++node) {
        const auto& n = outline.Node(node);
        if (tree.IsMarked(node) && n.element >= 0 && n.children.empty())
            marked.insert(
                f.frame->Document().db.Definitions().At(static_cast<size_t>(n.element))->name);
    }
    EXPECT_EQ(marked, (std::set<std::string>{"short", "fresh"}));
    ExpectLive(*f.frame);
    // The next reload of the same text marks nothing.
    EXPECT_EQ(f.frame->Reloader().Reload(), TReloader::TResult::Reloaded);
    EXPECT_TRUE(f.frame->Document().reloadMarks.empty());
}

TEST(Reload, MarksWhatChangedInTheDesignShownNotInTheOneOpenedBefore)
{
    TFrameFixture f;
    // Opened one after the other at once, while the first one's units are still being written.
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("a.kvd", Design("name", true))));
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("b.kvd", Design("surname", true))));
    f.folder.Write("b.kvd/control.ged", Design("name", true));
    EXPECT_EQ(f.frame->Reloader().Reload(), TReloader::TResult::Reloaded);
    EXPECT_EQ(f.frame->Document().reloadMarks, std::vector<int>{Named(*f.frame, "short")->index});
}

TEST(Reload, KeepsBackAndForwardOverTheElementsStillThere)
{
    TFrameFixture f;
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("a.kvd", Design("name", true))));
    for (const char* name : {"short", "gone", "long"})
        ASSERT_NE(OpenOwn(*f.frame, name), nullptr);
    TSpecMDI& mdi = f.frame->Client();
    mdi.GoBack();
    f.folder.Write("a.kvd/control.ged", Design("name", false));
    EXPECT_EQ(f.frame->Reloader().Reload(), TReloader::TResult::Reloaded);
    // The current entry went with its element: the one before it is current, "long" ahead.
    EXPECT_FALSE(mdi.CanGoBack());
    ASSERT_TRUE(mdi.CanGoForward());
    mdi.GoForward();
    EXPECT_EQ(mdi.currentSubWindow(), Find(*f.frame, "long"));
    mdi.GoBack();
    EXPECT_EQ(mdi.currentSubWindow(), Find(*f.frame, "short"));
}

TEST(Reload, KeepsTheTreesExpandedNodesAndTheScrollPosition)
{
    TFrameFixture f;
    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "1 @p" + std::to_string(i) + "@ PICTURE \"" + std::to_string(i) + "\"\n";
    const QString folder = f.Database("a.kvd", Design("name", true, many));
    ASSERT_TRUE(f.frame->OpenFolder(folder));
    TSpecMDI& mdi = f.frame->Client();
    TSpecTree& tree = mdi.TreeChild()->Tree();
    tree.expandAll();
    QApplication::processEvents();
    tree.SelectElement(Named(*f.frame, "p150")->index);
    QApplication::processEvents();
    const int scrolled = tree.verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    const auto expanded = tree.ExpandedPaths();

    EXPECT_EQ(f.frame->Reloader().Reload(), TReloader::TResult::Reloaded);
    TSpecTree& again = mdi.TreeChild()->Tree();
    EXPECT_EQ(again.ExpandedPaths(), expanded);
    EXPECT_EQ(again.verticalScrollBar()->value(), scrolled);
    EXPECT_EQ(mdi.TreeChild()->SelectedElement(), Named(*f.frame, "p150"));
    // A category, which stands for no element, stays current too.
    again.setCurrentIndex(again.currentIndex().parent());
    const std::vector<std::string> category = again.CurrentPath();
    ASSERT_GT(category.size(), 1u);
    EXPECT_EQ(f.frame->Reloader().Reload(), TReloader::TResult::Reloaded);
    EXPECT_EQ(mdi.TreeChild()->Tree().CurrentPath(), category);
}

TEST(Reload, AChangedFileIsReloadedOnceItSettlesAndAFileGoneKeepsTheDesign)
{
    TFrameFixture f;
    const QString folder = f.Database("a.kvd", Design("name", true));
    ASSERT_TRUE(f.frame->OpenFolder(folder));
    QSignalSpy reloaded(&f.frame->Reloader(), &TReloader::Reloaded);
    ASSERT_NE(OpenOwn(*f.frame, "long"), nullptr);

    // Written in two steps, then replaced by a rename as editors save.
    f.folder.Write("a.kvd/control.ged", Design("name", true, "1 @half@ PICTURE"));
    QTest::qWait(100);
    f.folder.Write("a.kvd/new.ged", Design("name", true, "1 @one@ PICTURE \"1\"\n"));
    std::filesystem::rename(f.folder.Path() + "/a.kvd/new.ged",
                            f.folder.Path() + "/a.kvd/control.ged");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !reloaded.isEmpty(); }, 3000));
    QTest::qWait(2 * TReloader::kQuiet);
    EXPECT_EQ(reloaded.size(), 1);
    EXPECT_NE(Named(*f.frame, "one"), nullptr);
    EXPECT_NE(Find(*f.frame, "long"), nullptr);

    // Gone: the design stays, and comes back with the file.
    reloaded.clear();
    std::filesystem::remove(f.folder.Path() + "/a.kvd/control.ged");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !reloaded.isEmpty(); }, 3000));
    EXPECT_EQ(reloaded.front().front().value<TReloader::TResult>(), TReloader::TResult::Gone);
    EXPECT_EQ(Status(*f.frame), QStringLiteral("control.ged is gone"));
    EXPECT_NE(Named(*f.frame, "one"), nullptr);
    EXPECT_NE(Find(*f.frame, "long"), nullptr);
    reloaded.clear();
    f.folder.Write("a.kvd/control.ged", Design("name", true, "1 @two@ PICTURE \"2\"\n"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !reloaded.isEmpty(); }, 3000));
    EXPECT_NE(Named(*f.frame, "two"), nullptr);
    EXPECT_NE(Find(*f.frame, "long"), nullptr);

    // While a modal dialog is open or an export reads the design, it stays.
    for (const std::string name : {"three", "four"}) {
        reloaded.clear();
        {
            QDialog dialog(f.frame.get());
            dialog.setModal(true);
            std::optional<TDesignInUse> inUse;
            if (name == "three")
                dialog.show();
            else
                inUse.emplace();
            f.folder.Write("a.kvd/control.ged",
                           Design("name", true, "1 @" + name + "@ PICTURE \"3\"\n"));
            QTest::qWait(4 * TReloader::kQuiet);
            EXPECT_TRUE(reloaded.isEmpty()) << name;
            if (inUse) { // nor by hand
                EXPECT_EQ(f.frame->Reloader().Reload(), TReloader::TResult::NothingLoaded);
            }
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return !reloaded.isEmpty(); }, 3000));
        EXPECT_NE(Named(*f.frame, name), nullptr);
    }
}

TEST(Reload, ReloadWhenChangedOffStopsTheWatcherAndIsKept)
{
    TFrameFixture f;
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("a.kvd", Design("name", true))));
    QAction* item = f.frame->Commands().Action(commands::ReloadWhenChanged);
    ASSERT_TRUE(item->isCheckable());
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(f.frame->Reloader().WatchedPaths().size(), 2);
    item->trigger();
    EXPECT_TRUE(f.frame->Reloader().WatchedPaths().isEmpty());
    QSignalSpy reloaded(&f.frame->Reloader(), &TReloader::Reloaded);
    f.folder.Write("a.kvd/control.ged", Design("name", true, "1 @one@ PICTURE \"1\"\n"));
    QTest::qWait(3 * TReloader::kQuiet);
    EXPECT_TRUE(reloaded.isEmpty());
    // F5 still reloads.
    f.frame->Commands().Action(commands::Reload)->trigger();
    EXPECT_NE(Named(*f.frame, "one"), nullptr);
    f.Open();
    EXPECT_FALSE(f.frame->Commands().Action(commands::ReloadWhenChanged)->isChecked());
}

TEST(Reload, AFileChangingUnderTheReadLeavesAConsistentDesign)
{
    TFrameFixture f;
    std::vector<std::string> versions;
    for (int n : {5, 40, 400})
        versions.push_back(Groups(n));
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("a.kvd", versions[0])));
    f.frame->Client().ShowIndex(nullptr);
    const std::string path = f.folder.Path() + "/a.kvd/control.ged";
    std::atomic<bool> done = false;
    std::thread writer([&] {
        for (int i = 0; !done; ++i) {
            const std::string& text = versions[static_cast<size_t>(i) % versions.size()];
            if (i % 3 == 0) {
                std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
            } else if (i % 3 == 1) {
                std::ofstream(path, std::ios::binary | std::ios::app)
                    << text.substr(0, text.size() / 2);
            } else {
                std::ofstream(path + ".new", std::ios::binary) << text;
                std::filesystem::rename(path + ".new", path);
            }
        }
    });
    for (int i = 0; i < 60; ++i) {
        f.frame->Reloader().Reload();
        ExpectLive(*f.frame);
        ASSERT_TRUE(f.frame->Document().db.Loaded());
    }
    done = true;
    writer.join();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << versions[1];
    EXPECT_EQ(f.frame->Reloader().Reload(), TReloader::TResult::Reloaded);
    EXPECT_NE(Named(*f.frame, "g39"), nullptr);
    EXPECT_EQ(Named(*f.frame, "g40"), nullptr);
    EXPECT_NE(f.frame->Client().FindChild({TChildKey::Index}), nullptr);
}

TEST(Session, TheNextStartReopensTheDesignAndItsWindows)
{
    TFrameFixture f;
    const QString folder = f.Database("a.kvd", Design("name", true));
    ASSERT_TRUE(f.frame->OpenFolder(folder));
    TChildWindow* longWindow = OpenOwn(*f.frame, "long");
    ASSERT_NE(longWindow, nullptr);
    longWindow->setGeometry(QRect(360, 30, 320, 180));
    f.frame->Client().ShowRelationships(nullptr);
    ActivePane<TDisplayBrowser>(f.frame->Client())->SetZoom(30);
    f.frame->close();

    f.Open();
    ASSERT_TRUE(f.frame->ReopenLastDesign());
    TChildWindow* again = Find(*f.frame, "long");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->geometry(), QRect(360, 30, 320, 180));
    f.frame->Client().ShowRelationships(nullptr);
    EXPECT_EQ(ActivePane<TDisplayBrowser>(f.frame->Client())->Zoom(), 30);

    // Off: the start is empty.
    f.frame->Commands().Action(commands::ReopenLastDesign)->trigger();
    f.frame->close();
    f.Open();
    EXPECT_FALSE(f.frame->ReopenLastDesign());
    EXPECT_FALSE(f.frame->Document().db.Loaded());
}

TEST(Session, AFolderGoneSinceGivesANoteAndStaysInTheRecentList)
{
    TFrameFixture f;
    const QString folder = f.Database("a.kvd", Design("name", true));
    ASSERT_TRUE(f.frame->OpenFolder(folder));
    f.frame->close();
    std::filesystem::remove_all(folder.toStdString());
    f.Open();
    TBoxes boxes;
    EXPECT_FALSE(f.frame->ReopenLastDesign());
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_TRUE(Status(*f.frame).contains(folder));
    EXPECT_EQ(f.frame->Recent().Entries(), QStringList{folder});
    EXPECT_TRUE(f.frame->Client().subWindowList().isEmpty());
}

TEST(Session, AnUnreadableSettingsFileGivesTheDefaultsAndANote)
{
    TFrameFixture f;
    f.frame.reset();
    f.folder.Write("config/stemlook.ini", "[Window\nLeft=5\nTop\n\xff\xfe[[=\n");
    f.Open();
    EXPECT_FALSE(f.settings->Problem().isEmpty());
    EXPECT_EQ(f.settings->WindowRect(QRect(1, 2, 3, 4)), QRect(1, 2, 3, 4));
    EXPECT_TRUE(f.settings->ReopenLastDesign());
    EXPECT_EQ(Status(*f.frame), f.settings->Problem());
}

TEST(Drop, AFolderOrADefinitionFileDroppedOpensAsOpenDoes)
{
    TFrameFixture f;
    const QString folder = f.Database("a.kvd", Design("name", true));
    const QString file =
        QString::fromStdString(f.folder.Write("b/other.ged", Design("name", false)));
    const QString empty = QString::fromStdString(f.folder.Path() + "/b");
    const auto drop = [&](const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(f.frame.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(f.frame.get(), &dropped);
        QApplication::processEvents();
    };
    drop(folder);
    EXPECT_EQ(f.frame->Document().db.Name(), "a.kvd");
    EXPECT_EQ(f.frame->Recent().Entries().front(), folder);
    drop(file);
    EXPECT_EQ(f.frame->Document().db.Name(), "b");
    EXPECT_EQ(Named(*f.frame, "gone"), nullptr);
    std::filesystem::remove(file.toStdString());
    TBoxes boxes;
    drop(empty);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen.front().caption, QStringLiteral("File Missing"));
    EXPECT_EQ(f.frame->Document().db.Name(), "b");
    // While a reload or an export reads the design, a drop waits for it.
    {
        const TDesignInUse inUse;
        drop(folder);
        QTest::qWait(300);
        EXPECT_EQ(f.frame->Document().db.Name(), "b");
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.frame->Document().db.Name() == "a.kvd"; }, 3000));
}
