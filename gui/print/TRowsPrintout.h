#pragma once

#include "gui/print/TPrintout.h"

#include <QFont>

#include <vector>

class QAbstractItemModel;

// A list on paper: its rows as the model gives them (after its filter), the column titles at
// the top of every page. Columns keep the list's widths, narrowed in proportion when they are
// wider together than the page; a text too long for its column ends in "...".
class TRowsPrintout : public TPrintout {
public:
    // widths: the list's column widths, one a column; a list without titles (the messages)
    // gives one column and titled false.
    TRowsPrintout(const QAbstractItemModel& model, std::vector<int> widths, const QFont& font,
                  bool titled);

    int Paginate(QSizeF body) override;
    void PaintPage(QPainter& painter, int page) const override;

    int RowsPerPage() const { return rowsPerPage; }

private:
    const QAbstractItemModel& model;
    std::vector<int> widths;
    std::vector<int> shown; // the widths on the page
    QFont font;
    QFont titleFont;
    bool titled;
    int rowHeight;
    int rowsPerPage = 1;
};
