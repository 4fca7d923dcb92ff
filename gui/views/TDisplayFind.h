#pragma once

#include "gui/views/TMyListWindow.h"
#include "script/FindInScripts.h"

#include <string>
#include <vector>

class TFindModel;

// The result of Find in Scripts: a row per script line that holds the text. Definition (Enter, a
// double-click) opens the window that shows the row's script with the match selected. Holds
// views into the searched design: the main frame closes it before it loads another design.
class TDisplayFind : public TMyListWindow {
    Q_OBJECT
public:
    static constexpr int kMaximumTitleWidth = 400;
    static constexpr int kTextWidth = 500;
    // Rows measured for the widths: the widest of a million is not worth a second's wait.
    static constexpr int kMeasuredRows = 1000;

    TDisplayFind(TPaneHost& host, std::string text, std::vector<search::TScriptHit> hits,
                 QWidget* parent = nullptr);

    const std::string& Text() const { return text; }
    const std::vector<search::TScriptHit>& Hits() const { return hits; }
    std::string WriteText() const override;
    // Find in Scripts offers the text searched again.
    TPaneState State() const override;

protected:
    const TDefBase* ElementAt(int row) const override;
    bool CanOpen(const TDefBase& element) const override;
    // Opens the selected row's line; the element is that row's.
    void Open(const TDefBase& element) override;

private:
    std::string text;
    std::vector<search::TScriptHit> hits;
    TFindModel* rows;
};
