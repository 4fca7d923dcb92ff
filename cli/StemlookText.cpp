#include "StemlookText.h"

#include "TCommandLine.h"
#include "model/TDatabase.h"

#include <fstream>

namespace {

void WriteMessages(const TDatabase& db, std::ostream& out)
{
    const TMessageLog& log = db.Log();
    for (size_t i = 0; i < log.Count(); ++i)
        out << log.At(i) << '\n';
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

    std::ofstream file;
    if (!line->outputFile.empty()) {
        file.open(line->outputFile, std::ios::binary | std::ios::trunc);
        if (!file) {
            err << "stemlook-text: cannot write " << line->outputFile << "\n";
            return kExitFailed;
        }
    }
    std::ostream& text = line->outputFile.empty() ? out : file;


    int status = kExitOk;
    switch (line->mode) {
    case TCommandLine::Mode::Messages:
    default:
        WriteMessages(db, text);
        break;
    }
    if (!db.InternalError().empty()) {
        err << "Internal Error: " << db.InternalError() << "\n";
        if (status == kExitOk)
            status = kExitInternalError;
    }

    text.flush();
    if (file.is_open())
        file.close();
    if (!text) {
        err << "stemlook-text: cannot write "
            << (line->outputFile.empty() ? std::string("standard output") : line->outputFile)
            << "\n";
        return kExitFailed;
    }
    return status;
}
