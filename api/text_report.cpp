#include "api/path_text.h"
#include "api/report.h"

#include "reader/load_failure.h"
#include "writer/header_values.h"

namespace bake3ds {

namespace {

std::string NumberText(int64_t n)
{
    return std::to_string(static_cast<long long>(n));
}

// A material by its index and name, or "no material" for -1.
std::string MaterialText(int n_material, const char *s_name)
{
    return n_material < 0
        ? std::string("no material")
        : "material " + NumberText(n_material) + " " + QuotedName(s_name);
}

void Refusal(std::string &r_s, const bake3ds_failure &r_failure)
{
    r_s += ReasonLine(r_failure) + "\n";
    r_s += std::string("rule: ") + RuleName(r_failure.rule) + "\n";
    if(r_failure.chunk >= 0)
        r_s += "chunk: " + ChunkIdText(r_failure.chunk) + " at offset " + NumberText(r_failure.offset) + "\n";
    if(r_failure.path_length) {
        r_s += "path:";
        for(uint32_t i = 0; i < r_failure.path_length; ++i)
            r_s += (i ? " > " : " ") + ChunkIdText(r_failure.path[i]);
        r_s += "\n";
    }
}

void Meshes(std::string &r_s, const bake3ds_report &r_report)
{
    const C3dsScene &r_scene = r_report.p_scene->t_records;
    r_s += "\nobjects, in header order:\n";
    for(const TMesh &r_mesh : r_scene.p_object) {
        r_s += "\t" + QuotedName(r_mesh.s_name) + ": " + NumberText(r_mesh.n_vertex_num) + " vertices, " +
            NumberText(r_mesh.n_face_num) + " faces, ";
        if(r_mesh.n_mapped_num)
            r_s += "mapping coordinates on " + NumberText(r_mesh.n_mapped_num) + " of them\n";
        else
            r_s += "no mapping coordinates\n";
        for(const TMatRange &r_range : r_mesh.p_material_range) {
            r_s += "\t\t" + MaterialText(r_range.material, MaterialName(r_scene, r_range.material)) + ": " +
                NumberText(r_range.count / 3) + " faces\n";
        }
    }
    r_s += "\nobjects with smoothing groups (not used: the header's normals are smoothed over every face that shares a "
           "position):\n";
    for(size_t i = 0; i < r_scene.p_object.size(); ++i) {
        if(r_report.p_objects[i].smoothing_groups)
            r_s += "\t" + QuotedName(r_scene.p_object[i].s_name) + "\n";
    }
    r_s += "\nkey-frame nodes, per object:\n";
    for(const TMesh &r_mesh : r_scene.p_object) {
        r_s += "\t" + QuotedName(r_mesh.s_name) + ": node id " + NumberText(r_mesh.n_id) + ", parent " +
            NumberText(SignedParent(r_mesh.n_parent)) + "\n";
    }
}

void Records(std::string &r_s, const bake3ds_report &r_report)
{
    const C3dsScene &r_scene = r_report.p_scene->t_records;
    r_s += "\nmaterials:\n";
    for(size_t i = 0; i < r_scene.p_material.size(); ++i)
        r_s += "\t" + NumberText(int64_t(i)) + " " + QuotedName(r_scene.p_material[i].s_name) + "\n";
    r_s += "\ntexture maps, in file order:\n";
    for(const bake3ds_report_map &r_map : r_report.p_maps) {
        r_s += "\t" +
            (r_map.chunk < 0 ? std::string("outside any chunk") : ChunkIdText(r_map.chunk) + " " + r_map.kind) + " " +
            QuotedName(r_map.name) + (r_map.terminated ? "" : " (not terminated within its chunk)") + ", " +
            MaterialText(r_map.material, r_map.material_name) + "\n";
    }
    r_s += "\nlights:\n";
    for(const TSceneLight &r_light : r_scene.p_light)
        r_s += "\t" + QuotedName(r_light.s_name) + ": " + (r_light.b_spot ? "spot" : "omni") +
            (r_light.b_off ? ", off" : "") + "\n";
    r_s += "\ncameras:\n";
    for(const TSceneCamera &r_camera : r_scene.p_camera) {
        r_s += "\t" + QuotedName(r_camera.s_name) + ": " + NumberText(r_camera.t_position.n_key_num) +
            " position keys, " + NumberText(r_camera.t_target.n_key_num) + " target keys\n";
    }
}

// One tally: the id and its name (an unknown id has none), how often it
// occurs and where it first does, so that it can be found in the file.
void ChunkLine(std::string &r_s, const bake3ds_report_chunk &r_chunk)
{
    r_s += "\t" + ChunkIdText(r_chunk.id) + (*r_chunk.name ? " " + std::string(r_chunk.name) : "") + ": " +
        NumberText(r_chunk.count) + ", first at offset " + NumberText(r_chunk.first_offset) + "\n";
}

void Chunks(std::string &r_s, const bake3ds_report &r_report)
{
    r_s += "\nchunks read past (the header keeps nothing of them):\n";
    for(const bake3ds_report_chunk &r_chunk : r_report.p_read_past)
        ChunkLine(r_s, r_chunk);
    r_s += "\nunknown chunk ids (skipped with their contents):\n";
    for(const bake3ds_report_chunk &r_chunk : r_report.p_unknown)
        ChunkLine(r_s, r_chunk);
}

} // namespace

std::string ReasonLine(const bake3ds_failure &r_failure)
{
    return std::string("refused: ") + (r_failure.message[0] ? r_failure.message : RuleName(r_failure.rule));
}

std::string TextReport(const bake3ds_report &r_report)
{
    std::string s = "file: " + QuotedPath(r_report.s_path);
    if(r_report.t_failure.file_size >= 0)
        s += ", " + NumberText(r_report.t_failure.file_size) + " bytes";
    s += "\n";
    if(!r_report.p_scene) {
        Refusal(s, r_report.t_failure);
        return s;
    }
    const C3dsScene &r_scene = r_report.p_scene->t_records;
    s += "loads: yes\n";
    if(!r_report.b_looks_like_3ds)
        s += "not a 3D Studio file: no chunk in it has an id of a .3ds scene; the converter writes an empty scene\n";
    s += "\t" + NumberText(r_scene.n_light_num) + " lights\n\t" + NumberText(r_scene.n_material_num) +
        " materials\n\t" + NumberText(r_scene.n_object_num) + " objects\n\t" + NumberText(r_scene.n_camera_num) +
        " cameras\n";
    Meshes(s, r_report);
    Records(s, r_report);
    Chunks(s, r_report);
    return s;
}

} // namespace bake3ds
