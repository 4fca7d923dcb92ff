#include "diagram/Svg.h"

#include "diagram/DiagramGeometry.h"
#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kH = 16;
constexpr const char* kFamily = "Times New Roman, Liberation Serif, serif";

int Measure(std::string_view text)
{
    return 7 * static_cast<int>(text.size());
}

// One element of the written SVG, with the attributes of the groups around it merged in.
struct Element {
    std::string tag;
    std::map<std::string, std::string> own, inherited;
    std::string text; // the character data of a text element

    int Int(const std::string& name) const { return std::stoi(own.at(name)); }
    std::string Get(const std::string& name) const
    {
        auto it = own.find(name);
        if (it != own.end())
            return it->second;
        it = inherited.find(name);
        return it != inherited.end() ? it->second : std::string();
    }
};

std::map<std::string, std::string> Attributes(const std::string& text)
{
    std::map<std::string, std::string> attributes;
    static const std::regex attribute(R"re(([\w:-]+)="([^"]*)")re");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), attribute);
         it != std::sregex_iterator(); ++it)
        attributes[(*it)[1]] = (*it)[2];
    return attributes;
}

// The drawing elements in document order; groups only lend their attributes. Fails the test on
// tags that do not nest.
std::vector<Element> Parse(const std::string& svg)
{
    std::vector<Element> elements;
    std::vector<std::map<std::string, std::string>> groups;
    static const std::regex tag(R"re(<(/?)([\w?]+)([^>]*?)(/?)>([^<]*))re");
    int open = 0;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), tag); it != std::sregex_iterator();
         ++it) {
        const std::smatch& m = *it;
        const std::string name = m[2];
        const bool closing = m[1] == "/", empty = m[4] == "/";
        if (name == "?xml")
            continue;
        if (closing) {
            --open;
            if (name == "g" && !groups.empty())
                groups.pop_back();
            continue;
        }
        if (!empty)
            ++open;
        Element e{name, Attributes(m[3]), {}, m[5]};
        for (const auto& group : groups)
            for (const auto& [key, value] : group)
                e.inherited[key] = value;
        if (name == "g")
            groups.push_back(e.own);
        else
            elements.push_back(e);
    }
    EXPECT_EQ(open, 0);
    return elements;
}

std::vector<Element> Only(const std::vector<Element>& elements, const std::string& tag)
{
    std::vector<Element> found;
    for (const Element& e : elements)
        if (e.tag == tag)
            found.push_back(e);
    return found;
}

// Three pictures laid out by hand: "used" is used by "mid" and "top", "mid" by "top".
struct Diagram {
    TDefinedArray defs;
    TVertexList master{TVertexList::Ownership::Owns};
    TVertex* used = Vertex("used", 16, 16);
    TVertex* mid = Vertex("mid <& \"x\">", 200, 48);
    TVertex* top = Vertex("top", 420, 30);

    Diagram()
    {
        used->AddUser(mid);
        used->AddUser(top);
        mid->AddUser(top);
    }
    TVertex* Vertex(const std::string& name, int x, int y)
    {
        auto* v = new TVertex(defs.Add(new TDefBase(kinds::Picture, name, nullptr)));
        v->x = x;
        v->y = y;
        master.Add(v);
        return v;
    }
    std::string Svg(int zoom, const TVertex* selected = nullptr, uint32_t highlight = 0x0000c8,
                    int fontPixels = kH)
    {
        std::ostringstream out;
        diagram::WriteSvg(out, master, zoom, kH, Measure, kFamily, fontPixels, selected, highlight);
        return out.str();
    }
};

} // namespace

TEST(Svg, BackgroundThenLinesThenEachBoxWithShadowAndName)
{
    for (const int zoom : diagram::kZooms) {
        SCOPED_TRACE(zoom);
        Diagram d;
        const std::string svg = d.Svg(zoom);
        const diagram::TExtent extent = diagram::ComputeBoxes(d.master, zoom, kH, Measure);
        const int m = diagram::Margin(kH);
        const std::vector<Element> all = Parse(svg);

        ASSERT_FALSE(all.empty());
        EXPECT_EQ(all[0].tag, "svg");
        EXPECT_EQ(all[0].Int("width"), extent.width + m + 3);   // with the shadows
        EXPECT_EQ(all[0].Int("height"), extent.height + m + 3); // with the shadows
        EXPECT_EQ(all[1].tag, "rect");
        EXPECT_EQ(all[1].Int("x"), 0);
        EXPECT_EQ(all[1].Int("y"), 0);
        EXPECT_EQ(all[1].Int("width"), extent.width + m + 3);   // with the shadows
        EXPECT_EQ(all[1].Int("height"), extent.height + m + 3); // with the shadows
        EXPECT_EQ(all[1].Get("fill"), "#c0c0c0");

        // From each right end to the user's anchor, by used picture, then by its out-list.
        const std::vector<Element> lines = Only(all, "line");
        const std::vector<std::pair<const TVertex*, const TVertex*>> edges = {
            {d.used, d.mid}, {d.used, d.top}, {d.mid, d.top}};
        ASSERT_EQ(lines.size(), edges.size());
        for (size_t i = 0; i < edges.size(); ++i) {
            EXPECT_EQ(lines[i].Int("x1"), edges[i].first->rightEnd.x);
            EXPECT_EQ(lines[i].Int("y1"), edges[i].first->rightEnd.y);
            EXPECT_EQ(lines[i].Int("x2"), edges[i].second->sx);
            EXPECT_EQ(lines[i].Int("y2"), edges[i].second->sy);
            EXPECT_EQ(lines[i].Get("stroke"), "#000000");
            EXPECT_EQ(lines[i].Get("stroke-width"), "1");
        }

        // After the lines: shadow, box and name of each vertex in master-list order.
        const size_t first = 2 + lines.size();
        ASSERT_EQ(all.size(), first + 3 * d.master.size());
        EXPECT_EQ(Only(all, "rect").size(), 1 + 2 * d.master.size());
        for (size_t i = 0; i < d.master.size(); ++i) {
            const TVertex& v = *d.master[i];
            const Element& shadow = all[first + 3 * i];
            const Element& box = all[first + 3 * i + 1];
            const Element& name = all[first + 3 * i + 2];
            ASSERT_EQ(shadow.tag, "rect");
            EXPECT_EQ(shadow.Int("x"), v.box.left + 1);
            EXPECT_EQ(shadow.Int("y"), v.box.top + 1);
            EXPECT_EQ(shadow.Get("stroke"), "#808080");
            EXPECT_EQ(shadow.Get("stroke-width"), "3");
            EXPECT_EQ(shadow.Get("fill"), "none");
            ASSERT_EQ(box.tag, "rect");
            EXPECT_EQ(box.Int("x"), v.box.left);
            EXPECT_EQ(box.Int("y"), v.box.top);
            EXPECT_EQ(box.Get("stroke"), "#000000");
            EXPECT_EQ(box.Get("fill"), "#ffffff");
            for (const Element* r : {&shadow, &box}) {
                EXPECT_EQ(r->Int("width"), v.box.right - v.box.left);
                EXPECT_EQ(r->Int("height"), v.box.bottom - v.box.top);
                EXPECT_EQ(r->Int("rx"), m);
                EXPECT_EQ(r->Int("ry"), m);
            }
            ASSERT_EQ(name.tag, "text");
            EXPECT_EQ(name.Int("x"), v.sx);
            EXPECT_EQ(name.Get("font-family"), kFamily);
            EXPECT_EQ(name.Get("font-size"), "16px");
            EXPECT_EQ(name.Get("fill"), "");
        }
        EXPECT_EQ(all[first + 5].text, "mid &lt;&amp; &quot;x&quot;&gt;");
    }
}

TEST(Svg, LeavesTheVerticesAsTheyWere)
{
    Diagram d;
    diagram::ComputeBoxes(d.master, 70, kH, Measure);
    const std::string at70 = d.Svg(70);
    d.Svg(30);
    for (const TVertex* v : d.master)
        EXPECT_EQ(v->sx, v->x * 70 / 100);
    EXPECT_EQ(d.Svg(70), at70);
}

TEST(Svg, SelectedVertexItsLinesLastAndItsNameInTheHighlightColour)
{
    Diagram d;
    diagram::ComputeBoxes(d.master, 100, kH, Measure);
    const std::vector<Element> all = Parse(d.Svg(100, d.mid, 0x00112233));
    const std::vector<Element> lines = Only(all, "line");
    ASSERT_EQ(lines.size(), 3u);
    // used -> top is plain and comes first; the two lines at mid follow in the highlight colour.
    EXPECT_EQ(lines[0].Get("stroke"), "#000000");
    EXPECT_EQ(lines[0].Int("x2"), d.top->sx);
    EXPECT_EQ(lines[0].Int("y1"), d.used->sy);
    for (size_t i : {1u, 2u})
        EXPECT_EQ(lines[i].Get("stroke"), "#332211");
    EXPECT_EQ(lines[1].Int("x2"), d.mid->sx);
    EXPECT_EQ(lines[2].Int("x1"), d.mid->rightEnd.x);

    const std::vector<Element> names = Only(all, "text");
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0].Get("fill"), "");
    EXPECT_EQ(names[1].Get("fill"), "#332211");
    EXPECT_EQ(names[2].Get("fill"), "");

    // Nothing selected: no highlight anywhere.
    const std::string plain = d.Svg(100, nullptr, 0x00112233);
    EXPECT_EQ(plain.find("#332211"), std::string::npos);
}

TEST(Svg, NameTopAQuarterMarginBelowTheBoxWithTheFontsAscentToItsBaseline)
{
    Diagram d;
    diagram::ComputeBoxes(d.master, 100, kH, Measure);
    const int m = diagram::Margin(kH);
    // Times New Roman's ascent is 0.891 of the em: 14.3 pixels at 16, 28.5 at 32.
    for (const auto& [pixels, ascent] : {std::pair{16, 14}, std::pair{32, 29}}) {
        const std::vector<Element> names = Only(Parse(d.Svg(100, nullptr, 0, pixels)), "text");
        ASSERT_EQ(names.size(), d.master.size());
        for (size_t i = 0; i < names.size(); ++i)
            EXPECT_EQ(names[i].Int("y"), d.master[i]->box.top + m / 4 + ascent);
        EXPECT_EQ(names[0].Get("font-size"), std::to_string(pixels) + "px");
    }
}

TEST(Svg, EmptyGraphIsTheBackgroundOfOneMarginAndAShadow)
{
    TVertexList master(TVertexList::Ownership::Owns);
    std::ostringstream out;
    diagram::WriteSvg(out, master, 50, kH, Measure, kFamily, kH);
    const std::vector<Element> all = Parse(out.str());
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].Int("width"), diagram::Margin(kH) + 3);
    EXPECT_EQ(all[0].Int("height"), diagram::Margin(kH) + 3);
    EXPECT_EQ(all[1].tag, "rect");
}

TEST(SvgText, EscapesMarkupAndKeepsValidUtf8)
{
    EXPECT_EQ(diagram::XmlText("plain name"), "plain name");
    EXPECT_EQ(diagram::XmlText("a<b & \"c\">"), "a&lt;b &amp; &quot;c&quot;&gt;");
    EXPECT_EQ(diagram::XmlText("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(diagram::XmlText("tab\there"), "tab\there");
}

TEST(SvgText, ReadsBytesThatAreNotUtf8AsWindows1252)
{
    EXPECT_EQ(diagram::XmlText("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(diagram::XmlText("\x80\x99\xA0\xFF"), "\xE2\x82\xAC\xE2\x84\xA2\xC2\xA0\xC3\xBF");
    EXPECT_EQ(diagram::XmlText("\x81"), "\xC2\x81"); // unassigned: its C1 code point
    // One stray byte makes the whole text Windows-1252, the valid-looking pair too.
    EXPECT_EQ(diagram::XmlText("\xC3\xA9<\xE9"), "\xC3\x83\xC2\xA9&lt;\xC3\xA9");
}

TEST(SvgText, CharactersXmlCannotHoldBecomeReplacementCharacters)
{
    EXPECT_EQ(diagram::XmlText(std::string_view("a\0b\x01", 4)), "a\xEF\xBF\xBD"
                                                                 "b\xEF\xBF\xBD");
    EXPECT_EQ(diagram::XmlText("\xEF\xBF\xBF\xEF\xBF\xBE"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(diagram::XmlText("\x1F\xE9"), "\xEF\xBF\xBD\xC3\xA9");
}
