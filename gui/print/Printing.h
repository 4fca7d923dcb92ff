#pragma once

#include <QSizeF>
#include <QString>

#include <string>

class QPageLayout;
class QPagedPaintDevice;
class QPrinter;
class TPrintout;

// Puts a printout on pages: the title on the left of each page's header, "Page N of M" on its
// right, a rule below, then the page's body. Each returns the reason the pages could not be
// made, or empty.
namespace printing {

// The paper of the default printer, with margins of 15 mm.
QPageLayout PageLayout();
// The body of a page of the device in the printout's units (screen pixels).
QSizeF BodySize(const QPagedPaintDevice& device);
// Draws every page on the device.
QString Render(QPagedPaintDevice& device, TPrintout& printout, const QString& title);
// Sends the pages to the printer; a printer that ends in its error state fails.
QString Print(QPrinter& printer, TPrintout& printout, const QString& title);
// Writes the pages as a PDF document through files::SaveFile, so a failure leaves what was at
// the path; a file that is not there or is empty afterwards is a failure too.
QString WritePdf(TPrintout& printout, const QString& title, const QString& path,
                 const std::string& definitionFile);

} // namespace printing
