#ifndef BAKE3DS_GEOMETRY_COMPLETE_SCENE_H
#define BAKE3DS_GEOMETRY_COMPLETE_SCENE_H

#include "scene/scene.h"

namespace bake3ds {

// What a loaded scene needs before the header is written: every mesh's face
// and vertex normals, from its faces in file order, then its faces put into
// material order. Every corner must be below its mesh's vertex count, as a
// successful load leaves them. May throw std::bad_alloc.
void CompleteScene(C3dsScene &r_scene);

} // namespace bake3ds

#endif
