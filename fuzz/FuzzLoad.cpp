// Loads the input as a definition file and runs every writer on the result: each element's text,
// the whole Save As Text document, and the laid-out relationships graph as DOT and SVG.
#include "NullOutput.h"
#include "diagram/DependencyGraph.h"
#include "diagram/Dot.h"
#include "diagram/SetDAG.h"
#include "diagram/Svg.h"
#include "diagram/TVertexList.h"
#include "export/SaveAsText.h"
#include "export/TSelectionTree.h"
#include "load/TDatabase.h"
#include "model/TDefinedArray.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {
// Larger inputs only make runs slow; what they could reach, smaller ones reach too.
constexpr size_t kMaxInput = 64 * 1024;
// Each element's text takes time in proportion to the whole design (as one Copy command may), so
// the first elements only; the document below writes every element.
constexpr size_t kMaxCopied = 256;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInput)
        return 0;
    TDatabase db;
    db.ReadText(std::string(reinterpret_cast<const char*>(data), size), "fuzz.kvd");

    TNullStream out;
    TNullHost host;
    for (size_t i = 0; i < std::min(db.Definitions().Count(), kMaxCopied); ++i)
        CopyElementText(db.Definitions(), *db.Definitions().At(i), out, host);
    SaveAsTextDocument(db, TSelectionTree::kAll, out, host);

    TVertexList master(TVertexList::Ownership::Owns);
    graph::BuildGraph(db.Definitions(), master);
    SetDAG(master, diagram::FixedNameWidth, diagram::kFixedLineHeight).Layout();
    dot::WriteDot(out, master);
    diagram::WriteSvg(out, master, 100, diagram::kFixedLineHeight, diagram::FixedNameWidth, "serif",
                      diagram::kFixedLineHeight, master.empty() ? nullptr : master[0]);
    return 0;
}
