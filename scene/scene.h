#ifndef BAKE3DS_SCENE_SCENE_H
#define BAKE3DS_SCENE_SCENE_H

// The in-memory form of one loaded .3ds file: what the generated header
// needs and nothing more. Plain data: the reader fills it in two passes,
// the geometry adds the normals and orders the faces, the writer prints it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/record_allocator.h"

namespace bake3ds {

// The reader's: the limits of one load, and the record of why it failed.
struct TLoadOptions;
struct TLoadError;

// One vertex, 8 floats. Position axes are already exchanged (file x, z, y).
struct TVertex {
    float p_position[3];
    float p_texcoord[2];
    float p_normal[3];
};

// One triangle. The corners are vertex indices into the owning mesh's
// p_vertex, in the stored order a, c, b of the file's a, b, c. The loader
// refuses a scene in which any corner is not below the mesh's vertex count.
struct TFace {
    int n_material; // index into C3dsScene::p_material, or -1
    int p_corner[3];
    float p_normal[3];
};

struct TMesh {
    int n_id = 0;
    std::string p_s_name;
    int n_vertex_num = 0;
    int n_face_num = 0;
    TRecordArray<TFace> p_face;
    TRecordArray<TVertex> p_vertex;
    float p_transform[16] = {};
    int n_parent = 0;
    // How many of the vertices a mapping list gave coordinates to (the
    // others keep 0, 0); for reports, the header does not show it.
    int n_mapped_num = 0;
};

struct TSceneLight {
    std::string p_s_name;
    int b_spot = 0;
    int b_off = 0;
    int b_cast_shadows = 0;
    float p_position[3] = {};
    float p_target[3] = {};
    float f_hotspot = 0;
    float f_fallof = 0;
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
    std::string p_s_name;
    float f_pos_x = 0, f_pos_y = 0, f_pos_z = 0;
    float f_tar_x = 0, f_tar_y = 0, f_tar_z = 0;
    float f_bank_angle = 0;
    float f_focus = 0;
    TTrack t_target;
    TTrack t_position;
};

struct TSceneMaterial {
    int n_id = 0;
    std::string p_s_name;
};

class C3dsScene {
public:
    int n_object_num = 0;
    int n_camera_num = 0;
    int n_light_num = 0;
    int n_material_num = 0;
    std::vector<TMesh> p_object;
    std::vector<TSceneCamera> p_camera;
    std::vector<TSceneLight> p_light;
    std::vector<TSceneMaterial> p_material;

    // Loads the regular file at path: 1 when it was read completely, 0
    // otherwise (cannot open, not a regular file, malformed chunk tree,
    // allocation refused, corner out of range). On return the scene holds
    // whatever the steps that ran left in it; the normals are the geometry's
    // to add. The load stays within options' limits (the defaults without
    // them); a file that would need more fails the load. When error is set,
    // a failed load records there the check that failed and where; a load
    // that succeeds leaves it holding rule_None. The reader implements it.
    int Load(const char *path);
    int Load(const char *path, const TLoadOptions &options, TLoadError *error = nullptr);

    // The same load over bytes already in memory; data may be null when
    // size is 0. The bytes are not copied and must outlive the call.
    int LoadMemory(const uint8_t *data, size_t size);
    int LoadMemory(const uint8_t *data, size_t size, const TLoadOptions &options, TLoadError *error = nullptr);
};

} // namespace bake3ds

#endif
