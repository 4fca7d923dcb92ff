#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

class TDefBase;
class TDefinedArray;
class TMessageLog;

// The sorted index of every element a script or a field type can name, plus the pass that
// completes a loaded design: built-in elements, type and context resolution, and the used-by
// analysis of every script. Refers to elements; the definition array owns them.
//
// Order: name (ASCII letters folded), then owner by its index in the definition array with no
// owner first, then kind; equal keys keep the order they were added in.
class TNameTable {
public:
    class Parser;

    // TermUsed's wanted class when any name will do.
    static constexpr int kAnyName = -1;

    explicit TNameTable(TDefinedArray& defs) : defs(defs) {}
    TNameTable(const TNameTable&) = delete;
    TNameTable& operator=(const TNameTable&) = delete;

    // Appends the element to the definition array (which owns it and gives it its index) and
    // to this table. Adds are collected and sorted in by the next lookup, so loading stays
    // linear.
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

    const std::vector<TDefBase*>& Elements() const;
    size_t Count() const { return Elements().size(); }

private:
    struct Range {
        TDefBase* const* first;
        TDefBase* const* last;
        bool empty() const { return first == last; }
    };

    static bool Less(const TDefBase* a, const TDefBase* b);
    void Settle() const;
    Range NameRange(std::string_view name) const;
    static TDefBase* FindIn(Range range, const TDefBase* owner, int kind);
    TDefBase* FindRecordInArray(std::string_view name);
    bool IsInternalUse(const TDefBase& element);
    void ApplyLinkRule(Parser& parser, TDefBase* target);
    TDefBase* FirstPictureAfter(const TDefBase& element);

    TDefinedArray& defs;
    // Sorted up to sortedCount; the rest are adds not yet merged in.
    mutable std::vector<TDefBase*> elements;
    mutable size_t sortedCount = 0;

    // Lookup aids of one Build, made on first need so no pass searches the array repeatedly.
    bool arrayRecordsMade = false;
    std::vector<TDefBase*> arrayRecords; // records without owner, by name, then array order
    std::vector<int> nextPicture;        // per array position: the first picture from there on
};
