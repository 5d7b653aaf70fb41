#ifndef BAKE3DS_SCENE_SCENE_H
#define BAKE3DS_SCENE_SCENE_H

// The in-memory form of one loaded .3ds file: what the generated header
// needs and nothing more, its arrays laid out as the header holds them, so
// that the library's views point into them. Plain data: the reader fills it
// in two passes, the geometry adds the normals and orders the faces, the
// writer prints it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bake3ds/bake3ds.h"
#include "scene/arena.h"

namespace bake3ds {

// One vertex, 8 floats in the interleaved order GL_T2F_N3F_V3F names, as
// the header's vertex arrays hold them. Position axes are already exchanged
// (file x, z, y). The normal is the header's: the negated normalised sum of
// the face normals at the vertex's position.
struct TVertex {
    float p_texcoord[2];
    float p_normal[3];
    float p_position[3];
};
static_assert(sizeof(TVertex) == 8 * sizeof(float), "a vertex is the header's 8 floats");

// One triangle: three vertex indices into the owning mesh's p_vertex, in the
// stored order a, c, b of the file's a, b, c. An array of them is the
// header's index array. The loader refuses a scene in which any corner is
// not below the mesh's vertex count.
struct TFace {
    uint32_t p_corner[3];
};
static_assert(sizeof(TFace) == 3 * sizeof(uint32_t), "a face is the header's 3 indices");

// A run of faces of one material, as the header's object table holds it.
typedef bake3ds_material_range TMatRange;

struct TMesh {
    TMesh() = default;
    // Arrays from the scene's arena.
    explicit TMesh(CSceneArena *p_arena)
        : p_face(CArenaAllocator<TFace>(p_arena)), p_face_material(CArenaAllocator<int32_t>(p_arena)),
          p_vertex(CArenaAllocator<TVertex>(p_arena)), p_material_range(CArenaAllocator<TMatRange>(p_arena))
    {}

    int n_id = 0;
    std::string s_name;
    int n_vertex_num = 0;
    int n_face_num = 0;
    TRecordArray<TFace> p_face;
    // Each face's material: an index into C3dsScene::p_material, or -1.
    TRecordArray<int32_t> p_face_material;
    TRecordArray<TVertex> p_vertex;
    // Once the faces are in material order: their maximal runs of one
    // material; the one range (-1, 0, 0) for a mesh without faces.
    TRecordArray<TMatRange> p_material_range;
    float p_transform[16] = {};
    int n_parent = 0;
    // How many of the vertices a mapping list gave coordinates to (the
    // others keep 0, 0).
    int n_mapped_num = 0;
};

struct TSceneLight {
    std::string s_name;
    bool b_spot = false;
    bool b_off = false;
    bool b_cast_shadows = false;
    float p_position[3] = {};
    float p_target[3] = {};
    float f_hotspot = 0;
    float f_falloff = 0;
    float f_inner_range = 0;
    float f_outer_range = 0;
    float f_multiplier = 0;
    float p_color[3] = {};
};

// A position track: n_key_num keys, each array holds n_key_num values and
// is empty when the track is absent.
struct TTrack {
    int n_key_num = 0;
    std::vector<float> p_time, p_x, p_y, p_z;
};

struct TSceneCamera {
    int n_id = 0;
    std::string s_name;
    float p_position[3] = {}; // in the file's axes, unlike a light's
    float p_target[3] = {};
    float f_bank_angle = 0;
    float f_focus = 0;
    TTrack t_target;
    TTrack t_position;
};

struct TSceneMaterial {
    int n_id = 0;
    std::string s_name;
};

// Neither copied nor moved: the meshes' arrays hold the address of its
// arena, which is declared first so that it outlives them.
class C3dsScene {
public:
    C3dsScene() = default;
    C3dsScene(const C3dsScene &) = delete;
    C3dsScene &operator=(const C3dsScene &) = delete;

    CSceneArena t_arena;
    int n_object_num = 0;
    int n_camera_num = 0;
    int n_light_num = 0;
    int n_material_num = 0;
    std::vector<TMesh> p_object;
    std::vector<TSceneCamera> p_camera;
    std::vector<TSceneLight> p_light;
    std::vector<TSceneMaterial> p_material;
};

} // namespace bake3ds

#endif
