#pragma once

#include "views/PaneText.h"

#include <QAccessibleWidget>

#include <optional>
#include <vector>

class TDisplayWindow;

// What a screen reader sees of a definition pane: read-only text, the layout's grid line by line
// (lines end in "\n"), with the selected piece (or the text Find showed) as its selection and the
// cursor at its start. The text is made on the first request and kept until the pane lays itself
// out anew.
class TPaneAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TPaneAccessible(TDisplayWindow* pane);

    // Makes every definition pane answer with this interface; once is enough.
    static void Install();
    // Tells the screen reader where the selection and the cursor are now.
    static void SelectionChanged(TDisplayWindow& pane);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    // The text is read-only and its selection is a piece: these change nothing.
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    TDisplayWindow& Pane() const;
    void Fill() const;
    // The offset of a column of a line (a column past the end of the line: the line's end).
    int OffsetOf(int line, int column) const;
    // The line and column of an offset within the text.
    std::pair<int, int> CellOf(int offset) const;
    // The top of a line in content coordinates.
    int Top(int line) const;
    // The offsets of the selected part; none: false.
    bool Selected(int& start, int& end) const;

    // What the text was made from: the layout's texts and the grid's cell size.
    struct TMadeFrom {
        const void* texts = nullptr;
        size_t count = 0;
        int charWidth = 0, lineHeight = 0;
        bool operator==(const TMadeFrom&) const = default;
    };
    mutable std::optional<TMadeFrom> madeFrom;
    mutable panes::TPaneLines grid;
    mutable QString whole;
    // Line n is whole.mid(lineStarts[n], lineStarts[n + 1] - lineStarts[n] - 1).
    mutable std::vector<int> lineStarts;
    // Where the cursor was put while nothing is selected.
    int cursor = 0;
};
