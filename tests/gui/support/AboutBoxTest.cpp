#include "gui/support/TAboutBox.h"

#include "gui/support/TFileVersion.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QStringList LabelTexts(const QWidget& box)
{
    QStringList texts;
    for (const QLabel* label : box.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts;
}

} // namespace

TEST(FileVersion, CompiledInVersionIsTheBuildsProjectVersion)
{
    const TFileVersion version;
    EXPECT_TRUE(version.HasVersion());
    EXPECT_EQ(version.Text(), QStringLiteral(STEMLOOK_VERSION));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+(\\.\\d+)*$"))
                    .match(version.Text())
                    .hasMatch())
        << version.Text().toStdString();
}

TEST(FileVersion, EmptyTextMeansNoVersion)
{
    EXPECT_FALSE(TFileVersion(QString()).HasVersion());
    EXPECT_TRUE(TFileVersion(QStringLiteral("3.303")).HasVersion());
}

TEST(AboutBox, ShowsCaptionPicturesPurposeAndCompiledInVersion)
{
    TAboutBox box(nullptr);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About Stemlook"));
    EXPECT_TRUE(box.isModal());
    const QStringList texts = LabelTexts(box);
    EXPECT_TRUE(texts.contains(QStringLiteral("Displaying Kinvault Database Definitions")));
    const QString versionLine = QStringLiteral("Version " STEMLOOK_VERSION);
    EXPECT_TRUE(texts.contains(versionLine));
    EXPECT_EQ(box.VersionLine(), versionLine);
    EXPECT_EQ(texts.size(), 3) << texts.join(QLatin1Char('|')).toStdString();

    for (const char* name : {"icon", "picture"}) {
        const auto* label = box.findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(label->pixmap().isNull()) << name;
    }
    EXPECT_FALSE(box.windowIcon().isNull());
}

TEST(AboutBox, VersionLineFollowsTheVersionGivenWithoutOtherChanges)
{
    TAboutBox standard(nullptr);
    TAboutBox other(nullptr, TFileVersion(QStringLiteral("3.303")));
    EXPECT_EQ(other.VersionLine(), QStringLiteral("Version 3.303"));
    QStringList before = LabelTexts(standard);
    QStringList after = LabelTexts(other);
    before.removeAll(standard.VersionLine());
    after.removeAll(other.VersionLine());
    EXPECT_EQ(before, after);

    TAboutBox none(nullptr, TFileVersion(QString()));
    EXPECT_EQ(none.VersionLine(), QStringLiteral("Version unknown"));
}

TEST(AboutBox, OkIsTheDefaultButtonAndCloses)
{
    TAboutBox box(nullptr);
    box.show();
    const QList<QPushButton*> buttons = box.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.front()->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(buttons.front()->isDefault());
    buttons.front()->click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
}
