#ifndef BAKE3DS_TESTS_RENDER_SILHOUETTE_DIFF_H
#define BAKE3DS_TESTS_RENDER_SILHOUETTE_DIFF_H

// Where two silhouettes of one size differ, and a picture that shows it.

#include <string>
#include <vector>

#include "preview/image.h"

namespace render_check {

struct TSilhouetteDiff {
    long n_only_ours = 0, n_only_theirs = 0;
    std::vector<std::string> first_pixels; // "(x, y) ours|theirs" of the first few, top row first
    preview::TImage t_picture;             // white: both; red: ours only; green: theirs only; black: neither
};

// Compares the coverage (pixels not of the background) of the two
// pictures, which must have the same size.
TSilhouetteDiff DiffSilhouettes(const preview::TImage &r_ours, const preview::TImage &r_theirs);

} // namespace render_check

#endif
