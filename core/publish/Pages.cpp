#include "publish/Pages.h"

#include "compare/Comparison.h"
#include "diagram/DependencyGraph.h"
#include "diagram/FocusedGraph.h"
#include "diagram/SetDAG.h"
#include "diagram/Svg.h"
#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "export/SaveAsText.h"
#include "export/TOutline.h"
#include "load/TDatabase.h"
#include "model/Kinds.h"
#include "model/MessageLinks.h"
#include "model/TDefBase.h"
#include "model/TDisplayHost.h"
#include "model/TScriptPiece.h"
#include "model/TUsedSet.h"
#include "publish/PaneHtml.h"
#include "publish/TPageNames.h"
#include "script/TDispColour.h"
#include "views/HostLayouts.h"
#include "views/ListRows.h"

#include <cstdio>
#include <sstream>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace publish {

namespace {

constexpr char kDiagramFont[] = "Times New Roman, Liberation Serif, serif";

std::string Html(std::string_view bytes)
{
    return diagram::XmlText(bytes);
}

// Appends text, as a link when there is a page.
void AppendLinked(std::string& out, std::string_view html, std::string_view href)
{
    if (href.empty()) {
        out += html;
        return;
    }
    out += "<a href=\"";
    out += href;
    out += "\">";
    out += html;
    out += "</a>";
}

void Begin(std::string& out, const TSite& site, std::string_view title)
{
    out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    out += Html(title);
    out += "</title>\n<link rel=\"stylesheet\" href=\"";
    out += TPageNames::kStyle;
    out += "\">\n</head>\n<body>\n<nav>";
    AppendLinked(out, Html(site.db.Name()), TPageNames::kIndex);
    out += " <a href=\"";
    out += TPageNames::kNames;
    out += "\">Names</a> <a href=\"";
    out += TPageNames::kMessages;
    out += "\">Messages</a> <a href=\"";
    out += TPageNames::kDiagram;
    out += "\">Diagram</a></nav>\n<main>\n";
}

void End(std::string& out, std::string_view script = {})
{
    out += "</main>\n";
    out += script;
    out += "</body>\n</html>\n";
}

void Heading(std::string& out, const char* tag, std::string_view html)
{
    out += '<';
    out += tag;
    out += '>';
    out += html;
    out += "</";
    out += tag;
    out += ">\n";
}

// The laid-out graph as an SVG that stands in the page, its boxes linked to their pages.
void AppendDiagram(std::string& out, const TSite& site, TVertexList& master,
                   const TVertex* selected)
{
    SetDAG(master, diagram::FixedNameWidth, diagram::kFixedLineHeight).Layout();
    std::ostringstream svg;
    diagram::WriteSvg(
        svg, master, 100, diagram::kFixedLineHeight, diagram::FixedNameWidth, kDiagramFont,
        diagram::kFixedLineHeight, selected,
        TDispColour().PieceColour(TDispColour::kHighlightKind, -1, 0),
        [&](const TDefBase& e) { return site.pages.PageOf(e); }, false);
    out += "<div class=\"diagram\">\n";
    out += svg.view();
    out += "</div>\n";
}

void AppendFocusedDiagram(std::string& out, const TSite& site, const TDefBase& picture)
{
    TVertexList master(TVertexList::Ownership::Owns);
    graph::BuildFocusedGraph(site.db.Definitions(), picture, graph::kMinFocusDepth, master,
                             site.focus);
    const TVertex* focus = nullptr;
    for (const TVertex* v : master)
        if (v->element == &picture)
            focus = v;
    Heading(out, "h2", "Relationships");
    AppendDiagram(out, site, master, focus);
}

void AppendUsedBy(std::string& out, const TSite& site, const TDefBase& element)
{
    Heading(out, "h2", "Used by");
    if (!element.IsUsed()) {
        out += "<p>Nothing uses it.</p>\n";
        return;
    }
    out += "<ul class=\"users\">\n";
    for (const TDefBase* user : *element.users) {
        out += "<li>";
        AppendLinked(out, Html(lists::UsedRow(*user).text),
                     lists::OpensFromUsedBy(*user) ? site.pages.PageOf(*user) : std::string_view());
        out += "</li>\n";
    }
    out += "</ul>\n";
}

// The elements the pane's pieces name, each once, in the order they first appear.
void AppendUses(std::string& out, const TSite& site, const TPaneLayout& layout)
{
    Heading(out, "h2", "Uses");
    std::unordered_set<const TDefBase*> seen;
    std::string items;
    for (const TPieceRect& laid : layout.pieces) {
        const TScriptPiece& piece = *laid.piece;
        if (!(piece.flags & TScriptPiece::kRefers) || !piece.target ||
            !seen.insert(piece.target).second)
            continue;
        items += "<li>";
        AppendLinked(items, Html(piece.target->Title()), site.pages.PageOf(*piece.target));
        items += "</li>\n";
    }
    if (items.empty()) {
        out += "<p>It uses nothing.</p>\n";
        return;
    }
    out += "<ul class=\"uses\">\n";
    out += items;
    out += "</ul>\n";
}

const char* PaneClass(TPaneKind pane)
{
    switch (pane) {
    case TPaneKind::Picture:
    case TPaneKind::List:
    case TPaneKind::Table:
        return "script";
    case TPaneKind::Report:
        return "report";
    default:
        return "pane";
    }
}

void AppendOutline(std::string& out, const TSite& site, const TOutline& outline, int id)
{
    const TOutline::TNode& node = outline.Node(id);
    out += "<ul>\n";
    for (const int child : node.children) {
        const TOutline::TNode& c = outline.Node(child);
        out += "<li>";
        const std::string_view href =
            c.element == TOutline::kNone
                ? std::string_view()
                : site.pages.UnitPage(*site.db.Definitions().At(static_cast<size_t>(c.element)));
        AppendLinked(out, Html(c.label), href);
        if (!c.children.empty()) {
            out += '\n';
            AppendOutline(out, site, outline, child);
        }
        out += "</li>\n";
    }
    out += "</ul>\n";
}

size_t ElementLeaves(const TOutline& outline, int id)
{
    const TOutline::TNode& node = outline.Node(id);
    if (node.children.empty())
        return node.element == TOutline::kNone ? 0 : 1;
    size_t count = 0;
    for (const int child : node.children)
        count += ElementLeaves(outline, child);
    return count;
}

std::string Hex(uint32_t bgr)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", bgr & 0xFF, (bgr >> 8) & 0xFF,
                  (bgr >> 16) & 0xFF);
    return text;
}

// The colour halfway to white: the scheme's colours are made for a white background.
uint32_t Lighter(uint32_t bgr)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t c = (bgr >> shift) & 0xFF;
        out |= (c + (255 - c) / 2) << shift;
    }
    return out;
}

constexpr char kFilterScript[] = R"(<script>
(function () {
  var box = document.getElementById('filter-box');
  var input = document.getElementById('filter');
  var rows = document.getElementById('names').tBodies[0].rows;
  function fold(s) { return s.replace(/[A-Z]/g, function (c) { return c.toLowerCase(); }); }
  var names = [];
  for (var i = 0; i !== rows.length; ++i) names.push(fold(rows[i].cells[0].textContent));
  box.hidden = false;
  input.addEventListener('input', function () {
    var text = fold(input.value);
    for (var i = 0; i !== rows.length; ++i) rows[i].hidden = names[i].indexOf(text) === -1;
  });
})();
</script>
)";

} // namespace

std::string IndexPage(const TSite& site)
{
    TOutline outline;
    outline.Fill(site.db.Definitions(), site.db.Name());
    std::string out;
    Begin(out, site, site.db.Name());
    Heading(out, "h1", Html(site.db.Name()));
    out += "<ul class=\"pages\">\n<li><a href=\"";
    out += TPageNames::kNames;
    out += "\">Names</a></li>\n<li><a href=\"";
    out += TPageNames::kMessages;
    out += "\">Messages</a></li>\n<li><a href=\"";
    out += TPageNames::kDiagram;
    out += "\">Relationships diagram</a></li>\n</ul>\n";
    Heading(out, "h2", "Elements");
    out += "<table class=\"counts\">\n<tbody>\n";
    for (const int category : outline.Node(TOutline::Root()).children) {
        out += "<tr><td>";
        out += Html(outline.Node(category).label);
        out += "</td><td>";
        out += std::to_string(ElementLeaves(outline, category));
        out += "</td></tr>\n";
    }
    out += "</tbody>\n</table>\n";
    Heading(out, "h2", "Structure");
    out += "<div class=\"outline\">\n";
    AppendOutline(out, site, outline, TOutline::Root());
    out += "</div>\n";
    End(out);
    return out;
}

std::string UnitPage(const TSite& site, size_t unit)
{
    const TDefBase& element = site.units.Element(unit);
    std::string out;
    Begin(out, site, element.Title());
    Heading(out, "h1", Html(element.Title()));
    TPaneKind pane{};
    const auto pageOf = [&](const TDefBase& e) { return site.pages.PageOf(e); };
    if (element.PaneKind(pane)) {
        const TPaneLayout layout = panes::LayPane(element, pane, site.owned, 1, 1);
        out += "<pre class=\"";
        out += PaneClass(pane);
        out += "\">";
        AppendPane(out, layout, pageOf);
        out += "</pre>\n";
        AppendUsedBy(out, site, element);
        if (PaneClass(pane) == std::string_view("script"))
            AppendUses(out, site, layout);
    } else {
        TSilentHost host;
        std::ostringstream text;
        CopyElementText(site.db.Definitions(), element, text, host);
        out += "<pre class=\"text\">";
        out += Html(text.view());
        out += "</pre>\n";
        AppendUsedBy(out, site, element);
    }
    if (kinds::IsPictureKind(element.kind))
        AppendFocusedDiagram(out, site, element);
    End(out);
    return out;
}

std::string NamesPage(const TSite& site)
{
    const std::string text = lists::IndexCopyText(site.db.Names());
    const std::vector<TDefBase*>& elements = site.db.Names().Elements();
    std::string out;
    Begin(out, site, "Names");
    Heading(out, "h1", "Names");
    out += "<p id=\"filter-box\" hidden><label>Filter <input id=\"filter\" type=\"search\" "
           "autocomplete=\"off\"></label></p>\n"
           "<table id=\"names\">\n<thead>\n<tr>";
    std::string_view rest(text);
    const auto nextLine = [&rest] {
        const size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        return line;
    };
    const auto cells = [](std::string_view line) {
        std::vector<std::string_view> parts;
        for (size_t tab; (tab = line.find('\t')) != std::string_view::npos;) {
            parts.push_back(line.substr(0, tab));
            line.remove_prefix(tab + 1);
        }
        parts.push_back(line);
        return parts;
    };
    for (const std::string_view heading : cells(nextLine())) {
        out += "<th>";
        out += Html(heading);
        out += "</th>";
    }
    out += "</tr>\n</thead>\n<tbody>\n";
    nextLine();
    for (size_t row = 0; !rest.empty(); ++row) {
        const std::vector<std::string_view> parts = cells(nextLine());
        out += "<tr>";
        for (size_t i = 0; i < parts.size(); ++i) {
            out += "<td>";
            AppendLinked(out, Html(parts[i]),
                         i == 0 && row < elements.size() ? site.pages.PageOf(*elements[row])
                                                         : std::string_view());
            out += "</td>";
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n";
    End(out, kFilterScript);
    return out;
}

std::string MessagesPage(const TSite& site)
{
    const TMessageLog& log = site.db.Log();
    std::string out;
    Begin(out, site, "Messages");
    Heading(out, "h1", "Messages");
    out += "<ul class=\"messages\">\n";
    // Thousands of problems must not each cost a pass over the design.
    const messages::TMessageLinks links(site.db.Definitions());
    for (size_t i = 0; i < log.Count(); ++i) {
        const std::string_view line = log.At(i);
        const TDefBase* named = links.ElementNamedBy(line);
        out += "<li>";
        AppendLinked(out, Html(line), named ? site.pages.PageOf(*named) : std::string_view());
        out += "</li>\n";
    }
    out += "</ul>\n";
    End(out);
    return out;
}

std::string DiagramPage(const TSite& site)
{
    std::string out;
    Begin(out, site, "Relationships");
    Heading(out, "h1", "Relationships");
    TVertexList master(TVertexList::Ownership::Owns);
    graph::BuildGraph(site.db.Definitions(), master);
    AppendDiagram(out, site, master, nullptr);
    End(out);
    return out;
}

std::string StyleSheet()
{
    std::string light, dark;
    const TDispColour scheme;
    for (int row = 0; row < TDispColour::kRows; ++row) {
        const int slot = TDispColour::Rows()[static_cast<size_t>(row)].slot;
        const std::string cls = std::string(".") + SlotClass(slot);
        const uint32_t colour = scheme.RowColour(row);
        light += cls + " { color: " + Hex(colour) + "; }\n";
        // The default colour is the text's own, so it follows the background.
        dark += "  " + cls + " { color: " +
                (SlotClass(slot) == std::string_view("keyword") ? std::string("inherit")
                                                                : Hex(Lighter(colour))) +
                "; }\n";
    }
    return R"(:root {
  color-scheme: light dark;
  --background: #ffffff;
  --text: #1a1a1a;
  --rule: #d0d0d0;
  --link: #0645ad;
  --code: #f6f6f6;
}
body {
  margin: 0 auto;
  max-width: 72rem;
  padding: 0.5rem 1rem 2rem;
  background: var(--background);
  color: var(--text);
  font-family: system-ui, sans-serif;
  line-height: 1.4;
}
a { color: var(--link); }
nav { border-bottom: 1px solid var(--rule); padding: 0.3rem 0; }
nav a { margin-right: 1rem; }
h1 { font-size: 1.5rem; overflow-wrap: anywhere; }
h2 { font-size: 1.15rem; margin-top: 1.5rem; }
pre {
  overflow-x: auto;
  padding: 0.5rem;
  border: 1px solid var(--rule);
  background: var(--code);
  font-family: ui-monospace, "DejaVu Sans Mono", monospace;
  font-size: 0.9rem;
  line-height: 1.25;
}
pre a, .u { text-decoration: underline; }
.area { background: rgba(128, 128, 128, 0.2); }
table { border-collapse: collapse; }
th, td { text-align: left; padding: 0.1rem 0.8rem 0.1rem 0; border-bottom: 1px solid var(--rule); }
.messages { list-style: none; padding: 0; font-family: ui-monospace, monospace; white-space: pre-wrap; }
.diagram { overflow: auto; border: 1px solid var(--rule); }
.diagram svg { display: block; }
.outline ul { padding-left: 1.2rem; }
@media (max-width: 40rem) {
  body { padding: 0.3rem 0.5rem 1rem; }
  pre { font-size: 0.8rem; }
  th, td { padding-right: 0.4rem; }
}
)" + light +
           R"(@media (prefers-color-scheme: dark) {
  :root {
    --background: #1c1c1c;
    --text: #e4e4e4;
    --rule: #444444;
    --link: #8ab4f8;
    --code: #262626;
  }
)" + dark + "}\n";
}

} // namespace publish
