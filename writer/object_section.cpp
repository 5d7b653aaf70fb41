#include <cstdio>
#include <cstring>
#include <string>

#include "writer/digits.h"
#include "writer/sections.h"

namespace bake3ds {

namespace {

// One line per vertex, its 8 values as the scene holds them. Each line is
// formatted in place.
void WriteVertices(CTextOut &r_out, const TMesh &r_mesh, const char *s_class, int n_object)
{
    r_out.Format("const float C%s_3ds::p_object_%d_vertices[8 * %d] = {\n", s_class, n_object, r_mesh.n_vertex_num);
    const size_t n_line_max = 1 + 8 * (n_float_text_max + 3) + 2;
    for(size_t v = 0; v < r_mesh.p_vertex.size(); ++v) {
        float p_values[8];
        std::memcpy(p_values, &r_mesh.p_vertex[v], sizeof(p_values));
        char *p_line = r_out.Room(n_line_max), *p = p_line;
        *p++ = '\t';
        for(int i = 0; i < 8; ++i) {
            p += r_out.FloatAt(p, p_values[i]);
            std::memcpy(p, "f, ", 3); // NOLINT(bugprone-not-null-terminated-result): mid-line, unterminated
            p += i < 7 ? 3 : 1;
        }
        if(v + 1 < r_mesh.p_vertex.size())
            *p++ = ',';
        *p++ = '\n';
        r_out.Commit(size_t(p - p_line));
    }
    r_out.Put("};\n");
}

// The corners' vertex indices, one group per face, as many whole groups to
// a line as fit in 80 characters with the leading tab and the line break.
// Every line but the last ends with a comma; no line ends in a blank. Each
// group is formatted at the end of the pending line and moves to the start
// of a fresh one when it does not fit.
void WriteIndices(CTextOut &r_out, const TMesh &r_mesh, const char *s_class, int n_object)
{
    r_out.Format("const unsigned int C%s_3ds::p_object_%d_indices[3 * %d] = {\n", s_class, n_object, r_mesh.n_face_num);
    char p_line[256];
    size_t n_line = 1;
    p_line[0] = '\t';
    for(size_t f = 0; f < r_mesh.p_face.size(); ++f) {
        const TFace &r_face = r_mesh.p_face[f];
        char *p_group = p_line + n_line, *p = p_group;
        for(int k = 0; k < 3; ++k) {
            p = PutUnsigned(p, uint64_t(r_face.p_corner[k]));
            p[0] = ',';
            p[1] = ' ';
            p += 2;
        }
        if(f + 1 == r_mesh.p_face.size())
            p[-2] = ' ', --p; // the last group: "a, b, c "
        size_t n_group = size_t(p - p_group);
        if(n_line + n_group > 80) {
            p_line[n_line - 1] = '\n';
            r_out.Put(p_line, n_line);
            std::memmove(p_line + 1, p_group, n_group);
            n_line = 1;
        }
        n_line += n_group;
    }
    if(n_line > 1) {
        p_line[n_line - 1] = '\n';
        r_out.Put(p_line, n_line);
    }
    r_out.Put("};\n");
}

void WriteMatRanges(CTextOut &r_out, const C3dsScene &r_scene, const char *s_class, int n_object)
{
    const TRecordArray<TMatRange> &r_ranges = r_scene.p_object[size_t(n_object)].p_material_range;
    r_out.Format("const C%s_3ds::TObject::TMatRange C%s_3ds::p_object_%d_materials[%d] = {\n", s_class, s_class,
        n_object, int(r_ranges.size()));
    for(size_t r = 0; r < r_ranges.size(); ++r) {
        r_out.Format("\t{%d, %d, %d}%s\n", int(r_ranges[r].material), int(r_ranges[r].first), int(r_ranges[r].count),
            Separator(r, r_ranges.size()));
    }
    r_out.Put("};\n");
}

// Room for "p_object_<i>_vertices" with any int i.
const size_t n_array_name_max = 32;

// What an object entry points to for one of its arrays: the array's name
// "p_object_<i>_<kind>", written into r_p_buffer, or the null pointer
// constant 0 where the array has no elements and so does not exist. It
// allocates nothing, so that the writer's only allocation failures are its
// sink's, which it reports.
const char *ArrayOrNull(char (&r_p_buffer)[n_array_name_max], int n_elements, int n_object, const char *s_kind)
{
    if(!n_elements)
        return "0";
    std::snprintf(r_p_buffer, sizeof(r_p_buffer), "p_object_%d_%s", n_object, s_kind);
    return r_p_buffer;
}

void WriteObjectTable(CTextOut &r_out, const C3dsScene &r_scene, const char *s_class)
{
    r_out.Format("const C%s_3ds::TObject C%s_3ds::m_p_object[%d] = {\n", s_class, s_class, r_scene.n_object_num);
    for(int i = 0; i < r_scene.n_object_num; ++i) {
        const TMesh &r_mesh = r_scene.p_object[size_t(i)];
        const float *p_m = r_mesh.p_transform;
        char s_vertices[n_array_name_max], s_indices[n_array_name_max];
        r_out.Format("\t{\"%s\", %d, %d, {\n\t%ff, %ff, %ff, %ff,\n\t%ff, %ff, %ff, %ff,\n"
                     "\t%ff, %ff, %ff, %ff,\n\t%ff, %ff, %ff, %ff}, %d, %d,\n"
                     "\t%s, %s,\n\t%d, p_object_%d_materials}%s\n",
            TQuoted{r_mesh.s_name}, r_mesh.n_id, SignedParent(r_mesh.n_parent), p_m[0], p_m[1], p_m[2], p_m[3], p_m[4],
            p_m[5], p_m[6], p_m[7], p_m[8], p_m[9], p_m[10], p_m[11], p_m[12], p_m[13], p_m[14], p_m[15],
            r_mesh.n_vertex_num, r_mesh.n_face_num, ArrayOrNull(s_vertices, r_mesh.n_vertex_num, i, "vertices"),
            ArrayOrNull(s_indices, r_mesh.n_face_num, i, "indices"), int(r_mesh.p_material_range.size()), i,
            Separator(size_t(i), size_t(r_scene.n_object_num)));
    }
    r_out.Put("};\n");
}

} // namespace

void WriteObjects(CTextOut &r_out, const C3dsScene &r_scene, const char *s_class, const char *s_input_path)
{
    for(int i = 0; i < r_scene.n_object_num; ++i) {
        r_out.Format("/* === static arrays for '%s' -> object %d === */\n\n", TCommented{s_input_path}, i);
        const TMesh &r_mesh = r_scene.p_object[size_t(i)];
        if(r_mesh.n_vertex_num)
            WriteVertices(r_out, r_mesh, s_class, i);
        if(r_mesh.n_face_num)
            WriteIndices(r_out, r_mesh, s_class, i);
        WriteMatRanges(r_out, r_scene, s_class, i);
        r_out.Format("\n/* === ~static arrays for '%s' -> object %d === */\n\n", TCommented{s_input_path}, i);
    }
    WriteObjectTable(r_out, r_scene, s_class);
}

} // namespace bake3ds
