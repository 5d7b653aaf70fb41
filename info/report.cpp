#include "info/report.h"

#include "driver/run.h"
#include "info/chunk_names.h"
#include "reader/chunk_stats.h"
#include "scene/face_order.h"
#include "writer/sections.h"

namespace bake3ds {

namespace {

TMeshReport t_MeshReport(const C3dsScene &r_scene, const TMesh &r_mesh)
{
    TMeshReport t;
    t.s_name = r_mesh.p_s_name;
    t.n_vertex_num = r_mesh.n_vertex_num;
    t.n_face_num = r_mesh.n_face_num;
    t.n_mapped_num = r_mesh.n_mapped_num;
    t.n_node_id = r_mesh.n_id;
    t.n_parent = n_SignedParent(r_mesh.n_parent);
    CMatRangeWalk t_walk(r_mesh);
    TMatRange t_range;
    while(t_walk.b_Next(t_range)) {
        std::string s_material;
        if(t_range.n_material >= 0 && t_range.n_material < r_scene.n_material_num)
            s_material = r_scene.p_material[size_t(t_range.n_material)].p_s_name;
        t.groups.push_back({t_range.n_material, s_material, t_range.n_count / 3});
    }
    return t;
}

// Fills the report of a file that loaded: its scene, faces in material
// order, and the chunks its counting walk met.
void DescribeScene(TReport &r_report, C3dsScene &r_scene, const TChunkStats &r_stats)
{
    SortScene(r_scene);
    r_report.n_light_num = r_scene.n_light_num;
    r_report.n_material_num = r_scene.n_material_num;
    r_report.n_object_num = r_scene.n_object_num;
    r_report.n_camera_num = r_scene.n_camera_num;
    for(const TMesh &r_mesh : r_scene.p_object)
        r_report.meshes.push_back(t_MeshReport(r_scene, r_mesh));
    for(const TSceneMaterial &r_material : r_scene.p_material)
        r_report.materials.push_back(r_material.p_s_name);
    for(const TSceneLight &r_light : r_scene.p_light)
        r_report.lights.push_back({r_light.p_s_name, r_light.b_spot != 0, r_light.b_off != 0});
    for(const TSceneCamera &r_camera : r_scene.p_camera)
        r_report.cameras.push_back({r_camera.p_s_name, r_camera.t_position.n_key_num, r_camera.t_target.n_key_num});
    for(const auto &r_entry : r_stats.chunks) {
        const TChunkTally &r_tally = r_entry.second;
        if(!r_tally.b_known) {
            r_report.unknown.push_back({r_entry.first, "", r_tally.n_count, r_tally.n_first_offset});
            continue;
        }
        const TChunkName *p_name = p_FindChunkName(r_entry.first);
        if(p_name && p_name->n_use == use_ReadPast)
            r_report.read_past.push_back({r_entry.first, p_name->p_s_name, r_tally.n_count, r_tally.n_first_offset});
    }
}

void Finish(TReport &r_report, int n_loaded, C3dsScene &r_scene, const TChunkStats &r_stats)
{
    r_report.b_loaded = n_loaded != 0;
    r_report.n_file_size = r_report.t_error.n_file_size;
    if(r_report.b_loaded)
        DescribeScene(r_report, r_scene, r_stats);
}

} // namespace

TReport t_ReportFile(const char *p_s_path)
{
    TReport t_report;
    t_report.s_path = p_s_path;
    C3dsScene t_scene;
    TChunkStats t_stats;
    int n_loaded = LoadCounted(t_scene, p_s_path, TLoadOptions(), &t_report.t_error, t_stats);
    Finish(t_report, n_loaded, t_scene, t_stats);
    return t_report;
}

TReport t_ReportMemory(const uint8_t *p_data, size_t n_size, const char *p_s_path)
{
    TReport t_report;
    t_report.s_path = p_s_path;
    C3dsScene t_scene;
    TChunkStats t_stats;
    int n_loaded = LoadMemoryCounted(t_scene, p_data, n_size, TLoadOptions(), &t_report.t_error, t_stats);
    Finish(t_report, n_loaded, t_scene, t_stats);
    return t_report;
}

} // namespace bake3ds
