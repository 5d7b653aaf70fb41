#include <cstdio>
#include <vector>

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

std::string IdText(int n_id)
{
    return "\"" + ChunkIdText(n_id) + "\"";
}

const char *BoolText(bool b)
{
    return b ? "true" : "false";
}

// Members of a JSON object, written one after the other, s_separator
// between them.
class CObject {
public:
    explicit CObject(std::string &r_s, const char *s_separator = ", ") : m_r_s(r_s), m_s_separator(s_separator)
    {
        m_r_s += "{";
    }
    ~CObject() { m_r_s += "}"; }
    CObject(const CObject &) = delete;
    CObject &operator=(const CObject &) = delete;

    // Starts the member named s_key; its value follows.
    std::string &Key(const char *s_key)
    {
        m_r_s += m_b_first ? "" : m_s_separator;
        m_r_s += "\"";
        m_b_first = false;
        return m_r_s += std::string(s_key) + "\": ";
    }
    void Member(const char *s_key, const std::string &r_s_value) { Key(s_key) += r_s_value; }

private:
    std::string &m_r_s;
    const char *m_s_separator;
    bool m_b_first = true;
};

// A list of JSON objects, one a line, the members of each written by
// write(object, item).
template <class TItem, class TWrite>
void ObjectList(std::string &r_s, const std::vector<TItem> &r_items, TWrite write)
{
    r_s += "[";
    for(size_t i = 0; i < r_items.size(); ++i) {
        r_s += i ? ",\n    " : "\n    ";
        CObject t(r_s);
        write(t, r_items[i]);
    }
    r_s += r_items.empty() ? "]" : "\n  ]";
}

void Error(std::string &r_s, const bake3ds_failure &r_failure)
{
    CObject t(r_s);
    t.Member("rule", std::string("\"") + RuleName(r_failure.rule) + "\"");
    t.Member("chunk", r_failure.chunk < 0 ? "null" : IdText(r_failure.chunk));
    t.Member("offset", r_failure.chunk < 0 ? "null" : NumberText(r_failure.offset));
    std::string &r_path = t.Key("path");
    r_path += "[";
    for(uint32_t i = 0; i < r_failure.path_length; ++i)
        r_path += (i ? ", " : "") + IdText(r_failure.path[i]);
    r_path += "]";
    t.Member("message", JsonString(r_failure.message));
    CObject t_figures(t.Key("figures"));
    switch(r_failure.rule) {
    case BAKE3DS_RULE_ELEMENT_BOUND:
    case BAKE3DS_RULE_RECORD_BOUND:
    case BAKE3DS_RULE_WORK_BOUND:
    case BAKE3DS_RULE_NESTING_LIMIT:
        t_figures.Member("limit", NumberText(r_failure.limit));
        t_figures.Member("needed", NumberText(r_failure.needed));
        break;
    case BAKE3DS_RULE_CORNER_OUT_OF_RANGE:
        t_figures.Member("mesh", JsonString(r_failure.mesh));
        t_figures.Member("face", NumberText(r_failure.face));
        t_figures.Member("corner", NumberText(r_failure.corner));
        t_figures.Member("vertex_count", NumberText(r_failure.vertex_count));
        break;
    case BAKE3DS_RULE_NAME_CUT_OFF:
        t_figures.Member("name_read", JsonString(r_failure.name_read));
        break;
    case BAKE3DS_RULE_FILL_EXCEEDS_COUNT:
        t_figures.Member("kind", JsonString(r_failure.kind));
        t_figures.Member("counted", NumberText(r_failure.counted));
        t_figures.Member("met", NumberText(r_failure.met));
        break;
    default:
        break;
    }
}

void Objects(std::string &r_s, const bake3ds_report &r_report)
{
    const C3dsScene &r_scene = r_report.p_scene->t_records;
    r_s += "[";
    for(size_t i = 0; i < r_scene.p_object.size(); ++i) {
        const TMesh &r_mesh = r_scene.p_object[i];
        r_s += i ? ",\n    " : "\n    ";
        CObject t(r_s);
        t.Member("name", JsonString(r_mesh.s_name));
        t.Member("vertices", NumberText(r_mesh.n_vertex_num));
        t.Member("faces", NumberText(r_mesh.n_face_num));
        t.Member("mapped_vertices", NumberText(r_mesh.n_mapped_num));
        t.Member("smoothing_groups", BoolText(r_report.p_objects[i].smoothing_groups != 0));
        t.Member("node_id", NumberText(r_mesh.n_id));
        t.Member("parent", NumberText(SignedParent(r_mesh.n_parent)));
        std::string &r_groups = t.Key("groups");
        r_groups += "[";
        for(size_t g = 0; g < r_mesh.p_material_range.size(); ++g) {
            const TMatRange &r_range = r_mesh.p_material_range[g];
            r_groups += g ? ", " : "";
            CObject t_group(r_groups);
            t_group.Member("material", NumberText(r_range.material));
            t_group.Member("name", r_range.material < 0 ? "null" : JsonString(MaterialName(r_scene, r_range.material)));
            t_group.Member("faces", NumberText(r_range.count / 3));
        }
        r_groups += "]";
    }
    r_s += r_scene.p_object.empty() ? "]" : "\n  ]";
}

void Maps(std::string &r_s, const bake3ds_report &r_report)
{
    ObjectList(r_s, r_report.p_maps, [](CObject &t, const bake3ds_report_map &r_map) {
        t.Member("chunk", r_map.chunk < 0 ? "null" : IdText(r_map.chunk));
        t.Member("kind", r_map.chunk < 0 ? "null" : JsonString(r_map.kind));
        t.Member("name", JsonString(r_map.name));
        t.Member("terminated", BoolText(r_map.terminated));
        t.Member("material", NumberText(r_map.material));
        t.Member("material_name", r_map.material < 0 ? "null" : JsonString(r_map.material_name));
    });
}

// A list of chunk entries, with their names when b_names.
void Chunks(std::string &r_s, const std::vector<bake3ds_report_chunk> &r_chunks, bool b_names)
{
    ObjectList(r_s, r_chunks, [b_names](CObject &t, const bake3ds_report_chunk &r_chunk) {
        t.Member("chunk", IdText(r_chunk.id));
        if(b_names)
            t.Member("name", JsonString(r_chunk.name));
        t.Member("count", NumberText(r_chunk.count));
        t.Member("first_offset", NumberText(r_chunk.first_offset));
    });
}

void SceneMembers(CObject &r_doc, const bake3ds_report &r_report)
{
    const C3dsScene &r_scene = r_report.p_scene->t_records;
    {
        CObject t_counts(r_doc.Key("counts"));
        t_counts.Member("lights", NumberText(r_scene.n_light_num));
        t_counts.Member("materials", NumberText(r_scene.n_material_num));
        t_counts.Member("objects", NumberText(r_scene.n_object_num));
        t_counts.Member("cameras", NumberText(r_scene.n_camera_num));
    }
    Objects(r_doc.Key("objects"), r_report);
    std::string &r_materials = r_doc.Key("materials");
    r_materials += "[";
    for(size_t i = 0; i < r_scene.p_material.size(); ++i)
        r_materials += (i ? ", " : "") + JsonString(r_scene.p_material[i].s_name);
    r_materials += "]";
    Maps(r_doc.Key("texture_maps"), r_report);
    std::string &r_lights = r_doc.Key("lights");
    r_lights += "[";
    for(size_t i = 0; i < r_scene.p_light.size(); ++i) {
        r_lights += i ? ", " : "";
        CObject t(r_lights);
        t.Member("name", JsonString(r_scene.p_light[i].s_name));
        t.Member("kind", r_scene.p_light[i].b_spot ? "\"spot\"" : "\"omni\"");
        t.Member("off", BoolText(r_scene.p_light[i].b_off));
    }
    r_lights += "]";
    std::string &r_cameras = r_doc.Key("cameras");
    r_cameras += "[";
    for(size_t i = 0; i < r_scene.p_camera.size(); ++i) {
        r_cameras += i ? ", " : "";
        CObject t(r_cameras);
        t.Member("name", JsonString(r_scene.p_camera[i].s_name));
        t.Member("position_keys", NumberText(r_scene.p_camera[i].t_position.n_key_num));
        t.Member("target_keys", NumberText(r_scene.p_camera[i].t_target.n_key_num));
    }
    r_cameras += "]";
    Chunks(r_doc.Key("read_past"), r_report.p_read_past, true);
    Chunks(r_doc.Key("unknown"), r_report.p_unknown, false);
}

} // namespace

std::string JsonString(const std::string &r_s_bytes)
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

std::string JsonReport(const bake3ds_report &r_report)
{
    std::string s;
    {
        CObject t_doc(s, ",\n  ");
        s += "\n  ";
        t_doc.Member("file", JsonPath(r_report.s_path));
        t_doc.Member("size", r_report.t_failure.file_size < 0 ? "null" : NumberText(r_report.t_failure.file_size));
        t_doc.Member("loaded", BoolText(r_report.p_scene != nullptr));
        t_doc.Member("looks_like_3ds", BoolText(r_report.b_looks_like_3ds));
        if(r_report.p_scene) {
            SceneMembers(t_doc, r_report);
            t_doc.Member("error", "null");
        } else
            Error(t_doc.Key("error"), r_report.t_failure);
        s += "\n";
    }
    return s + "\n";
}

} // namespace bake3ds
