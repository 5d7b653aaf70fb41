#ifndef BAKE3DS_API_PATH_TEXT_H
#define BAKE3DS_API_PATH_TEXT_H

// A path as the user knows it. Paths are UTF-8 (on Windows made so from the
// wide command line; elsewhere what the user typed, UTF-8 in practice), so
// the reports show a path's characters, where names read from inside a file,
// bytes of an unknown code page, stay escaped byte by byte.

#include <cstddef>
#include <string>

namespace bake3ds {

// The length of the well-formed UTF-8 sequence of a character from U+0080
// up at p (n bytes left), or 0 where the bytes are no such sequence
// (overlong, a surrogate, beyond U+10FFFF, cut short, a stray byte).
size_t Utf8Sequence(const unsigned char *p, size_t n);

// The path in double quotes for the text report: its characters, '"' and
// '\' escaped with '\', control characters (below U+0020, U+007F, U+0080
// to U+009F) and bytes that are no UTF-8 as \xNN, a byte at a time.
std::string QuotedPath(const std::string &r_s_path);

// The path as a JSON string of its characters, so that a program reading
// the JSON opens the file by it: control characters as \u00XX, and each
// byte that is no UTF-8 as the lone surrogate \uDCXX, which is how Python
// (and other programs that read file names as text) carry such a byte.
std::string JsonPath(const std::string &r_s_path);

} // namespace bake3ds

#endif
