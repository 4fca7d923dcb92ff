#include "StemlookText.h"

#include "TCommandLine.h"
#include "model/TDatabase.h"

#include <fstream>
#include <sstream>

namespace {

void WriteMessages(const TDatabase& db, std::ostream& out)
{
    for (const std::string& line : db.Log().Lines())
        out << line << '\n';
}

} // namespace

int RunStemlookText(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    const auto line = TCommandLine::Parse(args, error);
    if (!line) {
        err << "stemlook-text: " << error << "\n" << TCommandLine::Usage();
        return kExitUsage;
    }
    switch (line->mode) {
    case TCommandLine::Mode::Help:
        out << TCommandLine::Usage();
        return kExitOk;
    case TCommandLine::Mode::Version:
        out << "stemlook-text " << STEMLOOK_VERSION << "\n";
        return kExitOk;
    default:
        break;
    }

    TDatabase db(TDatabase::DefaultLogPath());
    if (db.ReadFile(line->folder) == TDatabase::TLoadResult::Missing) {
        err << "File Missing: " << TDatabase::MissingPath(line->folder) << "\n";
        return kExitFailed;
    }

    // Written to memory first, so a file that can't be written never gets half a document.
    std::ostringstream text;
    int status = kExitOk;
    switch (line->mode) {
    case TCommandLine::Mode::Messages:
    default:
        WriteMessages(db, text);
        break;
    }
    if (!db.InternalError().empty()) {
        err << "Internal Error: " << db.InternalError() << "\n";
        status = status == kExitOk ? kExitInternalError : status;
    }

    if (line->outputFile.empty()) {
        out << text.str();
        out.flush();
        return status;
    }
    std::ofstream file(line->outputFile, std::ios::binary | std::ios::trunc);
    file << text.str();
    file.close();
    if (!file) {
        err << "stemlook-text: cannot write " << line->outputFile << "\n";
        return kExitFailed;
    }
    return status;
}
