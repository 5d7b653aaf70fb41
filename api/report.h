#ifndef BAKE3DS_API_REPORT_H
#define BAKE3DS_API_REPORT_H

// What bake3ds-info tells about one file: for a file that loads, what the
// header holds and what it leaves out; for a file the converter refuses,
// why and where. Built from the same load the converter runs.

#include <cstdint>
#include <string>

#include "bake3ds/bake3ds.h"

namespace bake3ds {

// Loads the file at p_s_path as the converter does (normals, faces put into
// material order), and reports on it. Throws nothing the load does not: a
// failed allocation while reporting is std::bad_alloc.
Report t_ReportFile(const char *p_s_path);

// The same for bytes in memory, reported under the name p_s_path.
Report t_ReportMemory(const uint8_t *p_data, size_t n_size, const char *p_s_path);

} // namespace bake3ds

#endif
