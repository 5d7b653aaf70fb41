#ifndef BAKE3DS_API_LIBRARY_H
#define BAKE3DS_API_LIBRARY_H

// What the library's calls share: the scene and report behind the public
// handles, the one load every call that reads a file goes through, and the
// header's text in memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bake3ds/bake3ds.h"
#include "platform/file_bytes.h"
#include "scene/scene.h"

struct bake3ds_scene {
    bake3ds::C3dsScene t_records;
};

namespace bake3ds {

struct TChunkStats;

// The one load: the n_size bytes at p_data within the options (null: the
// defaults) read into records and completed (normals, faces in material
// order), or null with the reason in *p_failure where set (which a load
// that succeeds leaves holding no failure and the size). Chunks the
// counting walk visits are tallied into *p_stats where set. Never throws:
// memory that runs out is the failure allocation_failed.
bake3ds_scene *LoadScene(const uint8_t *p_data, size_t n_size, const bake3ds_options *p_options,
    bake3ds_failure *p_failure, TChunkStats *p_stats = nullptr) noexcept;

// The bytes of the regular file at s_path, through the platform unit:
// the one place the library reads a file. False, with not_regular_file,
// unreadable or allocation_failed in *p_failure where set, when they
// cannot be had. Never throws.
bool ReadInput(const char *s_path, CFileBytes &r_bytes, bake3ds_failure *p_failure) noexcept;

// The whole header for a complete scene, banner to trailer, appended to
// r_s_header; with b_printf_floats its floats go through snprintf instead
// of the fast formatter (the same text; the tests hold them to it). False,
// r_s_header as it was, when memory ran out. Never throws.
bool HeaderText(const C3dsScene &r_scene, const char *s_class, const char *s_input_path, std::string &r_s_header,
    bool b_printf_floats = false) noexcept;

// The conversion without files, as bake3ds_convert, into a string: the
// header for the bytes of the file at s_input_path, class named from that
// path, appended to r_s_header. Never throws.
bool ConvertText(const uint8_t *p_data, size_t n_size, const char *s_input_path, const bake3ds_options *p_options,
    std::string &r_s_header, bake3ds_failure *p_failure, bool b_printf_floats = false) noexcept;

// A copy of the n bytes at p_text, NUL-terminated, in memory bake3ds_free
// releases; null when memory ran out.
char *HandOver(const char *p_text, size_t n) noexcept;

} // namespace bake3ds

#endif
