#include "GuiHelpers.h"
#include "gui/app/TSpecMDI.h"
#include "gui/diagram/TDisplayBrowser.h"
#include "gui/print/Printing.h"
#include "gui/print/TLinesPrintout.h"
#include "gui/print/TRowsPrintout.h"
#include "gui/support/CommandIds.h"
#include "gui/support/THelpContext.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDisplayIndex.h"
#include "gui/views/TDisplayWindow.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"
#include "views/TPaneLayout.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMdiSubWindow>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <string>

namespace {

// A frame on a design whose one picture script has the given number of lines.
struct TLongScript {
    TFrameFixture f{{1200, 800}};
    TSpecMDI& mdi = f.frame->Client();

    explicit TLongScript(int lines)
    {
        std::string ged = "0 @person@ RECORD\n1 @long@ PICTURE \"line 1\"";
        for (int n = 2; n <= lines; ++n)
            ged += "\n2 CONT \"line " + std::to_string(n) + '"';
        EXPECT_TRUE(mdi.ReadFile(f.Database("t.kvd", ged + "\n0 TRLR\n")));
        TDefBase* script = mdi.Document().db.Definitions().FindTitled("person picture script long");
        EXPECT_NE(script, nullptr);
        mdi.OpenDefinition(*script, false);
    }

    TDisplayWindow& Pane() const { return *ActivePane<TDisplayWindow>(mdi); }
    int PaneLines() const { return Pane().Layout().height / Pane().LineHeight(); }
};

int Ceil(int a, int b)
{
    return (a + b - 1) / b;
}

// The page objects of a PDF document (not its page tree).
int PdfPages(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines a page of the printer holds, from the page's body and the pane's line height.
int LinesPerPage(const QPagedPaintDevice& device, int lineHeight)
{
    return static_cast<int>(printing::BodySize(device).height()) / lineHeight;
}

} // namespace

TEST(PrintPreview, LongScriptBreaksAtLineBoundariesOverTheExpectedPages)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(printing::PageLayout());
    const int perPage = LinesPerPage(printer, TLongScript(1).Pane().LineHeight());
    ASSERT_GT(perPage, 10);
    for (const int lines : {1, perPage - 2, perPage, perPage + 1, 3 * perPage + 5}) {
        TLongScript x(lines);
        ASSERT_GE(x.PaneLines(), lines);
        const std::unique_ptr<TPrintout> printout = x.Pane().Printout();
        QPrintPreviewWidget preview(&printer);
        QString error = QStringLiteral("not painted");
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* target) {
            error = printing::Print(*target, *printout, QStringLiteral("long"));
        });
        preview.updatePreview();
        EXPECT_EQ(error, QString()) << lines;
        const int pages = Ceil(x.PaneLines(), perPage);
        EXPECT_EQ(preview.pageCount(), pages) << lines;

        // Every line of the pane on exactly one page, whole; pages in order, without gaps.
        const auto& lined = dynamic_cast<const TLinesPrintout&>(*printout);
        const int L = x.Pane().LineHeight();
        for (int page = 0; page < pages; ++page) {
            EXPECT_EQ(lined.PageArea(page).top() % L, 0);
            EXPECT_EQ(lined.PageArea(page).height(), perPage * L);
            if (page > 0) {
                EXPECT_EQ(lined.PageArea(page).top(), lined.PageArea(page - 1).bottom() + 1);
            }
        }
        for (const TPaneText& text : x.Pane().Layout().texts) {
            int holding = 0;
            for (int page = 0; page < pages; ++page)
                holding += lined.PageArea(page).contains(QRect(text.x, text.y, 1, L));
            EXPECT_EQ(holding, 1) << lines << " at " << text.y;
        }
    }
}

TEST(ExportPdf, CommandWritesEveryPageOfTheDefinitionWindow)
{
    QBuffer probe;
    probe.open(QIODevice::WriteOnly);
    QPdfWriter writer(&probe);
    writer.setPageLayout(printing::PageLayout());
    TLongScript x(1);
    const int perPage = LinesPerPage(writer, x.Pane().LineHeight());

    for (const int lines : {1, 2 * perPage + 1}) {
        TLongScript y(lines);
        const QString path = QString::fromStdString(y.f.folder.Path()) + "/long";
        TModalAnswer answer([&path](QDialog& dialog) {
            if (auto* chooser = qobject_cast<QFileDialog*>(&dialog)) {
                EXPECT_EQ(THelpContext::Of(chooser), helpids::Print);
                chooser->selectFile(path);
            }
        });
        QAction* command = y.f.frame->Commands().Action(commands::ExportPdf);
        ASSERT_TRUE(command->isEnabled());
        command->trigger();
        ASSERT_EQ(answer.seen.size(), 1u);
        EXPECT_EQ(answer.seen[0].title, "Export as PDF");
        // The chooser adds the suffix.
        const QByteArray pdf = ReadFile(path + ".pdf");
        EXPECT_TRUE(pdf.startsWith("%PDF-")) << lines;
        EXPECT_EQ(PdfPages(pdf), Ceil(y.PaneLines(), perPage)) << lines;
    }
}

TEST(ExportPdf, FailuresSayWhyAndLeaveTheFileAsItWas)
{
    TLongScript x(30);
    const std::unique_ptr<TPrintout> printout = x.Pane().Printout();
    const std::string& definition = x.mdi.Document().db.DefinitionFile();
    const QByteArray before = ReadFile(QString::fromStdString(definition));
    const QString missing = QString::fromStdString(x.f.folder.Path()) + "/no/such/folder/a.pdf";
    for (const QString& path : {missing, QString::fromStdString(definition)}) {
        const QString error = printing::WritePdf(*printout, QStringLiteral("t"), path, definition);
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(ReadFile(QString::fromStdString(definition)), before);

    // A printer that can't start its pages.
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(missing);
    EXPECT_FALSE(printing::Print(printer, *printout, QStringLiteral("t")).isEmpty());
}

TEST(Print, CommandsAreThereWhereSomethingPrints)
{
    TFrameFixture f{{1200, 800}};
    TSpecMDI& mdi = f.frame->Client();
    const auto enabled = [&f] { return f.frame->Commands().Action(commands::Print)->isEnabled(); };
    EXPECT_FALSE(enabled());
    ASSERT_TRUE(f.frame->OpenFolder(STEMLOOK_EXAMPLES_DIR "/family.kvd"));
    // The structure tree.
    EXPECT_FALSE(enabled());
    for (const QAction* action : {f.frame->Commands().Action(commands::PrintPreview),
                                  f.frame->Commands().Action(commands::ExportPdf)})
        EXPECT_FALSE(action->isEnabled());
    mdi.ShowMessages();
    EXPECT_TRUE(enabled());
    mdi.ShowIndex(nullptr);
    EXPECT_TRUE(enabled());
    mdi.ShowRelationships(nullptr);
    EXPECT_TRUE(enabled());
    EXPECT_EQ(f.frame->Commands().Action(commands::Print)->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_P));
}

TEST(Print, IndexPrintsEveryRowUnderTheColumnTitles)
{
    TFrameFixture f{{1200, 800}};
    ASSERT_TRUE(f.frame->OpenFolder(STEMLOOK_EXAMPLES_DIR "/family.kvd"));
    f.frame->Client().ShowIndex(nullptr);
    auto* index = ActivePane<TDisplayIndex>(f.frame->Client());
    ASSERT_NE(index, nullptr);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QSizeF body = printing::BodySize(printer);
    const int rows = index->model()->rowCount();
    ASSERT_GT(rows, 0);
    for (const QSizeF size : {body, QSizeF(body.width(), body.height() / 4)}) {
        const std::unique_ptr<TPrintout> printout = index->Printout();
        const int pages = printout->Paginate(size);
        const int perPage = dynamic_cast<TRowsPrintout&>(*printout).RowsPerPage();
        // The titles and the rows of a page fit its body.
        const int rowHeight = QFontMetrics(index->font()).lineSpacing();
        EXPECT_LE((perPage + 1) * rowHeight, size.height());
        EXPECT_EQ(pages, Ceil(rows, perPage));
    }
}

TEST(Print, DiagramFitsOnePageOrTilesAt100PercentWhateverTheZoomAsAsked)
{
    TFrameFixture f{{1200, 800}};
    ASSERT_TRUE(f.frame->OpenFolder(STEMLOOK_EXAMPLES_DIR "/family.kvd"));
    f.frame->Client().ShowRelationships(nullptr);
    auto* diagram = ActivePane<TDisplayBrowser>(f.frame->Client());
    ASSERT_NE(diagram, nullptr);
    const QSize whole = diagram->DiagramRect().size();
    // A page a third of the diagram's size each way.
    const QSizeF body(whole.width() / 3.0 + 1, whole.height() / 3.0 + 1);
    std::vector<int> tiled;
    for (const int zoom : {100, 50}) {
        diagram->SetZoom(zoom);
        const std::unique_ptr<TPrintout> printout = diagram->Printout();
        ASSERT_EQ(printout->Layouts().size(), 2);
        EXPECT_EQ(printout->Paginate(body), 1);
        printout->SetLayout(1);
        tiled.push_back(printout->Paginate(body));
    }
    EXPECT_EQ(tiled[0], 9);
    EXPECT_EQ(tiled[1], 9);

    // The command asks which, with help.
    std::vector<int> topics;
    TModalAnswer answer([&topics](QDialog& dialog) {
        topics.push_back(THelpContext::Of(&dialog));
        dialog.reject();
    });
    f.frame->Commands().Action(commands::ExportPdf)->trigger();
    ASSERT_EQ(answer.seen.size(), 1u);
    EXPECT_EQ(answer.seen[0].title, "Export as PDF");
    EXPECT_EQ(topics, std::vector<int>{helpids::Print});
}
