// The library's Scene: loading into it, and copies of its records with the
// values the header prints.

#include <new>

#include "api/convert_memory.h"
#include "api/load_failure.h"
#include "api/no_throw.h"
#include "api/scene_impl.h"
#include "geometry/face_order.h"
#include "writer/header_values.h"

namespace bake3ds {

namespace {

void CopyTrack(const TTrack &r_track, Track &r_out)
{
    r_out.time = r_track.p_time;
    r_out.x = r_track.p_x;
    r_out.y = r_track.p_y;
    r_out.z = r_track.p_z;
}

// Loads through p_load (the bytes' or the file's load) into a fresh impl,
// which replaces the scene's on success; on failure the scene is left empty.
template <class TLoad>
bool b_Load(Scene &r_scene, LoadFailure *p_failure, TLoad load) noexcept
{
    try {
        std::unique_ptr<Scene::Impl> p_impl(new Scene::Impl);
        TLoadError t_error;
        bool b_loaded = load(p_impl->t_scene, &t_error) != 0;
        r_scene = Scene();
        if(!b_loaded) {
            if(p_failure)
                *p_failure = t_LoadFailure(t_error);
            return false;
        }
        if(p_failure)
            *p_failure = LoadFailure();
        SceneAccess::Adopt(r_scene, std::move(p_impl));
        return true;
    } catch(const std::bad_alloc &) {
        r_scene = Scene();
        FailAllocation(p_failure);
        return false;
    }
}

const C3dsScene t_no_scene;

} // namespace

Scene::Scene() noexcept = default;
Scene::~Scene() = default;
Scene::Scene(Scene &&) noexcept = default;
Scene &Scene::operator=(Scene &&) noexcept = default;

const C3dsScene &SceneAccess::r_Records(const Scene &r_scene)
{
    return r_scene.impl_ ? r_scene.impl_->t_scene : t_no_scene;
}

void SceneAccess::Adopt(Scene &r_scene, std::unique_ptr<Scene::Impl> p_impl)
{
    r_scene.impl_ = std::move(p_impl);
}

size_t Scene::object_count() const noexcept
{
    return SceneAccess::r_Records(*this).p_object.size();
}

size_t Scene::light_count() const noexcept
{
    return SceneAccess::r_Records(*this).p_light.size();
}

size_t Scene::material_count() const noexcept
{
    return SceneAccess::r_Records(*this).p_material.size();
}

size_t Scene::camera_count() const noexcept
{
    return SceneAccess::r_Records(*this).p_camera.size();
}

bool Scene::object(size_t i, Object &out) const noexcept
{
    const C3dsScene &r_records = SceneAccess::r_Records(*this);
    if(i >= r_records.p_object.size())
        return false;
    const TMesh &r_mesh = r_records.p_object[i];
    return b_WithoutThrow([&] {
        out.name = r_mesh.p_s_name;
        out.id = r_mesh.n_id;
        out.parent = n_SignedParent(r_mesh.n_parent);
        for(int k = 0; k < 16; ++ k)
            out.transform[k] = r_mesh.p_transform[k];
        out.vertex_count = r_mesh.n_vertex_num;
        out.face_count = r_mesh.n_face_num;
        out.vertices.resize(8 * r_mesh.p_vertex.size());
        for(size_t v = 0; v < r_mesh.p_vertex.size(); ++ v)
            HeaderVertex(r_mesh.p_vertex[v], &out.vertices[8 * v]);
        out.indices.clear();
        out.indices.reserve(3 * r_mesh.p_face.size());
        for(const TFace &r_face : r_mesh.p_face) {
            for(int n_corner : r_face.p_corner)
                out.indices.push_back(static_cast<unsigned int>(n_corner));
        }
        out.material_ranges.clear();
        CMatRangeWalk t_walk(r_mesh);
        TMatRange t_range;
        while(t_walk.b_Next(t_range))
            out.material_ranges.push_back({t_range.n_material, t_range.n_first, t_range.n_count});
    });
}

bool Scene::light(size_t i, Light &out) const noexcept
{
    const C3dsScene &r_records = SceneAccess::r_Records(*this);
    if(i >= r_records.p_light.size())
        return false;
    const TSceneLight &r_light = r_records.p_light[i];
    return b_WithoutThrow([&] {
        out.name = r_light.p_s_name;
        out.spot = r_light.b_spot != 0;
        out.off = r_light.b_off != 0;
        out.cast_shadows = r_light.b_cast_shadows != 0;
        for(int k = 0; k < 3; ++ k) {
            out.position[k] = r_light.p_position[k];
            out.target[k] = r_light.p_target[k];
            out.color[k] = r_light.p_color[k];
        }
        out.hotspot = r_light.f_hotspot;
        out.falloff = r_light.f_fallof;
        out.inner_range = r_light.f_inner_range;
        out.outer_range = r_light.f_outer_range;
        out.multiplier = r_light.f_multiplier;
    });
}

bool Scene::material(size_t i, Material &out) const noexcept
{
    const C3dsScene &r_records = SceneAccess::r_Records(*this);
    if(i >= r_records.p_material.size())
        return false;
    const TSceneMaterial &r_material = r_records.p_material[i];
    return b_WithoutThrow([&] {
        out.name = r_material.p_s_name;
        out.id = r_material.n_id;
    });
}

bool Scene::camera(size_t i, Camera &out) const noexcept
{
    const C3dsScene &r_records = SceneAccess::r_Records(*this);
    if(i >= r_records.p_camera.size())
        return false;
    const TSceneCamera &r_camera = r_records.p_camera[i];
    return b_WithoutThrow([&] {
        out.name = r_camera.p_s_name;
        out.id = r_camera.n_id;
        const float p_position[3] = {r_camera.f_pos_x, r_camera.f_pos_y, r_camera.f_pos_z};
        const float p_target[3] = {r_camera.f_tar_x, r_camera.f_tar_y, r_camera.f_tar_z};
        for(int k = 0; k < 3; ++ k) {
            out.position[k] = p_position[k];
            out.target[k] = p_target[k];
        }
        out.bank_angle = r_camera.f_bank_angle;
        out.focus = r_camera.f_focus;
        CopyTrack(r_camera.t_position, out.position_track);
        CopyTrack(r_camera.t_target, out.target_track);
    });
}

bool load_scene(const void *data, size_t size, Scene &scene, LoadFailure *failure, const Limits &limits) noexcept
{
    return b_Load(scene, failure, [&](C3dsScene &r_records, TLoadError *p_error) {
        return LoadComplete(r_records, static_cast<const uint8_t *>(data), size, t_LoadOptions(limits), p_error);
    });
}

bool load_scene_file(const char *path, Scene &scene, LoadFailure *failure, const Limits &limits) noexcept
{
    return b_Load(scene, failure, [&](C3dsScene &r_records, TLoadError *p_error) {
        return LoadCompleteFile(r_records, path, t_LoadOptions(limits), p_error);
    });
}

} // namespace bake3ds
