#pragma once

#include "gui/views/TPaneHost.h"
#include "model/TDisplayHost.h"

class TSpecMDI;
struct TDocument;

// The screen that the model's Display and the panes reach: what opening an element does, and
// messages, error boxes, the clipboard and news of a moved selection. New windows come from the
// window manager.
class TPaneServices : public TPaneHost, public TDisplayHost {
public:
    TPaneServices(TSpecMDI& windows, const TDocument& document);

    // What opening an element does, by the core's rule. onlyActivate: bring an open definition
    // window forward, make none.
    void Open(const TDefBase& element, bool onlyActivate);

    const TDocument& Document() const override { return document; }
    void OpenDefinition(const TDefBase& element) override;
    void ShowInScript(const TDefPicture& script, size_t line, size_t offset,
                      size_t length) override;
    void Explain(const QString& text, const QString& caption, int helpContext) override;
    void CopyText(const TDefBase& element) override;
    void SelectionChanged() override;
    void ShowStatus(const QString& text) override;

    bool ActivateDefinition(const TDefBase& element) override;
    void OpenDefinition(const TDefBase& element, TPaneKind pane) override;
    void ShowError(std::string_view text, std::string_view caption) override;

private:
    TSpecMDI& windows;
    const TDocument& document;
};
