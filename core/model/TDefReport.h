#pragma once

#include "model/TDefRepBase.h"

#include <vector>

class TDefPicture;

// A report: a character page (the background) with up to 50 lettered areas, each filled by a
// picture.
class TDefReport : public TDefRepBase {
public:
    static constexpr int kMaxAreas = 50;
    // Backgrounds larger than this, alone or all reports of a load together, are refused rather
    // than allocated: a few bytes of a hostile file must not claim gigabytes.
    static constexpr int64_t kMaxCells = int64_t{1} << 26;
    static constexpr int64_t kMaxCellsPerLoad = int64_t{1} << 28;

    struct Area {
        int32_t column = 0; // "X"
        int32_t row = 0;    // "Y"
        int32_t width = 0;
        int32_t height = 0;
        char letter = 0;
        TDefPicture* picture = nullptr;
    };

    explicit TDefReport(std::string name);

    void Read(TLoadContext& rc) override;

    bool HasBackground() const { return !background.empty(); }
    // Line l of the background: stride - 1 visible characters and the terminator.
    std::string_view BackgroundLine(int l) const
    {
        return std::string_view(background).substr(static_cast<size_t>(l) * stride, stride);
    }

    int32_t stride = 0;     // "WIDTH" + 2
    int32_t lineCount = 0;  // "HEIGHT" + 1
    std::string background; // lineCount lines of stride characters; empty when there is none
    int32_t lastArea = -1;
    std::vector<Area> areas; // lastArea + 1 of them

protected:
    std::string MakeTitle() const override;
    bool PaneKind(TPaneKind& pane) const override;

private:
    // Parts of Read, each for the current line. Those that answer say whether the line after
    // it is still to be made current: false after a skip or a nested reader.
    bool AddArea(TLoadContext& rc, unsigned char& letter);
    bool ReadBackground(TLoadContext& rc, size_t& fill);
    bool ReadAreaPicture(TLoadContext& rc);
    // A "HEIGHT" or "WIDTH": at level 1 the page's plus extra, until the background is made;
    // below it the last area's.
    void ReadExtent(TLoadContext& rc, int32_t& page, int32_t extra, int32_t Area::*value);
    // A value of the last area; a line before the first area is not handled.
    void ReadAreaValue(TLoadContext& rc, int32_t Area::*value);
    void FitAreas(TLoadContext& rc);
};
