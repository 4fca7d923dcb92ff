#pragma once

#include "model/TDisplayHost.h"

#include <cstdint>
#include <memory>
#include <string>

class TScriptList;
class TUsedSet;
struct TLoadContext;

// One element of the database design. Groups, records, choices and words are plain TDefBase;
// the other kinds derive from it. The definition array owns every element; all other pointers
// between elements (owner, context, base, users) only refer.
class TDefBase {
public:
    static constexpr size_t kWordLimit = 20; // a longer word is not created

    TDefBase(int kind, std::string name, TDefBase* owner);
    virtual ~TDefBase();
    TDefBase(const TDefBase&) = delete;
    TDefBase& operator=(const TDefBase&) = delete;

    // Reads the element's sub-lines; returns with the first line it did not consume current.
    virtual void Read(TLoadContext& rc);
    virtual bool IsOwnedBy(int ofKind, const TDefBase* element) const;
    virtual std::string TypeName() const;
    // The display name; built on first request and the same text ever after.
    const std::string& Title() const;
    // The pane of this kind's definition window; false for kinds without one.
    virtual bool PaneKind(TPaneKind& pane) const;
    virtual void Display(TDisplayHost& host, bool onlyActivate) const;

    // The used-by set and piece list exist from their first entry on. HasUserSet says whether
    // the set exists, IsUsed whether anything is in it.
    TUsedSet& Users();
    TScriptList& Pieces();
    bool HasUserSet() const { return users != nullptr; }
    bool IsUsed() const;

    // The small members first, together, so a design of a million lines wastes little on padding.
    int kind;
    int index = -1;
    uint32_t cacheSize = 0;
    std::string name;
    TDefBase* owner;
    TDefBase* context;
    TDefBase* base = nullptr;
    std::unique_ptr<TUsedSet> users;
    std::unique_ptr<TScriptList> pieces;

protected:
    virtual std::string MakeTitle() const;

private:
    // Made on first request: most elements of a large design are never asked for one.
    mutable std::unique_ptr<const std::string> title;
};
