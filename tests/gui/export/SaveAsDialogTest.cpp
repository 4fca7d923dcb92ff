#include "GuiHelpers.h"
#include "ModelCheck.h"
#include "core/export/RecordingHost.h"
#include "export/SaveAsText.h"
#include "export/TOutline.h"
#include "export/TSelectionTree.h"
#include "gui/export/TSaveAsDialog.h"
#include "gui/export/TSaveAsModel.h"
#include "gui/export/TSaveAsTree.h"
#include "load/TDatabase.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

namespace {

const char* const kGroupsAndRecords = "Groups && Records";
const char* const kPictures = "Pictures";
const char* const kLists = "Lists";
const char* const kTablesAndReports = "Tables && Reports";
const char* const kSettings = "Settings";

std::vector<QModelIndex> Nodes(const QAbstractItemModel& model, const QModelIndex& parent = {})
{
    std::vector<QModelIndex> nodes;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        nodes.push_back(index);
        const auto below = Nodes(model, index);
        nodes.insert(nodes.end(), below.begin(), below.end());
    }
    return nodes;
}

Qt::CheckState Check(const QModelIndex& index)
{
    return static_cast<Qt::CheckState>(index.data(Qt::CheckStateRole).toInt());
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

// Where a click lands on the node's check box, laid out as the view's delegate lays it out.
QPoint CheckBoxCentre(QTreeView& tree, const QModelIndex& index)
{
    tree.scrollTo(index);
    QStyleOptionViewItem option;
    option.initFrom(tree.viewport());
    option.rect = tree.visualRect(index);
    option.features = QStyleOptionViewItem::HasCheckIndicator |
                      QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasDisplay;
    option.decorationSize = tree.iconSize();
    option.text = index.data().toString();
    return tree.style()
        ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &tree)
        .center();
}

// The example database (or the one in design) in an open dialog whose file chooser answers with
// `answer` and records the folder it was started in; or, with platformChooser, that starts the
// platform's chooser in the temporary folder.
struct TDialogFixture {
    TDatabase db;
    TRecordingHost host;
    TTempFolder temp;
    QString folder = QString::fromStdString(temp.Path()) + "/start";
    QString answer;
    QStringList asked;
    std::unique_ptr<TSaveAsDialog> dialog;
    TSaveAsTree* tree = nullptr;

    explicit TDialogFixture(const std::string& design = STEMLOOK_EXAMPLES_DIR "/family.kvd",
                            bool platformChooser = false)
    {
        if (db.ReadFile(design) != TDatabase::TLoadResult::Loaded)
            throw std::runtime_error("example did not load");
        if (platformChooser)
            folder = QString::fromStdString(temp.Path());
        dialog = platformChooser
                     ? std::make_unique<TSaveAsDialog>(nullptr, db, host, folder)
                     : std::make_unique<TSaveAsDialog>(nullptr, db, host, folder,
                                                       [this](QWidget*, const QString& start) {
                                                           asked.append(start);
                                                           return answer;
                                                       });
        dialog->show();
        tree = dialog->findChild<TSaveAsTree*>();
        if (!tree)
            throw std::runtime_error("no tree");
    }

    QString TempPath(const std::string& name) const
    {
        return QString::fromStdString(temp.Path() + "/" + name);
    }
    TSaveAsModel& Model() const { return *tree->Selection(); }
    QPushButton& Button(const QString& text) const
    {
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == text)
                return *button;
        throw std::runtime_error("no button " + text.toStdString());
    }
    QCheckBox& Box(const QString& text) const
    {
        for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
            if (box->text() == text)
                return *box;
        throw std::runtime_error("no box " + text.toStdString());
    }
    QStringList Ticked() const
    {
        QStringList ticked;
        for (const char* text :
             {kGroupsAndRecords, kPictures, kLists, kTablesAndReports, kSettings})
            if (Box(text).isChecked())
                ticked.append(text);
        return ticked;
    }
    QString Status() const { return dialog->findChild<QLabel*>("status")->text(); }
    bool SaveEnabled() const { return Button("&Save").isEnabled(); }
    void Save() const { Button("&Save").click(); }
    QModelIndex At(const QStringList& labels) const
    {
        QModelIndex index = Model().index(0, 0);
        for (const QString& label : labels)
            index = Child(Model(), index, label);
        return index;
    }
    int KindOf(const QModelIndex& leaf) const
    {
        return db.Definitions().At(static_cast<size_t>(TStructTree::ElementOf(leaf)))->kind;
    }

    // The leaves whose check mark is not "checked exactly when the element's kind is one of
    // kinds"; empty when the tree shows exactly that selection.
    QStringList LeavesNotCheckedAsKinds(const std::set<int>& kinds) const
    {
        QStringList wrong;
        for (const QModelIndex& node : Nodes(Model())) {
            if (Model().rowCount(node) > 0)
                continue;
            const bool selected = kinds.count(KindOf(node)) > 0;
            if (Check(node) != (selected ? Qt::Checked : Qt::Unchecked))
                wrong.append(node.data().toString());
        }
        return wrong;
    }
    int CheckedLeaves() const
    {
        int count = 0;
        for (const QModelIndex& node : Nodes(Model()))
            count += Model().rowCount(node) == 0 && Check(node) == Qt::Checked;
        return count;
    }
    // The inner nodes whose mark does not say whether all, some or none of the leaves below
    // them are checked.
    QStringList InnerNodesNotFollowingTheirLeaves() const
    {
        QStringList wrong;
        for (const QModelIndex& node : Nodes(Model())) {
            if (Model().rowCount(node) == 0)
                continue;
            int leaves = 0;
            int checked = 0;
            for (const QModelIndex& below : Nodes(Model(), node)) {
                if (Model().rowCount(below) > 0)
                    continue;
                ++leaves;
                checked += Check(below) == Qt::Checked;
            }
            const Qt::CheckState expected = checked == 0        ? Qt::Unchecked
                                            : checked == leaves ? Qt::Checked
                                                                : Qt::PartiallyChecked;
            if (Check(node) != expected)
                wrong.append(node.data().toString());
        }
        return wrong;
    }
    void ClickCheckBox(const QModelIndex& index) const
    {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, CheckBoxCentre(*tree, index));
    }
    std::string Document(unsigned bits)
    {
        std::ostringstream out;
        TRecordingHost quiet;
        SaveAsTextDocument(db, bits, out, quiet);
        return out.str();
    }
};

const std::set<int> kOpeningKinds{kinds::Choice, kinds::Group, kinds::Record, kinds::Picture,
                                  kinds::PlanPicture};

} // namespace

TEST(SaveAsModel, PassesTheItemModelChecksThroughSelectionsAndToggles)
{
    TDatabase db;
    ASSERT_EQ(db.ReadFile(STEMLOOK_EXAMPLES_DIR "/family.kvd"), TDatabase::TLoadResult::Loaded);
    TSaveAsTree tree;
    tree.Fill(db.Definitions(), db.Name());
    {
        const TModelCheck tester(tree.model());
        tree.expandAll();
        tree.Selection()->ApplyQuickSelection(TSelectionTree::kAll);
        tree.Selection()->Toggle(tree.model()->index(0, 0, tree.model()->index(0, 0)));
        tree.Selection()->ApplyQuickSelection(0);
    }
    EXPECT_EQ(tree.model()->index(0, 0).data().toString(), "family.kvd");
    EXPECT_TRUE(tree.model()->flags(tree.model()->index(0, 0)) & Qt::ItemIsUserCheckable);
}

TEST(SaveAsDialog, OpensWithChoicesGroupsRecordsAndPicturesChecked)
{
    TDialogFixture f;
    EXPECT_EQ(f.dialog->windowTitle(), "Select Elements to Save as Text");
    EXPECT_EQ(f.Ticked(), QStringList({kGroupsAndRecords, kPictures}));
    EXPECT_EQ(f.LeavesNotCheckedAsKinds(kOpeningKinds), QStringList());
    EXPECT_GT(f.CheckedLeaves(), 0);
    EXPECT_EQ(f.InnerNodesNotFollowingTheirLeaves(), QStringList());
    EXPECT_EQ(Check(f.At({})), Qt::PartiallyChecked);
    EXPECT_TRUE(f.SaveEnabled());
    EXPECT_TRUE(f.Button("&Save").isDefault());
    EXPECT_EQ(f.Status(), "");
    EXPECT_TRUE(f.tree->isExpanded(f.At({})));
}

TEST(SaveAsDialog, SettingsAloneChecksOnlyTheOptions)
{
    TDialogFixture f;
    f.Box(kGroupsAndRecords).click();
    f.Box(kPictures).click();
    f.Box(kSettings).click();
    EXPECT_EQ(f.Ticked(), QStringList({kSettings}));
    EXPECT_EQ(f.LeavesNotCheckedAsKinds({kinds::Options}), QStringList());
    EXPECT_EQ(f.CheckedLeaves(), 1);
    EXPECT_EQ(f.InnerNodesNotFollowingTheirLeaves(), QStringList());
    EXPECT_TRUE(f.SaveEnabled());
}

TEST(SaveAsDialog, SettingsWithTablesAndReportsChecksPrintSettingsToo)
{
    TDialogFixture f;
    f.Box(kTablesAndReports).click();
    f.Box(kSettings).click();
    std::set<int> kinds = kOpeningKinds;
    kinds.insert({kinds::Table, kinds::Report, kinds::Options, kinds::PrintSettings});
    EXPECT_EQ(f.LeavesNotCheckedAsKinds(kinds), QStringList());
    EXPECT_EQ(f.InnerNodesNotFollowingTheirLeaves(), QStringList());

    // Without the settings box, the print settings go with it.
    f.Box(kSettings).click();
    kinds.erase(kinds::Options);
    kinds.erase(kinds::PrintSettings);
    EXPECT_EQ(f.LeavesNotCheckedAsKinds(kinds), QStringList());
}

TEST(SaveAsDialog, UntickingEveryBoxUnchecksAllAndDisablesSave)
{
    TDialogFixture f;
    f.Box(kGroupsAndRecords).click();
    EXPECT_TRUE(f.SaveEnabled());
    f.Box(kPictures).click();
    EXPECT_EQ(f.CheckedLeaves(), 0);
    EXPECT_EQ(Check(f.At({})), Qt::Unchecked);
    EXPECT_FALSE(f.SaveEnabled());
    f.Save();
    QTest::keyClick(f.dialog.get(), Qt::Key_Return);
    EXPECT_TRUE(f.asked.isEmpty());
    EXPECT_TRUE(f.dialog->isVisible());
}

TEST(SaveAsDialog, ClickOnACategoryBoxTogglesItsLeavesAndClearsTheQuickSelection)
{
    TDialogFixture f;
    f.answer = f.TempPath("out.txt");
    f.Save();
    ASSERT_EQ(f.Status(), "Save complete");
    QSignalSpy toggled(f.tree, &TSaveAsTree::HandToggled);

    const QModelIndex lists = f.At({"Lists"});
    ASSERT_TRUE(lists.isValid());
    ASSERT_EQ(Check(lists), Qt::Unchecked);
    f.ClickCheckBox(lists);
    EXPECT_EQ(toggled.count(), 1);
    EXPECT_EQ(Check(lists), Qt::Checked);
    EXPECT_EQ(f.LeavesNotCheckedAsKinds({kinds::Choice, kinds::Group, kinds::Record, kinds::Picture,
                                         kinds::PlanPicture, kinds::List}),
              QStringList());
    EXPECT_EQ(f.Ticked(), QStringList());
    EXPECT_EQ(f.Status(), "");
    EXPECT_TRUE(f.SaveEnabled());

    f.ClickCheckBox(lists);
    EXPECT_EQ(toggled.count(), 2);
    EXPECT_EQ(f.LeavesNotCheckedAsKinds(kOpeningKinds), QStringList());
    EXPECT_EQ(f.InnerNodesNotFollowingTheirLeaves(), QStringList());

    // Unchecking the root by hand leaves nothing to save.
    f.ClickCheckBox(f.At({}));
    EXPECT_EQ(f.CheckedLeaves(), 0);
    EXPECT_FALSE(f.SaveEnabled());
}

TEST(SaveAsDialog, ClickBesideTheCheckBoxChangesNoMark)
{
    TDialogFixture f;
    QSignalSpy toggled(f.tree, &TSaveAsTree::HandToggled);
    const QModelIndex lists = f.At({"Lists"});
    const QRect row = f.tree->visualRect(lists);
    QTest::mouseClick(f.tree->viewport(), Qt::LeftButton, {}, {row.right() - 2, row.center().y()});
    DoubleClick(f.tree->viewport(), {row.right() - 2, row.center().y()});
    EXPECT_EQ(Check(lists), Qt::Unchecked);
    EXPECT_EQ(toggled.count(), 0);
    EXPECT_EQ(f.Ticked(), QStringList({kGroupsAndRecords, kPictures}));
}

TEST(SaveAsDialog, SpaceTogglesTheCurrentNodeAndPartlyCheckedBecomesUnchecked)
{
    TDialogFixture f;
    f.tree->setFocus();
    const QModelIndex root = f.At({});
    ASSERT_EQ(Check(root), Qt::PartiallyChecked);
    f.tree->setCurrentIndex(root);
    QTest::keyClick(f.tree, Qt::Key_Space);
    EXPECT_EQ(Check(root), Qt::Unchecked);
    EXPECT_EQ(f.CheckedLeaves(), 0);
    EXPECT_EQ(f.Ticked(), QStringList());
    EXPECT_FALSE(f.SaveEnabled());

    QTest::keyClick(f.tree, Qt::Key_Space);
    EXPECT_EQ(Check(root), Qt::Checked);
    EXPECT_EQ(f.InnerNodesNotFollowingTheirLeaves(), QStringList());
    EXPECT_TRUE(f.SaveEnabled());
}

TEST(SaveAsDialog, SaveWritesTheCoresDocumentAndRemembersTheFolder)
{
    TDialogFixture f;
    const QString start = f.folder;
    f.answer = f.TempPath("design.txt");
    TBoxes boxes;
    f.Save();
    EXPECT_EQ(f.asked, QStringList({start}));
    EXPECT_EQ(TTempFolder::Read(f.temp.Path() + "/design.txt"), f.Document(3));
    EXPECT_EQ(f.Status(), "Save complete");
    EXPECT_EQ(f.folder, QString::fromStdString(f.temp.Path()));
    EXPECT_TRUE(f.dialog->isVisible());

    // A quick selection leaves the status line; the same file is written afresh, whole.
    f.Box(kLists).click();
    f.Box(kTablesAndReports).click();
    f.Box(kSettings).click();
    EXPECT_EQ(f.Status(), "Save complete");
    f.Save();
    EXPECT_EQ(f.asked.value(1), f.folder);
    EXPECT_EQ(TTempFolder::Read(f.temp.Path() + "/design.txt"), f.Document(TSelectionTree::kAll));
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_TRUE(f.host.errors.empty());
}

TEST(SaveAsDialog, SaveAfterAHandChangeWritesTheCheckedLeavesOnly)
{
    TDialogFixture f;
    const QModelIndex lists = f.At({"Lists"});
    f.ClickCheckBox(lists);
    f.answer = f.TempPath("hand.txt");
    f.Save();

    TOutline outline;
    outline.Fill(f.db.Definitions(), f.db.Name());
    TSelectionTree reference(outline, f.db.Definitions());
    reference.ApplyQuickSelection(3);
    reference.Toggle(f.Model().NodeOf(lists));
    std::ostringstream expected;
    TRecordingHost quiet;
    reference.WriteChecked(expected, f.db.Name(), quiet);
    EXPECT_EQ(TTempFolder::Read(f.temp.Path() + "/hand.txt"), expected.str());
    EXPECT_NE(expected.str(), f.Document(3));
}

TEST(SaveAsDialog, SavingABareFileNameKeepsTheRememberedFolder)
{
    TDialogFixture f;
    const QString before = f.folder;
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(f.temp.Path())));
    f.answer = "bare.txt";
    f.Save();
    QDir::setCurrent(current);
    EXPECT_EQ(f.Status(), "Save complete");
    EXPECT_EQ(TTempFolder::Read(f.temp.Path() + "/bare.txt"), f.Document(3));
    EXPECT_EQ(f.folder, before);
}

TEST(SaveAsDialog, CancelledChooserWritesNothing)
{
    TDialogFixture f;
    f.answer.clear();
    f.Save();
    EXPECT_EQ(f.asked.size(), 1);
    EXPECT_EQ(f.Status(), "");
    EXPECT_EQ(f.folder, QString::fromStdString(f.temp.Path()) + "/start");
    EXPECT_TRUE(std::filesystem::is_empty(f.temp.Path()));
}

TEST(SaveAsDialog, FileThatCannotBeCreatedIsReportedWithPathAndReason)
{
    for (const std::string name : {"missing/folder/out.txt", "a folder"}) {
        TDialogFixture f;
        std::filesystem::create_directory(f.temp.Path() + "/a folder");
        const QString before = f.folder;
        f.answer = f.TempPath(name);
        TBoxes boxes;
        f.Save();
        ASSERT_EQ(boxes.seen.size(), 1) << name;
        EXPECT_EQ(boxes.seen[0].caption, "Save As Text");
        EXPECT_TRUE(boxes.seen[0].text.contains(f.answer)) << boxes.seen[0].text.toStdString();
        // The reason follows the path.
        EXPECT_GT(boxes.seen[0].text.size(), f.answer.size() + 4);
        EXPECT_EQ(f.Status(), "Save failed");
        EXPECT_EQ(f.folder, before);
        EXPECT_FALSE(std::filesystem::is_regular_file(f.temp.Path() + "/" + name));
    }
}

TEST(SaveAsDialog, FileThatCannotBeWrittenIsReported)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TDialogFixture f;
    f.answer = "/dev/full";
    TBoxes boxes;
    f.Save();
    ASSERT_EQ(boxes.seen.size(), 1);
    EXPECT_TRUE(boxes.seen[0].text.contains("/dev/full"));
    EXPECT_EQ(f.Status(), "Save failed");
}

// The spellings of the file are SaveFile's to tell; here the dialog must hand it the design's.
TEST(SaveAsDialog, TheDesignsDefinitionFileIsRefused)
{
    // A copy of the example: a fault here must not write the one in the source tree.
    TTempFolder copy;
    const std::string text = TTempFolder::Read(STEMLOOK_EXAMPLES_DIR "/family.kvd/control.ged");
    const std::string ged = copy.Write("family.kvd/control.ged", text);
    TDialogFixture f(copy.Path() + "/family.kvd");
    f.answer = QString::fromStdString(ged);
    TBoxes boxes;
    f.Save();
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].caption, "Save As Text");
    EXPECT_TRUE(boxes.seen[0].text.contains(f.answer));
    EXPECT_TRUE(boxes.seen[0].text.contains("definition file"));
    EXPECT_EQ(f.Status(), "Save failed");
    EXPECT_EQ(TTempFolder::Read(ged), text);
}

// A folder that does not exist is refused and the chooser asked again.
TEST(SaveAsDialog, PlatformChooserAsksForATextFileInTheRememberedFolder)
{
    TDialogFixture f(STEMLOOK_EXAMPLES_DIR "/family.kvd", true);
    const QString folder = f.folder;
    QString title;
    QStringList filters;
    QString directory;
    int asked = 0;
    TModalAnswer answer([&](QDialog& modal) {
        auto* chooser = qobject_cast<QFileDialog*>(&modal);
        if (!chooser)
            return;
        if (++asked == 1) {
            title = chooser->windowTitle();
            filters = chooser->nameFilters();
            directory = chooser->directory().absolutePath();
        }
        // Typed into the name box, which keeps the text of the first try when asked again.
        if (auto* name = chooser->findChild<QLineEdit*>("fileNameEdit"))
            name->setText(asked == 1 ? "missing/typed" : "typed");
    });
    TBoxes boxes;
    f.Save();
    EXPECT_EQ(title, "Save As Text");
    EXPECT_EQ(filters, QStringList({"Text File (*.txt)"}));
    EXPECT_EQ(directory, QDir(folder).absolutePath());
    EXPECT_EQ(asked, 2);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].caption, "Save As Text");
    EXPECT_TRUE(boxes.seen[0].text.startsWith(QDir::toNativeSeparators(folder + "/missing\n")))
        << boxes.seen[0].text.toStdString();
    EXPECT_FALSE(std::filesystem::exists(f.temp.Path() + "/missing"));
    // A name without an extension gets ".txt".
    EXPECT_EQ(TTempFolder::Read(f.temp.Path() + "/typed.txt"), f.Document(3));
    EXPECT_EQ(f.folder, folder);
}

TEST(SaveAsDialog, PathMustNameAFolderThatExists)
{
    TTempFolder temp;
    temp.Write("sub/file.txt", "x");
    const QString root = QString::fromStdString(temp.Path());
    for (const QString& path : {root + "/new.txt", root + "/sub/file.txt", root + "/sub/new.txt",
                                root + "/sub/", QString("bare.txt")})
        EXPECT_TRUE(TSaveAsDialog::FolderExists(path)) << path.toStdString();
    // A file is no folder.
    for (const QString& path :
         {root + "/missing/new.txt", root + "/sub/missing/new.txt", root + "/sub/file.txt/new.txt",
          QString("missing-folder-of-the-test/new.txt"), QString()})
        EXPECT_FALSE(TSaveAsDialog::FolderExists(path)) << path.toStdString();
}

TEST(SaveAsDialog, HelpAsksForItsTopicAndExitCloses)
{
    TDialogFixture f;
    QSignalSpy help(f.dialog.get(), &TSaveAsDialog::HelpRequested);
    f.Button("&Help").click();
    ASSERT_EQ(help.count(), 1);
    EXPECT_EQ(help[0][0].toInt(), 150);
    EXPECT_TRUE(f.dialog->isVisible());
    f.Button("E&xit").click();
    EXPECT_FALSE(f.dialog->isVisible());
    EXPECT_EQ(f.dialog->result(), QDialog::Rejected);
}

TEST(SaveAsSettings, SaveAsPathDefaultsToKinvaultInHomeAndIsKept)
{
    TTempFolder temp;
    const QString path = QString::fromStdString(temp.Path() + "/stemlook.ini");
    EXPECT_EQ(TSettings(path).SaveAsPath(), QDir::homePath() + "/Kinvault");
    TSettings(path).SetSaveAsPath("/some/where");
    EXPECT_EQ(TSettings(path).SaveAsPath(), "/some/where");
    EXPECT_EQ(TSettings(path).InitialPath(), QDir::homePath() + "/Kinvault");
}
