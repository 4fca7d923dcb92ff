#pragma once

#include "gui/views/TPane.h"

#include <QListView>

class TDefBase;
class TDefinedArray;
class TLogModel;
class TMessageLog;

// The messages pane: a view over the log lines of the last load, read as they are painted, so
// that a million lines open at once. Lines can be selected (Ctrl+A all of them) and copied
// (Ctrl+C), not changed; a double-click or Enter on a line that names an element asks for its
// definition. The log and the elements must outlive the pane.
class TDisplayLog : public QListView, public TPane {
    Q_OBJECT
public:
    // defs: the elements lines may name; none without it.
    TDisplayLog(const TMessageLog& log, const QFont& font, const TDefinedArray* defs = nullptr,
                QWidget* parent = nullptr);

    // The selected lines in file order, joined by line feeds.
    QString SelectedText() const;
    bool HasSelection() const;
    // Puts the selected lines on the clipboard.
    void Copy() const override;

    // The element the current line names; null when it names none.
    const TDefBase* CurrentElement() const;

    // Copy takes the selected lines; Definition opens what the current line names.
    TPaneState State() const override;
    void OpenSelected() override;
    // Every line, in the pane's font.
    std::unique_ptr<TPrintout> Printout() const override;
    void SetTextFont(const QFont& font) override;

Q_SIGNALS:
    void OpenRequested(const TDefBase& element);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TLogModel* lines;
    const TDefinedArray* defs;
    // The element of the last line asked about: the commands ask on every refresh, and a line
    // naming nothing is looked for through the whole design.
    mutable int linkedRow = -1;
    mutable const TDefBase* linked = nullptr;
};
