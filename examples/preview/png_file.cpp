#include "preview/png_file.h"

#include <png.h>

#include <cstring>

namespace preview {

std::string WritePng(const std::string &r_s_path, const TImage &r_image)
{
    if(r_image.n_width <= 0 || r_image.n_height <= 0 ||
        r_image.p_rgba.size() != 4 * size_t(r_image.n_width) * size_t(r_image.n_height))
        return "the picture has no pixels or the wrong number of bytes";
    // libpng's simplified interface: it does its own error handling, no setjmp here
    png_image t_png;
    std::memset(&t_png, 0, sizeof(t_png));
    t_png.version = PNG_IMAGE_VERSION;
    t_png.width = png_uint_32(r_image.n_width);
    t_png.height = png_uint_32(r_image.n_height);
    t_png.format = PNG_FORMAT_RGBA;
    bool b_written = png_image_write_to_file(&t_png, r_s_path.c_str(), 0, r_image.p_rgba.data(), 0, nullptr) != 0;
    std::string s_error = b_written ? "" : t_png.message[0] ? t_png.message : "libpng could not write the file";
    png_image_free(&t_png);
    return s_error;
}

} // namespace preview
