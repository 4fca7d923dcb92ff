#include "gui/views/TDisplayLog.h"

#include "ModelCheck.h"
#include "model/TMessageLog.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

TEST(DisplayLog, ShowsTheLinesAndTypingChangesNothing)
{
    TMessageLog lines;
    for (const char* line :
         {"Reading family.kvd", "Unrecognised tag in 0 BOGUS", "0 lists, 0 Tables, 0 Reports"})
        lines.Line(line);
    TDisplayLog log(lines, QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const TModelCheck tester(log.model());
    log.show();
    ASSERT_EQ(log.model()->rowCount(), 3);
    EXPECT_EQ(log.model()->index(1, 0).data().toString(), "Unrecognised tag in 0 BOGUS");
    EXPECT_FALSE(log.HasSelection());
    QTest::keyClicks(&log, "typed");
    QTest::keyClick(&log, Qt::Key_Backspace);
    QTest::keyClick(&log, Qt::Key_Delete);
    QTest::keyClick(&log, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(log.SelectedText(),
              "Reading family.kvd\nUnrecognised tag in 0 BOGUS\n0 lists, 0 Tables, 0 Reports");
    // Row 0 is as wide as the longest line, not the last.
    const QFontMetrics metrics(log.font());
    EXPECT_GE(log.visualRect(log.model()->index(0, 0)).width(),
              metrics.horizontalAdvance("Unrecognised tag in 0 BOGUS"));
}

TEST(DisplayLog, CtrlCCopiesTheSelectedLinesInFileOrder)
{
    TMessageLog lines;
    for (int i = 0; i < 6; ++i)
        lines.Line("line " + std::to_string(i));
    TDisplayLog log(lines, QFontDatabase::systemFont(QFontDatabase::FixedFont));
    log.show();
    QApplication::clipboard()->setText("before");
    QTest::keyClick(&log, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "before"); // nothing selected

    auto* selection = log.selectionModel();
    const auto row = [&](int r) { return log.model()->index(r, 0); };
    selection->select(QItemSelection(row(4), row(5)), QItemSelectionModel::Select);
    selection->select(QItemSelection(row(1), row(2)), QItemSelectionModel::Select);
    selection->select(row(2), QItemSelectionModel::Select);
    QTest::keyClick(&log, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "line 1\nline 2\nline 4\nline 5");
}
