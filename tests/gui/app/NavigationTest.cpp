#include "GuiHelpers.h"
#include "gui/app/TCommands.h"
#include "gui/app/TSpecMDI.h"
#include "gui/support/CommandIds.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDisplayLog.h"
#include "gui/views/TDisplayUnused.h"
#include "model/TDefBase.h"

#include <QMdiSubWindow>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// Three pictures, one of them naming what no element is, and a field without a tag.
const std::string kDesign = "0 @person@ RECORD\n"
                            "1 @name@ FIELD text\n2 TAG NAME\n"
                            "1 @City@ FIELD text\n"
                            "1 @a@ PICTURE name\n"
                            "1 @b@ PICTURE a nothing\n"
                            "1 @c@ PICTURE b\n"
                            "0 TRLR\n";

TDefBase& Element(const TSpecMDI& mdi, const std::string& title)
{
    TDefBase* e = mdi.Document().db.Definitions().FindTitled(title);
    if (!e)
        throw std::runtime_error("no element " + title);
    return *e;
}

} // namespace

TEST(Navigation, MessageLinesOpenTheElementsTheyName)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("m.kvd", kDesign)));
    auto* log = PaneOf<TDisplayLog>(mdi, {TChildKey::Messages});
    ASSERT_NE(log, nullptr);
    const auto rowStarting = [&](const QString& start) {
        for (int row = 0; row < log->model()->rowCount(); ++row)
            if (log->model()->index(row, 0).data().toString().startsWith(start))
                return log->model()->index(row, 0);
        return QModelIndex();
    };

    const QModelIndex cannot = rowStarting("Cannot find nothing");
    ASSERT_TRUE(cannot.isValid());
    DoubleClick(log->viewport(), log->visualRect(cannot).center());
    EXPECT_EQ(ActiveElement(mdi), Element(mdi, "person picture script b").index);

    // Enter on the field's line opens its record; the menu command follows the current line.
    mdi.ShowMessages();
    log->setCurrentIndex(rowStarting("Tag missing from field City"));
    EXPECT_TRUE(f.frame->Commands().Action(commands::Definition)->isEnabled());
    QTest::keyClick(log, Qt::Key_Return);
    EXPECT_EQ(ActiveElement(mdi), Element(mdi, "Record person").index);

    // The first line names nothing: nothing opens.
    mdi.ShowMessages();
    const int windows = static_cast<int>(mdi.subWindowList().size());
    log->setCurrentIndex(log->model()->index(0, 0));
    EXPECT_FALSE(f.frame->Commands().Action(commands::Definition)->isEnabled());
    QTest::keyClick(log, Qt::Key_Return);
    EXPECT_EQ(mdi.subWindowList().size(), windows);
    EXPECT_EQ(mdi.currentSubWindow(), mdi.FindChild({TChildKey::Messages}));
}

TEST(Navigation, BackAndForwardWalkTheDefinitionsActivatedAndReopenClosedOnes)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("n.kvd", kDesign)));
    const TCommands& c = f.frame->Commands();
    EXPECT_FALSE(c.Action(commands::Back)->isEnabled());
    const int a = Element(mdi, "person picture script a").index;
    const int b = Element(mdi, "person picture script b").index;
    const int person = Element(mdi, "Record person").index;
    for (const int element : {a, b, person})
        mdi.OpenDefinition(*mdi.Document().db.Definitions().At(static_cast<size_t>(element)));
    ASSERT_EQ(ActiveElement(mdi), person);

    ASSERT_TRUE(c.Action(commands::Back)->isEnabled());
    c.Action(commands::Back)->trigger();
    EXPECT_EQ(ActiveElement(mdi), b);
    // The mouse's back button does the same.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::BackButton,
                      Qt::BackButton, Qt::NoModifier);
    QApplication::sendEvent(mdi.currentSubWindow(), &press);
    EXPECT_EQ(ActiveElement(mdi), a);
    EXPECT_FALSE(c.Action(commands::Back)->isEnabled());

    // A window closed meanwhile opens again going forward.
    delete mdi.FindChild({TChildKey::Definition, b});
    QApplication::processEvents();
    mdi.OpenDefinition(*mdi.Document().db.Definitions().At(static_cast<size_t>(a)));
    ASSERT_TRUE(c.Action(commands::Forward)->isEnabled());
    c.Action(commands::Forward)->trigger();
    EXPECT_EQ(ActiveElement(mdi), b);
    EXPECT_NE(mdi.FindChild({TChildKey::Definition, b}), nullptr);

    // Going somewhere new drops what lay ahead.
    c.Action(commands::Back)->trigger();
    mdi.OpenDefinition(*mdi.Document().db.Definitions().At(static_cast<size_t>(person)));
    EXPECT_FALSE(c.Action(commands::Forward)->isEnabled());

    // A new design starts a new history.
    ASSERT_TRUE(mdi.ReadFile(f.Database("n2.kvd", kDesign)));
    EXPECT_FALSE(c.Action(commands::Back)->isEnabled());
    EXPECT_FALSE(c.Action(commands::Forward)->isEnabled());
}

TEST(Navigation, UnusedElementsListOpensDefinitions)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    const TCommands& c = f.frame->Commands();
    EXPECT_FALSE(c.Action(commands::UnusedElements)->isEnabled());
    ASSERT_TRUE(mdi.ReadFile(f.Database("u.kvd", kDesign)));
    ASSERT_TRUE(c.Action(commands::UnusedElements)->isEnabled());
    c.Action(commands::UnusedElements)->trigger();
    auto* list = PaneOf<TDisplayUnused>(mdi, {TChildKey::Unused});
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(mdi.currentSubWindow()->windowTitle(), "Unused Elements");
    ASSERT_EQ(list->model()->rowCount(), 3);
    EXPECT_EQ(list->model()->index(0, 1).data().toString(), "person Field City");
    EXPECT_EQ(list->model()->index(1, 1).data().toString(), "person picture script c");
    EXPECT_EQ(list->model()->index(2, 0).data().toString(), "Record");

    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(ActiveElement(mdi), Element(mdi, "person picture script c").index);
}
