#pragma once

#include "views/TPane.h"

#include <QListView>

class TLogModel;
class TMessageLog;

// The messages pane: a view over the log lines of the last load, read as they are painted, so
// that a million lines open at once. Lines can be selected (Ctrl+A all of them) and copied
// (Ctrl+C), not changed. The log must outlive the pane.
class TDisplayLog : public QListView, public TPane {
    Q_OBJECT
public:
    TDisplayLog(const TMessageLog& log, const QFont& font, QWidget* parent = nullptr);

    // The selected lines in file order, joined by line feeds.
    QString SelectedText() const;
    bool HasSelection() const;
    // Puts the selected lines on the clipboard.
    void Copy() const;

    // Of the pane commands the messages answer Copy alone.
    bool Answers(TCommand command) const override { return command == TPane::Copy; }
    bool Enabled(TCommand command) const override;
    void Run(TCommand command) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TLogModel* lines;
};
