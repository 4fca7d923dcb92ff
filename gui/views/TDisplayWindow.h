#pragma once

#include "gui/views/TPane.h"
#include "model/TDisplayHost.h"
#include "views/TPaneLayout.h"

#include <QAbstractScrollArea>
#include <QFont>

class QScrollBar;
class TDefBase;
class TDefPicture;
class TPaneHost;
struct TScriptPiece;

// A definition pane: the display font and its metrics, the element laid out (in the core) as the
// pane of its kind shows it, scrolling in character and line units, the selected piece shown
// inverted, and the current element the commands act on. A subclass says what a click and a
// double-click do where they differ.
class TDisplayWindow : public QAbstractScrollArea, public TPane {
    Q_OBJECT
public:
    TDisplayWindow(TPaneHost& host, const TDefBase& def, TPaneKind kind);

    const TDefBase& Def() const { return def; }
    TPaneKind Kind() const { return kind; }
    const QFont& TextFont() const { return textFont; }
    int LineHeight() const { return lineHeight; }
    int CharWidth() const { return charWidth; }
    int OriginX() const { return charWidth; }
    QSize Extent() const { return {layout.width, layout.height}; }
    const TPaneLayout& Layout() const { return layout; }

    const TScriptPiece* Selected() const { return selected; }
    // The element the commands act on: the selected piece's, unless it is built in; else Def.
    const TDefBase& CurrentElement() const;
    void ClearSelection() override;
    // Selects the text in place of a piece.
    bool ShowText(const TDefPicture& script, size_t line, size_t offset, size_t length) override;
    // The text ShowText selected, in content coordinates; empty when there is none.
    QRect SelectedText() const { return selectedText; }
    // Content coordinates of a point in the viewport.
    QPoint ContentPoint(QPoint viewportPoint) const;
    // What the tooltip says of the piece at a point in content coordinates; empty for none.
    QString HoverTextAt(QPoint content) const;
    // The rectangle shown inverted (content coordinates); empty when nothing is selected.
    QRect ShownSelection() const { return SelectionRect(); }
    // Scrolls only when the rectangle (content coordinates) is not wholly in view.
    void ScrollIntoView(const QRect& rect);

    TPaneState State() const override;
    // The element's text; the selected piece's element (or its explanation).
    void Copy() const override;
    void OpenSelected() override;
    TPaneMemo Memo() const override;
    void Recall(const TPaneMemo& memo) override;
    // The layout as drawn, without the selection.
    std::unique_ptr<TPrintout> Printout() const override;
    void SetTextFont(const QFont& font) override;

protected:
    // Clears the selection, then selects the first piece at the point. True on a hit.
    bool SelectPieceAt(QPoint content);
    // Opens the selected piece's element, or explains what the piece is.
    void ExplainSelected();
    // What a click and a double-click at a point in content coordinates do: by default, select
    // the piece there and, on a double-click, explain it.
    virtual void Click(QPoint content);
    virtual void DoubleClick(QPoint content);
    // The rectangle shown inverted (content coordinates); empty when nothing is selected.
    virtual QRect SelectionRect() const;
    // The selection moved: the commands and the screen reader follow.
    void SelectionMoved();
    // Repaints a rectangle given in content coordinates.
    void UpdateContent(const QRect& rect);

    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

    TPaneHost& host;

private:
    // Measures the font and lays the element out in its cells.
    void LayOut(const QFont& font);
    void UpdateScrollRanges();
    QPoint Offset() const;

    const TDefBase& def;
    TPaneKind kind;
    QFont textFont;
    int lineHeight;
    int charWidth;
    TPaneLayout layout;
    const TScriptPiece* selected = nullptr;
    TPaneRect selectedRect;
    QRect selectedText;
};

// A rectangle of the layout as a QRect.
QRect ToRect(const TPaneRect& rect);

// Scrolls for a key as every pane with scroll bars does: Page Up and Page Down by a page, Home
// and End to the top and the bottom, Up and Down by a line, Left and Right by a character.
// False, scrolling nothing, for any other key.
bool ScrollByKey(int key, QScrollBar& horizontal, QScrollBar& vertical);
