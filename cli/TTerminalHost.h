#pragma once

#include "model/TDisplayHost.h"

#include <ostream>

// The screen of stemlook-text: no windows, so nothing is ever open; error boxes become lines on
// standard error.
class TTerminalHost : public TDisplayHost {
public:
    explicit TTerminalHost(std::ostream& err) : err(err) {}

    bool ActivateDefinition(const TDefBase&) override { return false; }
    void OpenDefinition(const TDefBase&, TPaneKind) override {}
    void ShowError(std::string_view text, std::string_view caption) override
    {
        err << "stemlook-text: " << caption << ": " << text << "\n";
    }

private:
    std::ostream& err;
};
