#pragma once

#include "model/TDefBase.h"

// A field of a group, record or choice; shown inside its owner's window, never in its own.
class TDefField : public TDefBase {
public:
    static constexpr size_t kTypeLimit = 20;
    static constexpr size_t kGedcomTagLimit = 19;

    TDefField(std::string name, std::string fieldType, TDefBase* owner);

    void Read(TLoadContext& rc) override;
    std::string TypeName() const override { return fieldType; }
    void Display(TDisplayHost& host, bool onlyActivate) const override;
    const std::string& GedcomTag() const { return gedcomTag; }

    std::string fieldType;
    std::string gedcomTag;

protected:
    std::string MakeTitle() const override;
};
