#pragma once

#include "model/TDefBase.h"

#include <array>
#include <optional>

class TDefPicture;

// A list of records: how it is filled and sorted.
class TDefList : public TDefBase {
public:
    static constexpr size_t kTextLimit = 19;
    static constexpr int kKeyCount = 4;

    enum Method { Index = 0, Fill = 1, AncTree = 2, DescTree = 3, LinesMethod = 4 };

    struct Key {
        std::optional<std::string> expression;
        bool ascending = false;
    };

    explicit TDefList(uint32_t number);

    void Read(TLoadContext& rc) override;
    std::string TypeName() const override { return ownerType; }

    uint32_t number;
    std::string ownerType;
    int32_t method = Index;
    std::string planRef;
    uint32_t pin = 0;
    uint32_t baseValue = 0;
    uint32_t generations = 0;
    uint32_t size = 0;
    int32_t keyIndex = -1;
    std::array<Key, kKeyCount> keys;
    TDefPicture* filter = nullptr;

protected:
    std::string MakeTitle() const override;
    bool PaneKind(TPaneKind& pane) const override;

private:
    // A KEY, EXPRESSION or DIRECTION line. Lines after a key beyond the last belong to that
    // ignored key.
    void ReadKeyLine(TLoadContext& rc, bool& pastLastKey);
    void BuildName();
};
