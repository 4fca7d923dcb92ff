#pragma once

// Databases made on Windows hold Windows-1252 text: every byte is one character. The one table
// of those characters, for every place that turns such bytes into Unicode.
namespace windows1252 {

// The Unicode code point of a byte. The five bytes Windows-1252 leaves unassigned keep their C1
// code points, as Windows converts them.
char16_t CodePoint(unsigned char byte);

} // namespace windows1252
