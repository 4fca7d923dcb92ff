#pragma once

#include "model/TDefBase.h"

// The database's options: one element gathering every option line of the file.
class TDefOption : public TDefBase {
public:
    static constexpr size_t kPrefixLimit = 9;
    static constexpr size_t kPrinterLimit = 19;

    // The date format's name, or "unknown format " and its number (the text form and the pane
    // show the same).
    static std::string DateFormatText(int32_t format);
    // The truncation marker's value: its code, and after a code above 32 the character itself.
    static std::string MarkerText(int32_t code);

    TDefOption();

    // Handles the current option line, then reads the next line.
    void Read(TLoadContext& rc) override;

    bool showRins = false;
    bool showLines = false;
    int32_t dateFormat = 0;
    std::string prefixBefore;
    std::string prefixAbout;
    std::string prefixAfter;
    std::string printerName;
    int32_t truncMarker = 0;

protected:
    bool PaneKind(TPaneKind& pane) const override;
};
