#ifndef BAKE3DS_DRIVER_RUN_H
#define BAKE3DS_DRIVER_RUN_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "scene/scene.h"

namespace bake3ds {

// The whole run of the command line: argument check, load, material order,
// counts, header next to the input, outcome. Progress goes to p_out, errors
// to p_err, each as the tool's own messages. Returns the exit status: 0
// after a complete header, -1 after any failure.
int RunConverter(int n_argc, const char *const *p_argv, FILE *p_out, FILE *p_err);

// Puts every mesh's faces into material order.
void SortScene(C3dsScene &r_scene);

// The conversion without files: loads the bytes within r_options' limits,
// orders the faces and appends the complete header text, banner to trailer,
// to r_s_header. Returns 1, or 0 when the load fails or memory for the text
// runs out (r_s_header is then as it was). With b_printf_floats, floats go
// through snprintf instead of the fast formatter (the same text; the tests
// hold them to it).
int ConvertMemory(const uint8_t *p_data, size_t n_size, const char *p_s_class, const char *p_s_input_path,
    std::string &r_s_header, bool b_printf_floats = false, const TLoadOptions &r_options = TLoadOptions());

} // namespace bake3ds

#endif
