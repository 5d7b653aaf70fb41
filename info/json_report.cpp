#include "info/json_report.h"

#include <cstdio>

namespace bake3ds {

namespace {

std::string s_Num(int64_t n)
{
    return std::to_string(static_cast<long long>(n));
}

std::string s_Id(int n_id)
{
    return "\"" + s_ChunkIdText(n_id) + "\"";
}

const char *p_s_Bool(bool b)
{
    return b ? "true" : "false";
}

// Members of a JSON object, written one after the other, p_s_separator
// between them.
class CObject {
public:
    explicit CObject(std::string &r_s, const char *p_s_separator = ", ") : m_r_s(r_s), m_p_s_separator(p_s_separator)
    {
        m_r_s += "{";
    }
    ~CObject() { m_r_s += "}"; }
    CObject(const CObject &) = delete;
    CObject &operator=(const CObject &) = delete;

    // Starts the member named p_s_key; its value follows.
    std::string &Key(const char *p_s_key)
    {
        m_r_s += m_b_first ? "" : m_p_s_separator;
        m_r_s += "\"";
        m_b_first = false;
        return m_r_s += std::string(p_s_key) + "\": ";
    }
    void Member(const char *p_s_key, const std::string &r_s_value) { Key(p_s_key) += r_s_value; }

private:
    std::string &m_r_s;
    const char *m_p_s_separator;
    bool m_b_first = true;
};

void Error(std::string &r_s, const TLoadError &r_error)
{
    CObject t(r_s);
    t.Member("rule", std::string("\"") + p_s_RuleId(r_error.n_rule) + "\"");
    t.Member("chunk", r_error.n_chunk_id < 0 ? "null" : s_Id(r_error.n_chunk_id));
    t.Member("offset", r_error.n_chunk_id < 0 ? "null" : s_Num(r_error.n_offset));
    std::string &r_path = t.Key("path");
    r_path += "[";
    for(size_t i = 0; i < r_error.p_path.size(); ++ i)
        r_path += (i ? ", " : "") + s_Id(r_error.p_path[i]);
    r_path += "]";
    t.Member("message", s_JsonString(r_error.s_message));
    CObject t_figures(t.Key("figures"));
    switch(r_error.n_rule) {
    case rule_ElementBound:
    case rule_RecordBound:
    case rule_WorkBound:
    case rule_NestingLimit:
        t_figures.Member("limit", s_Num(r_error.n_limit));
        t_figures.Member("needed", s_Num(r_error.n_needed));
        break;
    case rule_CornerOutOfRange:
        t_figures.Member("mesh", s_JsonString(r_error.s_name));
        t_figures.Member("face", s_Num(r_error.n_face));
        t_figures.Member("corner", s_Num(r_error.n_needed));
        t_figures.Member("vertex_count", s_Num(r_error.n_limit));
        break;
    case rule_NameCutOff:
        t_figures.Member("name_read", s_JsonString(r_error.s_name));
        break;
    case rule_FillExceedsCount:
        t_figures.Member("kind", s_JsonString(r_error.s_name));
        t_figures.Member("counted", s_Num(r_error.n_limit));
        t_figures.Member("met", s_Num(r_error.n_needed));
        break;
    default:
        break;
    }
}

void Objects(std::string &r_s, const TReport &r_report)
{
    r_s += "[";
    for(size_t i = 0; i < r_report.meshes.size(); ++ i) {
        const TMeshReport &r_mesh = r_report.meshes[i];
        r_s += i ? ",\n    " : "\n    ";
        CObject t(r_s);
        t.Member("name", s_JsonString(r_mesh.s_name));
        t.Member("vertices", s_Num(r_mesh.n_vertex_num));
        t.Member("faces", s_Num(r_mesh.n_face_num));
        t.Member("mapped_vertices", s_Num(r_mesh.n_mapped_num));
        t.Member("node_id", s_Num(r_mesh.n_node_id));
        t.Member("parent", s_Num(r_mesh.n_parent));
        std::string &r_groups = t.Key("groups");
        r_groups += "[";
        for(size_t g = 0; g < r_mesh.groups.size(); ++ g) {
            const TGroupReport &r_group = r_mesh.groups[g];
            r_groups += g ? ", " : "";
            CObject t_group(r_groups);
            t_group.Member("material", s_Num(r_group.n_material));
            t_group.Member("name", r_group.n_material < 0 ? "null" : s_JsonString(r_group.s_material));
            t_group.Member("faces", s_Num(r_group.n_face_num));
        }
        r_groups += "]";
    }
    r_s += r_report.meshes.empty() ? "]" : "\n  ]";
}

// A list of chunk entries, with their names when b_names.
void Chunks(std::string &r_s, const std::vector<TChunkReport> &r_chunks, bool b_names)
{
    r_s += "[";
    for(size_t i = 0; i < r_chunks.size(); ++ i) {
        r_s += i ? ",\n    " : "\n    ";
        CObject t(r_s);
        t.Member("chunk", s_Id(r_chunks[i].n_id));
        if(b_names)
            t.Member("name", s_JsonString(r_chunks[i].s_name));
        t.Member("count", s_Num(r_chunks[i].n_count));
        t.Member("first_offset", s_Num(r_chunks[i].n_first_offset));
    }
    r_s += r_chunks.empty() ? "]" : "\n  ]";
}

void Scene(CObject &r_doc, const TReport &r_report)
{
    {
        CObject t_counts(r_doc.Key("counts"));
        t_counts.Member("lights", s_Num(r_report.n_light_num));
        t_counts.Member("materials", s_Num(r_report.n_material_num));
        t_counts.Member("objects", s_Num(r_report.n_object_num));
        t_counts.Member("cameras", s_Num(r_report.n_camera_num));
    }
    Objects(r_doc.Key("objects"), r_report);
    std::string &r_materials = r_doc.Key("materials");
    r_materials += "[";
    for(size_t i = 0; i < r_report.materials.size(); ++ i)
        r_materials += (i ? ", " : "") + s_JsonString(r_report.materials[i]);
    r_materials += "]";
    std::string &r_lights = r_doc.Key("lights");
    r_lights += "[";
    for(size_t i = 0; i < r_report.lights.size(); ++ i) {
        r_lights += i ? ", " : "";
        CObject t(r_lights);
        t.Member("name", s_JsonString(r_report.lights[i].s_name));
        t.Member("kind", r_report.lights[i].b_spot ? "\"spot\"" : "\"omni\"");
        t.Member("off", p_s_Bool(r_report.lights[i].b_off));
    }
    r_lights += "]";
    std::string &r_cameras = r_doc.Key("cameras");
    r_cameras += "[";
    for(size_t i = 0; i < r_report.cameras.size(); ++ i) {
        r_cameras += i ? ", " : "";
        CObject t(r_cameras);
        t.Member("name", s_JsonString(r_report.cameras[i].s_name));
        t.Member("position_keys", s_Num(r_report.cameras[i].n_position_key_num));
        t.Member("target_keys", s_Num(r_report.cameras[i].n_target_key_num));
    }
    r_cameras += "]";
    Chunks(r_doc.Key("read_past"), r_report.read_past, true);
    Chunks(r_doc.Key("unknown"), r_report.unknown, false);
}

} // namespace

std::string s_JsonString(const std::string &r_s_bytes)
{
    std::string s = "\"";
    for(char c : r_s_bytes) {
        unsigned n = static_cast<unsigned char>(c);
        if(n == '"' || n == '\\') {
            s += '\\';
            s += c;
        } else if(n < 0x20 || (n >= 0x7F && n < 0xA0)) {
            char p_escape[8];
            std::snprintf(p_escape, sizeof(p_escape), "\\u%04X", n);
            s += p_escape;
        } else if(n < 0x80)
            s += c;
        else {
            s += char(0xC0 | (n >> 6));
            s += char(0x80 | (n & 0x3F));
        }
    }
    return s + "\"";
}

std::string s_JsonReport(const TReport &r_report)
{
    std::string s;
    {
        CObject t_doc(s, ",\n  ");
        s += "\n  ";
        t_doc.Member("file", s_JsonString(r_report.s_path));
        t_doc.Member("size", r_report.n_file_size < 0 ? "null" : s_Num(r_report.n_file_size));
        t_doc.Member("loaded", p_s_Bool(r_report.b_loaded));
        if(r_report.b_loaded) {
            Scene(t_doc, r_report);
            t_doc.Member("error", "null");
        } else
            Error(t_doc.Key("error"), r_report.t_error);
        s += "\n";
    }
    return s + "\n";
}

} // namespace bake3ds
