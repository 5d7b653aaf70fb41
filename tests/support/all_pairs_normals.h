#ifndef BAKE3DS_TESTS_ALL_PAIRS_NORMALS_H
#define BAKE3DS_TESTS_ALL_PAIRS_NORMALS_H

#include <vector>

#include "geometry/vector3.h"
#include "scene/scene.h"

namespace reference {

// The vertex normals by the literal rule: every vertex against every corner
// of every face, quadratic, r_face_normals holding one normal per face. The
// converter's linear grouping is held to it.
void CalcVertexNormalsAllPairs(bake3ds::TMesh &r_mesh, const std::vector<bake3ds::TVector3> &r_face_normals);

} // namespace reference

#endif
