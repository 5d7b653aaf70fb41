#include "writer/header_writer.h"

#include "writer/sections.h"

namespace bake3ds {

namespace {

// The generated class's declarations. Its names and spellings are the
// header format's, which programs built on it rely on, and stand here and
// nowhere in the scene records: the fields f_fallof and p_s_name, the
// comment's "unsing", the camera's f_pos_* and f_tar_* (the records hold
// p_position and p_target), the position track in tt..tz and the target
// track in pt..pz.
const char s_class_declaration[] =
    "class C%s_3ds {\n"
    "\tstruct TLight {\n"
    "\t\tconst char *p_s_name;\n"
    "\t\tbool b_spot, b_off, b_cast_shadows;\n"
    "\t\tfloat p_position[4]; // w is always 1\n"
    "\t\tfloat p_target[4]; // w is always 1\n"
    "\t\tfloat f_hotspot, f_fallof;\n"
    "\t\tfloat f_inner_range, f_outer_range, f_multiplier;\n"
    "\t\tfloat p_color[4]; // a is always 1\n"
    "\t};\n"
    "\n"
    "\tstruct TMaterial {\n"
    "\t\tconst char *p_s_name;\n"
    "\t\tint n_id;\n"
    "\t};\n"
    "\n"
    "\tstruct TObject {\n"
    "\t\tconst char *p_s_name;\n"
    "\t\tint n_id, n_parent;\n"
    "\t\tfloat p_transform[16];\n"
    "\t\tint n_vertex_num, n_face_num;\n"
    "\t\tconst float *p_vertex; // GL_T2F_N3F_V3F\n"
    "\t\tconst unsigned int *p_face;\n"
    "\t\tint n_mat_range_num;\n"
    "\t\tconst struct TMatRange {\n"
    "\t\t\tint n_material;\n"
    "\t\t\tint n_first, n_count; // in vertices\n"
    "\t\t} *p_mat_ranges;\n"
    "\n"
    "\t\tvoid Draw() const\n"
    "\t\t{\n"
    "\t\t\tglInterleavedArrays(GL_T2F_N3F_V3F, 8 * sizeof(float), p_vertex);\n"
    "\t\t\t// supply vertex data\n"
    "\n"
    "\t\t\tglDrawElements(GL_TRIANGLES, 3 * n_face_num, GL_UNSIGNED_INT, p_face);\n"
    "\t\t\t// draw object unsing triangles\n"
    "\n"
    "\t\t\tglDisableClientState(GL_TEXTURE_COORD_ARRAY);\n"
    "\t\t\tglDisableClientState(GL_NORMAL_ARRAY);\n"
    "\t\t\tglDisableClientState(GL_VERTEX_ARRAY);\n"
    "\t\t\t// finished using vertex data\n"
    "\t\t}\n"
    "\t};\n"
    "\n"
    "\tstruct TCamera {\n"
    "\t\tconst char *p_s_name;\n"
    "\t\tint n_id;\n"
    "\t\tfloat f_pos_x, f_pos_y, f_pos_z;\n"
    "\t\tfloat f_tar_x, f_tar_y, f_tar_z;\n"
    "\t\tfloat f_bank_angle;\n"
    "\t\tfloat f_focus;\n"
    "\t\tint n_position_num;\n"
    "\t\tint n_target_num;\n"
    "\t\tconst float *tt, *tx, *ty, *tz;\n"
    "\t\tconst float *pt, *px, *py, *pz;\n"
    "\t};\n"
    "\n";

const char *BoolText(bool b_flag)
{
    return b_flag ? "true" : "false";
}

// A table's name where its count is not 0, else the null pointer constant.
const char *TableOrNull(int n_count, const char *s_table)
{
    return n_count ? s_table : "0";
}

void WriteMemberDeclarations(CTextOut &r_out, const C3dsScene &r_scene)
{
    for(int i = 0; i < r_scene.n_object_num; ++i) {
        const TMesh &r_mesh = r_scene.p_object[size_t(i)];
        // ISO C++ has no arrays of length 0: an empty vertex or index array
        // is neither declared nor defined, and its object entry holds 0
        if(r_mesh.n_vertex_num)
            r_out.Format("\tstatic const float p_object_%d_vertices[8 * %d];\n", i, r_mesh.n_vertex_num);
        if(r_mesh.n_face_num)
            r_out.Format("\tstatic const unsigned int p_object_%d_indices[3 * %d];\n", i, r_mesh.n_face_num);
        r_out.Format("\tstatic const TObject::TMatRange p_object_%d_materials[%d];\n", i,
            int(r_scene.p_object[size_t(i)].p_material_range.size()));
    }
    for(int i = 0; i < r_scene.n_camera_num; ++i) {
        const TSceneCamera &r_camera = r_scene.p_camera[size_t(i)];
        if(r_camera.t_position.n_key_num)
            r_out.Format("\tstatic const float p_camera_%d_pos_track[4 * %d];\n", i, r_camera.t_position.n_key_num);
        if(r_camera.t_target.n_key_num)
            r_out.Format("\tstatic const float p_camera_%d_tar_track[4 * %d];\n", i, r_camera.t_target.n_key_num);
    }
    if(r_scene.n_object_num)
        r_out.Format("\tstatic const TObject m_p_object[%d];\n", r_scene.n_object_num);
    if(r_scene.n_light_num)
        r_out.Format("\tstatic const TLight m_p_light[%d];\n", r_scene.n_light_num);
    if(r_scene.n_material_num)
        r_out.Format("\tstatic const TMaterial m_p_material[%d];\n", r_scene.n_material_num);
    if(r_scene.n_camera_num)
        r_out.Format("\tstatic const TCamera m_p_camera[%d];\n", r_scene.n_camera_num);
}

void WriteAccessors(CTextOut &r_out, const C3dsScene &r_scene)
{
    r_out.Format("\npublic:\n\tstatic int n_Object_Num()\n\t{\n\t\treturn %d;\n\t}\n\n"
                 "\tstatic int n_Light_Num()\n\t{\n\t\treturn %d;\n\t}\n\n"
                 "\tstatic int n_Material_Num()\n\t{\n\t\treturn %d;\n\t}\n\n"
                 "\tstatic int n_Camera_Num()\n\t{\n\t\treturn %d;\n\t}\n\n",
        r_scene.n_object_num, r_scene.n_light_num, r_scene.n_material_num, r_scene.n_camera_num);
    r_out.Format("\tstatic const TObject *p_Object()\n\t{\n\t\treturn %s;\n\t}\n\n",
        TableOrNull(r_scene.n_object_num, "m_p_object"));
    r_out.Format("\tstatic const TLight *p_Light()\n\t{\n\t\treturn %s;\n\t}\n\n",
        TableOrNull(r_scene.n_light_num, "m_p_light"));
    r_out.Format("\tstatic const TMaterial *p_Material()\n\t{\n\t\treturn %s;\n\t}\n\n",
        TableOrNull(r_scene.n_material_num, "m_p_material"));
    r_out.Format("\tstatic const TCamera *p_Camera()\n\t{\n\t\treturn %s;\n\t}\n\n",
        TableOrNull(r_scene.n_camera_num, "m_p_camera"));
    r_out.Format(
        "\tstatic void Draw()\n\t{\n\t\tfor(int i = 0; i < %d; ++ i)\n\t\t\tp_Object()[i].Draw();\n\t}\n};\n\n",
        r_scene.n_object_num);
}

void WriteMaterials(CTextOut &r_out, const C3dsScene &r_scene, const char *s_class)
{
    r_out.Format("const C%s_3ds::TMaterial C%s_3ds::m_p_material[%d] = {\n", s_class, s_class, r_scene.n_material_num);
    for(size_t i = 0; i < r_scene.p_material.size(); ++i) {
        const TSceneMaterial &r_material = r_scene.p_material[i];
        r_out.Format("\t{\"%s\", %d}%s\n", TQuoted{r_material.s_name}, r_material.n_id,
            Separator(i, r_scene.p_material.size()));
    }
    r_out.Put("};\n\n");
}

void WriteLights(CTextOut &r_out, const C3dsScene &r_scene, const char *s_class)
{
    r_out.Format("const C%s_3ds::TLight C%s_3ds::m_p_light[%d] = {\n", s_class, s_class, r_scene.n_light_num);
    for(size_t i = 0; i < r_scene.p_light.size(); ++i) {
        const TSceneLight &r_light = r_scene.p_light[i];
        const float *p_pos = r_light.p_position, *p_tar = r_light.p_target, *p_rgb = r_light.p_color;
        r_out.Format("\t{\"%s\", %s, %s, %s,\n\t{%ff, %ff, %ff, %ff},\n\t{%ff, %ff, %ff, %ff},\n"
                     "\t%ff, %ff, %ff, %ff, %ff,\n\t{%ff, %ff, %ff, %ff}}%s\n",
            TQuoted{r_light.s_name}, BoolText(r_light.b_spot), BoolText(r_light.b_off),
            BoolText(r_light.b_cast_shadows), p_pos[0], p_pos[1], p_pos[2], 1.0f, p_tar[0], p_tar[1], p_tar[2], 1.0f,
            r_light.f_hotspot, r_light.f_falloff, r_light.f_inner_range, r_light.f_outer_range, r_light.f_multiplier,
            p_rgb[0], p_rgb[1], p_rgb[2], 1.0f, Separator(i, r_scene.p_light.size()));
    }
    r_out.Put("};\n\n");
}

} // namespace

void WriteBanner(CTextOut &r_out)
{
    r_out.Put("/*\n *\t\t\t\t=== static 3DS export by Quorvath ===\n */\n\n");
}

void WriteHeader(CTextOut &r_out, const C3dsScene &r_scene, const char *s_class, const char *s_input_path)
{
    r_out.Format(s_class_declaration, s_class);
    WriteMemberDeclarations(r_out, r_scene);
    WriteAccessors(r_out, r_scene);
    if(r_scene.n_material_num)
        WriteMaterials(r_out, r_scene, s_class);
    if(r_scene.n_light_num)
        WriteLights(r_out, r_scene, s_class);
    if(r_scene.n_camera_num)
        WriteCameras(r_out, r_scene, s_class);
    if(r_scene.n_object_num)
        WriteObjects(r_out, r_scene, s_class, s_input_path);
    r_out.Put("\n/*\n * -end-of-file-\n */\n");
}

size_t HeaderSizeHint(const C3dsScene &r_scene)
{
    // a vertex line of eight values of about ten characters each, a face's
    // three indices of up to five digits; the class and tables around them
    // are a few kilobytes, and a record a few hundred characters (an empty
    // mesh about 560 with a short input path, which its comments repeat)
    size_t n = 16384;
    for(const TMesh &r_mesh : r_scene.p_object)
        n += 640 + 104 * r_mesh.p_vertex.size() + 21 * r_mesh.p_face.size();
    for(const TSceneCamera &r_camera : r_scene.p_camera)
        n += 512 + 48 * (r_camera.t_position.p_time.size() + r_camera.t_target.p_time.size());
    return n + 512 * (r_scene.p_light.size() + r_scene.p_material.size());
}

} // namespace bake3ds
