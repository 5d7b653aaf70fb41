#ifndef BAKE3DS_GEOMETRY_NORMALS_H
#define BAKE3DS_GEOMETRY_NORMALS_H

#include <vector>

#include "geometry/vector3.h"
#include "scene/scene.h"

namespace bake3ds {

// Working memory of the vertex normals, kept from mesh to mesh, so that a
// scene of many meshes asks for it only as often as it grows.
struct TNormalsScratch {
    std::vector<int> p_slots; // the position table
    std::vector<int> p_first; // per vertex, the first vertex at its position
};

// The face's normal: the unit normal Cross(v_corner1 - v_corner2, v_corner0 - v_corner2) of its stored
// corners, or the zero vector for a degenerate face. Every corner must be
// below the mesh's n_vertex_num.
inline TVector3 FaceNormal(const TMesh &r_mesh, const TFace &r_face)
{
    TVector3 v_corner0(r_mesh.p_vertex[r_face.p_corner[0]].p_position);
    TVector3 v_corner1(r_mesh.p_vertex[r_face.p_corner[1]].p_position);
    TVector3 v_corner2(r_mesh.p_vertex[r_face.p_corner[2]].p_position);
    TVector3 v_normal = Cross(v_corner1 - v_corner2, v_corner0 - v_corner2);
    Normalize(v_normal);
    return v_normal;
}

// Sets p_normal of every vertex to the header's normal: the negation of the
// normalised sum of the normals (FaceNormal) of all face corners that lie
// at the vertex's position (x, y and z equal as floats: 0 and -0 are one
// position, a NaN coordinate matches nothing), summed in face order and
// corner order 0, 1, 2. Runs in linear time; the result is bit for bit that
// of comparing every vertex with every corner. Every corner must be below
// the mesh's n_vertex_num. May throw std::bad_alloc.
void CalcVertexNormals(TMesh &r_mesh, TNormalsScratch &r_scratch);

} // namespace bake3ds

#endif
