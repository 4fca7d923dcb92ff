#include "gui/script/TDisplayScript.h"
#include "gui/script/TSetColours.h"
#include "script/TDispColour.h"

#include <QApplication>
#include <QFocusEvent>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <deque>

namespace {

// Answers the dialog's requests for a colour from a queue (none: cancelled) and counts them. While
// it is "open" the keyboard focus leaves the list and comes back, as it does when a window manager
// shows the chooser and closes it again.
struct TChooserAnswers {
    QListWidget* list = nullptr;
    std::deque<std::optional<QColor>> answers;
    int asked = 0;

    std::optional<QColor> Ask()
    {
        ++asked;
        // A dialog that asks again on its own would ask without end.
        if (asked > 5 || answers.empty())
            return std::nullopt;
        Refocus(*list);
        const std::optional<QColor> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    static void Refocus(QWidget& widget)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(&widget, &out);
        QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(&widget, &in);
    }
};

struct TDialog {
    TDispColour scheme;
    TChooserAnswers chooser;
    TSetColours dialog{nullptr, scheme, [this](const QColor&) { return chooser.Ask(); }};

    TDialog()
    {
        chooser.list = &dialog.List();
        dialog.show();
        QApplication::processEvents();
    }

    QListWidget& List() { return dialog.List(); }
    void Click(int row)
    {
        QTest::mouseClick(List().viewport(), Qt::LeftButton, {},
                          List().visualItemRect(List().item(row)).center());
        QApplication::processEvents();
    }
    QColor Painted(int row) { return List().item(row)->foreground().color(); }
};

} // namespace

TEST(SetColours, OpensWithNoRowSelectedAndFocusAsksForNoColour)
{
    TDialog d;
    EXPECT_TRUE(d.List().selectedItems().isEmpty());
    for (Qt::FocusReason reason :
         {Qt::TabFocusReason, Qt::ActiveWindowFocusReason, Qt::OtherFocusReason}) {
        QFocusEvent in(QEvent::FocusIn, reason);
        QApplication::sendEvent(&d.List(), &in);
    }
    QApplication::processEvents();
    EXPECT_EQ(d.chooser.asked, 0);
    EXPECT_TRUE(d.List().selectedItems().isEmpty());
}

TEST(SetColours, OkStoresTheColourDeselectsTheRowAndShowsItsNewColour)
{
    TDialog d;
    const QColor magenta(255, 0, 255);
    d.chooser.answers = {magenta};
    d.Click(2); // "Pictures"
    EXPECT_EQ(d.chooser.asked, 1);
    EXPECT_EQ(d.scheme.RowColour(2), TDisplayScript::ColourRef(magenta));
    EXPECT_EQ(d.Painted(2), magenta);
    EXPECT_TRUE(d.List().selectedItems().isEmpty());

    // The same row again asks again.
    d.chooser.answers = {QColor(0, 0, 255)};
    d.Click(2);
    EXPECT_EQ(d.chooser.asked, 2);
    EXPECT_EQ(d.Painted(2), QColor(0, 0, 255));
}

// Cancel changes nothing and a refocus does not ask again; an arrow key asks for its new row.
TEST(SetColours, CancelChangesNothingAndArrowKeysAskForTheRowTheyMoveTo)
{
    TDialog d;
    const TDispColour before = d.scheme;
    d.chooser.answers = {std::nullopt, QColor(1, 2, 3)};
    d.Click(4);
    EXPECT_EQ(d.chooser.asked, 1);
    EXPECT_EQ(d.scheme.Entries(), before.Entries());
    EXPECT_EQ(d.Painted(4), TDisplayScript::Colour(before.RowColour(4)));
    EXPECT_EQ(d.List().currentRow(), 4);
    TChooserAnswers::Refocus(d.List());
    QApplication::processEvents();
    ASSERT_EQ(d.chooser.asked, 1);

    QTest::keyClick(&d.List(), Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(d.chooser.asked, 2);
    EXPECT_EQ(d.scheme.RowColour(5), TDisplayScript::ColourRef(QColor(1, 2, 3)));
    EXPECT_EQ(d.scheme.RowColour(4), before.RowColour(4));
    EXPECT_TRUE(d.List().selectedItems().isEmpty());
}
