#include "support/Bytes.h"
#include "support/TDisplayLog.h"
#include "support/TMyMessage.h"

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
    TDisplayLog log(
        {"Reading family.kvd", "Unrecognised tag in 0 BOGUS", "0 lists, 0 Tables, 0 Reports"});
    log.show();
    const QString text =
        "Reading family.kvd\nUnrecognised tag in 0 BOGUS\n0 lists, 0 Tables, 0 Reports";
    EXPECT_EQ(log.toPlainText(), text);
    EXPECT_TRUE(log.isReadOnly());
    QTest::keyClicks(&log, "typed");
    QTest::keyClick(&log, Qt::Key_Backspace);
    QTest::keyClick(&log, Qt::Key_Delete);
    EXPECT_EQ(log.toPlainText(), text);
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
