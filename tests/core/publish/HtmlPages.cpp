#include "HtmlPages.h"

#include "views/TPaneLayout.h"

#include <fstream>
#include <iterator>
#include <set>

namespace sitecheck {

std::map<std::string, std::string> ReadFolder(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] =
            std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

std::vector<std::string> Attributes(std::string_view html, std::string_view name)
{
    std::vector<std::string> values;
    const std::string key = " " + std::string(name) + "=\"";
    for (size_t at = html.find(key); at != std::string_view::npos; at = html.find(key, at)) {
        at += key.size();
        const size_t end = html.find('"', at);
        values.emplace_back(html.substr(at, end - at));
    }
    return values;
}

std::string_view Between(std::string_view html, std::string_view open, std::string_view close)
{
    const size_t start = html.find(open);
    if (start == std::string_view::npos)
        return {};
    const size_t from = start + open.size();
    const size_t end = html.find(close, from);
    return end == std::string_view::npos ? std::string_view() : html.substr(from, end - from);
}

std::string PlainText(std::string_view html)
{
    std::string text;
    for (size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            i = html.find('>', i);
            if (i == std::string_view::npos)
                break;
            continue;
        }
        if (html[i] == '&') {
            for (const auto& [ref, c] : {std::pair{"&amp;", '&'}, std::pair{"&lt;", '<'},
                                         std::pair{"&gt;", '>'}, std::pair{"&quot;", '"'}})
                if (html.substr(i).starts_with(ref)) {
                    text += c;
                    i += std::string_view(ref).size() - 1;
                    break;
                }
            continue;
        }
        text += html[i];
    }
    return text;
}

std::vector<std::string> Texts(std::string_view html, std::string_view tag)
{
    std::vector<std::string> texts;
    const std::string open = "<" + std::string(tag), close = "</" + std::string(tag) + ">";
    for (size_t at = html.find(open); at != std::string_view::npos; at = html.find(open, at)) {
        const char after = at + open.size() < html.size() ? html[at + open.size()] : '\0';
        if (after != '>' && after != ' ') {
            ++at;
            continue;
        }
        const size_t from = html.find('>', at) + 1;
        const size_t end = html.find(close, from);
        texts.push_back(PlainText(html.substr(from, end - from)));
        at = end;
    }
    return texts;
}

std::string Problem(std::string_view html)
{
    if (!panes::IsUtf8(html))
        return "bytes that are not UTF-8";
    static const std::set<std::string, std::less<>> kVoid = {"meta", "link", "input", "br"};
    std::vector<std::string> open;
    for (size_t i = 0; i < html.size(); ++i) {
        const char c = html[i];
        if (c == '&') {
            const std::string_view rest = html.substr(i);
            if (!(rest.starts_with("&amp;") || rest.starts_with("&lt;") ||
                  rest.starts_with("&gt;") || rest.starts_with("&quot;")))
                return "a bare & at " + std::to_string(i);
            continue;
        }
        if (c == '>')
            return "a bare > at " + std::to_string(i);
        if (c != '<')
            continue;
        const size_t end = html.find('>', i);
        if (end == std::string_view::npos)
            return "a tag that never ends";
        std::string_view tag = html.substr(i + 1, end - i - 1);
        i = end;
        if (tag.starts_with("!DOCTYPE"))
            continue;
        const bool closing = tag.starts_with('/');
        const bool selfClosing = tag.ends_with('/');
        const std::string_view name =
            tag.substr(closing, tag.find_first_of(" /", closing) - closing);
        if (name.empty() || name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") !=
                                std::string_view::npos)
            return "a bare < at " + std::to_string(i);
        if (closing) {
            if (open.empty() || open.back() != name)
                return "</" + std::string(name) + "> closes " +
                       (open.empty() ? std::string("nothing") : "<" + open.back() + ">");
            open.pop_back();
        } else if (name == "script") {
            const size_t close = html.find("</script>", i);
            if (close == std::string_view::npos)
                return "a script that never ends";
            i = close + std::string_view("</script>").size() - 1;
        } else if (!selfClosing && !kVoid.count(name)) {
            open.emplace_back(name);
        }
    }
    return open.empty() ? std::string() : "<" + open.back() + "> never closed";
}

} // namespace sitecheck
