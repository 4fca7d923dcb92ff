#pragma once

#include "model/TDefBase.h"

// Every script element: pictures, plan pictures, edit panels and list filters.
class TDefPicture : public TDefBase {
public:
    static constexpr int kWrapWidth = 60;

    TDefPicture(int kind, std::string name, std::string script, TDefBase* owner);

    void Read(TLoadContext& rc) override;

    // Breaks lines longer than kWrapWidth at their last white space, in place.
    static void Wrap(std::string& script);

    std::string script;

protected:
    std::string MakeTitle() const override;
    bool PaneKind(TPaneKind& pane) const override;
};
