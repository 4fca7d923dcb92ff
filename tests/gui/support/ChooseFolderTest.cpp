#include "GuiHelpers.h"
#include "core/TempFolder.h"
#include "gui/support/TChooseFolderDialog.h"
#include "gui/support/TIconSet.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A folder tree with database folders by every rule, and some that fail one.
struct TFolders {
    TTempFolder root;
    QString data;

    TFolders()
    {
        root.Write("data/family.kvd/control.ged", "0 TRLR\n");
        root.Write("data/nodb.kvd/readme.txt", "no control.ged here");
        root.Write("data/plain/control.ged", "0 TRLR\n");
        root.Write("data/SHOUT.KVH/CONTROL.GED", "0 TRLR\n");
        root.Write("data/other.kvu/control.ged", "0 TRLR\n");
        root.Write("data/short.kv/control.ged", "0 TRLR\n");
        root.Write("data/deeper/x/y/z.txt", "");
        data = QString::fromStdString(root.Path()) + "/data";
    }
    QStringList Roots() const { return {QString::fromStdString(root.Path())}; }
};

QTreeWidgetItem* Find(QTreeWidgetItem* parent, const QString& text)
{
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    return nullptr;
}

QTreeWidgetItem* DataNode(TChooseFolderDialog& dialog)
{
    return Find(dialog.Tree().topLevelItem(0), "data");
}

bool IsDatabase(const QTreeWidgetItem* node)
{
    return node->data(0, TChooseFolderDialog::NodeRole).toInt() & TChooseFolderDialog::Database;
}

QPoint Centre(QTreeWidget& tree, QTreeWidgetItem* node)
{
    tree.scrollToItem(node);
    return tree.visualItemRect(node).center();
}

} // namespace

TEST(FolderChooser, DatabaseFolderNamesByTheirLastDot)
{
    for (const char* yes : {"/a/family.kvd", "/a/FAMILY.KVD", "/a/b.kvg", "/a/b.kvt", "/a/b.KVH",
                            "/a/b.kvhx", "c.kvm"})
        EXPECT_TRUE(TChooseFolderDialog::IsDatabaseFolderName(yes)) << yes;
    for (const char* no : {"/a/b.kvu", "/a/b.kv", "/a/b.kvf", "/a/b.kvdx", "/a/family",
                           "/a.kvd/family", "/a/b.kd", ""})
        EXPECT_FALSE(TChooseFolderDialog::IsDatabaseFolderName(no)) << no;
}

TEST(FolderChooser, DatabaseFolderNeedsItsNameAndAControlGedOfAnyCase)
{
    TFolders folders;
    TChooseFolderDialog dialog(nullptr, "Kinvault Database", folders.data, folders.Roots());
    QTreeWidgetItem* data = DataNode(dialog);
    ASSERT_NE(data, nullptr);
    QStringList names;
    for (int i = 0; i < data->childCount(); ++i)
        names.append(data->child(i)->text(0));
    EXPECT_EQ(names, QStringList({"deeper", "family.kvd", "nodb.kvd", "other.kvu", "plain",
                                  "short.kv", "SHOUT.KVH"}));
    EXPECT_TRUE(IsDatabase(Find(data, "family.kvd")));
    EXPECT_TRUE(IsDatabase(Find(data, "SHOUT.KVH")));
    for (const char* plain : {"deeper", "nodb.kvd", "other.kvu", "plain", "short.kv"})
        EXPECT_FALSE(IsDatabase(Find(data, plain))) << plain;
    EXPECT_EQ(dialog.windowTitle(), "Kinvault Database");
}

TEST(FolderChooser, OkIsEnabledOnlyOnADatabaseFolder)
{
    TFolders folders;
    TChooseFolderDialog dialog(nullptr, "Kinvault Database", folders.data, folders.Roots());
    QTreeWidgetItem* data = DataNode(dialog);
    EXPECT_FALSE(dialog.OkButton().isEnabled());
    dialog.Tree().setCurrentItem(Find(data, "plain"));
    EXPECT_FALSE(dialog.OkButton().isEnabled());
    dialog.Tree().setCurrentItem(Find(data, "family.kvd"));
    EXPECT_TRUE(dialog.OkButton().isEnabled());
    dialog.Tree().setCurrentItem(nullptr);
    EXPECT_FALSE(dialog.OkButton().isEnabled());
}

TEST(FolderChooser, StartPathOpensOnItsBestMatchShownButNotSelected)
{
    TFolders folders;
    TChooseFolderDialog dialog(nullptr, "Kinvault Database", folders.data + "/family.kvd",
                               folders.Roots());
    EXPECT_EQ(dialog.Drives().currentText().toStdString(), folders.root.Path());
    QTreeWidgetItem* best = dialog.BestMatch();
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(TChooseFolderDialog::FullPath(best), folders.data + "/family.kvd");
    EXPECT_TRUE(best->parent()->isExpanded());
    EXPECT_FALSE(best->isSelected());

    // A start path below no folder that exists matches its deepest existing part.
    TChooseFolderDialog partial(nullptr, "Kinvault Database", folders.data + "/deeper/x/gone",
                                folders.Roots());
    ASSERT_NE(partial.BestMatch(), nullptr);
    EXPECT_EQ(TChooseFolderDialog::FullPath(partial.BestMatch()), folders.data + "/deeper/x");
}

TEST(FolderChooser, EveryFolderShowsTheIconOfItsState)
{
    TFolders folders;
    const auto image = [](const QIcon& icon) { return icon.pixmap(16).toImage(); };
    ASSERT_NE(image(TIconSet::Icon(TIconSet::FolderOpen)),
              image(TIconSet::Icon(TIconSet::FolderClosed)));
    for (const QString& start : {folders.data + "/family.kvd", folders.data + "/deeper/x",
                                 folders.data, QString("/nowhere")}) {
        TChooseFolderDialog dialog(nullptr, "Kinvault Database", start, folders.Roots());
        std::vector<QTreeWidgetItem*> nodes{dialog.Tree().topLevelItem(0)};
        int expanded = 0;
        while (!nodes.empty()) {
            QTreeWidgetItem* node = nodes.back();
            nodes.pop_back();
            const TIconSet::Id wanted = IsDatabase(node)     ? TIconSet::DatabaseFolder
                                        : node->isExpanded() ? TIconSet::FolderOpen
                                                             : TIconSet::FolderClosed;
            EXPECT_TRUE(image(node->icon(0)) == image(TIconSet::Icon(wanted)))
                << wanted << " " << TChooseFolderDialog::FullPath(node).toStdString();
            expanded += node->isExpanded();
            for (int i = 0; i < node->childCount(); ++i)
                nodes.push_back(node->child(i));
        }
        EXPECT_GT(expanded, 0) << start.toStdString();
    }
}

TEST(FolderChooser, StartPathUnderNoRootShowsTheFirstRoot)
{
    TFolders folders;
    for (const QString& start : {QString("/nowhere/at/all"), QString(), QString("Kinvault")}) {
        TChooseFolderDialog dialog(nullptr, "Kinvault Database", start, folders.Roots());
        EXPECT_EQ(dialog.Drives().currentIndex(), 0);
        EXPECT_EQ(dialog.Tree().topLevelItemCount(), 1);
    }
}

TEST(FolderChooser, StartPathMatchesWithoutRegardToCase)
{
    TFolders folders;
    TChooseFolderDialog dialog(nullptr, "Kinvault Database", folders.data.toUpper() + "/shout.kvh",
                               folders.Roots());
    QTreeWidgetItem* data = DataNode(dialog);
    ASSERT_NE(data, nullptr);
    QTreeWidgetItem* shout = Find(data, "SHOUT.KVH");
    ASSERT_NE(shout, nullptr);
    EXPECT_TRUE(shout->isExpanded()); // the best match, shown but not selected
    EXPECT_EQ(dialog.Tree().currentItem(), nullptr);
}

TEST(FolderChooser, OkGivesTheFolderAndItsParentInTheTreesCase)
{
    TFolders folders;
    TChooseFolderDialog dialog(nullptr, "Kinvault Database", folders.data, folders.Roots());
    dialog.Tree().setCurrentItem(Find(DataNode(dialog), "SHOUT.KVH"));
    dialog.OkButton().click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result(), folders.data + "/SHOUT.KVH");
    EXPECT_EQ(dialog.StartPath(), folders.data);
}

TEST(FolderChooser, DoubleClickExpandsAPlainFolderAndAcceptsADatabase)
{
    TFolders folders;
    TChooseFolderDialog dialog(nullptr, "Kinvault Database", folders.data, folders.Roots());
    dialog.show();
    QTreeWidget& tree = dialog.Tree();
    QTreeWidgetItem* deeper = Find(DataNode(dialog), "deeper");
    ASSERT_FALSE(deeper->isExpanded());
    DoubleClick(tree.viewport(), Centre(tree, deeper));
    EXPECT_TRUE(deeper->isExpanded());
    EXPECT_TRUE(dialog.isVisible());
    // Listing on expansion gives the grandchildren their own children.
    EXPECT_EQ(Find(deeper, "x")->childCount(), 1);

    QTreeWidgetItem* family = Find(DataNode(dialog), "family.kvd");
    DoubleClick(tree.viewport(), Centre(tree, family));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result(), folders.data + "/family.kvd");
}

TEST(FolderChooser, HelpAsksForItsTopicAndCancelChangesNothing)
{
    TFolders folders;
    TChooseFolderDialog dialog(nullptr, "Kinvault Database", folders.data, folders.Roots());
    std::vector<int> asked;
    QObject::connect(&dialog, &TChooseFolderDialog::HelpRequested,
                     [&](int id) { asked.push_back(id); });
    dialog.show();
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == "Help")
            button->click();
    EXPECT_EQ(asked, std::vector<int>({151}));
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
    EXPECT_TRUE(dialog.Result().isEmpty());
    EXPECT_EQ(dialog.StartPath(), folders.data);
}

TEST(FolderChooser, DefaultRootsHoldTheRootAndTheHomeFolder)
{
    const QStringList roots = TChooseFolderDialog::DefaultRoots();
    EXPECT_TRUE(roots.contains("/"));
    EXPECT_TRUE(roots.contains(QDir::homePath()));
    QStringList sorted = roots;
    sorted.sort();
    EXPECT_EQ(roots, sorted);
}
