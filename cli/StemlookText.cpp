#include "StemlookText.h"

#include "TCommandLine.h"
#include "TTerminalHost.h"
#include "diagram/DependencyGraph.h"
#include "diagram/Dot.h"
#include "diagram/SetDAG.h"
#include "diagram/Svg.h"
#include "diagram/TVertexList.h"
#include "export/SaveAsText.h"
#include "model/Names.h"
#include "model/TDatabase.h"
#include "model/TDefBase.h"
#include "model/TDefPicture.h"
#include "script/FindInScripts.h"
#include "script/TNameTable.h"
#include "script/TScriptList.h"
#include "script/TUsedSet.h"
#include "script/UnusedElements.h"
#include "views/ListRows.h"

#include <fstream>

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

// Without a screen, a name is 7 pixels a character and a line 16 pixels high.
constexpr int kLineHeight = 16;
int MeasureName(std::string_view text)
{
    return 7 * static_cast<int>(text.size());
}

// The relationships graph, built and laid out as the diagram window does at 100 %.
void LayOutRelationships(const TDatabase& db, TVertexList& master)
{
    graph::BuildGraph(db.Definitions(), master);
    SetDAG layout(master, MeasureName, kLineHeight);
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
    diagram::WriteSvg(out, master, 100, kLineHeight, MeasureName,
                      "Times New Roman, Liberation Serif, serif", kLineHeight);
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

    TTerminalHost host(err);
    int status = kExitOk;
    // The asked-for element is not there: what is "named" or "titled".
    const auto missing = [&](const char* what) {
        err << "stemlook-text: no element " << what << " \"" << line->argument << "\"\n";
        status = kExitFailed;
    };
    switch (line->mode) {
    case TCommandLine::Mode::Document:
        if (!SaveAsTextDocument(db, line->selection, text, host)) {
            err << "stemlook-text: the selection holds no element; nothing written\n";
            status = kExitFailed;
        }
        break;
    case TCommandLine::Mode::Copy: {
        std::string copy;
        if (CopyText(db, line->argument, copy, host))
            text << copy;
        else
            missing("titled");
        break;
    }
    case TCommandLine::Mode::Index:
        WriteIndex(db, text);
        break;
    case TCommandLine::Mode::UsedBy:
        if (!WriteUsedBy(db, line->argument, text))
            missing("named");
        break;
    case TCommandLine::Mode::Pieces:
        if (!WritePieces(db, line->argument, text))
            missing("titled");
        break;
    case TCommandLine::Mode::Dot:
        WriteRelationships(db, text);
        break;
    case TCommandLine::Mode::Svg:
        WriteDiagram(db, text);
        break;
    case TCommandLine::Mode::Unused:
        text << unused::UnusedText(unused::UnusedElements(db.Definitions()));
        break;
    case TCommandLine::Mode::Find:
        text << search::HitsText(search::FindInScripts(db.Definitions(), line->argument));
        break;
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
