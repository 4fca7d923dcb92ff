#pragma once

#include "load/TDatabase.h"
#include "model/TDefBase.h"

#include <string>
#include <vector>

// Reads the database folder, or the text when the folder is "": the two designs many tests run
// over. False when the folder does not load.
inline bool ReadDesign(TDatabase& db, const char* folder, const std::string& text)
{
    if (*folder)
        return db.ReadFile(folder) == TDatabase::TLoadResult::Loaded;
    db.ReadText(text, "test");
    return true;
}

// A design loaded from text, and its log lines without the first ("Reading ...") and last
// (the summary) lines, which most tests don't care about.
struct TLoaded {
    TDatabase db;

    enum TStage { Readers, CrossReferences };

    explicit TLoaded(const std::string& text, const std::string& name = "test",
                     TStage stage = CrossReferences)
    {
        db.SetBuildCrossReferences(stage == CrossReferences);
        db.ReadText(text, name);
    }

    std::vector<std::string> Problems() const
    {
        const auto& lines = db.Log().Lines();
        if (lines.size() < 2)
            return {};
        return {lines.begin() + 1, lines.end() - 1};
    }

    size_t Count() const { return db.Definitions().Count(); }

    template <class T = TDefBase> T* At(size_t i) const
    {
        return dynamic_cast<T*>(db.Definitions().At(i));
    }

    // The first element with this title, or null.
    template <class T = TDefBase> T* Titled(const std::string& title) const
    {
        return dynamic_cast<T*>(db.Definitions().FindTitled(title));
    }
};

// The readers alone, without the cross-references built after them.
struct TRead : TLoaded {
    explicit TRead(const std::string& text, const std::string& name = "test")
        : TLoaded(text, name, Readers)
    {
    }
};

namespace loadhelpers {
// Two records and a picture "family picture script p" that names a keyword, a record, literals,
// a number, an alias, a field of another record, a built-in type, a called picture and, last, a
// field whose record has a picture (so it links to it).
inline const char* const kDesign = "0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                                   "1 @show@ PICTURE name\n"
                                   "0 @family@ RECORD\n1 @husband@ FIELD person\n2 TAG HUSB\n"
                                   "1 @p@ PICTURE if person then \"x\" 12 mother.name date "
                                   "show(husband) husband\n"
                                   "0 TRLR\n";
} // namespace loadhelpers
