#pragma once

#include <QMdiSubWindow>

class TPane;

// What a child window shows. A window is found by this, never by a number: numbered ids of
// definition windows (the element's index) would meet the fixed ones in a large design.
struct TChildKey {
    enum TRole {
        Structure,
        Messages,
        Relationships,
        Index,
        Definition,
        UsedBy,
        Find, // element: -1; one window per text, found by the text it searched
        Unused,
        FocusedDiagram, // element: the picture at the centre
        Differences
    };

    TRole role;
    int element = -1; // the element shown by a definition or used-by window; -1 otherwise

    bool operator==(const TChildKey&) const = default;
};

// A child window of the main frame's client, holding one pane. Closing it destroys it.
class TChildWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    TChildWindow(const QString& caption, TChildKey key, int helpContext);
    ~TChildWindow() override;

    TChildKey Key() const { return key; }
    // What the commands ask of the window's content; it lives as long as the window.
    TPane& ContentPane() const { return *pane; }

Q_SIGNALS:
    // The window is being destroyed; what QMdiSubWindow's destructor sets off must not find it.
    void Leaving(TChildWindow* window);

protected:
    void changeEvent(QEvent* event) override;
    // Every subclass gives its pane before the window is shown.
    void SetPane(TPane& content) { pane = &content; }

private:
    TChildKey key;
    TPane* pane = nullptr;
};
