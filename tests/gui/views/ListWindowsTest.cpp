#include "GuiHelpers.h"
#include "ModelCheck.h"
#include "gui/support/Bytes.h"
#include "gui/support/TIconSet.h"
#include "gui/views/TDisplayIndex.h"
#include "gui/views/TDisplayUsed.h"
#include "gui/views/TDocument.h"
#include "gui/views/TIndexModel.h"
#include "gui/views/TPaneHost.h"
#include "gui/views/TUsedModel.h"
#include "load/TDatabase.h"
#include "model/Kinds.h"
#include "model/Names.h"
#include "model/TDefBase.h"
#include "model/TDefPicture.h"
#include "model/TUsedSet.h"
#include "script/TDispColour.h"
#include "views/ListRows.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QHeaderView>
#include <QIcon>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A record used by its own field "kin", "BORN" (a picture the program relies on) used by another
// picture, a second record whose picture nothing uses, and a list (which has no name).
const std::string kDesign = "0 @person@ RECORD\n"
                            "1 @name@ FIELD text\n2 TAG NAME\n"
                            "1 @kin@ FIELD person\n2 TAG KIN\n"
                            "1 @BORN@ PICTURE name\n"
                            "1 @long@ PICTURE BORN name\n"
                            "0 @place@ RECORD\n"
                            "1 @town@ FIELD text\n2 TAG PLAC\n"
                            "1 @where@ PICTURE town\n"
                            "0 LIST\n1 TYPE person\n1 METHOD index\n"
                            "0 TRLR\n";

// Records what a pane asks of the main frame, by the element's title ("-" for none).
class TRecordingHost : public TPaneHost {
public:
    explicit TRecordingHost(const std::string& text) : doc({}), db(doc.db)
    {
        db.ReadText(text, "test");
    }

    const TDocument& Document() const override { return doc; }
    void OpenDefinition(const TDefBase& element) override { Record("OpenDefinition", &element); }
    void ShowInScript(const TDefPicture& script, size_t, size_t, size_t) override
    {
        Record("ShowInScript", &script);
    }
    void Explain(const QString& text, const QString&, int) override
    {
        calls.push_back("Explain " + text.toStdString());
    }
    void CopyText(const TDefBase& element) override { Record("CopyText", &element); }
    void SelectionChanged() override { ++selectionChanges; }

    // The first element of the name table with this name and kind.
    TDefBase* Named(const std::string& name, int kind) const
    {
        for (TDefBase* e : db.Names().Elements())
            if (e->kind == kind && names::Equal(e->name, name))
                return e;
        return nullptr;
    }
    TDefBase* Titled(const std::string& title) const { return db.Definitions().FindTitled(title); }

    TDocument doc;
    TDatabase& db;
    std::vector<std::string> calls;
    int selectionChanges = 0;

private:
    void Record(const char* what, const TDefBase* element)
    {
        calls.push_back(std::string(what) + " " + (element ? element->Title() : "-"));
    }
};

// The row that shows the text in the first column; -1 when none does.
int RowOf(const QAbstractItemModel& model, const QString& text)
{
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.index(row, 0).data().toString() == text)
            return row;
    return -1;
}

void Select(TMyListWindow& list, int row)
{
    list.selectionModel()->setCurrentIndex(list.model()->index(row, 0),
                                           QItemSelectionModel::ClearAndSelect |
                                               QItemSelectionModel::Rows);
}

// Which of the program's marks a cell shows, told by the picture it draws: "none" for a blank
// one, empty for a cell without a picture.
QString MarkOf(const QModelIndex& index)
{
    const QVariant decoration = index.data(Qt::DecorationRole);
    if (!decoration.isValid())
        return "";
    const QImage image = decoration.value<QIcon>().pixmap(16).toImage();
    if (image == TIconSet::Icon(TIconSet::Page).pixmap(16).toImage())
        return "page";
    if (image == TIconSet::Icon(TIconSet::Info).pixmap(16).toImage())
        return "i";
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return "other";
    return "none";
}

QString MarkOf(lists::TMark mark)
{
    switch (mark) {
    case lists::TMark::Page:
        return "page";
    case lists::TMark::Info:
        return "i";
    case lists::TMark::None:
        break;
    }
    return "none";
}

} // namespace

TEST(ListModels, PassTheItemModelChecksOnTheExample)
{
    TRecordingHost host("");
    ASSERT_EQ(host.db.ReadFile(STEMLOOK_EXAMPLES_DIR "/family.kvd"),
              TDatabase::TLoadResult::Loaded);
    TIndexModel index(host.db.Names());
    {
        const TModelCheck check(&index);
    }
    EXPECT_EQ(index.rowCount(), static_cast<int>(host.db.Names().Count()));
    EXPECT_EQ(index.columnCount(), 3);

    // The most used element, and one that nothing uses.
    const TDefBase* most = nullptr;
    const TDefBase* unused = nullptr;
    for (const auto& e : host.db.Definitions()) {
        if (!e->HasUserSet())
            unused = e.get();
        else if (!most || e->users->size() > most->users->size())
            most = e.get();
    }
    ASSERT_NE(most, nullptr);
    ASSERT_NE(unused, nullptr);
    for (const TDefBase* element : {most, unused}) {
        TUsedModel used(*element);
        {
            const TModelCheck check(&used);
        }
        EXPECT_EQ(used.rowCount(),
                  element->HasUserSet() ? static_cast<int>(element->users->size()) : 0);
    }
}

TEST(ListModels, ShowTheCoreRowsWithTheirMarks)
{
    TRecordingHost host(kDesign);
    TIndexModel index(host.db.Names());
    EXPECT_EQ(index.headerData(0, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(index.headerData(1, Qt::Horizontal).toString(), "Class");
    EXPECT_EQ(index.headerData(2, Qt::Horizontal).toString(), "Owner");
    for (int row = 0; row < index.rowCount(); ++row) {
        const lists::TIndexRow expected = lists::IndexRow(*index.ElementAt(row));
        EXPECT_EQ(index.index(row, 0).data().toString(), bytes::ToText(expected.name));
        EXPECT_EQ(index.index(row, 1).data().toString(), bytes::ToText(expected.className));
        EXPECT_EQ(index.index(row, 2).data().toString(), bytes::ToText(expected.owner));
        EXPECT_EQ(MarkOf(index.index(row, 0)), MarkOf(expected.mark)) << row;
        EXPECT_EQ(MarkOf(index.index(row, 1)), "");
        EXPECT_EQ(index.RowOf(index.ElementAt(row)), row);
    }
    EXPECT_EQ(index.ElementAt(index.rowCount()), nullptr);

    const TDefBase* born = host.Titled("person picture script BORN");
    TUsedModel used(*born);
    EXPECT_EQ(used.headerData(0, Qt::Horizontal).toString(), "Name");
    ASSERT_EQ(used.rowCount(), static_cast<int>(born->users->size()));
    for (int row = 0; row < used.rowCount(); ++row) {
        const lists::TUsedRow expected = lists::UsedRow(*used.ElementAt(row));
        EXPECT_EQ(used.index(row, 0).data().toString(), bytes::ToText(expected.text));
        EXPECT_EQ(MarkOf(used.index(row, 0)), MarkOf(expected.mark));
    }
    const int internal = RowOf(used, "internal use");
    ASSERT_GE(internal, 0);
    EXPECT_EQ(MarkOf(used.index(internal, 0)), "i");
}

TEST(DisplayIndex, CommandsFollowTheSelection)
{
    TRecordingHost host(kDesign);
    TDisplayIndex index(host);
    // Nothing selected: only Copy, and Relationships for the whole design; Structure and Index
    // select nothing.
    TPaneState state = index.State();
    EXPECT_TRUE(state.canCopy);
    EXPECT_FALSE(state.canOpen);
    EXPECT_EQ(state.usedBy, nullptr);
    EXPECT_TRUE(state.locates);
    EXPECT_EQ(state.diagramElement, nullptr);
    EXPECT_EQ(state.located, nullptr);
    EXPECT_EQ(state.filter, &index.FilterBox());
    index.OpenSelected();
    EXPECT_TRUE(host.calls.empty());

    // A record: opens, lists its users, and the diagram stays whole.
    const TDefBase* person = host.Named("person", kinds::Record);
    ASSERT_TRUE(person->HasUserSet());
    index.SelectElement(*person);
    EXPECT_EQ(index.SelectedElement(), person);
    EXPECT_GT(host.selectionChanges, 0);
    state = index.State();
    EXPECT_TRUE(state.canOpen);
    EXPECT_EQ(state.usedBy, person);
    EXPECT_EQ(state.diagramElement, nullptr);
    EXPECT_EQ(state.located, nullptr);
    EXPECT_EQ(state.focusPicture, nullptr);
    index.OpenSelected();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"OpenDefinition Record person"}));

    // A picture that nothing uses: the diagram and the focused diagram are the picture's.
    const TDefBase* where = host.Titled("place picture script where");
    ASSERT_FALSE(where->HasUserSet());
    index.SelectElement(*where);
    state = index.State();
    EXPECT_TRUE(state.canOpen);
    EXPECT_EQ(state.usedBy, where);
    EXPECT_EQ(state.diagramElement, where);
    EXPECT_EQ(state.focusPicture, where);
}

TEST(DisplayIndex, SelectElementSelectsItsRowInViewOrNone)
{
    std::string text = "0 @person@ RECORD\n";
    for (int i = 0; i < 500; ++i)
        text += "0 @g" + std::to_string(i) + "@ GROUP\n";
    text += "0 LIST\n1 TYPE person\n1 METHOD index\n0 TRLR\n";
    TRecordingHost host(text);
    TDisplayIndex index(host);
    index.resize(400, 300);
    index.show();
    QApplication::processEvents();
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(index.header()->sectionSize(column), TDisplayIndex::kColumnWidth);

    const TDefBase* last = host.db.Names().Elements().back();
    index.SelectElement(*last);
    EXPECT_EQ(index.SelectedElement(), last);
    const QModelIndex row = index.currentIndex();
    EXPECT_EQ(row.row(), index.model()->rowCount() - 1);
    EXPECT_TRUE(index.viewport()->rect().contains(index.visualRect(row)));

    // A list has no row: nothing stays selected.
    const TDefBase* list = nullptr;
    for (const auto& e : host.db.Definitions())
        if (e->kind == kinds::List)
            list = e.get();
    ASSERT_NE(list, nullptr);
    index.SelectElement(*list);
    EXPECT_EQ(index.SelectedElement(), nullptr);
    EXPECT_FALSE(index.State().canOpen);
}

TEST(DisplayIndex, DoubleClickAndEnterOpenTheSelectedRow)
{
    TRecordingHost host(kDesign);
    TDisplayIndex index(host);
    index.resize(400, 300);
    index.show();
    QApplication::processEvents();
    const TDefBase* place = host.Named("place", kinds::Record);
    index.SelectElement(*place);
    const QRect rect = index.visualRect(index.currentIndex());
    DoubleClick(index.viewport(), rect.center());
    QTest::keyClick(&index, Qt::Key_Return);
    QTest::keyClick(&index, Qt::Key_Enter);
    EXPECT_EQ(host.calls, std::vector<std::string>(3, "OpenDefinition Record place"));
}

TEST(ListWindows, CopyPutsTheListsTextOnTheClipboard)
{
    TRecordingHost host(kDesign);
    TDisplayIndex index(host);
    QApplication::clipboard()->clear();
    index.Copy();
    EXPECT_EQ(QApplication::clipboard()->text(),
              bytes::ToText(lists::IndexCopyText(host.db.Names())));
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Name\tClass\tOwner\n\n"));

    const TDefBase* born = host.Titled("person picture script BORN");
    TDisplayUsed used(host, *born);
    used.Copy();
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied, bytes::ToText(lists::UsedByCopyText(*born)));
    EXPECT_TRUE(copied.split('\n').contains("internal use"));
    EXPECT_TRUE(host.calls.empty());
}

TEST(DisplayUsed, EnterOpensTheSelectedUserAndInternalUseOpensNothing)
{
    TRecordingHost host(kDesign);
    const TDefBase* person = host.Named("person", kinds::Record);
    ASSERT_TRUE(person->HasUserSet());
    TDisplayUsed used(host, *person);
    EXPECT_FALSE(used.State().canOpen); // nothing selected
    const int field = RowOf(*used.model(), "person Field kin");
    ASSERT_GE(field, 0);
    Select(used, field);
    EXPECT_EQ(used.SelectedElement(), host.Titled("person Field kin"));
    EXPECT_TRUE(used.State().canOpen);
    QTest::keyClick(&used, Qt::Key_Return);
    // The opening rule shows the field's record.
    EXPECT_EQ(host.calls, (std::vector<std::string>{"OpenDefinition person Field kin"}));

    host.calls.clear();
    const TDefBase* born = host.Titled("person picture script BORN");
    TDisplayUsed users(host, *born);
    Select(users, RowOf(*users.model(), "internal use"));
    ASSERT_NE(users.SelectedElement(), nullptr);
    EXPECT_EQ(users.SelectedElement()->kind, kinds::BuiltIn);
    EXPECT_FALSE(users.State().canOpen);
    EXPECT_FALSE(users.SelectedElement()->HasUserSet()); // nothing uses "internal use"
    QTest::keyClick(&users, Qt::Key_Return);
    users.OpenSelected();
    EXPECT_TRUE(host.calls.empty());

    // Another picture opens as it is; the list answers no Relationships, Structure or Index.
    Select(users, RowOf(*users.model(), "person picture script long"));
    users.OpenSelected();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"OpenDefinition person picture script long"}));
    // Relationships, Structure and Index open as they are, without the list's selection.
    const TPaneState state = users.State();
    EXPECT_EQ(state.diagramElement, nullptr);
    EXPECT_EQ(state.located, nullptr);
}

TEST(DisplayUsed, ColumnFitsTheWidestTitle)
{
    TRecordingHost host("0 @person@ RECORD\n"
                        "0 @abcdefghijklmnopqrst@ RECORD\n"
                        "1 @name@ FIELD text\n2 TAG NAME\n"
                        "1 @ABCDEFGHIJKLMNOPQRST@ PICTURE name\n"
                        "1 @short@ PICTURE name\n"
                        "0 @p@ RECORD\n"
                        "1 @n@ FIELD text\n2 TAG N\n"
                        "1 @s@ PICTURE n\n"
                        "0 TRLR\n");
    // The room a row needs beyond its text: the mark and the margins.
    const auto room = [](const TDisplayUsed& list, const QString& title) {
        const QModelIndex index = list.model()->index(RowOf(*list.model(), title), 0);
        return list.sizeHintForIndex(index).width() - list.fontMetrics().horizontalAdvance(title);
    };

    // The widest title is shown whole, with the margin after it.
    TDisplayUsed wide(host, *host.Titled("abcdefghijklmnopqrst Field name"));
    const QString longest = "abcdefghijklmnopqrst picture script ABCDEFGHIJKLMNOPQRST";
    const int widest = wide.fontMetrics().horizontalAdvance(longest);
    ASSERT_GT(widest, TDisplayUsed::kMinimumWidth);
    EXPECT_EQ(wide.header()->sectionSize(0),
              widest + room(wide, longest) + TDisplayUsed::kWidthMargin);

    // Titles narrower than the least width keep it.
    TDisplayUsed narrow(host, *host.Titled("p Field n"));
    ASSERT_EQ(narrow.model()->rowCount(), 1);
    ASSERT_LT(narrow.fontMetrics().horizontalAdvance("p picture script s"),
              TDisplayUsed::kMinimumWidth);
    EXPECT_EQ(narrow.header()->sectionSize(0), TDisplayUsed::kMinimumWidth +
                                                   room(narrow, "p picture script s") +
                                                   TDisplayUsed::kWidthMargin);
}

TEST(DisplayUsed, NothingUsingTheElementTellsEmptySet)
{
    TRecordingHost host(kDesign);
    const TDefBase* where = host.Titled("place picture script where");
    ASSERT_FALSE(where->HasUserSet());
    TBoxes boxes;
    TDisplayUsed used(host, *where);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "Empty Set");
    EXPECT_EQ(boxes.seen[0].caption, "");
    EXPECT_EQ(boxes.seen[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(used.model()->rowCount(), 0);
    EXPECT_FALSE(used.State().canCopy);
    EXPECT_EQ(used.WriteText(), "");
}

TEST(DisplayIndex, LargeDesignOpensWithARowPerName)
{
    std::string text = "0 @person@ RECORD\n";
    constexpr int kGroups = 50000;
    for (int i = 0; i < kGroups; ++i)
        text += "0 @g" + std::to_string(i) + "@ GROUP\n1 @p@ PICTURE x\n";
    TRecordingHost host(text);
    TDisplayIndex index(host);
    index.resize(400, 300);
    index.show();
    QApplication::processEvents();
    EXPECT_GT(index.model()->rowCount(), 2 * kGroups);
    const TDefBase* last = host.db.Names().Elements().back();
    index.SelectElement(*last);
    EXPECT_EQ(index.SelectedElement(), last);
    EXPECT_LT(index.findChildren<QWidget*>().size(), 20);
}
