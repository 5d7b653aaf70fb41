#include "api/report.h"

#include "api/load_failure.h"
#include "geometry/complete_scene.h"
#include "geometry/face_order.h"
#include "reader/chunk_stats.h"
#include "reader/chunk_table.h"
#include "writer/header_values.h"

namespace bake3ds {

namespace {

// The material's name, empty for -1 or an index the scene does not have.
std::string s_MaterialName(const C3dsScene &r_scene, int n_material)
{
    if(n_material < 0 || n_material >= r_scene.n_material_num)
        return std::string();
    return r_scene.p_material[size_t(n_material)].p_s_name;
}

ReportMesh t_MeshReport(const C3dsScene &r_scene, const TMesh &r_mesh)
{
    ReportMesh t;
    t.name = r_mesh.p_s_name;
    t.vertex_count = r_mesh.n_vertex_num;
    t.face_count = r_mesh.n_face_num;
    t.mapped_count = r_mesh.n_mapped_num;
    t.node_id = r_mesh.n_id;
    t.parent = n_SignedParent(r_mesh.n_parent);
    CMatRangeWalk t_walk(r_mesh);
    TMatRange t_range;
    while(t_walk.b_Next(t_range)) {
        t.groups.push_back({t_range.n_material, s_MaterialName(r_scene, t_range.n_material), t_range.n_count / 3});
    }
    return t;
}

// Fills the report of a file that loaded: its scene, faces in material
// order, and the chunks its counting walk met.
void DescribeMaps(Report &r_report, const C3dsScene &r_scene, const TChunkStats &r_stats)
{
    for(const TMapName &r_map : r_stats.maps) {
        const TChunkInfo *p_info = r_map.n_map_chunk < 0 ? nullptr : p_FindChunkInfo(uint16_t(r_map.n_map_chunk));
        r_report.maps.push_back({r_map.n_map_chunk, p_info ? p_info->p_s_name : "", r_map.s_name,
            r_map.b_terminated, r_map.n_material, s_MaterialName(r_scene, r_map.n_material)});
    }
    for(int n_mesh : r_stats.smoothed_meshes) {
        if(n_mesh >= 0 && size_t(n_mesh) < r_report.meshes.size())
            r_report.meshes[size_t(n_mesh)].smoothing_groups = true;
    }
}

void DescribeScene(Report &r_report, C3dsScene &r_scene, const TChunkStats &r_stats)
{
    CompleteScene(r_scene);
    r_report.light_count = r_scene.n_light_num;
    r_report.material_count = r_scene.n_material_num;
    r_report.object_count = r_scene.n_object_num;
    r_report.camera_count = r_scene.n_camera_num;
    for(const TMesh &r_mesh : r_scene.p_object)
        r_report.meshes.push_back(t_MeshReport(r_scene, r_mesh));
    for(const TSceneMaterial &r_material : r_scene.p_material)
        r_report.materials.push_back(r_material.p_s_name);
    DescribeMaps(r_report, r_scene, r_stats);
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
        const TChunkInfo *p_name = p_FindChunkInfo(r_entry.first);
        if(p_name && p_name->n_use == use_ReadPast)
            r_report.read_past.push_back({r_entry.first, p_name->p_s_name, r_tally.n_count, r_tally.n_first_offset});
    }
}

void Finish(Report &r_report, int n_loaded, C3dsScene &r_scene, const TLoadError &r_error, const TChunkStats &r_stats)
{
    r_report.loaded = n_loaded != 0;
    r_report.file_size = r_error.n_file_size;
    if(r_report.loaded)
        DescribeScene(r_report, r_scene, r_stats);
    else
        r_report.failure = t_LoadFailure(r_error);
}

} // namespace

Report t_ReportFile(const char *p_s_path)
{
    Report t_report;
    t_report.path = p_s_path;
    C3dsScene t_scene;
    TChunkStats t_stats;
    TLoadError t_error;
    int n_loaded = LoadCounted(t_scene, p_s_path, TLoadOptions(), &t_error, t_stats);
    Finish(t_report, n_loaded, t_scene, t_error, t_stats);
    return t_report;
}

Report t_ReportMemory(const uint8_t *p_data, size_t n_size, const char *p_s_path)
{
    Report t_report;
    t_report.path = p_s_path;
    C3dsScene t_scene;
    TChunkStats t_stats;
    TLoadError t_error;
    int n_loaded = LoadMemoryCounted(t_scene, p_data, n_size, TLoadOptions(), &t_error, t_stats);
    Finish(t_report, n_loaded, t_scene, t_error, t_stats);
    return t_report;
}

} // namespace bake3ds
