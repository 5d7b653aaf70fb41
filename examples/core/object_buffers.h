#ifndef BAKE3DS_EXAMPLES_CORE_OBJECT_BUFFERS_H
#define BAKE3DS_EXAMPLES_CORE_OBJECT_BUFFERS_H

// A scene loaded at run time (bake3ds::load_scene, Scene::object) in vertex
// buffers, as bake3ds::GpuScene puts a generated header's arrays: the same
// vertex layout and attribute locations, one vertex array per object, drawn
// with all its indices. For the programs that have no header compiled in:
// the web page, and the native render it is compared with.

#include <vector>

#include "bake3ds/bake3ds.hpp"
#include "preview/framing.h"

namespace core_render {

class CObjectBuffers {
public:
    // Uploads the objects' arrays in the current context, which must be
    // current again for Draw() and the destructor. Leaves no vertex array
    // and no vertex buffer bound. GL errors are left to glGetError().
    explicit CObjectBuffers(const std::vector<bake3ds::Object> &r_objects);
    ~CObjectBuffers();
    CObjectBuffers(const CObjectBuffers &) = delete;
    CObjectBuffers &operator=(const CObjectBuffers &) = delete;

    // Every object with faces, one glDrawElements each, as GpuScene::draw().
    void Draw() const;

private:
    std::vector<unsigned int> m_p_arrays, m_p_buffers; // two buffers per object: vertices, indices
    std::vector<int> m_p_index_num;
};

// The box the preview frames for these objects: that of the vertices their
// faces name, as preview::SceneShapeOf reads a generated class.
preview::TBox BoxOf(const std::vector<bake3ds::Object> &r_objects);

// The views of every object of the scene, in the header's order: its own
// arrays, valid while the scene is.
std::vector<bake3ds::Object> ObjectsOf(const bake3ds::Scene &r_scene);

} // namespace core_render

#endif
