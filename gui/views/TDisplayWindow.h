#pragma once

#include "gui/views/TPane.h"
#include "views/TPaneLayout.h"

#include <QAbstractScrollArea>
#include <QFont>

class TDefBase;
class TDefPicture;
class TPaneHost;
struct TScriptPiece;

// The base of every definition pane: the display font and its metrics, the laid-out content and
// its extent, scrolling in character and line units, the selected piece shown inverted, and the
// commands that act on the current element. A subclass lays its element out (in the core) and
// says what a click and a double-click do.
class TDisplayWindow : public QAbstractScrollArea, public TPane {
    Q_OBJECT
public:
    TDisplayWindow(TPaneHost& host, TDefBase& def);

    TDefBase& Def() const { return def; }
    const QFont& TextFont() const { return textFont; }
    int LineHeight() const { return lineHeight; }
    int CharWidth() const { return charWidth; }
    int OriginX() const { return charWidth; }
    QSize Extent() const { return {layout.width, layout.height}; }
    const TPaneLayout& Layout() const { return layout; }

    const TScriptPiece* Selected() const { return selected; }
    // The element the commands act on: the selected piece's, unless it is built in; else Def.
    TDefBase& CurrentElement() const;
    virtual void ClearSelection();
    // Scrolls bytes [offset, offset + length) of a line (from 1) of the script into view and
    // selects them in place of a piece. False, changing nothing, when the pane does not show that
    // line.
    bool ShowText(const TDefPicture& script, size_t line, size_t offset, size_t length);
    // The text ShowText selected, in content coordinates; empty when there is none.
    QRect SelectedText() const { return selectedText; }
    // Content coordinates of a point in the viewport.
    QPoint ContentPoint(QPoint viewportPoint) const;

    bool Enabled(TCommand command) const override;
    void Run(TCommand command) override;

protected:
    void SetLayout(TPaneLayout laidOut);
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
    // Repaints a rectangle given in content coordinates.
    void UpdateContent(const QRect& rect);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

    TPaneHost& host;

private:
    void UpdateScrollRanges();
    QPoint Offset() const;
    // Scrolls only when the rectangle (content coordinates) is not wholly in view.
    void ScrollIntoView(const QRect& rect);

    TDefBase& def;
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
