#include "silhouette_diff.h"

#include "preview/render.h"

namespace render_check {

TSilhouetteDiff DiffSilhouettes(const preview::TImage &r_ours, const preview::TImage &r_theirs)
{
    const size_t n_listed_max = 12;
    TSilhouetteDiff t_diff;
    std::vector<bool> ours = preview::Coverage(r_ours), theirs = preview::Coverage(r_theirs);
    t_diff.t_picture.n_width = r_ours.n_width;
    t_diff.t_picture.n_height = r_ours.n_height;
    t_diff.t_picture.p_rgba.assign(r_ours.p_rgba.size(), 0);
    for(int y = 0; y < r_ours.n_height; ++y) {
        for(int x = 0; x < r_ours.n_width; ++x) {
            size_t i = size_t(y) * size_t(r_ours.n_width) + size_t(x);
            uint8_t *p = t_diff.t_picture.Pixel(x, y);
            p[0] = ours[i] ? 255 : 0;
            p[1] = theirs[i] ? 255 : 0;
            p[2] = ours[i] && theirs[i] ? 255 : 0;
            p[3] = 255;
            if(ours[i] == theirs[i])
                continue;
            (ours[i] ? t_diff.n_only_ours : t_diff.n_only_theirs) += 1;
            if(t_diff.first_pixels.size() < n_listed_max) {
                t_diff.first_pixels.push_back(
                    "(" + std::to_string(x) + ", " + std::to_string(y) + ") " + (ours[i] ? "ours" : "theirs"));
            }
        }
    }
    return t_diff;
}

} // namespace render_check
