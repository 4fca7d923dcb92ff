#pragma once

#include "model/TDefBase.h"

// The page settings of a chart, table or report, from its "PRINTINFO" line.
class TDefPrintSetting : public TDefBase {
public:
    explicit TDefPrintSetting(TDefBase* owner);

    void Read(TLoadContext& rc) override;

    uint32_t pageWidth = 0;
    uint32_t pageHeight = 0;
    uint32_t leftMargin = 0;
    uint32_t rightMargin = 0;
    uint32_t topSpace = 0;
    uint32_t bottomSpace = 0;
    uint32_t sequence1 = 0;
    uint32_t sequence2 = 0;
    uint32_t sequence3 = 0;
    bool pagePause = false;

protected:
    std::string MakeTitle() const override;
    bool PaneKind(TPaneKind& pane) const override;
};
