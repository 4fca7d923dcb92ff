#pragma once

#include "model/TDefBase.h"

#include <optional>

// What tables and reports share: the record type they lay out and two titles.
class TDefRepBase : public TDefBase {
public:
    static constexpr size_t kTypeLimit = 19;

    TDefRepBase(int kind, std::string name);

    bool IsOwnedBy(int ofKind, const TDefBase* element) const override;
    std::string TypeName() const override { return type; }

    std::string type;
    std::optional<std::string> title1;
    std::optional<std::string> title2;

protected:
    // Reads a "TYPE" value, cut to kTypeLimit; what names the kind in the log line.
    void ReadType(TLoadContext& rc, const char* what);
};
