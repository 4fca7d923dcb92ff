#pragma once

#include "model/TDefRepBase.h"

#include <vector>

class TDefPicture;

// A table: up to 16 columns of one record type, each with its picture.
class TDefTable : public TDefRepBase {
public:
    static constexpr int kMaxColumns = 16;

    struct Column {
        std::optional<std::string> title;
        int32_t width = 0;
        std::optional<std::string> justification;
        TDefPicture* picture = nullptr;
    };

    explicit TDefTable(std::string name);

    void Read(TLoadContext& rc) override;

    int32_t lastColumn = -1;
    std::vector<Column> columns; // lastColumn + 1 of them

protected:
    std::string MakeTitle() const override;
    bool PaneKind(TPaneKind& pane) const override;
};
