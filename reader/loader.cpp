// The two-pass load: a counting walk sizes the record arrays, a fill walk
// over the same bytes fills them in file order, then every mesh gets its
// normals.

#include <new>
#include <stdexcept>
#include <vector>

#include "platform/platform.h"
#include "reader/chunk_walker.h"
#include "scene/normals.h"

namespace bake3ds {

namespace {

// True when every corner of every face refers to a vertex of its own mesh.
// Corners keep the indices read, so a vertex list may follow its face list;
// the check waits for the end of the fill pass.
bool b_CornersInRange(const C3dsScene &r_scene)
{
    for(const TMesh &r_mesh : r_scene.p_object) {
        for(const TFace &r_face : r_mesh.p_face) {
            for(int n_corner : r_face.p_corner) {
                if(n_corner >= r_mesh.n_vertex_num)
                    return false;
            }
        }
    }
    return true;
}

int n_Load(C3dsScene &r_scene, const uint8_t *p_data, size_t n_size, const TLoadOptions &r_options)
{
    r_scene = C3dsScene();
    TLoader t_ld(p_data, n_size, r_scene, r_options);
    if(ReadChunks(t_ld, int64_t(n_size), 1))
        return 0;

    r_scene.p_material.resize(size_t(r_scene.n_material_num));
    r_scene.p_object.resize(size_t(r_scene.n_object_num));
    r_scene.p_camera.resize(size_t(r_scene.n_camera_num));
    r_scene.p_light.resize(size_t(r_scene.n_light_num));

    // names and key-frame state stay as the counting pass left them
    t_ld.b_counting = false;
    t_ld.t_in.Seek(0);
    if(ReadChunks(t_ld, int64_t(n_size), 1))
        return 0;

    if(!b_CornersInRange(r_scene))
        return 0;
    for(TMesh &r_mesh : r_scene.p_object) {
        CalcFaceNormals(r_mesh);
        CalcVertexNormals(r_mesh);
    }
    return 1;
}

} // namespace

int C3dsScene::LoadMemory(const uint8_t *p_data, size_t n_size, const TLoadOptions &r_options)
{
    try {
        return n_Load(*this, p_data, n_size, r_options);
    } catch(const std::bad_alloc &) {
        return 0;
    } catch(const std::length_error &) {
        return 0;
    }
}

int C3dsScene::Load(const char *p_s_path, const TLoadOptions &r_options)
{
    *this = C3dsScene();
    std::vector<uint8_t> bytes;
    try {
        if(!b_ReadRegularFile(p_s_path, bytes))
            return 0;
    } catch(const std::bad_alloc &) {
        return 0;
    }
    return LoadMemory(bytes.data(), bytes.size(), r_options);
}

} // namespace bake3ds
