#ifndef BAKE3DS_API_JSON_REPORT_H
#define BAKE3DS_API_JSON_REPORT_H

#include <string>

#include "api/report.h"
#include "reader/load_error.h"

namespace bake3ds {

// The report as one JSON document (UTF-8), ending with a line break. Names
// are strings of one character per byte, U+0000 to U+00FF.
std::string s_JsonReport(const Report &r_report);

// A string of bytes as a JSON string: each byte the character of its value;
// '"' and '\' escaped, control characters (U+0000 to U+001F and U+007F to
// U+009F) as \u00XX, U+00A0 to U+00FF as UTF-8.
std::string s_JsonString(const std::string &r_s_bytes);

} // namespace bake3ds

#endif
