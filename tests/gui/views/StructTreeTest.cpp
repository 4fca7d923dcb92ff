#include "GuiHelpers.h"
#include "ModelCheck.h"
#include "gui/app/TSpecMDI.h"
#include "gui/views/TSpecTree.h"
#include "gui/views/TStructModel.h"
#include "gui/views/TTreeChild.h"
#include "load/TDatabase.h"
#include "model/TDefBase.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// A record before a group, options between them, a record with fields, two pictures, an edit
// panel and a table, and a group that has an edit panel too.
const std::string kDesign = "0 @person@ RECORD\n"
                            "1 @name@ FIELD text\n"
                            "2 TAG NAME\n"
                            "1 @short@ PICTURE name\n"
                            "1 @long@ PICTURE name name\n"
                            "1 @EDIT@ EDITPANEL name\n"
                            "0 DATEFORMAT 0\n"
                            "0 @address@ GROUP\n"
                            "1 @street@ FIELD text\n"
                            "2 TAG ADDR\n"
                            "1 @full@ PICTURE street\n"
                            "1 @PANEL@ EDITPANEL street\n"
                            "0 @census@ TABLE\n"
                            "1 TYPE person\n"
                            "1 COLUMN\n"
                            "2 TITLE Name\n"
                            "2 WIDTH 30\n"
                            "2 PICTURE name\n"
                            "0 LIST\n"
                            "1 TYPE person\n"
                            "1 METHOD index\n"
                            "0 LINES Y\n"
                            "0 TRLR\n";

QStringList Labels(const QAbstractItemModel& model, const QModelIndex& parent)
{
    QStringList labels;
    for (int row = 0; row < model.rowCount(parent); ++row)
        labels.append(model.index(row, 0, parent).data().toString());
    return labels;
}

QModelIndex Child(const QAbstractItemModel& model, const QModelIndex& parent, const QString& label)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        if (index.data().toString() == label)
            return index;
    }
    return {};
}

QModelIndex Path(const QAbstractItemModel& model, const QStringList& labels)
{
    QModelIndex index = model.index(0, 0);
    for (const QString& label : labels)
        index = Child(model, index, label);
    return index;
}

struct TTreeFixture : TFrameFixture {
    TSpecMDI& mdi;
    TSpecTree* tree = nullptr;

    explicit TTreeFixture(const std::string& text = kDesign) : mdi(frame->Client())
    {
        if (!mdi.ReadFile(Database("design.kvd", text)) || !mdi.TreeChild())
            throw std::runtime_error("design did not load");
        tree = &mdi.TreeChild()->Tree();
    }

    QModelIndex At(const QStringList& labels) const { return Path(*tree->model(), labels); }
    QPoint Centre(const QModelIndex& index)
    {
        tree->scrollTo(index);
        return tree->visualRect(index).center();
    }
    void Click(const QModelIndex& index)
    {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, Centre(index));
    }
    void DoubleClick(const QModelIndex& index) { ::DoubleClick(tree->viewport(), Centre(index)); }
    int Children() const { return static_cast<int>(mdi.subWindowList().size()); }
};

} // namespace

TEST(StructTree, ModelPassesTheItemModelChecksOnTheExample)
{
    TDatabase db;
    ASSERT_EQ(db.ReadFile(STEMLOOK_EXAMPLES_DIR "/family.kvd"), TDatabase::TLoadResult::Loaded);
    TStructTree tree;
    tree.Fill(db.Definitions(), db.Name());
    {
        const TModelCheck tester(tree.model());
        tree.expandAll();
    }
    EXPECT_EQ(tree.model()->index(0, 0).data().toString(), "family.kvd");
}

TEST(StructTree, CategoriesFollowTheFileWithOptionsAsOneLeafWhereTheyFirstStood)
{
    TTreeFixture f;
    const QAbstractItemModel& model = *f.tree->model();
    EXPECT_EQ(Labels(model, {}), QStringList({"design.kvd"}));
    EXPECT_EQ(Labels(model, model.index(0, 0)),
              QStringList({"Records", "Options", "Groups", "Lists"}));
    const QModelIndex options = f.At({"Options"});
    EXPECT_TRUE(f.tree->IsLeaf(options));
    EXPECT_FALSE(options.data(TStructModel::BookRole).toBool());
    EXPECT_EQ(TStructTree::ElementOf(options), 5);
}

TEST(StructTree, RecordShowsFieldsPicturesEditPanelsAndTables)
{
    TTreeFixture f;
    const QAbstractItemModel& model = *f.tree->model();
    EXPECT_EQ(Labels(model, f.At({"Records", "person"})),
              QStringList({"Fields", "Pictures", "Edit Panels", "Tables"}));
    EXPECT_EQ(Labels(model, f.At({"Records", "person", "Pictures"})),
              QStringList({"short", "long"}));
    const QModelIndex fields = f.At({"Records", "person", "Fields"});
    EXPECT_TRUE(f.tree->IsLeaf(fields));
    EXPECT_EQ(TStructTree::ElementOf(fields), 0); // stands for the record
    const QModelIndex census = f.At({"Records", "person", "Tables", "census"});
    EXPECT_TRUE(census.data(TStructModel::BookRole).toBool());
    EXPECT_EQ(Labels(model, census).value(0), "Layout");

    // A group has only fields and pictures, whatever else the file gives it.
    EXPECT_EQ(Labels(model, f.At({"Groups", "address"})), QStringList({"Fields", "Pictures"}));
}

TEST(StructTree, OnlyTheRootStartsExpanded)
{
    TTreeFixture f;
    EXPECT_TRUE(f.tree->isExpanded(f.tree->model()->index(0, 0)));
    EXPECT_FALSE(f.tree->isExpanded(f.At({"Records"})));
    EXPECT_FALSE(f.tree->isExpanded(f.At({"Groups"})));
}

TEST(StructTree, SelectElementFindsAPictureLeafButNoField)
{
    TTreeFixture f;
    ASSERT_TRUE(f.tree->SelectElement(3)); // the picture "long"
    const QModelIndex selected = f.tree->currentIndex();
    EXPECT_EQ(selected, f.At({"Records", "person", "Pictures", "long"}));
    EXPECT_TRUE(f.tree->isExpanded(f.At({"Records", "person", "Pictures"})));
    EXPECT_TRUE(f.tree->isExpanded(f.At({"Records"})));
    EXPECT_EQ(f.tree->SelectedLeafElement(), 3);

    EXPECT_FALSE(f.tree->SelectElement(1)); // the field "name"
    EXPECT_EQ(f.tree->currentIndex(), selected);

    f.mdi.ShowStructure(f.mdi.Document().db.Definitions().At(0)); // the record: its "Fields" leaf
    EXPECT_EQ(f.tree->currentIndex(), f.At({"Records", "person", "Fields"}));
}

TEST(SpecTree, SingleClickOnlyBringsAnOpenDefinitionForward)
{
    TTreeFixture f;
    f.tree->expandAll();
    const QModelIndex leaf = f.At({"Records", "person", "Pictures", "short"});
    f.Click(leaf);
    EXPECT_EQ(f.Children(), 1);

    f.DoubleClick(leaf);
    ASSERT_EQ(f.Children(), 2);
    QMdiSubWindow* window = f.mdi.FindChild({TChildKey::Definition, 2});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(),
              f.mdi.Document().db.Definitions().At(2)->Title());

    f.mdi.ShowStructure();
    ASSERT_EQ(f.mdi.currentSubWindow(), f.mdi.TreeChild());
    f.Click(f.At({"Records", "person", "Pictures", "long"}));
    EXPECT_EQ(f.mdi.currentSubWindow(), f.mdi.TreeChild());
    f.Click(leaf);
    EXPECT_EQ(f.mdi.currentSubWindow(), window);
    EXPECT_EQ(f.Children(), 2);
}

TEST(SpecTree, DoubleClickOnABookExpandsItAndOpensNothing)
{
    TTreeFixture f;
    const QModelIndex records = f.At({"Records"});
    f.DoubleClick(records);
    EXPECT_TRUE(f.tree->isExpanded(records));
    f.DoubleClick(records);
    EXPECT_FALSE(f.tree->isExpanded(records));
    EXPECT_EQ(f.Children(), 1);
}

TEST(SpecTree, EnterOpensTheSelectedLeaf)
{
    TTreeFixture f;
    ASSERT_TRUE(f.tree->SelectElement(0));
    QTest::keyClick(f.tree, Qt::Key_Return);
    QMdiSubWindow* window = f.mdi.FindChild({TChildKey::Definition, 0});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Record person");

    f.mdi.ShowStructure();
    f.tree->setCurrentIndex(f.At({"Records"}));
    QTest::keyClick(f.tree, Qt::Key_Return);
    EXPECT_EQ(f.Children(), 2);
}

TEST(StructTree, LargeDesignMakesNoWidgetPerElement)
{
    std::string text = "0 @person@ RECORD\n";
    constexpr int kGroups = 20000;
    for (int i = 0; i < kGroups; ++i)
        text += "0 @g" + std::to_string(i) + "@ GROUP\n1 @p@ PICTURE x\n";
    TDatabase db;
    db.ReadText(text, "big");
    TStructTree tree;
    tree.Fill(db.Definitions(), db.Name());
    tree.resize(300, 600);
    tree.show();
    tree.expandAll();
    QApplication::processEvents();
    EXPECT_EQ(tree.model()->rowCount(Path(*tree.model(), {"Groups"})), kGroups);
    EXPECT_LT(tree.findChildren<QWidget*>().size(), 20);
}
