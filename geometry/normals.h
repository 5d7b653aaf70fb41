#ifndef BAKE3DS_GEOMETRY_NORMALS_H
#define BAKE3DS_GEOMETRY_NORMALS_H

#include <vector>

#include "geometry/vector3.h"
#include "scene/scene.h"

namespace bake3ds {

// Working memory of the normals, kept from mesh to mesh, so that a scene of
// many meshes asks for it only as often as it grows.
struct TNormalsScratch {
    std::vector<TVector3> face_normals; // one per face, in the faces' order
    std::vector<int> slots;             // the position table
    std::vector<int> first;             // per vertex, the first vertex at its position
};

// Sets r_normals to one normal per face of the mesh: the unit normal
// Cross(c1 - c2, c0 - c2) of its stored corners, or the zero vector for a
// degenerate face. Every corner must be below the mesh's n_vertex_num. May
// throw std::bad_alloc.
void CalcFaceNormals(const TMesh &r_mesh, std::vector<TVector3> &r_normals);

// Sets p_normal of every vertex to the header's normal: the negation of the
// normalised sum of the normals of all face corners that lie at the
// vertex's position (x, y and z equal as floats: 0 and -0 are one position,
// a NaN coordinate matches nothing), summed in face order and corner order
// 0, 1, 2; r_face_normals holds the faces' normals in that order. Runs in
// linear time; the result is bit for bit that of comparing every vertex
// with every corner. May throw std::bad_alloc.
void CalcVertexNormals(TMesh &r_mesh, const std::vector<TVector3> &r_face_normals, TNormalsScratch &r_scratch);

// Both, the face normals into r_scratch.face_normals.
void CalcNormals(TMesh &r_mesh, TNormalsScratch &r_scratch);

} // namespace bake3ds

#endif
