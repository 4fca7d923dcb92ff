#pragma once

#include "script/TNameIndex.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class TDefBase;
class TDefinedArray;
class TMessageLog;

// The sorted index of every element a script or a field type can name, and the pass that
// completes a loaded design: built-in elements, type and context resolution, and the used-by
// analysis of every script. Refers to elements; the definition array owns them.
class TNameTable {
public:
    class Parser;

    // TermUsed's wanted class when any name will do.
    static constexpr int kAnyName = -1;

    explicit TNameTable(TDefinedArray& defs) : defs(defs) {}
    TNameTable(const TNameTable&) = delete;
    TNameTable& operator=(const TNameTable&) = delete;

    // Appends the element to the definition array (which owns it and gives it its index) and
    // to this table.
    TDefBase* Add(TDefBase* element);
    // The first element in table order with this key; the owner is matched by identity.
    TDefBase* Find(std::string_view name, const TDefBase* owner, int kind) const;
    // The first element in table order with this name, whatever its owner and kind.
    TDefBase* FindAnyClass(std::string_view name) const;
    // Empty for kinds without a class name.
    static std::string_view ClassName(int kind);
    // Forgets every element; deletes nothing.
    void Clear();

    // The completion pass after loading: InsertBuiltIns, ResolveTypes, FindUses. Throws
    // TInternalError when a built-in's owner is missing; the later steps then do not run.
    void Build(TMessageLog& log);
    void InsertBuiltIns();
    void ResolveTypes(TMessageLog& log);
    void FindUses(TMessageLog& log);

    static void AddUsedBy(TDefBase& element, TDefBase* user);
    // Inserts a piece by offset, with its flags worked out from kind and target.
    static void AddPiece(TDefBase& element, int kind, int offset, int length, TDefBase* target);
    // Reads the parser's script to its end, recording pieces and uses.
    void ScanScript(Parser& parser);
    // Resolves one name of the parser's script (wanted: a kind, or kAnyName) and records the
    // use; leaves the result in the parser's resolved element and may move its scope.
    void TermUsed(Parser& parser, std::string_view name, int wanted);

    // In table order.
    const std::vector<TDefBase*>& Elements() const { return index.Elements(); }
    size_t Count() const { return Elements().size(); }

private:
    // A use noted during a pass, by positions in the definition array.
    struct PendingUse {
        uint32_t element;
        uint32_t user;
    };

    TDefBase* FindRecordInArray(std::string_view name);
    bool IsInternalUse(const TDefBase& element);
    void ApplyLinkRule(Parser& parser, TDefBase* target);
    TDefBase* FirstPictureAfter(const TDefBase& element);
    bool InArray(const TDefBase* element) const;
    // AddUsedBy, deferred while a pass collects uses.
    void Use(TDefBase& element, TDefBase* user);
    void StartCollectingUses();
    void AddCollectedUses();

    TDefinedArray& defs;
    TNameIndex index;

    // Working state of Build's passes, made on first need so that no pass searches the
    // definition array once per element.
    bool arrayRecordsMade = false;
    std::vector<TDefBase*> arrayRecords; // records without owner, by name, then array order
    std::vector<int> nextPicture;        // per array position: the first picture from there on
    // The uses of a pass, added to the used-by sets element by element when it ends: the same
    // sets in the same order, without jumping between a million sets.
    bool collectingUses = false;
    std::vector<PendingUse> pendingUses;
};
