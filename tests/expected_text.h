#ifndef BAKE3DS_TESTS_EXPECTED_TEXT_H
#define BAKE3DS_TESTS_EXPECTED_TEXT_H

// Pieces of the generated header as the format prescribes them, written
// out by hand, for the tests that compare whole headers.

#include <string>
#include <vector>

namespace expected {

// The lines joined, each followed by a line break.
inline std::string Lines(const std::vector<std::string> &lines)
{
    std::string s;
    for(const std::string &r_s_line : lines)
        s += r_s_line + "\n";
    return s;
}

inline std::string Banner()
{
    return Lines({"/*", " *\t\t\t\t=== static 3DS export by Quorvath ===", " */", ""});
}

inline std::string ClassDeclaration(const std::string &r_s_class)
{
    return Lines({
        "class C" + r_s_class + "_3ds {",
        "\tstruct TLight {",
        "\t\tconst char *p_s_name;",
        "\t\tbool b_spot, b_off, b_cast_shadows;",
        "\t\tfloat p_position[4]; // w is always 1",
        "\t\tfloat p_target[4]; // w is always 1",
        "\t\tfloat f_hotspot, f_fallof;",
        "\t\tfloat f_inner_range, f_outer_range, f_multiplier;",
        "\t\tfloat p_color[4]; // a is always 1",
        "\t};",
        "",
        "\tstruct TMaterial {",
        "\t\tconst char *p_s_name;",
        "\t\tint n_id;",
        "\t};",
        "",
        "\tstruct TObject {",
        "\t\tconst char *p_s_name;",
        "\t\tint n_id, n_parent;",
        "\t\tfloat p_transform[16];",
        "\t\tint n_vertex_num, n_face_num;",
        "\t\tconst float *p_vertex; // GL_T2F_N3F_V3F",
        "\t\tconst unsigned int *p_face;",
        "\t\tint n_mat_range_num;",
        "\t\tconst struct TMatRange {",
        "\t\t\tint n_material;",
        "\t\t\tint n_first, n_count; // in vertices",
        "\t\t} *p_mat_ranges;",
        "",
        "\t\tvoid Draw() const",
        "\t\t{",
        "\t\t\tglInterleavedArrays(GL_T2F_N3F_V3F, 8 * sizeof(float), p_vertex);",
        "\t\t\t// supply vertex data",
        "",
        "\t\t\tglDrawElements(GL_TRIANGLES, 3 * n_face_num, GL_UNSIGNED_INT, p_face);",
        "\t\t\t// draw object unsing triangles",
        "",
        "\t\t\tglDisableClientState(GL_TEXTURE_COORD_ARRAY);",
        "\t\t\tglDisableClientState(GL_NORMAL_ARRAY);",
        "\t\t\tglDisableClientState(GL_VERTEX_ARRAY);",
        "\t\t\t// finished using vertex data",
        "\t\t}",
        "\t};",
        "",
        "\tstruct TCamera {",
        "\t\tconst char *p_s_name;",
        "\t\tint n_id;",
        "\t\tfloat f_pos_x, f_pos_y, f_pos_z;",
        "\t\tfloat f_tar_x, f_tar_y, f_tar_z;",
        "\t\tfloat f_bank_angle;",
        "\t\tfloat f_focus;",
        "\t\tint n_position_num;",
        "\t\tint n_target_num;",
        "\t\tconst float *tt, *tx, *ty, *tz;",
        "\t\tconst float *pt, *px, *py, *pz;",
        "\t};",
        "",
    });
}

// The public part: the four counts, the four table accessors (a table's
// name where its count is not 0) and the class's Draw(), closing the class.
inline std::string Accessors(int n_objects, int n_lights, int n_materials, int n_cameras)
{
    auto count = [](const std::string &r_s_name, int n) {
        return Lines(
            {"\tstatic int n_" + r_s_name + "_Num()", "\t{", "\t\treturn " + std::to_string(n) + ";", "\t}", ""});
    };
    auto table = [](const std::string &r_s_type, const std::string &r_s_name, const std::string &r_s_member, int n) {
        return Lines({"\tstatic const " + r_s_type + " *p_" + r_s_name + "()", "\t{",
            "\t\treturn " + (n ? r_s_member : std::string("0")) + ";", "\t}", ""});
    };
    return Lines({"", "public:"}) + count("Object", n_objects) + count("Light", n_lights) +
        count("Material", n_materials) + count("Camera", n_cameras) +
        table("TObject", "Object", "m_p_object", n_objects) + table("TLight", "Light", "m_p_light", n_lights) +
        table("TMaterial", "Material", "m_p_material", n_materials) +
        table("TCamera", "Camera", "m_p_camera", n_cameras) +
        Lines({"\tstatic void Draw()", "\t{", "\t\tfor(int i = 0; i < " + std::to_string(n_objects) + "; ++ i)",
            "\t\t\tp_Object()[i].Draw();", "\t}", "};", ""});
}

inline std::string Trailer()
{
    return Lines({"", "/*", " * -end-of-file-", " */"});
}

} // namespace expected

#endif
