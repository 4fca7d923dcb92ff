#pragma once

#include <string_view>

class TDefBase;

// The panes a definition window can hold, one per kind of element that has a definition window.
enum class TPaneKind { Choice, Fields, Picture, List, Options, PrintSettings, Table, Report };

// What the model needs from the screen. The desktop application implements it with windows; the
// command-line tool with standard error.
class TDisplayHost {
public:
    virtual ~TDisplayHost() = default;

    // Brings the element's definition window forward. False when it has none open.
    virtual bool ActivateDefinition(const TDefBase& element) = 0;
    // Opens a definition window for the element, captioned with its title, holding the pane.
    virtual void OpenDefinition(const TDefBase& element, TPaneKind pane) = 0;
    // An error box: text and caption.
    virtual void ShowError(std::string_view text, std::string_view caption) = 0;
};

// A screen that shows nothing, for writing the text of elements that all have a writer (the
// units of a comparison, the pages of a site), where no error box can come.
class TSilentHost : public TDisplayHost {
public:
    bool ActivateDefinition(const TDefBase&) override { return false; }
    void OpenDefinition(const TDefBase&, TPaneKind) override {}
    void ShowError(std::string_view, std::string_view) override {}
};
