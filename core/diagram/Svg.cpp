#include "diagram/Svg.h"

#include "diagram/DiagramGeometry.h"
#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/TDefBase.h"
#include "model/Windows1252.h"
#include "views/TPaneLayout.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <vector>

namespace diagram {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The ascent of Times New Roman and of the metrically equal Liberation Serif, 1825/2048 of the
// em: the window puts the top of the text cell where the SVG needs the baseline's height.
constexpr int kAscent = 1825, kEm = 2048;

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Appends an ASCII character as XML character data.
void AppendAscii(std::string& out, char c)
{
    switch (c) {
    case '&':
        out += "&amp;";
        break;
    case '<':
        out += "&lt;";
        break;
    case '>':
        out += "&gt;";
        break;
    case '"':
        out += "&quot;";
        break;
    case '\t':
    case '\n':
    case '\r':
        out += c;
        break;
    default:
        if (static_cast<unsigned char>(c) < 0x20)
            out += kReplacement;
        else
            out += c;
    }
}

std::string Colour(uint32_t bgr)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", bgr & 0xFF, (bgr >> 8) & 0xFF,
                  (bgr >> 16) & 0xFF);
    return text;
}

void WriteRect(std::ostream& out, const TVertex::Rect& r, int corner, const char* paint)
{
    out << "<rect x=\"" << r.left << "\" y=\"" << r.top << "\" width=\"" << r.right - r.left
        << "\" height=\"" << r.bottom - r.top << "\" rx=\"" << corner << "\" ry=\"" << corner
        << "\" " << paint << "/>\n";
}

} // namespace

std::string XmlText(std::string_view bytes)
{
    return XmlText(bytes, true);
}

std::string XmlText(std::string_view bytes, bool utf8)
{
    // Most names and script lines are plain ASCII with nothing to escape; a site escapes millions.
    const bool plain = std::all_of(bytes.begin(), bytes.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x80 && c != '&' && c != '<' && c != '>' && c != '"' &&
               (b >= 0x20 || c == '\t' || c == '\n' || c == '\r');
    });
    if (plain)
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    if (utf8 && panes::IsUtf8(bytes)) {
        for (size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            // U+FFFE and U+FFFF are not characters XML can hold.
            if (bytes.substr(i, 3) == "\xEF\xBF\xBE" || bytes.substr(i, 3) == "\xEF\xBF\xBF") {
                out += kReplacement;
                i += 2;
            } else if (b < 0x80) {
                AppendAscii(out, bytes[i]);
            } else {
                out += bytes[i];
            }
        }
        return out;
    }
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            AppendAscii(out, c);
        else
            AppendUtf8(out, windows1252::CodePoint(b));
    }
    return out;
}

void WriteSvg(std::ostream& out, const TVertexList& master, int zoom, int h,
              const std::function<int(std::string_view)>& measure, const std::string& fontFamily,
              int fontPixels, const TVertex* selected, uint32_t highlight, const TBoxLink& link,
              bool xmlDeclaration)
{
    const int m = Margin(h);
    std::vector<TBoxGeometry> boxes;
    boxes.reserve(master.size());
    TExtent extent;
    for (const TVertex* v : master) {
        boxes.push_back(BoxGeometry(*v, zoom, m, measure(v->element->Title())));
        Extend(extent, boxes.back());
    }
    // The margin of the outermost boxes and their shadows (3 pixels wide, 1 pixel down and right).
    const int width = extent.width + m + 3, height = extent.height + m + 3;
    const std::string highlightColour = Colour(highlight);

    if (xmlDeclaration)
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" viewBox=\"0 0 " << width << ' ' << height << "\">\n"
        << "<rect x=\"0\" y=\"0\" width=\"" << width << "\" height=\"" << height
        << "\" fill=\"#c0c0c0\"/>\n";
    // Lines and outlines one pixel wide fall on whole pixels, as in the window.
    out << "<g transform=\"translate(0.5,0.5)\">\n";

    const auto writeLines = [&](bool highlighted) {
        for (size_t i = 0; i < master.size(); ++i) {
            const TVertex* v = master[i];
            if (!v->outList)
                continue;
            for (const TVertex* s : *v->outList) {
                if ((selected && (v == selected || s == selected)) != highlighted)
                    continue;
                const TVertex::Point from = boxes[i].rightEnd, to = Anchor(*s, zoom);
                out << "<line x1=\"" << from.x << "\" y1=\"" << from.y << "\" x2=\"" << to.x
                    << "\" y2=\"" << to.y << "\"/>\n";
            }
        }
    };
    out << "<g stroke=\"#000000\" stroke-width=\"1\">\n";
    writeLines(false);
    out << "</g>\n";
    if (selected) {
        out << "<g stroke=\"" << highlightColour << "\" stroke-width=\"1\">\n";
        writeLines(true);
        out << "</g>\n";
    }

    out << "<g font-family=\"" << XmlText(fontFamily) << "\" font-size=\"" << fontPixels
        << "px\" xml:space=\"preserve\">\n";
    const int textDown = m - m / 4;
    const int baseline = (fontPixels * kAscent + kEm / 2) / kEm;
    for (size_t i = 0; i < master.size(); ++i) {
        const TBoxGeometry& g = boxes[i];
        const std::string_view href = link ? link(*master[i]->element) : std::string_view();
        if (!href.empty())
            out << "<a href=\"" << XmlText(href) << "\">\n";
        const TVertex::Rect shadow{g.box.left + 1, g.box.top + 1, g.box.right + 1,
                                   g.box.bottom + 1};
        WriteRect(out, shadow, m, "fill=\"none\" stroke=\"#808080\" stroke-width=\"3\"");
        WriteRect(out, g.box, m, "fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\"1\"");
        out << "<text x=\"" << g.sx << "\" y=\"" << g.sy - textDown + baseline << '"';
        if (master[i] == selected)
            out << " fill=\"" << highlightColour << '"';
        out << '>' << XmlText(master[i]->element->Title()) << "</text>\n";
        if (!href.empty())
            out << "</a>\n";
    }
    out << "</g>\n</g>\n</svg>\n";
}

} // namespace diagram
