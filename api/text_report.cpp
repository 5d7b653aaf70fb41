#include "api/text_report.h"

namespace bake3ds {

namespace {

std::string s_Num(int64_t n)
{
    return std::to_string(static_cast<long long>(n));
}

// A material by its index and name, or "no material" for -1.
std::string s_MaterialText(int n_material, const std::string &r_s_name)
{
    return n_material < 0 ? std::string("no material") : "material " + s_Num(n_material) + " " + s_QuotedName(r_s_name);
}

void Refusal(std::string &r_s, const LoadFailure &r_error)
{
    r_s += s_ReasonLine(r_error) + "\n";
    r_s += std::string("rule: ") + r_error.rule + "\n";
    if(r_error.chunk >= 0)
        r_s += "chunk: " + s_ChunkIdText(r_error.chunk) + " at offset " + s_Num(r_error.offset) + "\n";
    if(!r_error.path.empty()) {
        r_s += "path:";
        for(size_t i = 0; i < r_error.path.size(); ++ i)
            r_s += (i ? " > " : " ") + s_ChunkIdText(r_error.path[i]);
        r_s += "\n";
    }
}

void Meshes(std::string &r_s, const Report &r_report)
{
    r_s += "\nobjects, in header order:\n";
    for(const ReportMesh &r_mesh : r_report.meshes) {
        r_s += "\t" + s_QuotedName(r_mesh.name) + ": " + s_Num(r_mesh.vertex_count) + " vertices, " +
            s_Num(r_mesh.face_count) + " faces, ";
        if(r_mesh.mapped_count)
            r_s += "mapping coordinates on " + s_Num(r_mesh.mapped_count) + " of them\n";
        else
            r_s += "no mapping coordinates\n";
        for(const ReportGroup &r_group : r_mesh.groups) {
            r_s += "\t\t" + s_MaterialText(r_group.material, r_group.material_name) + ": " +
                s_Num(r_group.face_count) + " faces\n";
        }
    }
    r_s += "\nobjects with smoothing groups (not used: the header's normals are smoothed over every face that shares a "
        "position):\n";
    for(const ReportMesh &r_mesh : r_report.meshes) {
        if(r_mesh.smoothing_groups)
            r_s += "\t" + s_QuotedName(r_mesh.name) + "\n";
    }
    r_s += "\nkey-frame nodes, per object:\n";
    for(const ReportMesh &r_mesh : r_report.meshes) {
        r_s += "\t" + s_QuotedName(r_mesh.name) + ": node id " + s_Num(r_mesh.node_id) + ", parent " +
            s_Num(r_mesh.parent) + "\n";
    }
}

void Records(std::string &r_s, const Report &r_report)
{
    r_s += "\nmaterials:\n";
    for(size_t i = 0; i < r_report.materials.size(); ++ i)
        r_s += "\t" + s_Num(int64_t(i)) + " " + s_QuotedName(r_report.materials[i]) + "\n";
    r_s += "\ntexture maps, in file order:\n";
    for(const ReportMap &r_map : r_report.maps) {
        r_s += "\t" + (r_map.chunk < 0 ? std::string("outside any chunk") : s_ChunkIdText(r_map.chunk) + " " + r_map.kind) +
            " " + s_QuotedName(r_map.name) + (r_map.terminated ? "" : " (not terminated within its chunk)") + ", " +
            s_MaterialText(r_map.material, r_map.material_name) + "\n";
    }
    r_s += "\nlights:\n";
    for(const ReportLight &r_light : r_report.lights)
        r_s += "\t" + s_QuotedName(r_light.name) + ": " + (r_light.spot ? "spot" : "omni") +
            (r_light.off ? ", off" : "") + "\n";
    r_s += "\ncameras:\n";
    for(const ReportCamera &r_camera : r_report.cameras) {
        r_s += "\t" + s_QuotedName(r_camera.name) + ": " + s_Num(r_camera.position_key_count) +
            " position keys, " + s_Num(r_camera.target_key_count) + " target keys\n";
    }
}

// One tally: the id and its name (an unknown id has none), how often it
// occurs and where it first does, so that it can be found in the file.
void ChunkLine(std::string &r_s, const ReportChunk &r_chunk)
{
    r_s += "\t" + s_ChunkIdText(r_chunk.id) + (r_chunk.name.empty() ? "" : " " + r_chunk.name) + ": " +
        s_Num(r_chunk.count) + ", first at offset " + s_Num(r_chunk.first_offset) + "\n";
}

void Chunks(std::string &r_s, const Report &r_report)
{
    r_s += "\nchunks read past (the header keeps nothing of them):\n";
    for(const ReportChunk &r_chunk : r_report.read_past)
        ChunkLine(r_s, r_chunk);
    r_s += "\nunknown chunk ids (skipped with their contents):\n";
    for(const ReportChunk &r_chunk : r_report.unknown)
        ChunkLine(r_s, r_chunk);
}

} // namespace

std::string s_ReasonLine(const LoadFailure &r_error)
{
    std::string s_message = r_error.message.empty() ? r_error.rule : r_error.message;
    return "refused: " + s_message;
}

std::string s_TextReport(const Report &r_report)
{
    std::string s = "file: " + s_QuotedName(r_report.path);
    if(r_report.file_size >= 0)
        s += ", " + s_Num(r_report.file_size) + " bytes";
    s += "\n";
    if(!r_report.loaded) {
        Refusal(s, r_report.failure);
        return s;
    }
    s += "loads: yes\n";
    s += "\t" + s_Num(r_report.light_count) + " lights\n\t" + s_Num(r_report.material_count) + " materials\n\t" +
        s_Num(r_report.object_count) + " objects\n\t" + s_Num(r_report.camera_count) + " cameras\n";
    Meshes(s, r_report);
    Records(s, r_report);
    Chunks(s, r_report);
    return s;
}

} // namespace bake3ds
