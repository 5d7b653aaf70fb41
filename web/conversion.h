#ifndef BAKE3DS_WEB_CONVERSION_H
#define BAKE3DS_WEB_CONVERSION_H

// What the page shows for one file: the command line's run on it (`bake3ds
// NAME` in the file's folder) without files, and bake3ds-info's report, all
// through the library's public API.

#include <string>

#include "bake3ds/bake3ds.hpp"

namespace web {

struct TConversion {
    std::string s_header_path; // "NAME.h", as the command line names it
    bool b_converted = false;  // a complete header
    std::string s_header;      // empty unless converted
    std::string s_out, s_err;  // the console messages, as the command line prints them
    std::string s_report;      // bake3ds-info's text
    bake3ds::Scene t_scene;    // the loaded scene (empty for a refused file): the view's arrays
    double f_convert_ms = 0;   // the load and the header's writing
};

// Converts and reports on the bytes of a file called s_name (a file name,
// no folder). Keeps nothing of the bytes.
void Convert(const std::string &r_s_name, const void *p_data, size_t n_size, TConversion &r_result);

} // namespace web

#endif
