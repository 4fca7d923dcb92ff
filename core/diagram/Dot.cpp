#include "diagram/Dot.h"

#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/TDefBase.h"

#include <ostream>
#include <string_view>

namespace dot {

namespace {

void WriteQuoted(std::ostream& out, std::string_view text)
{
    out << '"';
    for (char c : text) {
        if (c == '\\' || c == '"')
            out << '\\';
        out << c;
    }
    out << '"';
}

} // namespace

void WriteDot(std::ostream& out, const TVertexList& master)
{
    out << "digraph relationships {\n";
    out << "  node [shape=box, style=rounded];\n";
    for (const TVertex* v : master) {
        out << "  v" << v->element->index << " [label=";
        WriteQuoted(out, v->element->Title());
        out << ", pos=\"" << v->x << ',' << -static_cast<long long>(v->y) << "\"];\n";
    }
    for (const TVertex* v : master) {
        if (!v->outList)
            continue;
        for (const TVertex* s : *v->outList)
            out << "  v" << v->element->index << " -> v" << s->element->index << ";\n";
    }
    out << "}\n";
}

} // namespace dot
