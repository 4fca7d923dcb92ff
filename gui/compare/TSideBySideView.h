#pragma once

#include "compare/SideBySide.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>

#include <optional>
#include <string_view>
#include <vector>

// A unit's old text at the left and its new text at the right, row beside row, in the fixed font:
// removed lines tinted at the left, added lines at the right, a changed line beside the line that
// replaces it, and a gap where a side has no line. One pair of scroll bars moves both sides.
// Holds views into the texts shown, which must outlive the next Show.
class TSideBySideView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class TSide { Old, New };
    static constexpr size_t kNone = compare::TSideRow::kNone;

    explicit TSideBySideView(const QFont& font, QWidget* parent = nullptr);

    // Shows the texts from their top, with no change current.
    void Show(std::string_view oldText, std::string_view newText);
    const compare::TSideBySide& Layout() const { return *layout; }
    // The first row of the change moved to last; kNone before any.
    size_t CurrentChange() const { return current; }
    // Moves to the next or previous change and scrolls it into view; from none, to the first or
    // the last. False, changing nothing, when there is none that way.
    bool StepChange(bool forward);
    // The row's line at that side, without its line feed; empty where the side has none.
    QString Text(size_t row, TSide side) const;
    // What the row's side is painted on: the tint of its change, or no colour for a kept line.
    std::optional<QColor> Tint(size_t row, TSide side) const;
    // The first row shown at the top.
    size_t TopRow() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateScrollRanges();
    void PaintSide(QPainter& painter, TSide side, int left, int width, size_t first,
                   size_t last) const;

    std::vector<std::string_view> oldLines;
    std::vector<std::string_view> newLines;
    std::optional<compare::TSideBySide> layout;
    size_t current = kNone;
    int charWidth = 1;
    int lineHeight = 1;
    int widest = 0; // characters in the longest line
};
