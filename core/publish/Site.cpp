#include "publish/Site.h"

#include "compare/Comparison.h"
#include "diagram/FocusedGraph.h"
#include "export/TOwnerIndex.h"
#include "load/TDatabase.h"
#include "model/TDefBase.h"
#include "publish/Pages.h"
#include "publish/TPageNames.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <iterator>
#include <mutex>
#include <random>
#include <string_view>
#include <sys/resource.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace publish {

namespace fs = std::filesystem;

namespace {

constexpr char kMarkerText[] = "Written by Stemlook's web page export. The next export to this "
                               "folder replaces everything in it.\n";

// Continue is asked this often, well inside the 100 ms a window may wait.
constexpr std::chrono::milliseconds kProgressEvery{40};

std::string SystemReason(int error)
{
    return std::generic_category().message(error);
}

// Writes the file whole; false, with the system's reason, when it can't (a full disk shows when
// the file is closed).
bool WriteFile(const fs::path& path, std::string_view text, std::string& reason)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        reason = SystemReason(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && closed)
        return true;
    reason = SystemReason(written ? errno : writeError);
    return false;
}

// A name beside the target that nothing has yet: ".NAME.stemlook-WHAT-NUMBER".
fs::path Beside(const fs::path& target, std::string_view what)
{
    static std::mt19937_64 random{std::random_device{}()};
    std::error_code ec;
    fs::path path;
    do {
        std::string leaf = ".";
        leaf += target.filename().string();
        leaf += ".stemlook-";
        leaf += what;
        leaf += '-';
        leaf += std::to_string(random());
        path = target.parent_path() / leaf;
    } while (fs::exists(fs::symlink_status(path, ec)));
    return path;
}

// Removes the folder at the end unless it was kept.
class TRemoveAtEnd {
public:
    explicit TRemoveAtEnd(fs::path path) : path(std::move(path)) {}
    ~TRemoveAtEnd()
    {
        std::error_code ec;
        if (!path.empty())
            fs::remove_all(path, ec);
    }
    TRemoveAtEnd(const TRemoveAtEnd&) = delete;
    TRemoveAtEnd& operator=(const TRemoveAtEnd&) = delete;
    void Keep() { path.clear(); }

private:
    fs::path path;
};

// Writes the pages on a thread of its own, in the order given, while the next ones are made: the
// file system's work and the pages' then take the time of the longer, not of both.
class TPageWriter {
public:
    TPageWriter() : thread([this] { Run(); }) {}
    ~TPageWriter() { Finish(); }
    TPageWriter(const TPageWriter&) = delete;
    TPageWriter& operator=(const TPageWriter&) = delete;

    // False once a write has failed: Finish says which.
    bool Put(fs::path path, std::string text)
    {
        std::unique_lock lock(mutex);
        room.wait(lock, [this] { return queue.size() < kDepth || failed; });
        if (failed)
            return false;
        queue.push_back({std::move(path), std::move(text)});
        ready.notify_one();
        return true;
    }
    // Waits for every page given; the first that could not be written, if any.
    bool Finish(fs::path& path, std::string& reason)
    {
        Finish();
        path = failedPath;
        reason = failedReason;
        return !failed;
    }

private:
    static constexpr size_t kDepth = 64;
    struct TPage {
        fs::path path;
        std::string text;
    };

    void Finish()
    {
        {
            const std::lock_guard lock(mutex);
            closing = true;
        }
        ready.notify_one();
        if (thread.joinable())
            thread.join();
    }
    void Run()
    {
        while (true) {
            TPage page;
            {
                std::unique_lock lock(mutex);
                ready.wait(lock, [this] { return !queue.empty() || closing; });
                if (queue.empty())
                    return;
                page = std::move(queue.front());
                queue.pop_front();
            }
            room.notify_one();
            std::string reason;
            if (!WriteFile(page.path, page.text, reason)) {
                const std::lock_guard lock(mutex);
                failed = true;
                failedPath = page.path;
                failedReason = reason;
                queue.clear();
                room.notify_all();
                return;
            }
        }
    }

    std::mutex mutex;
    std::condition_variable ready; // a page is queued, or no more come
    std::condition_variable room;  // the queue has room, or writing failed
    std::deque<TPage> queue;
    bool closing = false;
    bool failed = false;
    fs::path failedPath;
    std::string failedReason;
    std::thread thread; // last: it starts once everything it uses is made
};

TSiteOutcome Failed(const fs::path& path, std::string reason)
{
    return {TSiteResult::Failed, path.string(), std::move(reason)};
}

// How far making the pages has got, shared by the threads that make them and the one that tells.
struct TMaking {
    struct TSoFar {
        size_t done = 0;
        size_t total = 0;
    };

    std::atomic<bool> stop{false};
    std::atomic<size_t> total{0}; // 0 until the units are known

    void Made()
    {
        const std::lock_guard lock(mutex);
        ++done;
    }
    void Finish()
    {
        {
            const std::lock_guard lock(mutex);
            finished = true;
        }
        changed.notify_all();
    }
    // True once finished; else, after at most kProgressEvery, false with how far it has got.
    bool Wait(TSoFar& sofar)
    {
        std::unique_lock lock(mutex);
        if (changed.wait_for(lock, kProgressEvery, [this] { return finished; }))
            return true;
        sofar = {done, total};
        return false;
    }

private:
    std::mutex mutex;
    std::condition_variable changed; // finished
    size_t done = 0;
    bool finished = false;
};

// Makes every page into the folder on `workers` threads (0: one a core) of their own.
TSiteOutcome MakePages(const TDatabase& db, const fs::path& folder, size_t workers, TMaking& making)
{
    const compare::TUnits units(db.Definitions());
    const TPageNames pages(units);
    const TOwnerIndex owned(db.Definitions());

    // The site's own pages first, the diagram's the longest, so that no thread is left with it
    // at the end; then one per unit.
    using TMake = std::string (*)(const TSite&);
    static constexpr std::pair<const char*, TMake> kOwnPages[] = {
        {TPageNames::kDiagram, DiagramPage},
        {TPageNames::kNames, NamesPage},
        {TPageNames::kIndex, IndexPage},
        {TPageNames::kMessages, MessagesPage},
        {TPageNames::kStyle, [](const TSite&) { return StyleSheet(); }}};
    constexpr size_t kOwnCount = std::size(kOwnPages);
    const size_t total = units.Count() + kOwnCount;
    making.total = total;

    TPageWriter writer;
    std::atomic<size_t> next{0};
    const auto makePages = [&] {
        // Below the writer (and a window's thread): on a disk the file system's work is the
        // longer part, and a writer kept waiting for a core idles everything behind it.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 5);
        graph::TFocusCache focus(db.Definitions());
        const TSite site{db, units, pages, owned, focus};
        for (size_t job; !making.stop && (job = next++) < total;) {
            const bool own = job < kOwnCount;
            const size_t unit = job - kOwnCount;
            if (!writer.Put(folder / (own ? kOwnPages[job].first : pages.File(unit)),
                            own ? kOwnPages[job].second(site) : UnitPage(site, unit))) {
                making.stop = true;
                return;
            }
            making.Made();
        }
    };
    {
        std::vector<std::jthread> makers;
        const size_t count = workers ? workers : std::max(1u, std::thread::hardware_concurrency());
        for (size_t i = 0; i < count; ++i)
            makers.emplace_back(makePages);
    }
    fs::path failedPath;
    std::string reason;
    if (!writer.Finish(failedPath, reason))
        return Failed(failedPath, reason);
    if (making.stop)
        return {TSiteResult::Cancelled, {}, {}};
    return {TSiteResult::Written, {}, {}};
}

// Whether the folder may take the site: missing, empty or written by this export. Failed when
// that can't be told.
TSiteOutcome CheckTarget(const fs::path& target, bool& exists)
{
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    exists = fs::exists(status);
    if (!exists)
        return {TSiteResult::Written, {}, {}};
    if (!fs::is_directory(status))
        return {TSiteResult::NotOurs, target.string(), {}};
    const bool ours = fs::exists(target / kSiteMarker, ec);
    if (ec)
        return Failed(target, ec.message());
    const bool empty = ours || fs::is_empty(target, ec);
    if (ec)
        return Failed(target, ec.message());
    if (!ours && !empty)
        return {TSiteResult::NotOurs, target.string(), {}};
    return {TSiteResult::Written, {}, {}};
}

// Puts the written folder in the target's place; what was there is removed only once the new
// site stands.
TSiteOutcome MoveIntoPlace(const fs::path& written, const fs::path& target, bool exists)
{
    std::error_code ec;
    if (!exists) {
        fs::rename(written, target, ec);
        return ec ? Failed(target, ec.message()) : TSiteOutcome{TSiteResult::Written, {}, {}};
    }
    const fs::path old = Beside(target, "old");
    fs::rename(target, old, ec);
    if (ec)
        return Failed(target, ec.message());
    fs::rename(written, target, ec);
    if (ec) {
        const std::string reason = ec.message();
        fs::rename(old, target, ec);
        return Failed(target, reason);
    }
    fs::remove_all(old, ec);
    return {TSiteResult::Written, {}, {}};
}

// The folder a path names, "." and a trailing slash included.
fs::path TargetOf(const std::string& outDir)
{
    fs::path target = fs::path(outDir).lexically_normal();
    if (!target.has_filename())
        target = target.parent_path();
    if (target.empty() || target == "." || target == "..")
        target = fs::absolute(target.empty() ? fs::path(".") : target).lexically_normal();
    return target;
}

} // namespace

TSiteOutcome CheckFolder(const std::string& outDir)
{
    bool exists = false;
    return CheckTarget(TargetOf(outDir), exists);
}

TSiteOutcome WriteSite(const TDatabase& db, const std::string& outDir, TSiteProgress* progress,
                       size_t workers)
{
    const fs::path target = TargetOf(outDir);
    bool exists = false;
    if (TSiteOutcome check = CheckTarget(target, exists); check.result != TSiteResult::Written)
        return check;

    const fs::path temporary = Beside(target, "new");
    std::error_code ec;
    if (!fs::create_directory(temporary, ec))
        return Failed(temporary, ec ? ec.message() : SystemReason(EEXIST));
    TRemoveAtEnd removeTemporary(temporary);

    // Here, not on the threads: the calling thread may read the design while they work.
    db.Settle();
    TMaking making;
    TSiteOutcome made{TSiteResult::Failed, {}, {}};
    const auto make = [&] {
        made = MakePages(db, temporary, workers, making);
        making.Finish();
    };
    if (!progress) {
        make();
    } else {
        // This thread only tells how far the others have got, so the window that shows it
        // answers however long one step takes.
        if (!progress->Continue(0, 0))
            return {TSiteResult::Cancelled, {}, {}};
        const std::jthread lead(make);
        // Once refused, it is not asked again while the makers stop.
        for (TMaking::TSoFar sofar; !making.Wait(sofar);)
            if (!making.stop && !progress->Continue(sofar.done, sofar.total))
                making.stop = true;
    }
    if (made.result != TSiteResult::Written)
        return made;
    std::string reason;
    // A cancel may come after the last page was made; it still holds.
    if (making.stop || (progress && !progress->Continue(making.total, making.total)))
        return {TSiteResult::Cancelled, {}, {}};
    if (!WriteFile(temporary / kSiteMarker, kMarkerText, reason))
        return Failed(temporary / kSiteMarker, reason);

    TSiteOutcome outcome = MoveIntoPlace(temporary, target, exists);
    if (outcome.result == TSiteResult::Written)
        removeTemporary.Keep();
    return outcome;
}

} // namespace publish
