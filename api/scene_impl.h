#ifndef BAKE3DS_API_SCENE_IMPL_H
#define BAKE3DS_API_SCENE_IMPL_H

// What a library Scene holds: the scene records, complete.

#include <memory>

#include "bake3ds/bake3ds.h"
#include "scene/scene.h"

namespace bake3ds {

struct Scene::Impl {
    C3dsScene t_scene;
};

// The records of a Scene, for the library's own calls; an empty scene for
// one that never loaded.
struct SceneAccess {
    static const C3dsScene &r_Records(const Scene &r_scene);
    // The scene takes p_impl as its own.
    static void Adopt(Scene &r_scene, std::unique_ptr<Scene::Impl> p_impl);
};

} // namespace bake3ds

#endif
