#pragma once

#include "gui/views/TMyListWindow.h"

#include <vector>

class TDefinedArray;

// The elements nothing uses, by class then name, with their class and title; they open as they
// do from the index. The list is made when the window opens: the main frame closes it before it
// loads another design.
class TDisplayUnused : public TMyListWindow {
    Q_OBJECT
public:
    TDisplayUnused(TPaneHost& host, const TDefinedArray& defs, QWidget* parent = nullptr);

    int Count() const { return static_cast<int>(elements.size()); }
    std::string WriteText() const override;

protected:
    const TDefBase* ElementAt(int row) const override;
    bool CanOpen(const TDefBase& element) const override;
    void Open(const TDefBase& element) override;

private:
    std::vector<const TDefBase*> elements;
};
