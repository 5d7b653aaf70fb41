#ifndef BAKE3DS_TESTS_SUPPORT_TEXT_SECTIONS_H
#define BAKE3DS_TESTS_SUPPORT_TEXT_SECTIONS_H

// Pieces cut out of the two texts the programs write, so that a test
// compares the piece it is about rather than the whole text: a definition
// of a generated header, a section of the report.

#include <string>

namespace testing_support {

// The header's definition whose first line begins with r_s_start, from that
// line through the "};" line that closes it, both included; empty when no
// line begins so or nothing closes it.
std::string HeaderDefinition(const std::string &r_s_header, const std::string &r_s_start);

// The lines of the report's section whose title line begins with
// r_s_title, without the title, up to the blank line that ends the section;
// "(no TITLE)" when no line begins so.
std::string ReportSection(const std::string &r_s_report, const std::string &r_s_title);

} // namespace testing_support

#endif
