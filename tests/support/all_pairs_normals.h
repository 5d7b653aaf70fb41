#ifndef BAKE3DS_TESTS_SUPPORT_ALL_PAIRS_NORMALS_H
#define BAKE3DS_TESTS_SUPPORT_ALL_PAIRS_NORMALS_H

#include "scene/scene.h"

namespace reference {

// The vertex normals by the literal rule: every vertex against every corner
// of every face, quadratic. The converter's linear grouping is held to it.
void CalcVertexNormalsAllPairs(bake3ds::TMesh &r_mesh);

} // namespace reference

#endif
