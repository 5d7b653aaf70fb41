#ifndef BAKE3DS_SCENE_NORMALS_H
#define BAKE3DS_SCENE_NORMALS_H

#include "scene/scene.h"

namespace bake3ds {

// Sets p_normal of every face: the unit normal Cross(c1 - c2, c0 - c2) of
// its stored corners, or the zero vector for a degenerate face. Every corner
// must be below the mesh's n_vertex_num.
void CalcFaceNormals(TMesh &r_mesh);

// Sets p_normal of every vertex to the normalised sum of the normals of all
// face corners that lie at the vertex's position (x, y and z equal as floats:
// 0 and -0 are one position, a NaN coordinate matches nothing), summed in
// face order and corner order 0, 1, 2. Runs in linear time; the result is
// bit for bit that of comparing every vertex with every corner. Needs the
// face normals.
void CalcVertexNormals(TMesh &r_mesh);

} // namespace bake3ds

#endif
