#include "GuiHelpers.h"
#include "ModelCheck.h"
#include "export/SaveAsText.h"
#include "gui/app/TSpecMDI.h"
#include "gui/support/Bytes.h"
#include "gui/support/CommandIds.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDisplayIndex.h"
#include "gui/views/TFilterBox.h"
#include "gui/views/TSpecTree.h"
#include "gui/views/TStructModel.h"
#include "gui/views/TTreeChild.h"
#include "model/TDefBase.h"
#include "model/TUsedSet.h"
#include "script/TNameTable.h"
#include "views/ListRows.h"

#include <QAction>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace {

// Two records and a group, with names in mixed case; "Name" is in several of them.
const std::string kDesign = "0 @person@ RECORD\n"
                            "1 @Name@ FIELD text\n2 TAG NAME\n"
                            "1 @born@ FIELD date\n2 TAG BIRT\n"
                            "1 @ShortName@ PICTURE Name\n"
                            "1 @longNAME@ PICTURE Name born\n"
                            "0 @place@ RECORD\n"
                            "1 @town@ FIELD text\n2 TAG PLAC\n"
                            "1 @where@ PICTURE town\n"
                            "0 @address@ GROUP\n"
                            "1 @street@ FIELD text\n2 TAG ADDR\n"
                            "1 @fullAddress@ PICTURE street\n"
                            "0 TRLR\n";

// The reference: a name holds the text when, both in small letters, the text is found in it.
bool Holds(const QString& name, const QString& text)
{
    return name.toLower().contains(text.toLower());
}

struct TFilterFixture : TFrameFixture {
    TSpecMDI& mdi;
    const TCommands& c;

    TFilterFixture() : mdi(frame->Client()), c(frame->Commands())
    {
        if (!frame->OpenFolder(Database("design.kvd", kDesign)) || !mdi.TreeChild())
            throw std::runtime_error("design did not load");
        frame->activateWindow();
        if (!QTest::qWaitForWindowActive(frame.get()))
            throw std::runtime_error("the frame is not active");
    }

    TDisplayIndex& Index()
    {
        mdi.ShowIndex(nullptr);
        auto* child = qobject_cast<TDisplayChild*>(mdi.FindChild({TChildKey::Index}));
        auto* index = child ? qobject_cast<TDisplayIndex*>(child->Pane()) : nullptr;
        if (!index)
            throw std::runtime_error("no index");
        return *index;
    }
    TSpecTree& Tree() const { return mdi.TreeChild()->Tree(); }
    TDefBase& Titled(const std::string& title) const
    {
        TDefBase* e = mdi.Document().db.Definitions().FindTitled(title);
        if (!e)
            throw std::runtime_error("no element " + title);
        return *e;
    }
    QString ActiveTitle() const
    {
        return mdi.activeSubWindow() ? mdi.activeSubWindow()->windowTitle() : QString();
    }
};

QStringList Column(const QAbstractItemModel& model)
{
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names.append(model.index(row, 0).data().toString());
    return names;
}

QStringList IndexNamesHolding(const TNameTable& names, const QString& text)
{
    QStringList held;
    for (const TDefBase* e : names.Elements())
        if (Holds(bytes::ToText(e->name), text))
            held.append(bytes::ToText(e->name));
    return held;
}

QModelIndex Child(const QAbstractItemModel& model, const QModelIndex& parent, const QString& label)
{
    for (int row = 0; row < model.rowCount(parent); ++row)
        if (model.index(row, 0, parent).data().toString() == label)
            return model.index(row, 0, parent);
    return {};
}

// The leaves the tree shows: every ancestor expanded.
void ShownLeaves(const QTreeView& tree, const QModelIndex& parent, QStringList& leaves)
{
    const QAbstractItemModel& model = *tree.model();
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        if (model.rowCount(child) == 0)
            leaves.append(child.data().toString());
        else if (tree.isExpanded(child))
            ShownLeaves(tree, child, leaves);
    }
}

QStringList ShownLeaves(const QTreeView& tree)
{
    QStringList leaves;
    const QModelIndex root = tree.model()->index(0, 0);
    if (tree.isExpanded(root))
        ShownLeaves(tree, root, leaves);
    return leaves;
}

// The outline's leaves holding the text, depth first, as the tree should show them.
void OutlineLeaves(const TOutline& outline, int node, const QString& text, QStringList& leaves)
{
    const TOutline::TNode& n = outline.Node(node);
    if (n.children.empty() && Holds(bytes::ToText(n.label), text))
        leaves.append(bytes::ToText(n.label));
    for (const int child : n.children)
        OutlineLeaves(outline, child, text, leaves);
}

} // namespace

TEST(FilterIndex, TypingFiltersRowsAndTheListActsOnTheRowsShown)
{
    TFilterFixture f;
    TDisplayIndex& index = f.Index();
    const TModelCheck tester(index.model());
    const TNameTable& names = f.mdi.Document().db.Names();
    TFilterBox& box = index.FilterBox();

    // Narrowing a key at a time, then widening a key at a time.
    const QString typed = QStringLiteral("naME");
    for (int n = 1; n <= typed.size(); ++n) {
        QTest::keyClick(&box, typed[n - 1].toLatin1());
        EXPECT_EQ(Column(*index.model()), IndexNamesHolding(names, typed.left(n)));
    }
    for (int n = typed.size() - 1; n >= 0; --n) {
        QTest::keyClick(&box, Qt::Key_Backspace);
        EXPECT_EQ(Column(*index.model()), IndexNamesHolding(names, typed.left(n)));
    }
    EXPECT_EQ(index.model()->rowCount(), static_cast<int>(names.Count()));

    // Return takes the keyboard to the first row shown; Down and Return there open that row.
    QTest::keyClicks(&box, "NAME");
    ASSERT_EQ(Column(*index.model()), (QStringList{"longNAME", "Name", "ShortName"}));
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_TRUE(index.hasFocus());
    EXPECT_EQ(index.SelectedElement(), &f.Titled("person picture script longNAME"));
    QTest::keyClick(&index, Qt::Key_Down);
    QTest::keyClick(&index, Qt::Key_Down);
    EXPECT_EQ(index.SelectedElement(), &f.Titled("person picture script ShortName"));
    QTest::keyClick(&index, Qt::Key_Return);
    EXPECT_EQ(f.ActiveTitle(), "person picture script ShortName");

    // Back in the index, a double-click, Used by and Copy act on the row as shown.
    f.mdi.ShowIndex(nullptr);
    EXPECT_EQ(box.text(), "NAME");
    DoubleClick(index.viewport(), index.visualRect(index.model()->index(0, 0)).center());
    EXPECT_EQ(f.ActiveTitle(), "person picture script longNAME");
    f.mdi.ShowIndex(nullptr);
    index.setCurrentIndex(index.model()->index(1, 0));
    ASSERT_TRUE(f.c.Action(commands::UsedBy)->isEnabled());
    f.c.Action(commands::UsedBy)->trigger();
    EXPECT_EQ(f.ActiveTitle(), "person Field Name used by");
    // Copy gives the whole index, even with no row shown.
    f.mdi.ShowIndex(nullptr);
    box.setText("zzz");
    EXPECT_EQ(index.model()->rowCount(), 0);
    ASSERT_TRUE(f.c.Action(commands::Copy)->isEnabled());
    QApplication::clipboard()->clear();
    f.c.Action(commands::Copy)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), bytes::ToText(lists::IndexCopyText(names)));
}

TEST(FilterIndex, EscapeClearsAndShowingAHiddenElementClearsTheFilter)
{
    TFilterFixture f;
    TDisplayIndex& index = f.Index();
    TFilterBox& box = index.FilterBox();
    box.setFocus();
    QTest::keyClicks(&box, "town");
    EXPECT_EQ(Column(*index.model()), QStringList{"town"});
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(box.text().isEmpty());
    EXPECT_TRUE(box.hasFocus());
    EXPECT_EQ(index.model()->rowCount(), static_cast<int>(f.mdi.Document().db.Names().Count()));
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(index.hasFocus());

    // The selected row stays selected while the filter shows it.
    TDefBase& street = f.Titled("address Field street");
    index.SelectElement(street);
    QTest::keyClicks(&box, "STR");
    EXPECT_EQ(index.SelectedElement(), &street);
    QTest::keyClick(&box, Qt::Key_Tab);
    EXPECT_TRUE(index.hasFocus());

    // An element the filter shows keeps it; one it hides clears it.
    f.mdi.ShowIndex(&street);
    EXPECT_EQ(box.text(), "STR");
    TDefBase& town = f.Titled("place Field town");
    f.mdi.ShowIndex(&town);
    EXPECT_TRUE(box.text().isEmpty());
    EXPECT_EQ(index.SelectedElement(), &town);
}

TEST(FilterTree, KeepsMatchingLeavesExpandedAndAnEmptyTextRestoresTheTree)
{
    TFilterFixture f;
    TSpecTree& tree = f.Tree();
    const TModelCheck tester(tree.model());
    const TOutline& outline = tree.Outline()->Outline();
    TFilterBox& box = f.mdi.TreeChild()->FilterBox();
    // The person opened the pictures of "place" before filtering.
    QModelIndex opened = tree.model()->index(0, 0);
    for (const char* label : {"Records", "place", "Pictures"}) {
        opened = Child(*tree.model(), opened, label);
        tree.expand(opened);
    }
    ASSERT_EQ(ShownLeaves(tree), (QStringList{"Fields", "where"}));

    for (const QString text : {"name", "S", "Fields", "ADDRESS", "zzz"}) {
        box.setText(text);
        QStringList expected;
        OutlineLeaves(outline, TOutline::Root(), text, expected);
        EXPECT_EQ(ShownLeaves(tree), expected) << text.toStdString();
    }
    box.setText("name");
    EXPECT_EQ(ShownLeaves(tree), (QStringList{"ShortName", "longNAME"}));

    // Return selects the first leaf kept and Return again opens it.
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(tree.SelectedLeafElement(), f.Titled("person picture script ShortName").index);
    EXPECT_TRUE(f.c.Action(commands::Definition)->isEnabled());
    QTest::keyClick(&tree, Qt::Key_Return);
    EXPECT_EQ(f.ActiveTitle(), "person picture script ShortName");

    // Clearing shows the tree as it was, with the leaf found still selected and in view.
    f.mdi.ShowStructure();
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(box.text().isEmpty());
    EXPECT_EQ(ShownLeaves(tree),
              (QStringList{"Fields", "ShortName", "longNAME", "Fields", "where"}));
    EXPECT_EQ(tree.SelectedLeafElement(), f.Titled("person picture script ShortName").index);
    EXPECT_TRUE(tree.viewport()->rect().contains(tree.visualRect(tree.currentIndex())));

    // Selecting an element the filter hides clears the filter.
    box.setText("street");
    EXPECT_EQ(ShownLeaves(tree), QStringList{});
    box.setText("full");
    f.mdi.ShowStructure(&f.Titled("place picture script where"));
    EXPECT_TRUE(box.text().isEmpty());
    EXPECT_EQ(tree.SelectedLeafElement(), f.Titled("place picture script where").index);
}

TEST(FilterCommand, EnabledWithTheIndexOrTheTreeActiveAndFocusesItsBox)
{
    TFilterFixture f;
    // The tree is active after the load.
    ASSERT_TRUE(f.c.Action(commands::Filter)->isEnabled());
    f.Tree().setFocus();
    QTest::keyClick(&f.Tree(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(f.mdi.TreeChild()->FilterBox().hasFocus());

    f.mdi.OpenDefinition(f.Titled("place picture script where"), false);
    EXPECT_FALSE(f.c.Action(commands::Filter)->isEnabled());

    TDisplayIndex& index = f.Index();
    ASSERT_TRUE(f.c.Action(commands::Filter)->isEnabled());
    f.c.Action(commands::Filter)->trigger();
    EXPECT_TRUE(index.FilterBox().hasFocus());
    QTest::keyClicks(&index.FilterBox(), "where");
    EXPECT_EQ(Column(*index.model()), QStringList{"where"});

    f.mdi.ShowMessages();
    EXPECT_FALSE(f.c.Action(commands::Filter)->isEnabled());
    f.mdi.CloseAll();
    EXPECT_FALSE(f.c.Action(commands::Filter)->isEnabled());
}

TEST(FilterTree, KeyboardGoesToTheTreeAndLeafCommandsNeverTakeTheBoxText)
{
    TFilterFixture f;
    TFilterBox& box = f.mdi.TreeChild()->FilterBox();
    // After the load, and after Ctrl+T from another window: the tree, on a node.
    EXPECT_TRUE(f.Tree().hasFocus());
    EXPECT_TRUE(f.Tree().currentIndex().isValid());
    f.mdi.OpenDefinition(f.Titled("place picture script where"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(f.Tree().hasFocus());
    EXPECT_FALSE(box.hasFocus());

    // With a leaf selected and the box's text selected, Ctrl+C and Ctrl+U act on the leaf.
    const TDefBase& shortName = f.Titled("person picture script ShortName");
    ASSERT_TRUE(f.mdi.TreeChild()->Tree().SelectElement(shortName.index));
    box.setFocus();
    QTest::keyClicks(&box, "short");
    box.selectAll();
    ASSERT_EQ(f.Tree().SelectedLeafElement(), shortName.index);
    QApplication::clipboard()->setText("before");
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    std::ostringstream copy;
    CopyElementText(f.mdi.Document().db.Definitions(), shortName, copy, f.mdi.Services());
    EXPECT_EQ(QApplication::clipboard()->text(), bytes::ToText(copy.str()));
    // Nothing uses the picture: Used by has nothing to show, and the text stays whole.
    ASSERT_FALSE(shortName.users && !shortName.users->empty());
    QTest::keyClick(&box, Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(box.text(), "short");
    EXPECT_EQ(f.ActiveTitle(), "Database Structure");
}
