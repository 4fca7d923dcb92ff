#pragma once

#include <QMdiSubWindow>

// A child window of the main frame's client, known by its identifier: a fixed one for the
// windows there is one of at most, the element's index for a definition window. Closing it
// destroys it.
class TChildWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    TChildWindow(const QString& caption, int id, int helpContext);

    int ChildId() const { return id; }

private:
    int id;
};
