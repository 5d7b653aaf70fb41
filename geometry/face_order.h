#ifndef BAKE3DS_SCENE_FACE_ORDER_H
#define BAKE3DS_SCENE_FACE_ORDER_H

#include "scene/scene.h"

namespace bake3ds {

// One stretch of a mesh's triangle index array that uses one material.
// n_first and n_count count index entries, three per face.
struct TMatRange {
    int n_material;
    int n_first;
    int n_count;
};

// True when a's material index is below b's, as signed integers, so that
// faces without a material (-1) sort first.
bool b_MaterialLess(const TFace &r_a, const TFace &r_b);

// Puts the mesh's faces into ascending material order, keeping the order of
// faces with equal material (stable). Faces move whole, normals included.
// Sorts in place when no temporary memory can be had (std::stable_sort's
// fallback); the order is the same either way.
void SortFacesByMaterial(TMesh &r_mesh);

// The number of maximal runs of equal material in the mesh's face order;
// 1 for a mesh with 0 or 1 faces.
int n_MatRange_Num(const C3dsScene &r_scene, int n_object);

// Walks the material ranges of a mesh in face order. A mesh without faces
// has the one range (-1, 0, 0).
class CMatRangeWalk {
public:
    explicit CMatRangeWalk(const TMesh &r_mesh) : m_r_mesh(r_mesh) {}

    // Yields the next range; false after the last one.
    bool b_Next(TMatRange &r_range);

private:
    const TMesh &m_r_mesh;
    int m_n_start = 0;
    bool m_b_done = false;
};

} // namespace bake3ds

#endif
