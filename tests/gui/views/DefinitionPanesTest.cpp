#include "GuiHelpers.h"
#include "export/SaveAsText.h"
#include "gui/app/TSpecMDI.h"
#include "gui/script/TSetColours.h"
#include "gui/support/CommandIds.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDisplayFields.h"
#include "gui/views/TDisplayReport.h"
#include "gui/views/TDisplayWindow.h"
#include "load/TDatabase.h"
#include "model/TDefBase.h"
#include "model/TScriptPiece.h"
#include "script/TDispColour.h"

#include <QAction>
#include <QClipboard>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <utility>

namespace {

// The example database, or a design of the given text, in a frame, and the definition panes
// opened on it.
struct TExample {
    TFrameFixture f{{1200, 800}};
    TSpecMDI& mdi = f.frame->Client();

    explicit TExample(const std::string& ged = "")
    {
        EXPECT_TRUE(ged.empty() ? f.frame->OpenFolder(STEMLOOK_EXAMPLES_DIR "/family.kvd")
                                : mdi.ReadFile(f.Database("t.kvd", ged)));
    }

    TDefBase& Element(const std::string& title) const
    {
        if (TDefBase* e = mdi.Document().db.Definitions().FindTitled(title))
            return *e;
        throw std::runtime_error("no element " + title);
    }

    template <class T> T* Open(const std::string& title)
    {
        mdi.OpenDefinition(Element(title), false);
        auto* child = qobject_cast<TDisplayChild*>(mdi.currentSubWindow());
        return child ? qobject_cast<T*>(child->Pane()) : nullptr;
    }

    QString ActiveTitle() const
    {
        return mdi.currentSubWindow() ? mdi.currentSubWindow()->windowTitle() : QString();
    }

    // What the core writes for the element's Copy.
    QString CoreCopy(const std::string& title)
    {
        std::string text;
        CopyText(mdi.Document().db, title, text, mdi.Services());
        return QString::fromStdString(text);
    }
};

// The centre of a piece's rectangle in the pane's viewport.
QPoint Centre(const TDisplayWindow& pane, const TPaneRect& rect)
{
    return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2) -
           pane.ContentPoint({0, 0});
}

const TPieceRect* PieceTitled(const TDisplayWindow& pane, const std::string& target)
{
    for (const TPieceRect& p : pane.Layout().pieces)
        if (p.piece->target && p.piece->target->Title() == target)
            return &p;
    return nullptr;
}

} // namespace

TEST(FieldsPane, ClickSelectsATypeAndDoubleClickOpensOrExplainsIt)
{
    TExample x;
    auto* pane = x.Open<TDisplayFields>("Record person");
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(x.ActiveTitle(), "Record person");
    const TCommands& c = x.f.frame->Commands();
    EXPECT_FALSE(c.Action(commands::Definition)->isEnabled()); // nothing selected

    const TPieceRect* sex = PieceTitled(*pane, "Choice sex");
    ASSERT_NE(sex, nullptr);
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, Centre(*pane, sex->rect));
    EXPECT_EQ(pane->Selected(), sex->piece);
    EXPECT_TRUE(c.Action(commands::Definition)->isEnabled());
    EXPECT_EQ(&pane->CurrentElement(), sex->piece->target);

    DoubleClick(pane->viewport(), Centre(*pane, sex->rect));
    EXPECT_EQ(x.ActiveTitle(), "Choice sex");

    // A built-in type is explained, not opened.
    x.mdi.OpenDefinition(x.Element("Record person"), false);
    const TPieceRect* date = nullptr;
    for (const TPieceRect& p : pane->Layout().pieces)
        if (p.piece->target && p.piece->target->kind == 54 && p.piece->target->name == "text")
            date = &p;
    ASSERT_NE(date, nullptr);
    TBoxes boxes;
    DoubleClick(pane->viewport(), Centre(*pane, date->rect));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].caption, "Element Definition");
    EXPECT_EQ(boxes.seen[0].text, "text is a built-in type");

    // Activating the window again through a double-click clears its selection.
    x.mdi.OpenDefinition(x.Element("Record person"), false);
    EXPECT_EQ(pane->Selected(), nullptr);
}

TEST(DefinitionPane, CopyWritesTheElementsTextTheSameTwice)
{
    TExample x;
    auto* pane = x.Open<TDisplayWindow>("person Table census");
    ASSERT_NE(pane, nullptr);
    QApplication::clipboard()->clear();
    x.f.frame->Commands().Action(commands::Copy)->trigger();
    const QString first = QApplication::clipboard()->text();
    EXPECT_EQ(first, x.CoreCopy("person Table census"));
    EXPECT_TRUE(first.contains("Columns"));
    x.f.frame->Commands().Action(commands::Copy)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), first);
}

TEST(PicturePane, DoubleClickOnACalledPictureOpensItAndUsedByFollowsTheSelection)
{
    TExample x;
    auto* pane = x.Open<TDisplayWindow>("person picture script BORN");
    ASSERT_NE(pane, nullptr);
    ASSERT_FALSE(pane->Layout().pieces.empty());
    // BORN is used by "internal use": its own used-by list can be opened.
    const TCommands& c = x.f.frame->Commands();
    EXPECT_TRUE(c.Action(commands::UsedBy)->isEnabled());
    // A click on nothing selects nothing.
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(pane->Selected(), nullptr);

    const TPieceRect* underlined = nullptr;
    for (const TPieceRect& p : pane->Layout().pieces)
        if ((p.piece->flags & TScriptPiece::kUnderlined) && p.piece->target &&
            p.piece->target != &pane->Def())
            underlined = &p;
    ASSERT_NE(underlined, nullptr);
    DoubleClick(pane->viewport(), Centre(*pane, underlined->rect));
    EXPECT_EQ(pane->Selected(), underlined->piece);
    TDefBase* target = underlined->piece->target;
    TDefBase* shown =
        target->owner && (target->kind == 21 || target->kind == 49) ? target->owner : target;
    EXPECT_EQ(x.ActiveTitle().toStdString(), shown->Title());
}

TEST(ReportPane, AreasSelectAndOpenTheirPictureOrSayTheyHaveNone)
{
    TExample x;
    auto* pane = x.Open<TDisplayReport>("person Report sheet");
    ASSERT_NE(pane, nullptr);
    ASSERT_FALSE(pane->Layout().areas.empty());
    const TAreaRect& area = pane->Layout().areas.front();
    const TCommands& c = x.f.frame->Commands();
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, Centre(*pane, area.rect));
    EXPECT_EQ(pane->SelectedPicture(), area.picture);
    EXPECT_TRUE(c.Action(commands::Definition)->isEnabled());
    // A click outside every area clears the highlight and the command.
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(pane->SelectedPicture(), nullptr);
    EXPECT_FALSE(c.Action(commands::Definition)->isEnabled());

    DoubleClick(pane->viewport(), Centre(*pane, area.rect));
    ASSERT_NE(area.picture, nullptr);
    EXPECT_EQ(x.ActiveTitle().toStdString(), area.picture->Title());
}

TEST(ReportPane, AreaWithoutAPictureSaysSo)
{
    TFrameFixture f;
    TSpecMDI& mdi = f.frame->Client();
    ASSERT_TRUE(mdi.ReadFile(f.Database("r.kvd", "0 @person@ RECORD\n0 @r@ REPORT\n1 TYPE person\n"
                                                 "1 WIDTH 10\n1 HEIGHT 2\n1 BACKGROUND ab\n"
                                                 "1 BACKGROUND cd\n1 AREA\n2 X 1\n2 Y 1\n"
                                                 "2 WIDTH 2\n2 HEIGHT 1\n0 TRLR\n")));
    TDefBase* report = mdi.Document().db.Definitions().FindTitled("person Report r");
    ASSERT_NE(report, nullptr);
    mdi.OpenDefinition(*report, false);
    auto* pane =
        qobject_cast<TDisplayReport*>(qobject_cast<TDisplayChild*>(mdi.currentSubWindow())->Pane());
    ASSERT_NE(pane, nullptr);
    ASSERT_EQ(pane->Layout().areas.size(), 1u);
    TBoxes boxes;
    DoubleClick(pane->viewport(), Centre(*pane, pane->Layout().areas[0].rect));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].caption, "Report Area");
    EXPECT_EQ(boxes.seen[0].text, "No Picture script defined");
}

TEST(DefinitionPane, EveryKindOfTheExampleOpensWithItsExtentAndScrolls)
{
    TExample x;
    for (const char* title :
         {"Choice sex", "Group address", "Options", "person Table census Print Settings",
          "List 1: (person) 250 entries", "Plan picture script census", "person Table census",
          "person Report sheet"}) {
        auto* pane = x.Open<TDisplayWindow>(title);
        ASSERT_NE(pane, nullptr) << title;
        EXPECT_EQ(x.ActiveTitle(), title);
        EXPECT_GT(pane->Extent().width(), 0) << title;
        EXPECT_GT(pane->Extent().height(), 0) << title;
        // Big enough a window shows it all; a small one scrolls in whole lines.
        pane->resize(pane->Extent() + QSize(100, 100));
        EXPECT_EQ(pane->verticalScrollBar()->maximum(), 0) << title;
        if (pane->Extent().height() < 6 * pane->LineHeight())
            continue;
        pane->resize(50, 4 * pane->LineHeight());
        QTest::keyClick(pane, Qt::Key_End);
        EXPECT_EQ(pane->verticalScrollBar()->value(), pane->verticalScrollBar()->maximum());
        EXPECT_GT(pane->verticalScrollBar()->maximum(), 0) << title;
        QTest::keyClick(pane, Qt::Key_Home);
        EXPECT_EQ(pane->verticalScrollBar()->value(), 0);
    }
}

TEST(Preferences, AChosenColourRepaintsAndIsWrittenAtExit)
{
    TExample x;
    auto* pane = x.Open<TDisplayWindow>("person picture script BORN");
    ASSERT_NE(pane, nullptr);
    const QImage before = pane->viewport()->grab().toImage();

    TSetColours dialog(x.f.frame.get(), x.f.frame->Document().colours,
                       [](const QColor&) { return std::optional<QColor>(QColor(255, 0, 255)); });
    ASSERT_EQ(dialog.List().count(), 7);
    EXPECT_EQ(dialog.List().item(2)->text(), "Pictures");
    dialog.List().setCurrentRow(1); // "Fields"; the chooser answers at once
    QApplication::processEvents();
    EXPECT_EQ(x.f.frame->Document().colours.RowColour(1), 0xff00ffu);
    // Deselected, so that it shows its colour; the focus stays on it for the arrow keys.
    EXPECT_TRUE(dialog.List().selectedItems().isEmpty());
    EXPECT_EQ(dialog.List().currentRow(), 1);
    QApplication::processEvents();
    EXPECT_NE(pane->viewport()->grab().toImage(), before);

    x.f.frame->close();
    const std::string ini = TTempFolder::Read(x.f.SettingsPath());
    EXPECT_NE(ini.find("Fields=ff00ff"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Custom15=0"), std::string::npos) << ini;
}

namespace {

// The leftmost and rightmost columns in rows [top, bottom) that differ from the background;
// {width, -1} when they are blank.
std::pair<int, int> InkColumns(const QImage& image, int top, int bottom)
{
    std::pair ink(image.width(), -1);
    for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0))
                ink = {std::min(ink.first, x), std::max(ink.second, x)};
    return ink;
}

} // namespace

// Each character takes one cell of the layout's grid, whatever the font's advance or its bytes:
// Cyrillic from the display font, Hebrew from another, and a letter Qt holds as two units.
TEST(DefinitionPane, CharactersSitOnTheGridOfTheLayout)
{
    // 200 columns, `other` taking `columns` of them each time; a value stops at 220 bytes.
    const auto literal = [](const std::string& other, int columns, int count) {
        std::string text = '"' + std::string(198 - columns * count, 'M');
        for (int i = 0; i < count; ++i)
            text += other;
        return text + '"';
    };
    const std::string lines[] = {literal("", 0, 0), literal("\xD0\x96", 1, 18),
                                 literal("\xD7\x90\xF0\x9D\x94\xB8\xD7\x91\xF0\x9D\x94\xB9", 4, 2)};
    TExample x("0 @person@ RECORD\n1 @long@ PICTURE " + lines[0] + "\n2 CONT " + lines[1] +
               "\n2 CONT " + lines[2] + "\n0 TRLR\n");
    auto* pane = x.Open<TDisplayWindow>("person picture script long");
    ASSERT_NE(pane, nullptr);
    const int W = pane->CharWidth(), L = pane->LineHeight();
    for (const std::string& line : lines) {
        const auto text = std::find_if(pane->Layout().texts.begin(), pane->Layout().texts.end(),
                                       [&line](const TPaneText& t) { return t.text == line; });
        ASSERT_NE(text, pane->Layout().texts.end());
        ASSERT_EQ(panes::Columns(text->text), 200);
        const int x0 = text->x, end = text->x + 200 * W;
        // Shown whole, and scrolled fully right in a narrow window; the last character is drawn
        // in the last cell.
        for (const int width : {end + 3 * W, 40 * W}) {
            pane->resize(width, pane->Extent().height() + 4 * L);
            QScrollBar* bar = pane->horizontalScrollBar();
            bar->setValue(bar->maximum());
            const int scrolled = bar->value() * W;
            const auto ink = InkColumns(pane->viewport()->grab().toImage(), text->y, text->y + L);
            ASSERT_GE(ink.second, 0) << width;
            EXPECT_GE(ink.first + scrolled, std::max(x0, scrolled)) << width;
            EXPECT_LT(ink.second + scrolled, end) << width;
            EXPECT_GE(ink.second + scrolled, end - W) << width;
        }
    }
}
