// The library's views of a scene: counts, and the records as the header
// holds them, pointing into the scene's own arrays.

#include "api/library.h"
#include "writer/header_values.h"

namespace bake3ds {

namespace {

// The records of a kind, or none for a null scene.
template <class TRecord>
const TRecord *Record(const std::vector<TRecord> *p_records, size_t n_index)
{
    return p_records && n_index < p_records->size() ? &(*p_records)[n_index] : nullptr;
}

void TrackView(const TTrack &r_track, bake3ds_track &r_view)
{
    bool b_keys = r_track.n_key_num > 0;
    r_view.key_count = r_track.n_key_num;
    r_view.time = b_keys ? r_track.p_time.data() : nullptr;
    r_view.x = b_keys ? r_track.p_x.data() : nullptr;
    r_view.y = b_keys ? r_track.p_y.data() : nullptr;
    r_view.z = b_keys ? r_track.p_z.data() : nullptr;
}

} // namespace

} // namespace bake3ds

using namespace bake3ds;

size_t bake3ds_object_count(const bake3ds_scene *scene)
{
    return scene ? scene->t_records.p_object.size() : 0;
}

size_t bake3ds_light_count(const bake3ds_scene *scene)
{
    return scene ? scene->t_records.p_light.size() : 0;
}

size_t bake3ds_material_count(const bake3ds_scene *scene)
{
    return scene ? scene->t_records.p_material.size() : 0;
}

size_t bake3ds_camera_count(const bake3ds_scene *scene)
{
    return scene ? scene->t_records.p_camera.size() : 0;
}

int bake3ds_get_object(const bake3ds_scene *scene, size_t index, bake3ds_object *out)
{
    const TMesh *p_mesh = Record(scene ? &scene->t_records.p_object : nullptr, index);
    if(!p_mesh || !out)
        return 0;
    out->name = p_mesh->s_name.c_str();
    out->id = p_mesh->n_id;
    out->parent = SignedParent(p_mesh->n_parent);
    out->transform = p_mesh->p_transform;
    out->vertex_count = p_mesh->n_vertex_num;
    out->face_count = p_mesh->n_face_num;
    out->mapped_vertex_count = p_mesh->n_mapped_num;
    // an array of TVertex is the header's 8 floats a vertex, of TFace its 3
    // indices a face (scene.h asserts their sizes)
    out->vertices = p_mesh->p_vertex.empty() ? nullptr : p_mesh->p_vertex.data()->p_texcoord;
    out->indices = p_mesh->p_face.empty() ? nullptr : p_mesh->p_face.data()->p_corner;
    out->material_range_count = int32_t(p_mesh->p_material_range.size());
    out->material_ranges = p_mesh->p_material_range.data();
    return 1;
}

int bake3ds_get_light(const bake3ds_scene *scene, size_t index, bake3ds_light *out)
{
    const TSceneLight *p_light = Record(scene ? &scene->t_records.p_light : nullptr, index);
    if(!p_light || !out)
        return 0;
    out->name = p_light->s_name.c_str();
    out->spot = p_light->b_spot;
    out->off = p_light->b_off;
    out->cast_shadows = p_light->b_cast_shadows;
    for(int k = 0; k < 3; ++k) {
        out->position[k] = p_light->p_position[k];
        out->target[k] = p_light->p_target[k];
        out->color[k] = p_light->p_color[k];
    }
    out->hotspot = p_light->f_hotspot;
    out->falloff = p_light->f_falloff;
    out->inner_range = p_light->f_inner_range;
    out->outer_range = p_light->f_outer_range;
    out->multiplier = p_light->f_multiplier;
    return 1;
}

int bake3ds_get_material(const bake3ds_scene *scene, size_t index, bake3ds_material *out)
{
    const TSceneMaterial *p_material = Record(scene ? &scene->t_records.p_material : nullptr, index);
    if(!p_material || !out)
        return 0;
    out->name = p_material->s_name.c_str();
    out->id = p_material->n_id;
    return 1;
}

int bake3ds_get_camera(const bake3ds_scene *scene, size_t index, bake3ds_camera *out)
{
    const TSceneCamera *p_camera = Record(scene ? &scene->t_records.p_camera : nullptr, index);
    if(!p_camera || !out)
        return 0;
    out->name = p_camera->s_name.c_str();
    out->id = p_camera->n_id;
    for(int k = 0; k < 3; ++k) {
        out->position[k] = p_camera->p_position[k];
        out->target[k] = p_camera->p_target[k];
    }
    out->bank_angle = p_camera->f_bank_angle;
    out->focus = p_camera->f_focus;
    TrackView(p_camera->t_position, out->position_track);
    TrackView(p_camera->t_target, out->target_track);
    return 1;
}
