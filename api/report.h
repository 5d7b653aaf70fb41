#ifndef BAKE3DS_API_REPORT_H
#define BAKE3DS_API_REPORT_H

// What bake3ds-info tells about one file: for a file that loads, what the
// header holds and what it leaves out; for a file the converter refuses,
// why and where. Built from the same load the converter runs, with the
// counting walk's tally of chunks.

#include <memory>
#include <string>
#include <vector>

#include "api/library.h"

struct bake3ds_report {
    bake3ds_report() = default;
    bake3ds_report(const bake3ds_report &) = delete;
    bake3ds_report &operator=(const bake3ds_report &) = delete;
    ~bake3ds_report() { bake3ds_scene_free(p_scene); }

    std::string s_path;
    bake3ds_failure t_failure{};
    bake3ds_scene *p_scene = nullptr; // null for a refused file
    std::vector<bake3ds_report_object> p_objects;
    std::vector<std::string> p_map_names; // what p_maps[i].name points to
    std::vector<bake3ds_report_map> p_maps;
    std::vector<bake3ds_report_chunk> p_read_past, p_unknown;
    bool b_looks_like_3ds = false; // a chunk of a known id was met
};

namespace bake3ds {

// The report as lines of printable ASCII (names quoted and escaped); for a
// refused file its second line is the reason line. May throw
// std::bad_alloc.
std::string TextReport(const bake3ds_report &r_report);

// "refused: " and the loader's message (its rule when there is none), the
// line that names why the file is refused.
std::string ReasonLine(const bake3ds_failure &r_failure);

// The report as one JSON document (UTF-8), ending with a line break. Names
// are strings of one character per byte, U+0000 to U+00FF. May throw
// std::bad_alloc.
std::string JsonReport(const bake3ds_report &r_report);

// A string of bytes as a JSON string: each byte the character of its value;
// '"' and '\' escaped, control characters (U+0000 to U+001F and U+007F to
// U+009F) as \u00XX, U+00A0 to U+00FF as UTF-8.
std::string JsonString(const std::string &r_s_bytes);

// The material's name, empty for -1 or an index the scene does not have.
const char *MaterialName(const C3dsScene &r_scene, int n_material);

} // namespace bake3ds

#endif
