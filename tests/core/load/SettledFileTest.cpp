#include "load/SettledFile.h"
#include "core/TempFolder.h"

#include <atomic>
#include <cstdio>
#include <gtest/gtest.h>
#include <thread>

using settled::TFileStamp;
using settled::TSettleClock;

namespace {

// Each step: a change seen (the watcher) or a poll, at a time, with the file's stamp then; and
// what the poll answers (nullopt: nothing pending; 0: settled).
struct TStep {
    enum { Change, Poll } what;
    int64_t at;
    uint64_t size;
    std::optional<int64_t> answer = std::nullopt;
};

void Play(const std::vector<TStep>& steps)
{
    TSettleClock clock(300);
    for (size_t i = 0; i < steps.size(); ++i) {
        const TStep& step = steps[i];
        const TFileStamp stamp{true, step.size, 0, 1};
        if (step.what == TStep::Change)
            clock.Changed(step.at, stamp);
        else
            EXPECT_EQ(clock.Poll(step.at, stamp), step.answer) << "step " << i;
    }
}

} // namespace

TEST(SettleClock, ActsOnceTheFileStayedTheSameForTheQuietTimeSinceItsLastChangeOrGrowth)
{
    {
        SCOPED_TRACE("one change");
        Play({{TStep::Poll, 0, 1, std::nullopt},
              {TStep::Change, 0, 1},
              {TStep::Poll, 100, 1, 200},
              {TStep::Poll, 300, 1, 0},
              // Taken: nothing more until the next change.
              {TStep::Poll, 900, 1, std::nullopt}});
    }
    SCOPED_TRACE("each change or growth starts the quiet time again");
    Play({{TStep::Change, 0, 1},
          {TStep::Change, 250, 2},
          {TStep::Poll, 300, 2, 250},
          // Grown since the last change was seen, with no word from the watcher.
          {TStep::Poll, 550, 3, 300},
          {TStep::Poll, 800, 3, 50},
          {TStep::Poll, 850, 3, 0}});
}

TEST(SettledRead, ReadsTheWholeFileAndItsStamp)
{
    TTempFolder folder;
    const std::string path = folder.Write("control.ged", "0 TRLR\n");
    const settled::TSettledRead read = settled::ReadSettled(path);
    ASSERT_TRUE(read.text);
    EXPECT_EQ(*read.text, "0 TRLR\n");
    EXPECT_EQ(read.stamp, settled::StampOf(path));
    EXPECT_EQ(read.stamp.size, 7u);
}

TEST(SettledRead, AMissingFileOrAFolderGivesAReason)
{
    TTempFolder folder;
    for (const std::string& path : {folder.Path() + "/none", folder.Path()}) {
        const settled::TSettledRead read = settled::ReadSettled(path);
        EXPECT_FALSE(read.text) << path;
        EXPECT_FALSE(read.reason.empty()) << path;
        EXPECT_FALSE(settled::StampOf(path).exists) << path;
    }
}

TEST(SettledRead, AFileGrowingUnderTheReadIsNeverTakenHalfWritten)
{
    TTempFolder folder;
    const std::string path = folder.Write("control.ged", "");
    const std::string chunk(4096, 'x');
    std::atomic<bool> done = false;
    std::thread writer([&] {
        std::FILE* out = std::fopen(path.c_str(), "ab");
        for (int i = 0; i < 4000 && !done; ++i) {
            std::fwrite(chunk.data(), 1, chunk.size(), out);
            std::fflush(out);
        }
        std::fclose(out);
    });
    int refused = 0;
    for (int i = 0; i < 200; ++i) {
        const settled::TSettledRead read = settled::ReadSettled(path);
        if (!read.text) {
            ++refused;
            EXPECT_EQ(read.reason, "it changed while it was read");
            continue;
        }
        // Whole as it stood: the stamp's size, and whole chunks (the writer flushes chunks).
        EXPECT_EQ(read.text->size(), read.stamp.size);
    }
    done = true;
    writer.join();
    const settled::TSettledRead last = settled::ReadSettled(path);
    ASSERT_TRUE(last.text);
    EXPECT_EQ(last.text->size(), settled::StampOf(path).size);
    RecordProperty("refused", refused);
}
