#include "StemlookText.h"

#include "TCommandLine.h"
#include "TOutputFile.h"
#include "TTerminalHost.h"
#include "compare/Comparison.h"
#include "diagram/DependencyGraph.h"
#include "diagram/Dot.h"
#include "diagram/SetDAG.h"
#include "diagram/Svg.h"
#include "diagram/TVertexList.h"
#include "export/SaveAsText.h"
#include "load/TDatabase.h"
#include "model/Files.h"
#include "model/Names.h"
#include "model/TDefBase.h"
#include "model/TDefPicture.h"
#include "model/TScriptList.h"
#include "model/TUsedSet.h"
#include "publish/Site.h"
#include "script/FindInScripts.h"
#include "script/TNameTable.h"
#include "script/UnusedElements.h"
#include "views/ListRows.h"

#include <optional>
#include <thread>

namespace {

void WriteMessages(const TDatabase& db, std::ostream& out)
{
    const TMessageLog& log = db.Log();
    for (size_t i = 0; i < log.Count(); ++i)
        out << log.At(i) << '\n';
}

// What the index window's Copy gives.
void WriteIndex(const TDatabase& db, std::ostream& out)
{
    out << lists::IndexCopyText(db.Names());
}

// False when no element has that name.
bool WriteUsedBy(const TDatabase& db, const std::string& name, std::ostream& out)
{
    bool found = false;
    for (const TDefBase* e : db.Names().Elements()) {
        if (!names::Equal(e->name, name))
            continue;
        found = true;
        out << e->Title() << " used by\n";
        if (e->users)
            for (const TDefBase* user : *e->users)
                out << '\t' << lists::UsedRow(*user).text << '\n';
    }
    return found;
}

// False when no element has that title.
bool WritePieces(const TDatabase& db, const std::string& title, std::ostream& out)
{
    const TDefBase* e = db.Definitions().FindTitled(title);
    if (!e)
        return false;
    const auto* picture = dynamic_cast<const TDefPicture*>(e);
    const std::string_view script = picture ? std::string_view(picture->script) : "";
    if (!e->pieces)
        return true;
    for (const TScriptPiece& p : *e->pieces) {
        std::string_view text;
        if (p.length > 0 && p.offset >= 0 && static_cast<size_t>(p.offset) < script.size())
            text = script.substr(static_cast<size_t>(p.offset), static_cast<size_t>(p.length));
        out << p.offset << '\t' << p.length << '\t' << p.kind << '\t' << p.flags << '\t' << text
            << '\t' << (p.target ? p.target->Title() : std::string()) << '\n';
    }
    return true;
}

// The relationships graph, built and laid out as the diagram window does at 100 %.
void LayOutRelationships(const TDatabase& db, TVertexList& master)
{
    graph::BuildGraph(db.Definitions(), master);
    SetDAG layout(master, diagram::FixedNameWidth, diagram::kFixedLineHeight);
    layout.Layout();
}

void WriteRelationships(const TDatabase& db, std::ostream& out)
{
    TVertexList master(TVertexList::Ownership::Owns);
    LayOutRelationships(db, master);
    dot::WriteDot(out, master);
}

void WriteDiagram(const TDatabase& db, std::ostream& out)
{
    TVertexList master(TVertexList::Ownership::Owns);
    LayOutRelationships(db, master);
    diagram::WriteSvg(out, master, 100, diagram::kFixedLineHeight, diagram::FixedNameWidth,
                      "Times New Roman, Liberation Serif, serif", diagram::kFixedLineHeight);
}

int WriteWebPages(const TDatabase& db, const std::string& outDir, std::ostream& err)
{
    const publish::TSiteOutcome outcome = publish::WriteSite(db, outDir, nullptr);
    switch (outcome.result) {
    case publish::TSiteResult::Written:
        return kExitOk;
    case publish::TSiteResult::NotOurs:
        err << "stemlook-text: " << outcome.path
            << " is not empty and was not written by --html; nothing written\n";
        return kExitUsage;
    case publish::TSiteResult::Cancelled:
    case publish::TSiteResult::Failed:
    default:
        err << "stemlook-text: cannot write " << outcome.path << ": " << outcome.reason << "\n";
        return kExitFailed;
    }
}

// The asked-for element is not there: what is "named" or "titled".
int Missing(const char* what, const std::string& argument, std::ostream& err)
{
    err << "stemlook-text: no element " << what << " \"" << argument << "\"\n";
    return kExitFailed;
}

// The job of the mode on the loaded database, written to text; its exit status.
int RunJob(const TCommandLine& line, TDatabase& db, std::ostream& text, std::ostream& err)
{
    TTerminalHost host(err);
    switch (line.mode) {
    case TCommandLine::Mode::Document:
        if (SaveAsTextDocument(db, line.selection, text, host))
            return kExitOk;
        err << "stemlook-text: the selection holds no element; nothing written\n";
        return kExitFailed;
    case TCommandLine::Mode::Copy: {
        std::string copy;
        if (!CopyText(db, line.argument, copy, host))
            return Missing("titled", line.argument, err);
        text << copy;
        return kExitOk;
    }
    case TCommandLine::Mode::Index:
        WriteIndex(db, text);
        return kExitOk;
    case TCommandLine::Mode::UsedBy:
        return WriteUsedBy(db, line.argument, text) ? kExitOk
                                                    : Missing("named", line.argument, err);
    case TCommandLine::Mode::Pieces:
        return WritePieces(db, line.argument, text) ? kExitOk
                                                    : Missing("titled", line.argument, err);
    case TCommandLine::Mode::Dot:
        WriteRelationships(db, text);
        return kExitOk;
    case TCommandLine::Mode::Svg:
        WriteDiagram(db, text);
        return kExitOk;
    case TCommandLine::Mode::Unused:
        text << unused::UnusedText(unused::UnusedElements(db.Definitions()));
        return kExitOk;
    case TCommandLine::Mode::Html:
        return WriteWebPages(db, line.argument, err);
    case TCommandLine::Mode::Find:
        text << search::HitsText(search::FindInScripts(db.Definitions(), line.argument));
        return kExitOk;
    case TCommandLine::Mode::Messages:
    default:
        WriteMessages(db, text);
        return kExitOk;
    }
}

// Flushes standard output; false, with the reason on err, when it could not be written.
bool Flushed(std::ostream& out, std::ostream& err)
{
    out.flush();
    if (!out)
        err << "stemlook-text: cannot write standard output\n";
    return static_cast<bool>(out);
}

// Opens the design's definition file, named as the command line asks; false, with the reason on
// err, when there is no readable one or it is the output file.
bool OpenDesign(const TCommandLine& line, const std::string& place, TDatabase::TOpenedFile& opened,
                int& status, std::ostream& err)
{
    opened = TDatabase::Open(place);
    if (!opened) {
        if (opened.reason.empty())
            err << "stemlook-text: File Missing: " << TDatabase::MissingPath(place) << "\n";
        else
            err << "stemlook-text: cannot read " << opened.path << ": " << opened.reason << "\n";
        return false;
    }
    // The one file this program must never write.
    if (!line.outputFile.empty() && files::SameFile(line.outputFile, opened.path)) {
        err << "stemlook-text: " << line.outputFile
            << " is the definition file being read; it is never written\n";
        status = kExitUsage;
        return false;
    }
    if (!line.name.empty())
        opened.name = line.name;
    return true;
}

// Where the job writes: the -o file, which takes the place of what was there only when the job
// succeeded, or standard output.
class TJobOutput {
public:
    TJobOutput(const TCommandLine& line, std::ostream& out) : line(line), out(out) {}

    // False, with the reason on err, when the -o file can't be made.
    bool Open(std::ostream& err)
    {
        std::string reason;
        if (line.outputFile.empty() || file.Open(line.outputFile, reason))
            return true;
        err << "stemlook-text: cannot write " << line.outputFile << ": " << reason << "\n";
        return false;
    }
    std::ostream& Text() { return line.outputFile.empty() ? out : file.Stream(); }
    // Keeps what a job that succeeded wrote; false, with the reason on err, when it can't.
    bool Finish(bool succeeded, std::ostream& err)
    {
        if (line.outputFile.empty())
            return Flushed(out, err);
        std::string reason;
        if (succeeded && !file.Commit(reason)) {
            err << "stemlook-text: cannot write " << line.outputFile << ": " << reason << "\n";
            return false;
        }
        return true;
    }

private:
    const TCommandLine& line;
    std::ostream& out;
    TOutputFile file;
};

// Reports an internal error of the load; whether there was one.
bool ReportInternalError(const TDatabase& db, std::ostream& err)
{
    if (db.InternalError().empty())
        return false;
    err << "stemlook-text: Internal Error: " << db.InternalError() << "\n";
    return true;
}

// Loads the folder and runs the job on it. An internal error of the load is reported after the
// job's output and sets the status unless the job failed already.
int RunOnFolder(const TCommandLine& line, std::ostream& out, std::ostream& err)
{
    TDatabase db(TDatabase::DefaultLogPath());
    TDatabase::TOpenedFile opened;
    int status = kExitFailed;
    if (!OpenDesign(line, line.folder, opened, status, err))
        return status;
    db.Load(opened);

    TJobOutput output(line, out);
    if (!output.Open(err))
        return kExitFailed;
    const int jobStatus = RunJob(line, db, output.Text(), err);
    status = jobStatus;
    if (ReportInternalError(db, err) && status == kExitOk)
        status = kExitInternalError;
    return output.Finish(jobStatus == kExitOk, err) ? status : kExitFailed;
}

// The two designs are read at once, each on a thread of its own with a log of its own, and cut
// into units there: the comparison then costs little more than the slower of the two loads.
int RunDiff(const TCommandLine& line, std::ostream& out, std::ostream& err)
{
    constexpr int kTrouble = 2;
    TDatabase::TOpenedFile oldFile;
    TDatabase::TOpenedFile newFile;
    int status = kTrouble;
    if (!OpenDesign(line, line.folder, oldFile, status, err) ||
        !OpenDesign(line, line.newFolder, newFile, status, err))
        return kTrouble;
    TJobOutput output(line, out);
    if (!output.Open(err))
        return kTrouble;

    TDatabase oldDb;
    TDatabase newDb;
    std::optional<compare::TUnits> oldUnits;
    std::thread oldSide([&] {
        oldDb.Load(oldFile);
        oldUnits.emplace(oldDb.Definitions());
    });
    newDb.Load(newFile);
    compare::TUnits newUnits(newDb.Definitions());
    oldSide.join();
    const compare::TComparison comparison(std::move(*oldUnits), std::move(newUnits));

    std::ostream& text = output.Text();
    for (const compare::TDifference& d : comparison.Differences()) {
        if (line.brief)
            compare::WriteBrief(text, comparison, d);
        else
            compare::WriteUnified(text, comparison, d);
    }
    const bool oldError = ReportInternalError(oldDb, err);
    const bool newError = ReportInternalError(newDb, err);
    if (!output.Finish(true, err) || oldError || newError)
        return kTrouble;
    return comparison.Same() ? kExitOk : kExitFailed;
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
        return Flushed(out, err) ? kExitOk : kExitFailed;
    case TCommandLine::Mode::Version:
        out << "stemlook-text " << STEMLOOK_VERSION << "\n";
        return Flushed(out, err) ? kExitOk : kExitFailed;
    case TCommandLine::Mode::Diff:
        return RunDiff(*line, out, err);
    default:
        return RunOnFolder(*line, out, err);
    }
}
