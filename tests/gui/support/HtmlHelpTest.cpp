#include "gui/support/THtmlHelp.h"

#include "gui/support/TResources.h"
#include "script/TDispColour.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPalette>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWindow>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

// Every help context id the program names, with a word that the title of its page must hold.
const std::vector<std::pair<int, QString>> contextPages = {
    {100, "Open"},
    {101, "Save As"},
    {102, "Exit"},
    {103, "Preferences"},
    {110, "Copy"},
    {120, "Definition"},
    {121, "Index"},
    {122, "Messages"},
    {123, "Relationships"},
    {124, "Database Structure"},
    {125, "Used by list"},
    {130, "Group or record definition"},
    {131, "Picture definition"},
    {132, "List definition"},
    {133, "Choice definition"},
    {134, "Table definition"},
    {135, "Report definition"},
    {136, "Print settings"},
    {137, "Database Structure window"},
    {138, "Used by list"},
    {139, "Index of Elements"},
    {140, "Messages window"},
    {141, "Relationships window"},
    {143, "Options"},
    {150, "Select Elements to Save as Text"},
    {151, "Kinvault Database"},
    {152, "Choose Script Colours"},
    {160, "Built-in value"},
    {161, "Built-in type"},
    {162, "Picture Script Element"},
    {175, "Compare With"},
    {176, "Differences window"},
    {185, "Export as Web Pages"},
    {200, "Quick Open"},
};

QString ResourcePath(const QUrl& url)
{
    return QLatin1Char(':') + url.path();
}

QString ReadResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList HelpPages()
{
    TResources::Init();
    return QDir(QStringLiteral(":/help")).entryList(QDir::Files, QDir::Name);
}

// Records whether a window was last told that a modal window blocks it.
class BlockWatch : public QObject {
public:
    bool blocked = false;
    int notices = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowUnblocked) {
            blocked = event->type() == QEvent::WindowBlocked;
            ++notices;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

TEST(HtmlHelp, EveryContextIdOpensAPageOfItsOwn)
{
    THtmlHelp help;
    QSet<QUrl> seen;
    for (const auto& [id, title] : contextPages) {
        help.Show(id);
        const QUrl page = help.Browser()->source();
        EXPECT_EQ(page, THtmlHelp::PageUrl(id)) << id;
        EXPECT_NE(page, THtmlHelp::ContentsUrl()) << id;
        EXPECT_TRUE(QFile::exists(ResourcePath(page))) << id;
        EXPECT_TRUE(help.Browser()->documentTitle().contains(title, Qt::CaseInsensitive))
            << id << " shows " << help.Browser()->documentTitle().toStdString();
        EXPECT_GT(help.Browser()->toPlainText().size(), 300) << id;
        EXPECT_FALSE(seen.contains(page)) << id << " shares its page";
        seen.insert(page);
    }
    EXPECT_TRUE(help.Window()->isVisible());
}

TEST(HtmlHelp, UnknownIdAndContentsRequestShowTheContents)
{
    THtmlHelp help;
    for (int id : {0, -1, 99, 104, 142, 163, 24332, 10000}) {
        help.Show(137);
        help.Show(id);
        EXPECT_EQ(help.Browser()->source(), THtmlHelp::ContentsUrl()) << id;
        EXPECT_EQ(help.Browser()->documentTitle(), QStringLiteral("Stemlook Help")) << id;
    }
    help.Show(160);
    help.ShowContents();
    EXPECT_EQ(help.Browser()->source(), THtmlHelp::ContentsUrl());
    EXPECT_EQ(help.Window()->windowTitle(), QStringLiteral("Stemlook Help"));
    help.Show(100);
    EXPECT_EQ(help.Window()->windowTitle(), help.Browser()->documentTitle() + " - Stemlook Help");
    EXPECT_FALSE(help.Browser()->documentTitle().isEmpty());
}

TEST(HtmlHelp, OneWindowMadeOnFirstRequestThenReusedAndBroughtBack)
{
    THtmlHelp help;
    help.CloseAll();
    EXPECT_EQ(help.Window(), nullptr);

    help.Show(100);
    QWidget* window = help.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Open")));

    help.Show(137);
    EXPECT_EQ(help.Window(), window);
    EXPECT_EQ(QApplication::topLevelWidgets().count(window), 1);

    help.CloseAll();
    EXPECT_FALSE(window->isVisible());
    help.Show(140);
    EXPECT_EQ(help.Window(), window);
    EXPECT_TRUE(window->isVisible());

    window->showMinimized();
    help.ShowContents();
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
}

TEST(HtmlHelp, HelpWindowNeverKeepsTheProgramRunning)
{
    THtmlHelp help;
    help.Show(102);
    EXPECT_FALSE(help.Window()->testAttribute(Qt::WA_QuitOnClose));
}

TEST(HtmlHelp, HelpFromAModalDialogTakesInputWhileTheDialogIsOpen)
{
    THtmlHelp help;
    help.Show(100);
    QWidget bystander;
    bystander.show();
    BlockWatch helpWatch;
    BlockWatch bystanderWatch;
    help.Window()->windowHandle()->installEventFilter(&helpWatch);
    bystander.windowHandle()->installEventFilter(&bystanderWatch);

    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(bystanderWatch.blocked);
    EXPECT_TRUE(helpWatch.blocked);

    help.Show(151);
    EXPECT_FALSE(helpWatch.blocked);
    EXPECT_GE(helpWatch.notices, 2);
    EXPECT_TRUE(bystanderWatch.blocked);

    dialog.reject();
    QApplication::processEvents();
    EXPECT_FALSE(bystanderWatch.blocked);
    EXPECT_FALSE(helpWatch.blocked);
}

TEST(HtmlHelp, EveryLinkOfEveryPageReachesAPageOrPictureThatExists)
{
    const QStringList pages = HelpPages();
    ASSERT_GT(pages.size(), 30);
    const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)(?:#([^\"]*))?\""));
    const QRegularExpression img(QStringLiteral("<img src=\"qrc:([^\"]+)\""));
    for (const QString& page : pages) {
        const QString html = ReadResource(QStringLiteral(":/help/") + page);
        ASSERT_FALSE(html.isEmpty()) << page.toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << page.toStdString();
        for (const QRegularExpressionMatch& link : href.globalMatch(html)) {
            const QString target = link.captured(1).isEmpty() ? page : link.captured(1);
            const QString text = ReadResource(QStringLiteral(":/help/") + target);
            EXPECT_FALSE(text.isEmpty()) << page.toStdString() << " -> " << target.toStdString();
            if (link.hasCaptured(2)) {
                EXPECT_TRUE(text.contains(QStringLiteral("name=\"%1\"").arg(link.captured(2))))
                    << page.toStdString() << " -> " << link.captured(0).toStdString();
            }
        }
        for (const QRegularExpressionMatch& picture : img.globalMatch(html))
            EXPECT_TRUE(QFile::exists(QLatin1Char(':') + picture.captured(1)))
                << page.toStdString() << " -> " << picture.captured(1).toStdString();
    }
}

TEST(HtmlHelp, ContentsLinksEveryOtherPage)
{
    const QStringList pages = HelpPages();
    const QString contents = ReadResource(ResourcePath(THtmlHelp::ContentsUrl()));
    for (const QString& page : pages) {
        if (page != QStringLiteral("contents.html")) {
            EXPECT_TRUE(contents.contains(QStringLiteral("href=\"%1").arg(page)))
                << page.toStdString();
        }
    }
}

// Headings and links read on the page, in a light palette and in a dark one.
TEST(HtmlHelp, HeadingsAndLinksReadOnLightAndDarkPages)
{
    const QPalette saved = QApplication::palette();
    for (const QColor base : {QColor(Qt::white), QColor(0x1e, 0x1e, 0x1e)}) {
        SCOPED_TRACE(base.name().toStdString());
        QPalette palette = saved;
        palette.setColor(QPalette::Base, base);
        QApplication::setPalette(palette);
        THtmlHelp help;
        help.ShowContents();
        const QString sheet = help.Browser()->document()->defaultStyleSheet();
        const auto bgr = [](const QColor& c) {
            return static_cast<uint32_t>(c.red() | c.green() << 8 | c.blue() << 16);
        };
        int colours = 0;
        for (qsizetype at = 0; (at = sheet.indexOf(QStringLiteral("color: #"), at)) >= 0; ++at) {
            const QColor ink(sheet.mid(at + 7, 7));
            ASSERT_TRUE(ink.isValid());
            EXPECT_GE(TDispColour::Contrast(bgr(ink), bgr(base)), 4.5) << ink.name().toStdString();
            ++colours;
        }
        EXPECT_EQ(colours, 2);
    }
    QApplication::setPalette(saved);
}
