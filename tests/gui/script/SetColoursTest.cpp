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

// The focus leaves the widget and comes back, as when a window manager shows the chooser and
// closes it again.
void Refocus(QWidget& widget, Qt::FocusReason reason = Qt::ActiveWindowFocusReason)
{
    for (QEvent::Type type : {QEvent::FocusOut, QEvent::FocusIn}) {
        QFocusEvent event(type, reason);
        QApplication::sendEvent(&widget, &event);
    }
}

} // namespace

TEST(SetColours, AClickOrAnArrowKeyAsksForItsRowAndTheFocusForNone)
{
    TDispColour scheme;
    std::deque<std::optional<QColor>> answers; // none left: cancelled
    int asked = 0;
    QListWidget* list = nullptr;
    TSetColours dialog(nullptr, scheme, [&](const QColor&) -> std::optional<QColor> {
        ++asked;
        if (answers.empty())
            return std::nullopt;
        Refocus(*list);
        const std::optional<QColor> answer = answers.front();
        answers.pop_front();
        return answer;
    });
    list = &dialog.List();
    dialog.show();
    const auto click = [&](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        QApplication::processEvents();
    };
    const auto painted = [&](int row) { return list->item(row)->foreground().color(); };

    QApplication::processEvents();
    for (Qt::FocusReason reason :
         {Qt::TabFocusReason, Qt::ActiveWindowFocusReason, Qt::OtherFocusReason})
        Refocus(*list, reason);
    QApplication::processEvents();
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(list->selectedItems().isEmpty());

    // OK stores the colour, shows it and deselects, so the same row asks again.
    const QColor magenta(255, 0, 255);
    answers = {magenta, QColor(0, 0, 255)};
    click(2); // "Pictures"
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(scheme.RowColour(2), TDisplayScript::ColourRef(magenta));
    EXPECT_EQ(painted(2), magenta);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    click(2);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(painted(2), QColor(0, 0, 255));

    // Cancel changes nothing and a refocus does not ask again; an arrow key asks for its new row.
    const TDispColour before = scheme;
    answers = {std::nullopt, QColor(1, 2, 3)};
    click(4);
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(scheme.Entries(), before.Entries());
    EXPECT_EQ(painted(4), TDisplayScript::Colour(before.RowColour(4)));
    EXPECT_EQ(list->currentRow(), 4);
    Refocus(*list);
    QApplication::processEvents();
    ASSERT_EQ(asked, 3);
    QTest::keyClick(list, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(scheme.RowColour(5), TDisplayScript::ColourRef(QColor(1, 2, 3)));
    EXPECT_EQ(scheme.RowColour(4), before.RowColour(4));
    EXPECT_TRUE(list->selectedItems().isEmpty());
}
