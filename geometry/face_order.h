#ifndef BAKE3DS_GEOMETRY_FACE_ORDER_H
#define BAKE3DS_GEOMETRY_FACE_ORDER_H

#include <cstdint>
#include <vector>

#include "scene/scene.h"

namespace bake3ds {

// Puts the mesh's faces into ascending material order (as signed integers,
// so that faces without a material, -1, come first), keeping the order of
// faces with equal material (stable); each face's material moves with it.
// r_places is working memory, kept from mesh to mesh. May throw
// std::bad_alloc, the faces then as they were or partly moved.
void SortFacesByMaterial(TMesh &r_mesh, std::vector<uint32_t> &r_places);

// Sets the mesh's material ranges from its faces' order: each maximal run
// of equal material, first and count in index entries (three per face); the
// one range (-1, 0, 0) for a mesh without faces. May throw std::bad_alloc.
void MakeMaterialRanges(TMesh &r_mesh);

} // namespace bake3ds

#endif
