#ifndef BAKE3DS_EXAMPLES_PREVIEW_PNG_FILE_H
#define BAKE3DS_EXAMPLES_PREVIEW_PNG_FILE_H

#include <string>

#include "preview/image.h"

namespace preview {

// Writes the picture as an 8-bit RGBA PNG file at the path, replacing it.
// Returns an empty string on success, else libpng's reason (the file may
// then be missing or incomplete).
std::string WritePng(const std::string &r_s_path, const TImage &r_image);

} // namespace preview

#endif
