#include "model/TMessageLog.h"
#include "support/Bytes.h"
#include "support/TMyMessage.h"
#include "views/TDisplayLog.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(MyMessage, ShowsTitleTextAndHelpStaysOpen)
{
    TMyMessage message(nullptr, "today is a built-in value", "Element Definition", 160);
    std::vector<int> asked;
    QObject::connect(&message, &TMyMessage::HelpRequested, [&](int id) { asked.push_back(id); });
    message.show();
    EXPECT_EQ(message.windowTitle(), "Element Definition");
    EXPECT_EQ(message.Text(), "today is a built-in value");
    EXPECT_EQ(message.HelpContext(), 160);

    QPushButton* help = nullptr;
    QPushButton* ok = nullptr;
    for (QPushButton* button : message.findChildren<QPushButton*>())
        (button->text() == "Help" ? help : ok) = button;
    ASSERT_TRUE(help && ok);
    help->click();
    EXPECT_EQ(asked, std::vector<int>({160}));
    EXPECT_TRUE(message.isVisible());
    ok->click();
    EXPECT_FALSE(message.isVisible());
    EXPECT_EQ(message.result(), QDialog::Accepted);
}

TEST(DisplayLog, ShowsTheLinesAndTypingChangesNothing)
{
    TMessageLog lines;
    for (const char* line :
         {"Reading family.kvd", "Unrecognised tag in 0 BOGUS", "0 lists, 0 Tables, 0 Reports"})
        lines.Line(line);
    TDisplayLog log(lines, QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QAbstractItemModelTester tester(log.model(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
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

TEST(Bytes, ValidUtf8IsReadAsUtf8AndOtherBytesAsWindows1252)
{
    EXPECT_EQ(bytes::ToText("caf\xc3\xa9"), QString::fromUtf8("caf\u00e9"));
    EXPECT_EQ(bytes::ToText("caf\xe9"), QString::fromUtf8("caf\u00e9"));
    EXPECT_EQ(bytes::ToText("\x80 \x93quoted\x94 \x81"),
              QString::fromUtf8("\u20ac \u201cquoted\u201d \u0081"));
    EXPECT_EQ(bytes::ToText(std::string_view("a\0b", 3)).size(), 3);
    EXPECT_EQ(bytes::PathText(bytes::PathBytes("/tmp/Ünï")), "/tmp/Ünï");
}
