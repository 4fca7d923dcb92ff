#pragma once

#include <QString>

#include <string>
#include <string_view>

// The one place where the core's byte texts become Qt text and back. Names and log lines are the
// bytes of control.ged: UTF-8 when they are valid UTF-8, otherwise Windows-1252 (databases made
// on Windows). Paths are the file system's bytes.
namespace bytes {

QString ToText(std::string_view bytes);
// A part of a longer text, read as the whole text reads (utf8: it is valid UTF-8).
QString ToText(std::string_view bytes, bool utf8);
// What a person typed, as the UTF-8 bytes the core compares names and scripts with.
std::string TypedBytes(const QString& text);
std::string PathBytes(const QString& path);
QString PathText(const std::string& path);

} // namespace bytes
