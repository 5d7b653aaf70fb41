#ifndef BAKE3DS_API_TEXT_REPORT_H
#define BAKE3DS_API_TEXT_REPORT_H

#include <string>

#include "api/report.h"
#include "reader/load_error.h"

namespace bake3ds {

// The report as lines of printable ASCII (names quoted and escaped); for a
// refused file its second line is the reason line.
std::string s_TextReport(const Report &r_report);

// "refused: " and the loader's message, the line that names why the file
// is refused.
std::string s_ReasonLine(const LoadFailure &r_error);

} // namespace bake3ds

#endif
