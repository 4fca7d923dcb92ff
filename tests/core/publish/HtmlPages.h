#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Reading a written site back: its files, the links and ids in a page, and a cheap check that a
// page is well formed.
namespace sitecheck {

// Every file of the folder by name, the marker included.
std::map<std::string, std::string> ReadFolder(const std::filesystem::path& folder);

// The values of an attribute in the order they appear, ("href", "src", "id").
std::vector<std::string> Attributes(std::string_view html, std::string_view name);

// The text between the first open (a whole start tag's beginning, such as "<pre class=\"script\">")
// and the close after it; empty when there is none.
std::string_view Between(std::string_view html, std::string_view open, std::string_view close);

// The texts of every element of the tag (such as "a") in the fragment, markup removed and
// references replaced.
std::vector<std::string> Texts(std::string_view html, std::string_view tag);

// Markup removed and &amp; &lt; &gt; &quot; replaced.
std::string PlainText(std::string_view html);

// Why the page is not well formed: a tag closed that is not open, one left open, a '<' or '&'
// in text that starts no tag or reference, bytes that are not UTF-8. Empty when it is.
std::string Problem(std::string_view html);

} // namespace sitecheck
