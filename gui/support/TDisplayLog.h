#pragma once

#include <QPlainTextEdit>

#include <string>
#include <vector>

// The messages pane: the log lines of the last load, read once when the window is made and never
// changed afterwards. The text can be selected and copied, not edited.
class TDisplayLog : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TDisplayLog(const std::vector<std::string>& lines, QWidget* parent = nullptr);
};
