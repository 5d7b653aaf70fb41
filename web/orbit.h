#ifndef BAKE3DS_WEB_ORBIT_H
#define BAKE3DS_WEB_ORBIT_H

// The page's camera: the preview's fixed framing of the scene's box, turned
// about the box's centre and zoomed by the user. At rest (no turn, zoom 1)
// it is the framing itself, bit for bit, so that the first view and a
// reset view are the preview's picture.

#include "preview/framing.h"

namespace web {

struct TOrbit {
    double f_yaw = 0, f_pitch = 0; // radians, about the view's vertical and horizontal axes
    double f_zoom = 1;             // magnification
};

// Clamps the pitch short of straight up and down and the zoom to a range
// where the scene stays in sight.
void Limit(TOrbit &r_orbit);

// The framing of the box at that size, seen as the orbit says. Away from
// rest the near and far planes hold the box's whole bounding sphere.
preview::TFraming OrbitFraming(const preview::TBox &r_box, int n_width, int n_height, const TOrbit &r_orbit);

} // namespace web

#endif
