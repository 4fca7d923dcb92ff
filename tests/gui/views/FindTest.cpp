#include "GuiHelpers.h"
#include "ModelCheck.h"
#include "gui/app/TSpecMDI.h"
#include "gui/support/CommandIds.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDisplayFind.h"
#include "gui/views/TDisplayWindow.h"
#include "gui/views/TFindModel.h"
#include "gui/views/TSpecTree.h"
#include "gui/views/TTreeChild.h"
#include "model/TDefBase.h"

#include <QClipboard>
#include <QInputDialog>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// "needle" on line 35 of a long picture (a screen below its top), in a table's second column and
// in a list's filter; the picture "other" does not hold it.
std::string Design()
{
    std::string text = "0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                       "1 @long@ PICTURE name\n";
    for (int line = 2; line <= 40; ++line)
        text += line == 35 ? "2 CONT name \"a Needle\"\n" : "2 CONT name\n";
    return text + "1 @other@ PICTURE name\n"
                  "0 @T@ TABLE\n1 TYPE person\n1 COLUMN\n2 TITLE Name\n2 PICTURE name\n"
                  "1 COLUMN\n2 TITLE Tag\n2 PICTURE \"x\"\n2 CONT \"needle\" name\n"
                  "0 LIST\n1 TYPE person\n1 METHOD index\n1 FILTER name = \"NEEDLE\"\n"
                  "0 TRLR\n";
}

const std::string kRows = "person picture script long\t35\tname \"a Needle\"\n"
                          "person Table T Col. 2\t2\t\"needle\" name\n"
                          "List 1: (person) Filter script\t1\tname = \"NEEDLE\"\n";

TDisplayChild* Active(const TSpecMDI& mdi)
{
    return qobject_cast<TDisplayChild*>(mdi.currentSubWindow());
}

// Runs Find in Scripts, typing the text into its dialog (a null text takes the one offered);
// returns the text the dialog offered. seen: the dialogs; boxes: the message boxes shown.
QString Find(TFrameFixture& f, const QString& text, std::vector<TSeenModal>* seen = nullptr,
             std::vector<TMessage>* boxes = nullptr)
{
    QString offered;
    std::optional<TBoxes> shown;
    if (boxes)
        shown.emplace();
    TModalAnswer answer([&](QDialog& dialog) {
        if (auto* ask = qobject_cast<QInputDialog*>(&dialog)) {
            offered = ask->textValue();
            if (!text.isNull())
                ask->setTextValue(text);
        }
    });
    f.frame->Commands().Action(commands::FindInScripts)->trigger();
    if (seen)
        *seen = answer.seen;
    if (boxes)
        *boxes = shown->seen;
    return offered;
}

// Selects the find window's row and presses Enter in it.
void OpenRow(TDisplayFind& find, int row)
{
    find.selectionModel()->setCurrentIndex(find.model()->index(row, 0),
                                           QItemSelectionModel::ClearAndSelect |
                                               QItemSelectionModel::Rows);
    QTest::keyClick(&find, Qt::Key_Return);
}

} // namespace

TEST(FindInScripts, CommandOpensOneWindowPerTextWithARowPerLine)
{
    TFrameFixture f;
    QAction* command = f.frame->Commands().Action(commands::FindInScripts);
    EXPECT_FALSE(command->isEnabled());
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("a.kvd", Design())));
    EXPECT_TRUE(command->isEnabled());
    TSpecMDI& mdi = f.frame->Client();

    // The tree's selected leaf offers its name.
    const TDefBase* other =
        mdi.Document().db.Definitions().FindTitled("person picture script other");
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(mdi.TreeChild()->Tree().SelectElement(other->index));
    std::vector<TSeenModal> seen;
    EXPECT_EQ(Find(f, "NEEDLE", &seen), "other");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "Find in Scripts");

    TDisplayChild* window = Active(mdi);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Find: NEEDLE");
    EXPECT_EQ(window->Key().role, TChildKey::Find);
    auto* find = ActivePane<TDisplayFind>(mdi);
    ASSERT_NE(find, nullptr);
    const TModelCheck tester(find->model());
    QAbstractItemModel& rows = *find->model();
    ASSERT_EQ(rows.rowCount(), 3);
    ASSERT_EQ(rows.columnCount(), 3);
    EXPECT_EQ(rows.headerData(TFindModel::Line, Qt::Horizontal).toString(), "Line");
    EXPECT_EQ(rows.index(1, TFindModel::Element).data().toString(), "person Table T Col. 2");
    EXPECT_EQ(rows.index(1, TFindModel::Line).data().toString(), "2");
    EXPECT_EQ(rows.index(1, TFindModel::Text).data().toString(), "\"needle\" name");
    f.frame->Commands().Action(commands::Copy)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), kRows);

    // The same text again brings the window forward; the find window offers its own text.
    const int windows = static_cast<int>(mdi.subWindowList().size());
    EXPECT_EQ(Find(f, "NEEDLE"), "NEEDLE");
    EXPECT_EQ(Active(mdi), window);
    EXPECT_EQ(static_cast<int>(mdi.subWindowList().size()), windows);
    Find(f, "name \"a");
    EXPECT_EQ(Active(mdi)->windowTitle(), "Find: name \"a");
    EXPECT_EQ(static_cast<int>(mdi.subWindowList().size()), windows + 1);

    // No line holds the text: a message, and no window.
    std::vector<TMessage> boxes;
    Find(f, "haystack", &seen, &boxes);
    ASSERT_EQ(seen.size(), 1u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No script holds \"haystack\".");
    EXPECT_EQ(static_cast<int>(mdi.subWindowList().size()), windows + 1);
}

TEST(FindInScripts, EnterOpensTheDefinitionWithTheMatchSelected)
{
    TFrameFixture f;
    ASSERT_TRUE(f.frame->OpenFolder(f.Database("a.kvd", Design())));
    TSpecMDI& mdi = f.frame->Client();
    Find(f, "needle");
    TDisplayChild* window = Active(mdi);
    auto* find = ActivePane<TDisplayFind>(mdi);
    ASSERT_NE(find, nullptr);

    // The picture: the match is on line 35, "a Needle" after 7 characters of it.
    OpenRow(*find, 0);
    EXPECT_EQ(Active(mdi)->windowTitle(), "person picture script long");
    auto* picture = ActivePane<TDisplayWindow>(mdi);
    ASSERT_NE(picture, nullptr);
    const QRect match = picture->SelectedText();
    const int W = picture->CharWidth(), L = picture->LineHeight();
    EXPECT_EQ(match, QRect(picture->OriginX() + 8 * W, 34 * L, 6 * W, L));
    const int top = picture->verticalScrollBar()->value() * L;
    EXPECT_GT(top, 0);
    EXPECT_LE(top, match.top());
    EXPECT_LE(match.bottom(), top + picture->viewport()->height());
    // A click elsewhere takes the selection away, as it does a piece's.
    QTest::mouseClick(picture->viewport(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_TRUE(picture->SelectedText().isNull());

    // A column's script shows in its table's window, a filter in its list's; a double-click opens
    // as Enter does.
    mdi.setActiveSubWindow(window);
    OpenRow(*find, 1);
    EXPECT_EQ(Active(mdi)->windowTitle(), "person Table T");
    ASSERT_NE(ActivePane<TDisplayWindow>(mdi), nullptr);
    EXPECT_EQ(ActivePane<TDisplayWindow>(mdi)->SelectedText().width(), 6 * W);
    mdi.setActiveSubWindow(window);
    const QModelIndex filter = find->model()->index(2, TFindModel::Element);
    DoubleClick(find->viewport(), find->visualRect(filter).center());
    EXPECT_EQ(Active(mdi)->Key().role, TChildKey::Definition);
    auto* list = ActivePane<TDisplayWindow>(mdi);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Def().Title(), "List 1: (person) 0 entries");
    EXPECT_EQ(list->SelectedText().width(), 6 * W);

    // Opening the picture's row again brings its window forward with the match selected anew.
    mdi.setActiveSubWindow(window);
    OpenRow(*find, 0);
    EXPECT_EQ(ActivePane<TDisplayWindow>(mdi), picture);
    EXPECT_EQ(picture->SelectedText(), match);
}

TEST(FindInScripts, OfferedWindows1252NameFindsItsOwnBytes)
{
    TFrameFixture f;
    ASSERT_TRUE(f.frame->OpenFolder(f.Database(
        "a.kvd",
        "0 @person@ RECORD\n1 @M\xE9re@ PICTURE \"x\"\n1 @show@ PICTURE M\xE9re\n0 TRLR\n")));
    TSpecMDI& mdi = f.frame->Client();
    const TDefBase* mere =
        mdi.Document().db.Definitions().FindTitled("person picture script M\xE9re");
    ASSERT_NE(mere, nullptr);
    // The names the scanner cannot read open the messages; the tree's leaf is offered once the
    // tree is active.
    mdi.setActiveSubWindow(mdi.TreeChild());
    ASSERT_TRUE(mdi.TreeChild()->Tree().SelectElement(mere->index));
    EXPECT_EQ(Find(f, QString()), QString::fromUtf8("M\u00e9re"));
    auto* find = ActivePane<TDisplayFind>(mdi);
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->WriteText(), "person picture script show\t1\tM\xE9re\n");
}
