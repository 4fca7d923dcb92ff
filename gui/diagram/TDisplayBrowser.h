#pragma once

#include "diagram/TDiagramIndex.h"
#include "diagram/TVertexList.h"
#include "gui/views/TPane.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QImage>

#include <memory>

class QPainter;
class TDefBase;
class TPaneHost;
class TVertex;

// The relationships diagram: one rounded box per picture, lines from each picture to the
// pictures that use it, the selected picture and its lines in the highlight colour, and five
// zoom steps. It shows the whole graph, or the part of it around one picture (a focused
// diagram). The graph is built and laid out at 100 %; a zoom only scales it. By keyboard, the
// arrows move the selection to the nearest box that way, letters typed in quick succession
// select the next box whose name starts with them, and Enter opens the selected picture.
class TDisplayBrowser : public QAbstractScrollArea, public TPane {
    Q_OBJECT
public:
    // How long after a typed letter the next one still adds to it, in milliseconds.
    static constexpr int kTypeAheadTime = 1000;

    // The whole graph.
    explicit TDisplayBrowser(TPaneHost& host);
    // The part of the graph around the picture: see graph::BuildFocusedGraph.
    TDisplayBrowser(TPaneHost& host, const TDefBase& focus, int depth);

    // Builds a focused diagram again at the depth, keeping the zoom, and selects and centres its
    // picture. Does nothing to the whole graph's diagram.
    void Refocus(int newDepth);

    int Zoom() const { return zoom; }
    // A focused diagram's depth; 0 for the relationships diagram.
    int Depth() const { return depth; }
    // Changes the zoom (one of diagram::kZooms), keeping the point at the centre of the view.
    void SetZoom(int newZoom) override;
    // Selects the element's picture and scrolls the middle of its name to the centre; none (or
    // an element that is not in the graph) clears the selection.
    void SelectElement(const TDefBase* element);
    const TVertex* Selected() const { return selected; }
    const TVertexList& Vertices() const { return master; }
    QSize Extent() const { return extent; }
    // Where the vertex's box is on the screen now, in global coordinates.
    QRect BoxOnScreen(const TVertex& v) const;
    // The whole diagram, as drawn on screen, with the margin of the outermost boxes.
    QRect DiagramRect() const;
    // What the diagram is drawn in: fixed colours on paper, in pictures and in a light theme;
    // the palette's in the dark theme.
    struct TColours {
        QColor background, box, shadow, line, text, highlight;
    };
    TColours Colours(bool onScreen) const;
    // Draws the part of the diagram in area (diagram coordinates) as the window does, on screen
    // or in the fixed colours.
    void Paint(QPainter& painter, const QRect& area, bool onScreen = false) const;
    // Writes the whole diagram at the current zoom: SVG when the path ends in ".svg", otherwise
    // PNG. False, with the reason in error, when the file can't be written.
    bool Export(const QString& path, QString& error) const override;
    // The whole diagram in the fixed colours, ratio device pixels to a pixel of the window.
    QImage Picture(qreal ratio) const;
    // The diagram at 100 %, fitted to a page or tiled.
    std::unique_ptr<TPrintout> Printout() const override;
    // The fill of a picture's box on screen: white (the palette's base in the dark theme), or
    // while a comparison is shown the tint of an added or changed picture.
    QColor BoxFill(const TVertex& v) const;
    // The caption of the window at the current zoom.
    QString Caption() const;

    // Focused Diagram centres on the selected picture; Structure, Index and Relationships wait
    // for another window.
    TPaneState State() const override;
    // The zoom and the selected picture.
    TPaneMemo Memo() const override;
    void Recall(const TPaneMemo& memo) override;
    void OpenSelected() override;

Q_SIGNALS:
    void CaptionChanged(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // focus: null for the whole graph.
    TDisplayBrowser(TPaneHost& host, const TDefBase* focus, int depth);
    // Builds the graph and lays it out, with nothing selected.
    void Build();
    QFont DiagramFont(int atZoom) const;
    void MakeDiagramFont();
    void Select(TVertex* vertex);
    void ComputeBoxes();
    void UpdateScrollRanges();
    QPoint Offset() const;
    // The centre of the view in diagram coordinates.
    QPoint Centre() const;
    void ScrollBy(int dx, int dy);
    void DrawVertex(QPainter& painter, const TVertex& v, const TColours& colours) const;
    QColor BoxFill(const TVertex& v, const TColours& colours) const;
    // What the marks of a comparison mean, in the view's top right corner.
    void DrawLegend(QPainter& painter) const;
    TVertex* HitAt(QPoint viewportPoint) const;
    // An arrow key: the selection moves, or with none the box nearest the view's centre is
    // selected. False for other keys.
    bool MoveByKey(int key);
    // Letters typed: false when the text is none.
    bool TypeAhead(const QString& text);
    // Selects the vertex and scrolls its box into view.
    void SelectAndShow(TVertex* vertex);

    TPaneHost& host;
    const TDefBase* focus = nullptr;
    int depth = 0;
    TVertexList master{TVertexList::Ownership::Owns};
    std::unique_ptr<TDiagramIndex> index;
    TVertex* selected = nullptr;
    QFont diagramFont;
    int h = 0;
    int zoom = 100;
    QSize extent;
    int charWidth = 1;
    int lineHeight = 1;
    // The letters typed so far, and since when the last one was typed.
    QString typed;
    QElapsedTimer typedClock;
};
