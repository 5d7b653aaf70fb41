#include "web/orbit.h"

#include <algorithm>
#include <cmath>

namespace web {

namespace {

const double f_max_pitch = 1.5; // radians, short of a right angle
const double f_min_zoom = 0.25, f_max_zoom = 16;

// out = a b, column-major 4 x 4
void Multiply(const double a[16], const double b[16], double p_out[16])
{
    double p[16];
    for(int j = 0; j < 4; ++j) {
        for(int i = 0; i < 4; ++i) {
            double f = 0;
            for(int k = 0; k < 4; ++k)
                f += a[4 * k + i] * b[4 * j + k];
            p[4 * j + i] = f;
        }
    }
    std::copy(p, p + 16, p_out);
}

void Identity(double p[16])
{
    std::fill(p, p + 16, 0.0);
    p[0] = p[5] = p[10] = p[15] = 1;
}

} // namespace

void Limit(TOrbit &r_orbit)
{
    r_orbit.f_pitch = std::clamp(r_orbit.f_pitch, -f_max_pitch, f_max_pitch);
    r_orbit.f_yaw = std::remainder(r_orbit.f_yaw, 2 * 3.14159265358979323846);
    r_orbit.f_zoom = std::clamp(r_orbit.f_zoom, f_min_zoom, f_max_zoom);
}

preview::TFraming OrbitFraming(const preview::TBox &r_box, int n_width, int n_height, const TOrbit &r_orbit)
{
    preview::TFraming t_framing = preview::FrameBox(r_box, n_width, n_height);
    if(r_orbit.f_yaw == 0 && r_orbit.f_pitch == 0 && r_orbit.f_zoom == 1)
        return t_framing;

    // the box's centre in eye space, as FrameBox frames it
    const preview::TBoxSphere t_sphere = preview::SphereOf(r_box);
    const double *p_centre = t_sphere.p_centre, f_radius = t_sphere.f_radius;
    const double *m = t_framing.p_modelview;
    double p_eye_centre[3];
    for(int i = 0; i < 3; ++i)
        p_eye_centre[i] = m[i] * p_centre[0] + m[4 + i] * p_centre[1] + m[8 + i] * p_centre[2] + m[12 + i];

    // turned about the centre: first about the vertical, then the horizontal axis
    double p_to[16], p_from[16], p_pitch[16], p_yaw[16];
    Identity(p_to);
    Identity(p_from);
    for(int i = 0; i < 3; ++i) {
        p_to[12 + i] = p_eye_centre[i];
        p_from[12 + i] = -p_eye_centre[i];
    }
    Identity(p_yaw);
    p_yaw[0] = p_yaw[10] = std::cos(r_orbit.f_yaw);
    p_yaw[8] = std::sin(r_orbit.f_yaw);
    p_yaw[2] = -p_yaw[8];
    Identity(p_pitch);
    p_pitch[5] = p_pitch[10] = std::cos(r_orbit.f_pitch);
    p_pitch[6] = std::sin(r_orbit.f_pitch);
    p_pitch[9] = -p_pitch[6];
    double p_turn[16];
    Multiply(p_pitch, p_yaw, p_turn);
    Multiply(p_turn, p_from, p_turn);
    Multiply(p_to, p_turn, p_turn);
    Multiply(p_turn, t_framing.p_modelview, t_framing.p_modelview);

    // zoomed by a narrower field of view; depth range around the whole sphere
    double f_distance = std::sqrt(
        p_eye_centre[0] * p_eye_centre[0] + p_eye_centre[1] * p_eye_centre[1] + p_eye_centre[2] * p_eye_centre[2]);
    double f_near = std::max(f_distance - 1.01 * f_radius, 0.01 * f_distance), f_far = f_distance + 1.01 * f_radius;
    double *p = t_framing.p_projection;
    p[0] *= r_orbit.f_zoom;
    p[5] *= r_orbit.f_zoom;
    p[10] = -(f_far + f_near) / (f_far - f_near);
    p[14] = -2 * f_far * f_near / (f_far - f_near);
    return t_framing;
}

} // namespace web
