#ifndef BAKE3DS_DRIVER_OUTPUT_NAMES_H
#define BAKE3DS_DRIVER_OUTPUT_NAMES_H

#include <string>

namespace bake3ds {

// The header's path, next to the input: the input path up to the last '.'
// of its file name (the part after the last '/' or '\'), followed by ".h";
// the input path followed by ".h" when the file name has no '.'. A leading
// '.' of the file name counts: "x/.3ds" gives "x/.h". No length limit.
std::string OutputPathFor(const std::string &r_s_input);

// The name inserted into "C%s_3ds": the output path's file name (after the
// last '\', then after the last '/'), without its last two characters (the
// ".h"), each byte other than an ASCII letter, digit or '_' replaced by '_'.
std::string ClassNameFor(const std::string &r_s_output);

} // namespace bake3ds

#endif
