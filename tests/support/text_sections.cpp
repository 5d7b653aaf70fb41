#include "text_sections.h"

namespace testing_support {

std::string HeaderDefinition(const std::string &r_s_header, const std::string &r_s_start)
{
    // both ends at a line's start: a definition begins a line, and only a
    // "};" on a line of its own closes it, not one inside a row of values
    size_t n_begin = r_s_header.find("\n" + r_s_start);
    if(n_begin == std::string::npos)
        return "";
    size_t n_end = r_s_header.find("\n};\n", n_begin + 1);
    return n_end == std::string::npos ? "" : r_s_header.substr(n_begin + 1, n_end + 4 - n_begin - 1);
}

std::string ReportSection(const std::string &r_s_report, const std::string &r_s_title)
{
    size_t n_at = r_s_report.find("\n" + r_s_title);
    if(n_at == std::string::npos)
        return "(no " + r_s_title + ")";
    n_at = r_s_report.find('\n', n_at + 1) + 1;
    size_t n_end = r_s_report.find("\n\n", n_at - 1);
    return r_s_report.substr(n_at, n_end == std::string::npos ? std::string::npos : n_end + 1 - n_at);
}

} // namespace testing_support
