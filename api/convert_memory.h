#ifndef BAKE3DS_API_CONVERT_MEMORY_H
#define BAKE3DS_API_CONVERT_MEMORY_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "reader/load_error.h"
#include "reader/load_options.h"
#include "scene/scene.h"

namespace bake3ds {

// The load the header needs: the bytes within r_options' limits, then the
// normals and the material order. 1, or 0 with the failure in *p_error
// where set. Catches its own allocation failures (rule_AllocationFailed).
int LoadComplete(C3dsScene &r_scene, const uint8_t *p_data, size_t n_size, const TLoadOptions &r_options,
    TLoadError *p_error);

// The same for the regular file at p_s_path.
int LoadCompleteFile(C3dsScene &r_scene, const char *p_s_path, const TLoadOptions &r_options, TLoadError *p_error);

// The conversion without files: loads the bytes within r_options' limits,
// completes the scene and appends the whole header text, banner to
// trailer, to r_s_header. Returns 1, or 0 when the load fails or memory for
// the text runs out (r_s_header is then as it was; *p_error, where set,
// says which). With b_printf_floats, floats go through snprintf instead of
// the fast formatter (the same text; the tests hold them to it).
int ConvertMemory(const uint8_t *p_data, size_t n_size, const char *p_s_class, const char *p_s_input_path,
    std::string &r_s_header, bool b_printf_floats = false, const TLoadOptions &r_options = TLoadOptions(),
    TLoadError *p_error = nullptr);

} // namespace bake3ds

#endif
