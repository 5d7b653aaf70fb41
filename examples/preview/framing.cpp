#include "preview/framing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace preview {

void ExtendBox(TBox &r_box, const float p_point[3])
{
    if(!std::isfinite(p_point[0]) || !std::isfinite(p_point[1]) || !std::isfinite(p_point[2]))
        return;
    for(int i = 0; i < 3; ++i) {
        r_box.p_min[i] = r_box.b_empty ? p_point[i] : std::min(r_box.p_min[i], p_point[i]);
        r_box.p_max[i] = r_box.b_empty ? p_point[i] : std::max(r_box.p_max[i], p_point[i]);
    }
    r_box.b_empty = false;
}

void ExtendBoxByFaces(TBox &r_box, const float *p_vertex, int n_vertex_num, const unsigned int *p_face, long n_face_num)
{
    for(long k = 0; k < 3 * n_face_num; ++k) {
        unsigned int n_vertex = p_face[k];
        if(n_vertex < unsigned(n_vertex_num))
            ExtendBox(r_box, p_vertex + 8 * size_t(n_vertex) + 5);
    }
}

namespace {

void Normalize(double p[3])
{
    double f_length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    for(int i = 0; i < 3; ++i)
        p[i] /= f_length;
}

void Cross(const double a[3], const double b[3], double p_out[3])
{
    p_out[0] = a[1] * b[2] - a[2] * b[1];
    p_out[1] = a[2] * b[0] - a[0] * b[2];
    p_out[2] = a[0] * b[1] - a[1] * b[0];
}

} // namespace

TBoxSphere SphereOf(const TBox &r_box)
{
    TBoxSphere t = {{0, 0, 0}, {1, 1, 1}, 0};
    if(!r_box.b_empty) {
        for(int i = 0; i < 3; ++i) {
            t.p_centre[i] = (double(r_box.p_min[i]) + double(r_box.p_max[i])) / 2;
            t.p_half[i] = (double(r_box.p_max[i]) - double(r_box.p_min[i])) / 2;
        }
    }
    t.f_radius = std::sqrt(t.p_half[0] * t.p_half[0] + t.p_half[1] * t.p_half[1] + t.p_half[2] * t.p_half[2]);
    if(!(t.f_radius > 0) || !std::isfinite(t.f_radius)) {
        t.p_half[0] = t.p_half[1] = t.p_half[2] = 1;
        t.f_radius = std::sqrt(3.0);
    }
    return t;
}

TFraming FrameBox(const TBox &r_box, int n_width, int n_height)
{
    const TBoxSphere t_sphere = SphereOf(r_box);
    const double *p_centre = t_sphere.p_centre, *p_half = t_sphere.p_half, f_radius = t_sphere.f_radius;

    double p_back[3] = {0.55, 0.45, 0.70}; // from the centre towards the eye
    Normalize(p_back);
    const double p_up[3] = {0, 1, 0};
    double p_right[3], p_true_up[3];
    Cross(p_up, p_back, p_right);
    Normalize(p_right);
    Cross(p_back, p_right, p_true_up);

    // The eye's distance from the centre: every corner of the box inside
    // the field of view, with a margin so that no silhouette touches the
    // border; the near and far planes just around the corners.
    const double f_pi = 3.14159265358979323846;
    double f_tan_y = std::tan(15 * f_pi / 180), f_tan_x = f_tan_y * double(n_width) / double(std::max(n_height, 1));
    double f_distance = 0, f_nearest = -f_radius, f_farthest = f_radius; // corner depths towards the eye
    for(int n_corner = 0; n_corner < 8; ++n_corner) {
        double p_offset[3];
        for(int i = 0; i < 3; ++i)
            p_offset[i] = (n_corner >> i & 1) ? p_half[i] : -p_half[i];
        double x = p_offset[0] * p_right[0] + p_offset[1] * p_right[1] + p_offset[2] * p_right[2];
        double y = p_offset[0] * p_true_up[0] + p_offset[1] * p_true_up[1] + p_offset[2] * p_true_up[2];
        double z = p_offset[0] * p_back[0] + p_offset[1] * p_back[1] + p_offset[2] * p_back[2];
        f_distance = std::max(f_distance, z + 1.08 * std::max(std::fabs(x) / f_tan_x, std::fabs(y) / f_tan_y));
        f_nearest = std::max(f_nearest, z);
        f_farthest = std::min(f_farthest, z);
    }
    f_distance = std::max(f_distance, f_nearest + 0.1 * f_radius);
    double f_near = 0.99 * (f_distance - f_nearest), f_far = 1.01 * (f_distance - f_farthest);

    double p_eye[3];
    for(int i = 0; i < 3; ++i)
        p_eye[i] = p_centre[i] + f_distance * p_back[i];

    TFraming t_framing = {};
    double *m = t_framing.p_modelview;
    for(int i = 0; i < 3; ++i) {
        m[4 * i + 0] = p_right[i];
        m[4 * i + 1] = p_true_up[i];
        m[4 * i + 2] = p_back[i];
        m[4 * i + 3] = 0;
    }
    m[12] = -(p_right[0] * p_eye[0] + p_right[1] * p_eye[1] + p_right[2] * p_eye[2]);
    m[13] = -(p_true_up[0] * p_eye[0] + p_true_up[1] * p_eye[1] + p_true_up[2] * p_eye[2]);
    m[14] = -(p_back[0] * p_eye[0] + p_back[1] * p_eye[1] + p_back[2] * p_eye[2]);
    m[15] = 1;

    // glFrustum's matrix, symmetric
    double *p = t_framing.p_projection;
    std::fill(p, p + 16, 0.0);
    p[0] = 1 / f_tan_x;
    p[5] = 1 / f_tan_y;
    p[10] = -(f_far + f_near) / (f_far - f_near);
    p[11] = -1;
    p[14] = -2 * f_far * f_near / (f_far - f_near);
    return t_framing;
}

} // namespace preview
