#ifndef BAKE3DS_INFO_TEXT_REPORT_H
#define BAKE3DS_INFO_TEXT_REPORT_H

#include <string>

#include "info/report.h"

namespace bake3ds {

// The report as lines of printable ASCII (names quoted and escaped); for a
// refused file its second line is the reason line.
std::string s_TextReport(const TReport &r_report);

// "refused: " and the loader's message, the line that names why the file
// is refused.
std::string s_ReasonLine(const TLoadError &r_error);

} // namespace bake3ds

#endif
