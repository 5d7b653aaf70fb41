#include "info/text_report.h"

namespace bake3ds {

namespace {

std::string s_Num(int64_t n)
{
    return std::to_string(static_cast<long long>(n));
}

void Refusal(std::string &r_s, const TLoadError &r_error)
{
    r_s += s_ReasonLine(r_error) + "\n";
    r_s += std::string("rule: ") + p_s_RuleId(r_error.n_rule) + "\n";
    if(r_error.n_chunk_id >= 0)
        r_s += "chunk: " + s_ChunkIdText(r_error.n_chunk_id) + " at offset " + s_Num(r_error.n_offset) + "\n";
    if(!r_error.p_path.empty()) {
        r_s += "path:";
        for(size_t i = 0; i < r_error.p_path.size(); ++ i)
            r_s += (i ? " > " : " ") + s_ChunkIdText(r_error.p_path[i]);
        r_s += "\n";
    }
}

void Meshes(std::string &r_s, const TReport &r_report)
{
    r_s += "\nobjects, in header order:\n";
    for(const TMeshReport &r_mesh : r_report.meshes) {
        r_s += "\t" + s_QuotedName(r_mesh.s_name) + ": " + s_Num(r_mesh.n_vertex_num) + " vertices, " +
            s_Num(r_mesh.n_face_num) + " faces, ";
        if(r_mesh.n_mapped_num)
            r_s += "mapping coordinates on " + s_Num(r_mesh.n_mapped_num) + " of them\n";
        else
            r_s += "no mapping coordinates\n";
        for(const TGroupReport &r_group : r_mesh.groups) {
            r_s += "\t\t" + (r_group.n_material < 0 ? std::string("no material") :
                "material " + s_Num(r_group.n_material) + " " + s_QuotedName(r_group.s_material)) +
                ": " + s_Num(r_group.n_face_num) + " faces\n";
        }
    }
    r_s += "\nkey-frame nodes, per object:\n";
    for(const TMeshReport &r_mesh : r_report.meshes) {
        r_s += "\t" + s_QuotedName(r_mesh.s_name) + ": node id " + s_Num(r_mesh.n_node_id) + ", parent " +
            s_Num(r_mesh.n_parent) + "\n";
    }
}

void Records(std::string &r_s, const TReport &r_report)
{
    r_s += "\nmaterials:\n";
    for(size_t i = 0; i < r_report.materials.size(); ++ i)
        r_s += "\t" + s_Num(int64_t(i)) + " " + s_QuotedName(r_report.materials[i]) + "\n";
    r_s += "\nlights:\n";
    for(const TLightReport &r_light : r_report.lights)
        r_s += "\t" + s_QuotedName(r_light.s_name) + ": " + (r_light.b_spot ? "spot" : "omni") +
            (r_light.b_off ? ", off" : "") + "\n";
    r_s += "\ncameras:\n";
    for(const TCameraReport &r_camera : r_report.cameras) {
        r_s += "\t" + s_QuotedName(r_camera.s_name) + ": " + s_Num(r_camera.n_position_key_num) +
            " position keys, " + s_Num(r_camera.n_target_key_num) + " target keys\n";
    }
}

// One tally: the id and its name (an unknown id has none), how often it
// occurs and where it first does, so that it can be found in the file.
void ChunkLine(std::string &r_s, const TChunkReport &r_chunk)
{
    r_s += "\t" + s_ChunkIdText(r_chunk.n_id) + (r_chunk.s_name.empty() ? "" : " " + r_chunk.s_name) + ": " +
        s_Num(r_chunk.n_count) + ", first at offset " + s_Num(r_chunk.n_first_offset) + "\n";
}

void Chunks(std::string &r_s, const TReport &r_report)
{
    r_s += "\nchunks read past (the header keeps nothing of them):\n";
    for(const TChunkReport &r_chunk : r_report.read_past)
        ChunkLine(r_s, r_chunk);
    r_s += "\nunknown chunk ids (skipped with their contents):\n";
    for(const TChunkReport &r_chunk : r_report.unknown)
        ChunkLine(r_s, r_chunk);
}

} // namespace

std::string s_ReasonLine(const TLoadError &r_error)
{
    std::string s_message = r_error.s_message.empty() ? p_s_RuleId(r_error.n_rule) : r_error.s_message;
    return "refused: " + s_message;
}

std::string s_TextReport(const TReport &r_report)
{
    std::string s = "file: " + s_QuotedName(r_report.s_path);
    if(r_report.n_file_size >= 0)
        s += ", " + s_Num(r_report.n_file_size) + " bytes";
    s += "\n";
    if(!r_report.b_loaded) {
        Refusal(s, r_report.t_error);
        return s;
    }
    s += "loads: yes\n";
    s += "\t" + s_Num(r_report.n_light_num) + " lights\n\t" + s_Num(r_report.n_material_num) + " materials\n\t" +
        s_Num(r_report.n_object_num) + " objects\n\t" + s_Num(r_report.n_camera_num) + " cameras\n";
    Meshes(s, r_report);
    Records(s, r_report);
    Chunks(s, r_report);
    return s;
}

} // namespace bake3ds
