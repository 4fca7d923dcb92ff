#pragma once

#include "gui/views/TMyListWindow.h"

class TUsedModel;

// The used-by list of one element: the elements that use it, by display name. Built-ins open
// nothing from here; a field opens its record or group. Reads the element's used-by set: the
// main frame closes the list before it loads another design.
class TDisplayUsed : public TMyListWindow {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 200;
    static constexpr int kWidthMargin = 20;

    // Tells "Empty Set" in a message box when nothing uses the element; the list is empty then.
    TDisplayUsed(TPaneHost& host, const TDefBase& element, QWidget* parent = nullptr);

    const TDefBase& Element() const { return element; }
    std::string WriteText() const override;

protected:
    const TDefBase* ElementAt(int row) const override;
    bool CanOpen(const TDefBase& element) const override;
    void Open(const TDefBase& element) override;

private:
    const TDefBase& element;
    TUsedModel* rows;
};
