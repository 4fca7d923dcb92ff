#include "gui/support/Bytes.h"
#include "gui/support/TMyMessage.h"

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

TEST(Bytes, ValidUtf8IsReadAsUtf8AndOtherBytesAsWindows1252)
{
    EXPECT_EQ(bytes::ToText("caf\xc3\xa9"), QString::fromUtf8("caf\u00e9"));
    EXPECT_EQ(bytes::ToText("caf\xe9"), QString::fromUtf8("caf\u00e9"));
    EXPECT_EQ(bytes::ToText("\x80 \x93quoted\x94 \x81"),
              QString::fromUtf8("\u20ac \u201cquoted\u201d \u0081"));
    EXPECT_EQ(bytes::ToText(std::string_view("a\0b", 3)).size(), 3);
    EXPECT_EQ(bytes::PathText(bytes::PathBytes("/tmp/Ünï")), "/tmp/Ünï");
}
