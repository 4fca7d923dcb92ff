#pragma once

#include "model/TDefBase.h"

// An ancestor, descendant or tree chart: its pictures and print settings.
class TDefChart : public TDefBase {
public:
    explicit TDefChart(int kind);

    static const char* NameOf(int kind);

    void Read(TLoadContext& rc) override;
    // Charts have no definition window of their own.
    void Display(TDisplayHost&, bool) const override {}
};
