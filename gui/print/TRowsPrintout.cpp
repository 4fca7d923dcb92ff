#include "gui/print/TRowsPrintout.h"

#include <QAbstractItemModel>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <numeric>

namespace {
// Room between columns, and above and below a row's text.
constexpr int kGap = 6;
constexpr int kLead = 2;
} // namespace

TRowsPrintout::TRowsPrintout(const QAbstractItemModel& model, std::vector<int> widths,
                             const QFont& font, bool titled)
    : model(model), widths(std::move(widths)), font(font), titled(titled)
{
    // A size in points would grow with the printer's resolution under the scaled painter.
    this->font.setPixelSize(QFontInfo(font).pixelSize());
    titleFont = this->font;
    titleFont.setBold(true);
    rowHeight = QFontMetrics(this->font).lineSpacing() + kLead;
}

int TRowsPrintout::Paginate(QSizeF body)
{
    const int total = std::accumulate(widths.begin(), widths.end(), 0);
    const int room = static_cast<int>(body.width());
    shown = widths;
    if (widths.size() == 1 || total > room)
        for (int& w : shown)
            w = widths.size() == 1 ? room
                                   : static_cast<int>(static_cast<long long>(w) * room / total);
    const int lines = static_cast<int>(body.height()) / rowHeight - (titled ? 1 : 0);
    rowsPerPage = std::max(1, lines);
    const int rows = model.rowCount();
    return std::max(1, (rows + rowsPerPage - 1) / rowsPerPage);
}

void TRowsPrintout::PaintPage(QPainter& painter, int page) const
{
    painter.setPen(Qt::black);
    int y = 0;
    const auto drawRow = [&](const auto& text) {
        int x = 0;
        const QFontMetrics metrics(painter.font());
        for (int column = 0; column < static_cast<int>(shown.size()); ++column) {
            const int w = std::max(0, shown[column] - kGap);
            painter.drawText(QRect(x, y, w, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                             metrics.elidedText(text(column), Qt::ElideRight, w));
            x += shown[column];
        }
        y += rowHeight;
    };
    if (titled) {
        painter.setFont(titleFont);
        drawRow([this](int column) {
            return model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        });
        painter.drawLine(0, y - kLead / 2, std::accumulate(shown.begin(), shown.end(), 0),
                         y - kLead / 2);
    }
    painter.setFont(font);
    const int first = page * rowsPerPage;
    const int last = std::min(model.rowCount(), first + rowsPerPage);
    for (int row = first; row < last; ++row)
        drawRow([this, row](int column) {
            return model.data(model.index(row, column), Qt::DisplayRole).toString();
        });
}
