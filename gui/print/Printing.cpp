#include "gui/print/Printing.h"

#include "gui/print/TPrintout.h"
#include "gui/support/SaveFile.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>

namespace printing {

namespace {

// The printout's units to the inch.
constexpr double kUnitsPerInch = 96;

QFont HeaderFont()
{
    QFont font = QApplication::font();
    font.setPixelSize(QFontInfo(font).pixelSize());
    return font;
}

// The header's height: a line of text and half a line below it.
int HeaderHeight()
{
    return QFontMetrics(HeaderFont()).lineSpacing() * 3 / 2;
}

double Scale(const QPaintDevice& device)
{
    return device.logicalDpiY() / kUnitsPerInch;
}

} // namespace

QPageLayout PageLayout()
{
    QPageLayout layout = QPrinter().pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    layout.setMargins(QMarginsF(15, 15, 15, 15));
    return layout;
}

QSizeF BodySize(const QPagedPaintDevice& device)
{
    const double scale = Scale(device);
    const QSizeF page(device.width() / scale, device.height() / scale);
    return {page.width(), std::max(1.0, page.height() - HeaderHeight())};
}

QString Render(QPagedPaintDevice& device, TPrintout& printout, const QString& title)
{
    const QSizeF body = BodySize(device);
    const int pages = printout.Paginate(body);
    QPainter painter;
    if (!painter.begin(&device))
        return QStringLiteral("The printer could not be started.");
    const double scale = Scale(device);
    const QFont font = HeaderFont();
    const int header = HeaderHeight();
    const int line = QFontMetrics(font).lineSpacing();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return QStringLiteral("The printer could not start page %1.").arg(page + 1);
        }
        painter.save();
        painter.scale(scale, scale);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QRectF top(0, 0, body.width(), line);
        const QString number = QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages);
        const int numberWidth = QFontMetrics(font).horizontalAdvance(number);
        painter.drawText(
            top.adjusted(0, 0, -numberWidth - line, 0), Qt::AlignLeft,
            QFontMetrics(font).elidedText(title, Qt::ElideRight,
                                          static_cast<int>(body.width()) - numberWidth - line));
        painter.drawText(top, Qt::AlignRight, number);
        painter.drawLine(QPointF(0, line + 2), QPointF(body.width(), line + 2));
        painter.translate(0, header);
        painter.setClipRect(QRectF(QPointF(0, 0), body));
        printout.PaintPage(painter, page);
        painter.restore();
    }
    if (!painter.end())
        return QStringLiteral("The pages could not be finished.");
    return {};
}

QString Print(QPrinter& printer, TPrintout& printout, const QString& title)
{
    if (printer.printerState() == QPrinter::Error)
        return QStringLiteral("The printer reports an error.");
    QString error = Render(printer, printout, title);
    if (error.isEmpty() && printer.printerState() == QPrinter::Error)
        error = QStringLiteral("The printer reports an error.");
    return error;
}

QString WritePdf(TPrintout& printout, const QString& title, const QString& path,
                 const std::string& definitionFile)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Stemlook"));
        writer.setPageLayout(PageLayout());
        if (QString error = Render(writer, printout, title); !error.isEmpty())
            return error;
    }
    if (pdf.data().isEmpty())
        return QStringLiteral("No pages were made.");
    if (QString error = files::SaveFile(
            path, definitionFile,
            std::string_view(pdf.data().constData(), static_cast<size_t>(pdf.data().size())));
        !error.isEmpty())
        return error;
    const QFileInfo written(path);
    if (!written.exists())
        return QStringLiteral("The file is not there after writing.");
    if (written.size() == 0)
        return QStringLiteral("The file is empty after writing.");
    return {};
}

} // namespace printing
