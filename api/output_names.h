#ifndef BAKE3DS_API_OUTPUT_NAMES_H
#define BAKE3DS_API_OUTPUT_NAMES_H

#include <string>

#include "platform/platform.h"

namespace bake3ds {

// Where the file name of a path begins: after the last '/' or '\', and
// with drive letters (Windows) also after the ':' of a leading drive, as in
// "C:scene.3ds". 0 when the path has no folder part.
size_t FileNameStart(const std::string &r_s_path, bool b_drives = b_drive_letters);

// The header's path, next to the input: the input path up to the last '.'
// of its file name, followed by ".h"; the input path followed by ".h" when
// the file name has no '.'. A leading '.' of the file name counts: "x/.3ds"
// gives "x/.h". No length limit.
std::string OutputPathFor(const std::string &r_s_input, bool b_drives = b_drive_letters);

// The name inserted into "C%s_3ds": the output path's file name without its
// last two characters (the ".h"), each byte other than an ASCII letter,
// digit or '_' replaced by '_'.
std::string ClassNameFor(const std::string &r_s_output, bool b_drives = b_drive_letters);

} // namespace bake3ds

#endif
