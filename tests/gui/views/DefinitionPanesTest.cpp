#include "GuiHelpers.h"
#include "export/SaveAsText.h"
#include "gui/app/TSpecMDI.h"
#include "gui/script/TSetColours.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDisplayFields.h"
#include "gui/views/TDisplayPicture.h"
#include "gui/views/TDisplayReport.h"
#include "gui/views/TDisplayTable.h"
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

#include <sstream>

namespace {

// The example database in a frame, and the definition panes opened on it.
struct TExample {
    TFrameFixture f{{1200, 800}};
    TSpecMDI& mdi = f.frame->Client();

    TExample() { f.frame->OpenFolder(STEMLOOK_EXAMPLES_DIR "/family.kvd"); }

    TDefBase& Element(const std::string& title) const
    {
        for (const auto& e : mdi.Database().Definitions())
            if (e->Title() == title)
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
        TDatabase& db = const_cast<TDatabase&>(mdi.Database());
        CopyText(db, title, text, mdi);
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
    EXPECT_FALSE(c.definition->isEnabled()); // nothing selected

    const TPieceRect* sex = PieceTitled(*pane, "Choice sex");
    ASSERT_NE(sex, nullptr);
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, Centre(*pane, sex->rect));
    EXPECT_EQ(pane->Selected(), sex->piece);
    EXPECT_TRUE(c.definition->isEnabled());
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
    TModalAnswer answer;
    DoubleClick(pane->viewport(), Centre(*pane, date->rect));
    ASSERT_EQ(answer.seen.size(), 1u);
    EXPECT_EQ(answer.seen[0].title, "Element Definition");
    EXPECT_EQ(answer.seen[0].text, "text is a built-in type");

    // Activating the window again through a double-click clears its selection.
    x.mdi.OpenDefinition(x.Element("Record person"), false);
    EXPECT_EQ(pane->Selected(), nullptr);
}

TEST(DefinitionPane, CopyWritesTheElementsTextTheSameTwice)
{
    TExample x;
    auto* pane = x.Open<TDisplayTable>("person Table census");
    ASSERT_NE(pane, nullptr);
    QApplication::clipboard()->clear();
    x.f.frame->Commands().copy->trigger();
    const QString first = QApplication::clipboard()->text();
    EXPECT_EQ(first, x.CoreCopy("person Table census"));
    EXPECT_TRUE(first.contains("Columns"));
    x.f.frame->Commands().copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), first);
}

TEST(PicturePane, DoubleClickOnACalledPictureOpensItAndUsedByFollowsTheSelection)
{
    TExample x;
    auto* pane = x.Open<TDisplayPicture>("person picture script BORN");
    ASSERT_NE(pane, nullptr);
    ASSERT_FALSE(pane->Layout().pieces.empty());
    // BORN is used by "internal use": its own used-by list can be opened.
    const TCommands& c = x.f.frame->Commands();
    EXPECT_TRUE(c.usedBy->isEnabled());
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
    EXPECT_TRUE(c.definition->isEnabled());
    // A click outside every area clears the highlight and the command.
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(pane->SelectedPicture(), nullptr);
    EXPECT_FALSE(c.definition->isEnabled());

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
    TDefBase* report = nullptr;
    for (const auto& e : mdi.Database().Definitions())
        if (e->Title() == "person Report r")
            report = e.get();
    ASSERT_NE(report, nullptr);
    mdi.OpenDefinition(*report, false);
    auto* pane =
        qobject_cast<TDisplayReport*>(qobject_cast<TDisplayChild*>(mdi.currentSubWindow())->Pane());
    ASSERT_NE(pane, nullptr);
    ASSERT_EQ(pane->Layout().areas.size(), 1u);
    TModalAnswer answer;
    DoubleClick(pane->viewport(), Centre(*pane, pane->Layout().areas[0].rect));
    ASSERT_EQ(answer.seen.size(), 1u);
    EXPECT_EQ(answer.seen[0].title, "Report Area");
    EXPECT_EQ(answer.seen[0].text, "No Picture script defined");
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
    auto* pane = x.Open<TDisplayPicture>("person picture script BORN");
    ASSERT_NE(pane, nullptr);
    const QImage before = pane->viewport()->grab().toImage();

    TSetColours dialog(x.f.frame.get(), x.mdi.Colours(),
                       [](const QColor&) { return std::optional<QColor>(QColor(255, 0, 255)); });
    ASSERT_EQ(dialog.List().count(), 7);
    EXPECT_EQ(dialog.List().item(2)->text(), "Pictures");
    dialog.List().setCurrentRow(1); // "Fields"; the chooser answers at once
    EXPECT_EQ(x.mdi.Colours().RowColour(1), 0xff00ffu);
    EXPECT_EQ(dialog.List().currentRow(), -1);
    QApplication::processEvents();
    EXPECT_NE(pane->viewport()->grab().toImage(), before);

    x.f.frame->close();
    const std::string ini = TTempFolder::Read(x.f.SettingsPath());
    EXPECT_NE(ini.find("Fields=ff00ff"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Custom15=0"), std::string::npos) << ini;
}
