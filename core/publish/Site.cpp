#include "publish/Site.h"

#include "compare/Comparison.h"
#include "diagram/FocusedGraph.h"
#include "export/TOwnerIndex.h"
#include "load/TDatabase.h"
#include "publish/Pages.h"
#include "publish/TPageNames.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <mutex>
#include <random>
#include <string_view>
#include <system_error>
#include <thread>

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

// Tells the progress how far the writing has got: at the start, then at most every
// kProgressEvery, and at the end.
class TTicker {
public:
    TTicker(TSiteProgress* progress, size_t total) : progress(progress), total(total) {}
    // False when the progress cancels.
    bool Done(size_t done)
    {
        const auto now = std::chrono::steady_clock::now();
        if (!progress || (told && done < total && now - last < kProgressEvery))
            return true;
        told = true;
        last = now;
        return progress->Continue(done, total);
    }

private:
    TSiteProgress* progress;
    size_t total;
    bool told = false;
    std::chrono::steady_clock::time_point last;
};

TSiteOutcome Failed(const fs::path& path, std::string reason)
{
    return {TSiteResult::Failed, path.string(), std::move(reason)};
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

TSiteOutcome WriteSite(const TDatabase& db, const std::string& outDir, TSiteProgress* progress)
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

    const compare::TUnits units(db.Definitions());
    const TPageNames pages(units);
    const TOwnerIndex owned(db.Definitions());
    graph::TFocusCache focus(db.Definitions());
    const TSite site{db, units, pages, owned, focus};
    constexpr size_t kOwnPages = 5;
    const size_t total = units.Count() + kOwnPages;
    TTicker ticker(progress, total);
    if (!ticker.Done(0))
        return {TSiteResult::Cancelled, {}, {}};

    size_t done = 0;
    std::string reason;
    fs::path failedPath;
    TPageWriter writer;
    const auto write = [&](const std::string& name, std::string text) {
        if (!writer.Put(temporary / name, std::move(text))) {
            writer.Finish(failedPath, reason);
            return Failed(failedPath, reason);
        }
        return ticker.Done(++done) ? TSiteOutcome{TSiteResult::Written, {}, {}}
                                   : TSiteOutcome{TSiteResult::Cancelled, {}, {}};
    };
    const auto failed = [](const TSiteOutcome& outcome) {
        return outcome.result != TSiteResult::Written;
    };
    TSiteOutcome outcome = write(TPageNames::kStyle, StyleSheet());
    if (failed(outcome) || failed(outcome = write(TPageNames::kIndex, IndexPage(site))) ||
        failed(outcome = write(TPageNames::kNames, NamesPage(site))) ||
        failed(outcome = write(TPageNames::kMessages, MessagesPage(site))) ||
        failed(outcome = write(TPageNames::kDiagram, DiagramPage(site))))
        return outcome;
    for (size_t unit = 0; unit < units.Count(); ++unit)
        if (failed(outcome = write(pages.File(unit), UnitPage(site, unit))))
            return outcome;
    if (!writer.Finish(failedPath, reason))
        return Failed(failedPath, reason);
    if (!WriteFile(temporary / kSiteMarker, kMarkerText, reason))
        return Failed(temporary / kSiteMarker, reason);

    outcome = MoveIntoPlace(temporary, target, exists);
    if (!failed(outcome))
        removeTemporary.Keep();
    return outcome;
}

} // namespace publish
