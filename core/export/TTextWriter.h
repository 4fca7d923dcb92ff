#pragma once

#include "export/TOwnerIndex.h"

#include <iosfwd>
#include <memory>
#include <span>
#include <unordered_set>
#include <vector>

class TDefBase;
class TDefinedArray;
class TDefList;
class TDefPicture;
class TDefTable;
class TDisplayHost;

// Writes the text form of elements, one writer per document or copy: it remembers which elements
// it has written, so that an element reached twice (a list's filter, a column script checked
// with its table) is written once. Refers to the array and the host, which must outlive it.
class TTextWriter {
public:
    TTextWriter(const TDefinedArray& defs, TDisplayHost& host);
    ~TTextWriter();
    TTextWriter(const TTextWriter&) = delete;
    TTextWriter& operator=(const TTextWriter&) = delete;

    // Writes the element's text form. level > 0: a title line and level tabs of indent; 0: the
    // bare content; < 0: content indented by -level tabs. A kind without a writer writes its
    // title line alone and reports through the host.
    void Write(std::ostream& out, const TDefBase& element, int level);
    // Whether the element counts as written. Not every writer records it: a table or a report
    // is written whenever asked, and the heading of its column or area scripts records it instead.
    bool Written(const TDefBase& element) const;
    // The array indices of the elements that count as written, in the order they were written.
    const std::vector<size_t>& WrittenIndices() const { return marked; }
    // Forgets what it has written, as if it were made afresh; costs what it wrote, not the
    // array's size.
    void Forget();
    // Whether elements of the kind have a text of their own.
    static bool HasWriter(int kind);

private:
    // Records the element as written; false when it was already.
    bool MarkWritten(const TDefBase& element);
    // The elements the owner owns, in definition-array order; the index is built on first use,
    // so writing an element without parts costs nothing extra.
    std::span<TDefBase* const> Owned(const TDefBase& owner);

    void WriteFields(std::ostream& out, const TDefBase& element, int level);
    void WriteWords(std::ostream& out, const TDefBase& choice, int level);
    void WritePicture(std::ostream& out, const TDefPicture& picture, int level);
    void WriteList(std::ostream& out, const TDefList& list, int level);
    void WriteTable(std::ostream& out, const TDefTable& table, int level);
    void ReportNoWriter(std::ostream& out, const TDefBase& element, int level);

    const TDefinedArray& defs;
    TDisplayHost& host;
    std::unique_ptr<TOwnerIndex> owned;
    // By element index, grown on demand; elements the array does not hold are kept apart.
    std::vector<bool> written;
    std::vector<size_t> marked; // the indices set in written
    std::unordered_set<const TDefBase*> writtenOutside;
};
