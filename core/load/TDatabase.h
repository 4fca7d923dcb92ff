#pragma once

#include "model/TDefinedArray.h"
#include "model/TMessageLog.h"
#include "script/TNameTable.h"

#include "model/TGedInput.h"

#include <memory>
#include <string>

// The loaded design: the definition array, the name table, the messages log of the last load and
// the database name. Loading replaces all of it, or nothing.
class TDatabase {
public:
    enum class TLoadResult { Loaded, Missing };

    // logPath: the file the messages log is written to; empty keeps the log in memory only.
    explicit TDatabase(std::string logPath = {});

    // A folder's control.ged, opened for reading. A window opens the file before it closes what
    // shows the current design, so a file that can't be read changes nothing.
    struct TOpenedFile {
        std::unique_ptr<TGedInput> input; // null: no readable control.ged
        std::string name;                 // the database name
        std::string path;                 // the control.ged found, even when it can't be read
        // Why the control.ged there can't be read (the system's words); empty when it is read or
        // when there is none ("File Missing").
        std::string reason;
        explicit operator bool() const { return input != nullptr; }
    };
    // place: a database folder, or the path of a definition file of any name, whose database
    // name is then its folder's name.
    static TOpenedFile Open(const std::string& place);
    // Loads the opened file, which is then used up.
    void Load(TOpenedFile& file);

    // Open and Load. Missing: no readable control.ged there; nothing has changed.
    TLoadResult ReadFile(const std::string& folder);
    // Loads a definition file's text as the database of that name (tests, fuzzing, benchmarks).
    void ReadText(std::string text, const std::string& name);

    // The path of the folder's control.ged, found ignoring letter case; empty when there is none.
    static std::string FindControlGed(const std::string& folder);
    // What "File Missing" names: the folder joined with "control.ged".
    static std::string MissingPath(const std::string& folder);
    static std::string DatabaseName(const std::string& folder);
    // The per-user log file: $XDG_CACHE_HOME or ~/.cache, then "/Kinvault Software/stemlook.log".
    static std::string DefaultLogPath();

    const std::string& Name() const { return databaseName; }
    // The control.ged of the last load; empty after ReadText. What no window may write.
    const std::string& DefinitionFile() const { return definitionFile; }
    const TMessageLog& Log() const { return log; }
    // Empties the log and its file (the desktop program does so at start, so the file never
    // shows an older session's lines).
    void ClearLog();
    const TDefinedArray& Definitions() const { return defs; }
    TDefinedArray& Definitions() { return defs; }
    const TNameTable& Names() const { return names; }
    TNameTable& Names() { return names; }
    // Makes what the design makes on request (every title, the name index), so that threads may
    // then read it side by side.
    void Settle() const;
    // Off: loading stops after the readers, leaving the cross-references unbuilt (for measuring
    // and testing the readers alone).
    void SetBuildCrossReferences(bool on) { buildCrossReferences = on; }

    // The message of an internal error raised while the last load built its cross-references;
    // empty when there was none.
    const std::string& InternalError() const { return internalError; }
    // From the first load on; the definition array is then never empty (the built-ins at least).
    bool Loaded() const { return loaded; }

    // The top-level dispatch alone: reads the whole file into the model, one element per
    // top-level line, and writes the summary line. Loading runs it between emptying the model and
    // building the cross-references.
    void ReadControlGed(TGedInput& in);

private:
    void Load(TGedInput& in, const std::string& name);

    std::string logPath;
    TDefinedArray defs;
    TNameTable names{defs};
    TMessageLog log;
    std::string databaseName;
    std::string definitionFile;
    std::string internalError;
    bool loaded = false;
    bool buildCrossReferences = true;
};
