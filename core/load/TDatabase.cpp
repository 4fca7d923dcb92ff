#include "load/TDatabase.h"

#include "model/Kinds.h"
#include "model/Names.h"
#include "model/TControlGed.h"
#include "model/TDefBase.h"
#include "model/TDefChart.h"
#include "model/TDefList.h"
#include "model/TDefOption.h"
#include "model/TDefReport.h"
#include "model/TDefTable.h"
#include "model/TGedInput.h"
#include "model/TInternalError.h"
#include "model/TLoadContext.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
constexpr const char* kControlGed = "control.ged";
// The reason for a FIFO, a device or a socket, for which the system has no words of its own.
constexpr const char* kNotRegular = "Not a regular file";

std::string WithoutTrailingSeparators(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}
} // namespace

TDatabase::TDatabase(std::string logPath) : logPath(std::move(logPath)) {}

void TDatabase::Settle() const
{
    for (const auto& element : defs)
        element->Title();
    names.Elements();
}

void TDatabase::ClearLog()
{
    log.Restart(logPath);
}

std::string TDatabase::DatabaseName(const std::string& folder)
{
    const std::string path = WithoutTrailingSeparators(folder);
    const size_t slash = path.rfind('/');
    return slash == std::string::npos || path.size() == 1 ? path : path.substr(slash + 1);
}

std::string TDatabase::MissingPath(const std::string& folder)
{
    const std::string path = WithoutTrailingSeparators(folder);
    return path.empty() || path.back() == '/' ? path + kControlGed : path + "/" + kControlGed;
}

std::string TDatabase::FindControlGed(const std::string& folder)
{
    std::error_code ec;
    const fs::path exact = fs::path(folder) / kControlGed;
    if (fs::is_regular_file(exact, ec))
        return exact.string();
    // A folder copied from Windows may hold CONTROL.GED: take the first such name in byte order.
    std::string best;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string leaf = it->path().filename().string();
        if (names::Equal(leaf, kControlGed) && it->is_regular_file(ec) &&
            (best.empty() || leaf < best))
            best = leaf;
    }
    return best.empty() ? std::string() : (fs::path(folder) / best).string();
}

std::string TDatabase::DefaultLogPath()
{
    std::string folder;
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache)
        folder = cache;
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = std::string(home) + "/.cache";
    else
        return {};
    folder += "/Kinvault Software";
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder + "/stemlook.log";
}

TDatabase::TOpenedFile TDatabase::Open(const std::string& place)
{
    TOpenedFile file;
    // A definition file of any name (a tool may hand over a temporary one), or a folder.
    struct stat st {};
    if (!place.empty() && ::stat(place.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
        file.path = place;
        std::error_code ec;
        const fs::path absolute = fs::absolute(place, ec);
        file.name = DatabaseName(ec ? place : absolute.parent_path().string());
    } else {
        file.path = FindControlGed(place);
        file.name = DatabaseName(place);
    }
    if (file.path.empty()) {
        // Not a readable file, but maybe something else of that name: say what is wrong with it.
        const std::string exact = MissingPath(place);
        if (::stat(exact.c_str(), &st) == 0) {
            file.path = exact;
            file.reason = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : kNotRegular;
        } else if (errno != ENOENT && errno != ENOTDIR) {
            file.path = exact;
            file.reason = std::strerror(errno);
        }
        return file;
    }
    // Read only: the database folder is never written. Without blocking, so that a FIFO put there
    // since the file was found can't hang the open.
    const int fd = ::open(file.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        file.reason = std::strerror(errno);
        return file;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        file.reason = kNotRegular;
        ::close(fd);
        return file;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file.input = std::make_unique<TGedInput>(fd);
    return file;
}

void TDatabase::Load(TOpenedFile& file)
{
    if (!file)
        return;
    Load(*file.input, file.name);
    definitionFile = file.path;
    file.input.reset();
}

TDatabase::TLoadResult TDatabase::ReadFile(const std::string& folder)
{
    TOpenedFile file = Open(folder);
    if (!file)
        return TLoadResult::Missing;
    Load(file);
    return TLoadResult::Loaded;
}

void TDatabase::ReadText(std::string text, const std::string& name)
{
    TGedInput in(std::move(text));
    Load(in, name);
    definitionFile.clear();
}

void TDatabase::Load(TGedInput& in, const std::string& name)
{
    databaseName = name;
    names.Clear();
    defs.Clear();
    internalError.clear();
    log.Restart(logPath);
    log.Line("Reading " + databaseName);
    ReadControlGed(in);
    try {
        if (buildCrossReferences)
            names.Build(log);
    } catch (const TInternalError& error) {
        // What was read stays loaded; the cross-references stay unbuilt.
        internalError = error.what();
    }
    log.Flush();
    loaded = true;
}

void TDatabase::ReadControlGed(TGedInput& in)
{
    TControlGed ged;
    TLoadContext rc{ged, in, log, defs, names};
    int lists = 0;
    int tables = 0;
    int reports = 0;
    TDefOption* options = nullptr;
    rc.Next();
    while (ged.tagCode != 0) {
        switch (ged.tagCode) {
        case tags::Ignored:
        case tags::Trailer:
            rc.Next();
            break;
        case kinds::Choice:
        case kinds::Group:
        case kinds::Record:
            names.Add(new TDefBase(ged.tagCode, ged.xref, nullptr))->Read(rc);
            break;
        case kinds::List:
            defs.Add(new TDefList(static_cast<uint32_t>(++lists)))->Read(rc);
            break;
        case kinds::Report:
            ++reports;
            defs.Add(new TDefReport(ged.xref))->Read(rc);
            break;
        case kinds::Table:
            ++tables;
            defs.Add(new TDefTable(ged.xref))->Read(rc);
            break;
        case kinds::AncestorChart:
        case kinds::DescendantChart:
        case kinds::TreeChart:
            defs.Add(new TDefChart(ged.tagCode))->Read(rc);
            break;
        case tags::DateFormat:
        case tags::DatePrefix:
        case tags::Lines:
        case tags::Printer:
        case tags::ShowRins:
        case tags::Trunc:
            if (!options)
                options = static_cast<TDefOption*>(defs.Add(new TDefOption));
            options->Read(rc);
            break;
        default:
            log.Line("type " + std::to_string(ged.tagCode) + " not handled in ReadFile");
            rc.Next();
            break;
        }
    }
    log.Line(std::to_string(lists) + " lists, " + std::to_string(tables) + " Tables, " +
             std::to_string(reports) + " Reports");
}
