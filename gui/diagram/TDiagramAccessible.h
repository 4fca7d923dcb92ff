#pragma once

#include <QAccessibleWidget>
#include <QPointer>

#include <vector>

class TDisplayBrowser;

// What a screen reader sees of a diagram: a canvas whose children are the boxes, one for each
// picture in the order of the diagram's vertices, each with the picture's title as its name, its
// box on the screen as its rectangle, and the selected box selected and focused.
class TDiagramAccessible : public QAccessibleWidget {
public:
    explicit TDiagramAccessible(TDisplayBrowser* browser);
    ~TDiagramAccessible() override;

    // Makes every diagram answer with this interface; once is enough.
    static void Install();
    // Tells the screen reader which box is selected now.
    static void SelectionChanged(TDisplayBrowser& browser);

    QString text(QAccessible::Text type) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    TDisplayBrowser& Browser() const;

    // The boxes' interfaces, made when first asked for and registered, so the cache owns them
    // until this one goes.
    mutable std::vector<QAccessible::Id> boxes;
};

// One box of a diagram, found by its place among the diagram's vertices.
class TBoxAccessible : public QAccessibleInterface {
public:
    TBoxAccessible(TDisplayBrowser* browser, int vertex);

    int Vertex() const { return vertex; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override;

private:
    QPointer<TDisplayBrowser> browser;
    int vertex;
};
