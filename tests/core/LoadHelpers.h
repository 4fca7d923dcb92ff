#pragma once

#include "load/TDatabase.h"
#include "model/TDefBase.h"

#include <string>
#include <vector>

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
