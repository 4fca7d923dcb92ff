#pragma once

#include "script/TUseCollector.h"

#include <string_view>
#include <vector>

class TDefBase;
class TMessageLog;
class TNameTable;

// The first steps of completing a loaded design: the elements every database has without
// declaring them, then the types of fields and the record each list, table, report, filter and
// chart picture works in.
class TTypeResolver {
public:
    explicit TTypeResolver(TNameTable& table);
    TTypeResolver(const TTypeResolver&) = delete;
    TTypeResolver& operator=(const TTypeResolver&) = delete;

    // Throws TInternalError when a built-in's owner is missing.
    void InsertBuiltIns();
    void ResolveTypes(TMessageLog& log);

private:
    void ResolveField(TDefBase& field, TMessageLog& log);
    // The record of this name without owner, first in array order: the fallback when the
    // table finds none.
    TDefBase* FindRecordInArray(std::string_view name);

    TNameTable& table;
    TUseCollector uses;
    // Records without owner, by name, then array order; made on first need.
    bool arrayRecordsMade = false;
    std::vector<TDefBase*> arrayRecords;
};
