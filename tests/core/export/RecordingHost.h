#pragma once

#include "model/TDisplayHost.h"

#include <string>
#include <vector>

// A screen that opens nothing and keeps every error box as "caption: text".
class TRecordingHost : public TDisplayHost {
public:
    bool ActivateDefinition(const TDefBase&) override { return false; }
    void OpenDefinition(const TDefBase&, TPaneKind) override {}
    void ShowError(std::string_view text, std::string_view caption) override
    {
        errors.push_back(std::string(caption) + ": " + std::string(text));
    }

    std::vector<std::string> errors;
};
