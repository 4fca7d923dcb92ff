#include "GuiHelpers.h"
#include "ModelCheck.h"
#include "compare/SideBySide.h"
#include "diagram/TVertex.h"
#include "gui/compare/TDifferencesModel.h"
#include "gui/compare/TDisplayDifferences.h"
#include "gui/compare/TSideBySideView.h"
#include "gui/diagram/TDisplayBrowser.h"
#include "gui/support/CommandIds.h"
#include "gui/support/DiffColours.h"
#include "gui/views/TFilterBox.h"
#include "model/Kinds.h"
#include "model/Opening.h"
#include "model/TDefBase.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QTreeView>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using compare::TStatus;
using Side = TSideBySideView::TSide;
using diffcolours::TTint;

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// family.kvd loaded; beside it an older copy in which the pronoun picture had another comment and
// said "it", the short name put the surname first, the person had no "htmDates" picture, and
// there was a choice "mood" that family.kvd dropped.
struct TComparedFamily : TFrameFixture {
    const QString loaded = QStringLiteral(STEMLOOK_EXAMPLES_DIR "/family.kvd");
    const std::string family = TTempFolder::Read(STEMLOOK_EXAMPLES_DIR "/family.kvd/control.ged");
    QString older;

    TComparedFamily() : TFrameFixture({1200, 800})
    {
        frame->OpenFolder(loaded);
        std::string text =
            Replaced(family, "2 CONT else \"they\" end\n", "2 CONT else \"it\" end\n");
        text = Replaced(text, "sentences about a person */", "sentences */");
        text =
            Replaced(text, "1 @short@ PICTURE name surname\n", "1 @short@ PICTURE surname name\n");
        text = Replaced(text,
                        "1 @htmDates@ PICTURE \"(\" BORN\n"
                        "2 CONT if death.date present then \" d. \" death.date end \")\"\n",
                        "");
        text = Replaced(text, "0 @quality@ CHOICE\n",
                        "0 @mood@ CHOICE\n1 WORD calm\n1 WORD cross\n0 @quality@ CHOICE\n");
        older = Database("older.kvd", text);
    }

    TSpecMDI& Mdi() const { return frame->Client(); }
    TChildWindow* Window() const { return Mdi().FindChild({TChildKey::Differences}); }
    TDisplayDifferences* Compare(const QString& folder, std::vector<TMessage>* boxes = nullptr)
    {
        TBoxes shown;
        Mdi().CompareWith(folder);
        if (boxes)
            *boxes = shown.seen;
        QApplication::processEvents();
        return Window() ? qobject_cast<TDisplayDifferences*>(Window()->widget()) : nullptr;
    }
    void Run(int command) const { frame->Commands().Action(command)->trigger(); }
};

int RowTitled(const TDisplayDifferences& window, const std::string& part)
{
    for (int row = 0; row < window.Rows().rowCount(); ++row)
        if (window.Comparison().Title(*window.Rows().DifferenceAt(row)).find(part) !=
            std::string::npos)
            return row;
    ADD_FAILURE() << "no unit titled with " << part;
    return -1;
}

void Select(TDisplayDifferences& window, int row)
{
    window.List().selectionModel()->setCurrentIndex(window.Rows().index(row, 0),
                                                    QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
}

} // namespace

TEST(DifferencesWindow, CountsStatusFilterAndFilterBoxShowTheUnitsThatDiffer)
{
    TComparedFamily f;
    TDisplayDifferences* window = f.Compare(f.older);
    ASSERT_NE(window, nullptr);
    TModelCheck check(const_cast<TDifferencesModel*>(&window->Rows()));
    const compare::TComparison& c = window->Comparison();
    EXPECT_EQ(window->Counts().text(), QStringLiteral("2 changed, 1 added, 1 removed"));
    EXPECT_EQ(window->Rows().DifferenceAt(RowTitled(*window, "htmDates"))->status, TStatus::Added);
    EXPECT_EQ(window->Rows().DifferenceAt(RowTitled(*window, "short"))->status, TStatus::Changed);
    EXPECT_EQ(window->Rows().DifferenceAt(RowTitled(*window, "mood"))->status, TStatus::Removed);
    EXPECT_EQ(window->Rows().DifferenceAt(RowTitled(*window, "pronoun"))->status, TStatus::Changed);
    EXPECT_EQ(f.frame->HelpContextForF1(), helpids::DifferencesWindow);

    // Against the differences filtered the plain way.
    const struct {
        int status; // the entry of the status filter
        QString text;
    } cases[] = {{0, ""},       {1, ""},        {2, ""},  {3, ""},
                 {0, "PERSON"}, {1, "picture"}, {3, "o"}, {2, "nothing holds this"}};
    for (const auto& k : cases) {
        window->StatusFilter().setCurrentIndex(k.status);
        window->FilterBox().setText(k.text);
        std::vector<const compare::TDifference*> expected, shown;
        for (const compare::TDifference& d : c.Differences())
            if ((k.status == 0 || d.status == TDisplayDifferences::kFiltered[k.status - 1]) &&
                QString::fromStdString(c.Title(d)).contains(k.text, Qt::CaseInsensitive))
                expected.push_back(&d);
        for (int row = 0; row < window->Rows().rowCount(); ++row)
            shown.push_back(window->Rows().DifferenceAt(row));
        EXPECT_EQ(shown, expected) << k.status << " " << k.text.toStdString();
        // The first row is shown side by side, or nothing when there is none.
        EXPECT_EQ(window->Current(), expected.empty() ? nullptr : expected.front());
    }
}

TEST(DifferencesWindow, SideBySideTintsRemovedLinesLeftAddedRightAndPairsChangedOnes)
{
    TComparedFamily f;
    TDisplayDifferences* window = f.Compare(f.older);
    ASSERT_NE(window, nullptr);
    const QPalette& palette = window->SideBySide().palette();
    const QColor changed = diffcolours::Of(palette, TTint::Changed);
    const QColor missing = diffcolours::Of(palette, TTint::Missing);
    const struct {
        std::string title;
        std::string oldLine, newLine; // a line that differs, on each side ("" for none)
        QColor oldTint, newTint;
    } cases[] = {
        {"pronoun", "else \"it\" end", "else \"they\" end", changed, changed},
        {"mood", "calm", "", diffcolours::Of(palette, TTint::Removed), missing},
        {"htmDates", "", "death.date present", missing, diffcolours::Of(palette, TTint::Added)},
    };
    for (const auto& k : cases) {
        Select(*window, RowTitled(*window, k.title));
        const TSideBySideView& view = window->SideBySide();
        const std::vector<compare::TSideRow>& rows = view.Layout().Rows();
        bool found = false;
        for (size_t row = 0; row < rows.size(); ++row) {
            const std::string left = view.Text(row, Side::Old).toStdString();
            const std::string right = view.Text(row, Side::New).toStdString();
            if (rows[row].kind == compare::TSideRow::Kind::Kept) {
                EXPECT_EQ(left, right);
                EXPECT_FALSE(view.Tint(row, Side::Old) || view.Tint(row, Side::New));
                continue;
            }
            const bool holds =
                (k.oldLine.empty() ? left.empty() : left.find(k.oldLine) != std::string::npos) &&
                (k.newLine.empty() ? right.empty() : right.find(k.newLine) != std::string::npos);
            if (!holds)
                continue;
            found = true;
            EXPECT_EQ(view.Tint(row, Side::Old), k.oldTint) << k.title;
            EXPECT_EQ(view.Tint(row, Side::New), k.newTint) << k.title;
        }
        EXPECT_TRUE(found) << k.title;
    }
}

// F7 visits every change of every unit in list order, Shift+F7 the same backwards.
TEST(DifferencesWindow, F7AndShiftF7StepFromChangeToChangeAcrossUnits)
{
    TComparedFamily f;
    TDisplayDifferences* window = f.Compare(f.older);
    ASSERT_NE(window, nullptr);
    std::vector<std::pair<int, size_t>> expected;
    for (int row = 0; row < window->Rows().rowCount(); ++row) {
        const compare::TDifference& d = *window->Rows().DifferenceAt(row);
        const std::vector<std::string_view> oldLines =
            linediff::SplitLines(window->Comparison().OldText(d));
        const std::vector<std::string_view> newLines =
            linediff::SplitLines(window->Comparison().NewText(d));
        const compare::TSideBySide layout(linediff::Diff(oldLines, newLines));
        for (size_t change : layout.Changes())
            expected.emplace_back(row, change);
    }
    // Two in the pronoun, one in each other unit.
    ASSERT_EQ(expected.size(), 5u);
    const auto at = [window] {
        return std::pair(window->List().currentIndex().row(), window->SideBySide().CurrentChange());
    };
    for (const auto& step : expected) {
        f.Run(commands::NextDifference);
        EXPECT_EQ(at(), step);
    }
    f.Run(commands::NextDifference);
    EXPECT_EQ(at(), expected.back());
    for (size_t i = expected.size() - 1; i-- > 0;) {
        QTest::keyClick(&window->List(), Qt::Key_F7, Qt::ShiftModifier);
        EXPECT_EQ(at(), expected[i]);
    }
}

TEST(DifferencesWindow, EnterOpensTheDefinitionOrSaysTheUnitIsOnlyInTheOtherDesign)
{
    TComparedFamily f;
    TDisplayDifferences* window = f.Compare(f.older);
    ASSERT_NE(window, nullptr);
    for (const std::string title : {"htmDates", "pronoun", "mood"}) {
        f.frame->statusBar()->clearMessage();
        f.Mdi().setActiveSubWindow(f.Window());
        Select(*window, RowTitled(*window, title));
        const compare::TDifference& d = *window->Current();
        QTest::keyClick(&window->List(), Qt::Key_Return);
        if (const TDefBase* element = window->Comparison().NewElement(d)) {
            const TChildKey key{TChildKey::Definition, OpeningOf(*element).shown->index};
            EXPECT_EQ(f.Mdi().currentSubWindow(), f.Mdi().FindChild(key)) << title;
            EXPECT_TRUE(f.frame->statusBar()->currentMessage().isEmpty());
        } else {
            EXPECT_EQ(f.frame->statusBar()->currentMessage(),
                      QString::fromStdString(window->Comparison().Title(d)) +
                          QStringLiteral(" exists only in the other design."));
            EXPECT_EQ(f.Mdi().currentSubWindow(), f.Window());
        }
    }
}

TEST(DifferencesWindow, CopyPutsTheSelectedUnitsUnifiedDiffsInListOrder)
{
    TComparedFamily f;
    TDisplayDifferences* window = f.Compare(f.older);
    ASSERT_NE(window, nullptr);
    const int last = window->Rows().rowCount() - 1;
    Select(*window, last);
    window->List().selectionModel()->select(
        window->Rows().index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    std::ostringstream expected;
    compare::WriteUnified(expected, window->Comparison(), *window->Rows().DifferenceAt(0));
    compare::WriteUnified(expected, window->Comparison(), *window->Rows().DifferenceAt(last));
    QApplication::clipboard()->clear();
    f.Run(commands::Copy);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), expected.str());
    EXPECT_NE(expected.str().find("+++ b/"), std::string::npos);
}

// Each leaves the window of the comparison before it, and the loaded design's messages, as they
// were.
TEST(DifferencesWindow, UnusableFoldersAndAnEqualDesignGiveAMessageAndChangeNothing)
{
    TComparedFamily f;
    TDisplayDifferences* before = f.Compare(f.older);
    ASSERT_NE(before, nullptr);
    const size_t messages = f.frame->Document().db.Log().Count();
    f.folder.Write("unreadable.kvd/control.ged/inside", "");
    const struct {
        QString folder;
        QString caption, text;
    } cases[] = {
        {f.Database("same.kvd", f.family), "Compare With", "No differences"},
        {f.loaded, "Compare With",
         "This is the design that is loaded; choose another one to compare with."},
        {QString::fromStdString(f.folder.Path() + "/empty.kvd"), "File Missing",
         QString::fromStdString(f.folder.Path() + "/empty.kvd/control.ged")},
        {QString::fromStdString(f.folder.Path() + "/unreadable.kvd"), "Cannot Read", ""},
    };
    f.folder.Write("empty.kvd/other.txt", "");
    for (const auto& k : cases) {
        std::vector<TMessage> boxes;
        EXPECT_EQ(f.Compare(k.folder, &boxes), before) << k.folder.toStdString();
        ASSERT_EQ(boxes.size(), 1u) << k.folder.toStdString();
        EXPECT_EQ(boxes[0].caption, k.caption);
        EXPECT_TRUE(boxes[0].text.contains(k.text)) << boxes[0].text.toStdString();
        EXPECT_EQ(f.frame->Document().db.Log().Count(), messages);
    }
}

TEST(DifferencesWindow, DiagramTintsAddedAndChangedPicturesWhileTheWindowIsOpen)
{
    TComparedFamily f;
    f.Mdi().ShowRelationships(nullptr);
    auto* diagram = ActivePane<TDisplayBrowser>(f.Mdi());
    ASSERT_NE(diagram, nullptr);
    const auto fills = [&] {
        std::vector<QColor> seen;
        for (const TVertex* v : diagram->Vertices())
            seen.push_back(diagram->BoxFill(*v));
        return seen;
    };
    const std::vector<QColor> plain(diagram->Vertices().size(), Qt::white);
    EXPECT_EQ(fills(), plain);
    // A second comparison replaces the first; both mark the same pictures.
    for (int round = 0; round < 2; ++round) {
        TDisplayDifferences* window = f.Compare(f.older);
        ASSERT_NE(window, nullptr);
        int windows = 0;
        for (QMdiSubWindow* sub : f.Mdi().subWindowList())
            windows += sub == f.Window();
        EXPECT_EQ(windows, 1);
        std::vector<QColor> expected = plain;
        int marked = 0;
        for (const compare::TDifference& d : window->Comparison().Differences()) {
            const TDefBase* element = window->Comparison().NewElement(d);
            for (size_t i = 0; element && i < diagram->Vertices().size(); ++i)
                if (diagram->Vertices()[i]->element == element) {
                    expected[i] =
                        diffcolours::Of(diagram->palette(),
                                        d.status == TStatus::Added ? TTint::Added : TTint::Changed);
                    ++marked;
                }
        }
        // The short name and htmDates; the pronoun is in no relationship, so not in the diagram.
        EXPECT_EQ(marked, 2);
        EXPECT_EQ(fills(), expected);
    }
    f.Window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.Window(), nullptr);
    EXPECT_EQ(fills(), plain);
    EXPECT_TRUE(f.frame->Document().comparedPictures.empty());

    // Loading a design closes the window and ends the marks too.
    ASSERT_NE(f.Compare(f.older), nullptr);
    EXPECT_TRUE(f.frame->Commands().Action(commands::NextDifference)->isEnabled());
    ASSERT_TRUE(f.frame->OpenFolder(f.older));
    EXPECT_EQ(f.Window(), nullptr);
    EXPECT_TRUE(f.frame->Document().comparedPictures.empty());
    EXPECT_FALSE(f.frame->Commands().Action(commands::NextDifference)->isEnabled());
}
