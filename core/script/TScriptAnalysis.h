#pragma once

#include "script/TNameTable.h"
#include "script/TPictureAfter.h"
#include "script/TUseCollector.h"

#include <string_view>

class TDefBase;
class TMessageLog;

// The used-by analysis: scans every script, resolves the names it uses, records a piece for
// each term and a use for each element found, and applies the link rule.
class TScriptAnalysis {
public:
    using Parser = TNameTable::Parser;

    explicit TScriptAnalysis(TNameTable& table);
    TScriptAnalysis(const TScriptAnalysis&) = delete;
    TScriptAnalysis& operator=(const TScriptAnalysis&) = delete;

    // Every script of the definition array, and the program's own uses of pictures.
    void FindUses(TMessageLog& log);
    // Reads the parser's script to its end, recording pieces and uses.
    void ScanScript(Parser& parser);

    // Inserts a piece by offset, with its flags worked out from kind and target.
    static void AddPiece(TDefBase& element, int kind, int offset, int length, TDefBase* target);

private:
    // What ScanScript keeps besides the parser: the scope at the start, and the kind, target
    // and after-hash flag of the term before.
    struct Scan;

    // TermUsed's wanted class when any name will do.
    static constexpr int kAnyName = -1;

    // Resolves one name of the parser's script (wanted: a kind, or kAnyName) and records the
    // use; leaves the result in the parser's resolved element and may move its scope.
    void TermUsed(Parser& parser, std::string_view name, int wanted);
    void RecordTerm(Parser& parser);
    void ResolveName(Parser& parser);
    void ScanCall(Scan& scan);
    void ScanQualifiers(Scan& scan);
    void ScanOther(Scan& scan);
    void ApplyLinkRule(Parser& parser, TDefBase* target);
    bool IsInternalUse(const TDefBase& element) const;

    TNameTable& table;
    TUseCollector uses;
    TPictureAfter pictureAfter;
};
