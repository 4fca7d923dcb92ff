#include "gui/export/WebExport.h"
#include "GuiHelpers.h"
#include "gui/app/TMainFrame.h"
#include "publish/Site.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Takes the URLs the program hands the desktop to open.
class TBrowser : public QObject {
    Q_OBJECT
public:
    TBrowser() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~TBrowser() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    std::vector<QUrl> opened;

public Q_SLOTS:
    void Open(const QUrl& url) { opened.push_back(url); }
};

bool HasIndex(const QString& folder)
{
    return QFileInfo::exists(QDir(folder).filePath(QStringLiteral("index.html")));
}

} // namespace

TEST(WebExport, WritesThePagesOffersTheBrowserAndNeverWritesIntoAStrangersFolder)
{
    TFrameFixture f;
    ASSERT_TRUE(f.frame->OpenFolder(QStringLiteral(STEMLOOK_EXAMPLES_DIR "/family.kvd")));
    const TDatabase& db = f.frame->Document().db;
    TBrowser browser;
    const QString site = QString::fromStdString(f.folder.Path() + "/site");
    {
        TBoxes boxes;
        boxes.answer = QMessageBox::Yes;
        webexport::ExportWebPages(f.frame.get(), db, site);
        ASSERT_EQ(boxes.seen.size(), 1u);
        EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Question);
        ASSERT_EQ(browser.opened.size(), 1u);
        EXPECT_EQ(browser.opened[0],
                  QUrl::fromLocalFile(QDir(site).filePath(QStringLiteral("index.html"))));
    }
    // A site of its own is written again without a question but the offer.
    {
        TBoxes boxes;
        boxes.answer = QMessageBox::No;
        webexport::ExportWebPages(f.frame.get(), db, site);
        EXPECT_EQ(boxes.seen.size(), 1u);
        EXPECT_EQ(browser.opened.size(), 1u);
    }
    // A person's folder: nothing in it is touched; the pages go into a new folder inside it only
    // when the person says so.
    const std::string mine = f.folder.Write("mine/letter.txt", "dear\n");
    const QString occupied = QString::fromStdString(f.folder.Path() + "/mine");
    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        TBoxes boxes;
        boxes.answer = answer;
        webexport::ExportWebPages(f.frame.get(), db, occupied);
        EXPECT_EQ(boxes.seen.size(), answer == QMessageBox::Yes ? 2u : 1u);
        EXPECT_FALSE(HasIndex(occupied));
        EXPECT_EQ(HasIndex(webexport::FolderInside(occupied, db)), answer == QMessageBox::Yes);
        EXPECT_EQ(TTempFolder::Read(mine), "dear\n");
    }
    // A folder that can't be made: a warning with the path, not success.
    f.folder.Write("file", "x");
    TBoxes boxes;
    webexport::ExportWebPages(f.frame.get(), db,
                              QString::fromStdString(f.folder.Path() + "/file/site"));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("file")));
}

#include "WebExportTest.moc"
