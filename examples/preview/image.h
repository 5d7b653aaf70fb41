#ifndef BAKE3DS_EXAMPLES_PREVIEW_IMAGE_H
#define BAKE3DS_EXAMPLES_PREVIEW_IMAGE_H

// A picture in memory: 8-bit RGBA, rows from the top down.

#include <cstdint>
#include <vector>

namespace preview {

struct TImage {
    int n_width = 0, n_height = 0;
    std::vector<uint8_t> p_rgba; // 4 * n_width * n_height bytes

    const uint8_t *Pixel(int x, int y) const { return &p_rgba[4 * (size_t(y) * size_t(n_width) + size_t(x))]; }
    uint8_t *Pixel(int x, int y) { return &p_rgba[4 * (size_t(y) * size_t(n_width) + size_t(x))]; }
};

} // namespace preview

#endif
