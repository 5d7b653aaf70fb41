// Whole generated headers and their sections, compared with text written
// out by hand from the format.

#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "expected_text.h"
#include "geometry/face_order.h"
#include "test_support.h"
#include "text_sections.h"
#include "writer/header_writer.h"

using namespace bake3ds;
using namespace fixture;
using expected::Lines;
using testing_support::HeaderDefinition;
using testing_support::HeaderFor;

namespace {

// The header text after the banner for a scene built by hand.
std::string HeaderOf(const C3dsScene &r_scene, const char *s_class, const char *s_path = "in.3ds")
{
    std::string s;
    {
        CTextOut t_out(&s);
        WriteHeader(t_out, r_scene, s_class, s_path);
    }
    return s;
}

// A hand-built mesh with vertices at the origin of the given count, each
// with the normal the geometry gives a vertex no face reaches (-0, -0, -0),
// and faces with the given corners and materials, in that order, with
// their material ranges.
TMesh HandMesh(const std::string &r_s_name, int n_vertex_num, const std::vector<std::array<int, 3>> &corners,
    const std::vector<int> &materials = {})
{
    TMesh m;
    m.s_name = r_s_name;
    m.n_vertex_num = n_vertex_num;
    m.p_vertex.assign(size_t(n_vertex_num), TVertex{{0, 0}, {-0.0f, -0.0f, -0.0f}, {0, 0, 0}});
    for(size_t i = 0; i < corners.size(); ++i) {
        m.p_face.push_back(TFace{{uint32_t(corners[i][0]), uint32_t(corners[i][1]), uint32_t(corners[i][2])}});
        m.p_face_material.push_back(materials.empty() ? -1 : materials[i]);
    }
    m.n_face_num = int(corners.size());
    MakeMaterialRanges(m);
    return m;
}

// A scene of the meshes: on the heap, since a scene is neither copied nor moved.
std::unique_ptr<C3dsScene> SceneOf(const std::vector<TMesh> &meshes)
{
    std::unique_ptr<C3dsScene> p_scene(new C3dsScene);
    p_scene->p_object = meshes;
    p_scene->n_object_num = int(meshes.size());
    return p_scene;
}

} // namespace

TEST(HeaderText, EmptyScene)
{
    std::string s_expected = expected::Banner() + expected::ClassDeclaration("empty") +
        expected::Accessors(0, 0, 0, 0) + expected::Trailer();
    EXPECT_EQ(HeaderFor({}, "empty", "empty.3ds"), s_expected);
}

TEST(HeaderText, OneTriangle)
{
    TBytes bytes = Scene({MeshObject("tri", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})}).Bytes();
    std::string s_expected = expected::Banner() + expected::ClassDeclaration("tri") +
        Lines({
            "\tstatic const float p_object_0_vertices[8 * 3];",
            "\tstatic const unsigned int p_object_0_indices[3 * 1];",
            "\tstatic const TObject::TMatRange p_object_0_materials[1];",
            "\tstatic const TObject m_p_object[1];",
        }) +
        expected::Accessors(1, 0, 0, 0) +
        Lines({
            "/* === static arrays for 'tri.3ds' -> object 0 === */",
            "",
            "const float Ctri_3ds::p_object_0_vertices[8 * 3] = {",
            "\t0.000000f, 0.000000f, -0.000000f, 1.000000f, -0.000000f, 0.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, -0.000000f, 1.000000f, -0.000000f, 1.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, -0.000000f, 1.000000f, -0.000000f, 0.000000f, 0.000000f, 1.000000f",
            "};",
            "const unsigned int Ctri_3ds::p_object_0_indices[3 * 1] = {",
            "\t0, 2, 1",
            "};",
            "const Ctri_3ds::TObject::TMatRange Ctri_3ds::p_object_0_materials[1] = {",
            "\t{-1, 0, 3}",
            "};",
            "",
            "/* === ~static arrays for 'tri.3ds' -> object 0 === */",
            "",
            "const Ctri_3ds::TObject Ctri_3ds::m_p_object[1] = {",
            "\t{\"tri\", 0, 0, {",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f}, 3, 1,",
            "\tp_object_0_vertices, p_object_0_indices,",
            "\t1, p_object_0_materials}",
            "};",
        }) +
        expected::Trailer();
    EXPECT_EQ(HeaderFor(bytes, "tri", "tri.3ds"), s_expected);
}

TEST(HeaderText, TwoMeshesWithMaterialsAndMatrix)
{
    // faces of materials 1, -1, 0 in file order; the second mesh is empty
    TBytes bytes = Scene(
        {Material("wood"), Material("steel"),
            MeshObject("crate", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{0, 1, 2}, {0, 1, 3}, {1, 2, 3}},
                {MaterialGroup("steel", {0}), MaterialGroup("wood", {2})},
                {LocalMatrix({1, 0, 0, 0, 1, 0, 0, 0, 1, 10, 20, -30.5f})}),
            CChunk(id_NamedObject).Name("empty").Add(CChunk(id_TriObject))})
                       .Bytes();
    std::string s_header = HeaderFor(bytes, "two", "dir/two.3ds");
    std::string s_declarations = Lines({
        "\tstatic const float p_object_0_vertices[8 * 4];",
        "\tstatic const unsigned int p_object_0_indices[3 * 3];",
        "\tstatic const TObject::TMatRange p_object_0_materials[3];",
        "\tstatic const TObject::TMatRange p_object_1_materials[1];",
        "\tstatic const TObject m_p_object[2];",
        "\tstatic const TMaterial m_p_material[2];",
    });
    EXPECT_NE(s_header.find(expected::ClassDeclaration("two") + s_declarations + expected::Accessors(2, 0, 2, 0) +
                  Lines({"const Ctwo_3ds::TMaterial Ctwo_3ds::m_p_material[2] = {", "\t{\"wood\", 0},",
                      "\t{\"steel\", 0}", "};", "", "/* === static arrays for 'dir/two.3ds' -> object 0 === */"})),
        std::string::npos)
        << s_header;
    // sorted: the face without material (file face 1), then wood (2), then steel (0)
    EXPECT_EQ(HeaderDefinition(s_header, "const unsigned int Ctwo_3ds::p_object_0_indices"),
        Lines({"const unsigned int Ctwo_3ds::p_object_0_indices[3 * 3] = {", "\t0, 3, 1, 1, 3, 2, 0, 2, 1", "};"}));
    EXPECT_EQ(HeaderDefinition(s_header, "const Ctwo_3ds::TObject::TMatRange Ctwo_3ds::p_object_0_materials"),
        Lines({"const Ctwo_3ds::TObject::TMatRange Ctwo_3ds::p_object_0_materials[3] = {", "\t{-1, 0, 3},",
            "\t{0, 3, 3},", "\t{1, 6, 3}", "};"}));
    // the empty mesh has no arrays of length 0
    EXPECT_EQ(s_header.find("p_object_1_vertices"), std::string::npos);
    EXPECT_EQ(s_header.find("p_object_1_indices"), std::string::npos);
    EXPECT_EQ(HeaderDefinition(s_header, "const Ctwo_3ds::TObject::TMatRange Ctwo_3ds::p_object_1_materials"),
        Lines({"const Ctwo_3ds::TObject::TMatRange Ctwo_3ds::p_object_1_materials[1] = {", "\t{-1, 0, 0}", "};"}));
    EXPECT_EQ(HeaderDefinition(s_header, "const Ctwo_3ds::TObject Ctwo_3ds::m_p_object"),
        Lines({
            "const Ctwo_3ds::TObject Ctwo_3ds::m_p_object[2] = {",
            "\t{\"crate\", 0, 0, {",
            "\t1.000000f, 0.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 1.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, 1.000000f, 0.000000f,",
            "\t10.000000f, 20.000000f, -30.500000f, 1.000000f}, 4, 3,",
            "\tp_object_0_vertices, p_object_0_indices,",
            "\t3, p_object_0_materials},",
            "\t{\"empty\", 0, 0, {",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f}, 0, 0,",
            "\t0, 0,",
            "\t1, p_object_1_materials}",
            "};",
        }));
    // both meshes' arrays come before the object table
    EXPECT_LT(s_header.find("~static arrays for 'dir/two.3ds' -> object 1"), s_header.find("m_p_object[2] = {"));
}

TEST(HeaderText, MeshWithoutVerticesOrFacesHasNoArraysOfLengthZero)
{
    // ISO C++ refuses [8 * 0]: the arrays are left out and the entry points to 0
    TBytes bytes = Scene({CChunk(id_NamedObject).Name("m").Add(CChunk(id_TriObject))}).Bytes();
    std::string s_expected = expected::Banner() + expected::ClassDeclaration("m") +
        Lines({"\tstatic const TObject::TMatRange p_object_0_materials[1];", "\tstatic const TObject m_p_object[1];"}) +
        expected::Accessors(1, 0, 0, 0) +
        Lines({
            "/* === static arrays for 'm.3ds' -> object 0 === */",
            "",
            "const Cm_3ds::TObject::TMatRange Cm_3ds::p_object_0_materials[1] = {",
            "\t{-1, 0, 0}",
            "};",
            "",
            "/* === ~static arrays for 'm.3ds' -> object 0 === */",
            "",
            "const Cm_3ds::TObject Cm_3ds::m_p_object[1] = {",
            "\t{\"m\", 0, 0, {",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f}, 0, 0,",
            "\t0, 0,",
            "\t1, p_object_0_materials}",
            "};",
        }) +
        expected::Trailer();
    EXPECT_EQ(HeaderFor(bytes, "m", "m.3ds"), s_expected);
}

TEST(HeaderText, MeshWithVerticesButNoFacesKeepsItsVertexArray)
{
    TBytes bytes = Scene({MeshObject("dots", {{1, 2, 3}}, {})}).Bytes();
    std::string s_header = HeaderFor(bytes, "dots", "dots.3ds");
    std::string s_declarations = Lines({
        "\tstatic const float p_object_0_vertices[8 * 1];",
        "\tstatic const TObject::TMatRange p_object_0_materials[1];",
        "\tstatic const TObject m_p_object[1];",
        "",
        "public:",
    });
    EXPECT_NE(s_header.find(expected::ClassDeclaration("dots") + s_declarations), std::string::npos) << s_header;
    EXPECT_NE(s_header.find(Lines({
                  "/* === static arrays for 'dots.3ds' -> object 0 === */",
                  "",
                  "const float Cdots_3ds::p_object_0_vertices[8 * 1] = {",
                  "\t0.000000f, 0.000000f, -0.000000f, -0.000000f, -0.000000f, 1.000000f, 3.000000f, 2.000000f",
                  "};",
                  "const Cdots_3ds::TObject::TMatRange Cdots_3ds::p_object_0_materials[1] = {",
              })),
        std::string::npos)
        << s_header;
    EXPECT_EQ(s_header.find("p_object_0_indices"), std::string::npos);
    EXPECT_NE(s_header.find("0.000000f}, 1, 0,\n\tp_object_0_vertices, 0,\n\t1, p_object_0_materials}\n"),
        std::string::npos)
        << s_header;
}

TEST(HeaderText, IndexLinesHoldWholeGroupsUpToEightyCharacters)
{
    auto indices = [](int n_digits_value, int n_faces) {
        std::vector<std::array<int, 3>> corners(size_t(n_faces), {n_digits_value, n_digits_value, n_digits_value});
        std::unique_ptr<C3dsScene> s = SceneOf({HandMesh("m", n_digits_value + 1, corners)});
        std::string s_text = HeaderDefinition(HeaderOf(*s, "x"), "const unsigned int Cx_3ds::p_object_0_indices");
        return s_text.substr(s_text.find('\n') + 1);
    };
    // groups per full line by digits: 8, 6, 5, 4, 3
    const int p_per_line[] = {8, 6, 5, 4, 3};
    const int p_value[] = {7, 42, 123, 4567, 65534};
    for(int d = 0; d < 5; ++d) {
        std::string s_text = indices(p_value[d], p_per_line[d] * 2 + 1);
        std::string s_v = std::to_string(p_value[d]);
        std::string s_group = s_v + ", " + s_v + ", " + s_v + ",";
        std::string s_full = "\t";
        for(int g = 0; g < p_per_line[d]; ++g)
            s_full += s_group + (g + 1 < p_per_line[d] ? " " : "");
        EXPECT_EQ(s_text, Lines({s_full, s_full, "\t" + s_v + ", " + s_v + ", " + s_v, "};"})) << d + 1 << " digits";
    }

    // five 1-digit groups (9 characters), a 2-digit one (12) and two of 11
    // fill the line to exactly 80 with its tab and line break: all stay on it
    std::vector<std::array<int, 3>> exact = {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {10, 10, 10},
        {1, 10, 10}, {1, 10, 10}, {2, 2, 2}};
    std::string s_text = HeaderDefinition(HeaderOf(*SceneOf({HandMesh("m", 11, exact)}), "x"),
        "const unsigned int Cx_3ds::p_object_0_indices");
    std::string s_line = "\t1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 10, 10, 10, 1, 10, 10, 1, 10, 10,";
    ASSERT_EQ(s_line.size() + 1, 80u);
    EXPECT_EQ(s_text, Lines({"const unsigned int Cx_3ds::p_object_0_indices[3 * 9] = {", s_line, "\t2, 2, 2", "};"}));

    // at 81 the line is written first; the last group, a character shorter, fits
    std::vector<std::array<int, 3>> over = {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {10, 10, 10},
        {1, 10, 10}, {10, 10, 10}, {3, 3, 3}};
    s_text = HeaderDefinition(HeaderOf(*SceneOf({HandMesh("m", 11, over)}), "x"),
        "const unsigned int Cx_3ds::p_object_0_indices");
    EXPECT_EQ(s_text,
        Lines({"const unsigned int Cx_3ds::p_object_0_indices[3 * 9] = {",
            "\t1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 10, 10, 10, 1, 10, 10,", "\t10, 10, 10, 3, 3, 3", "};"}));
    std::vector<std::array<int, 3>> last_fits = {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {10, 10, 10},
        {1, 10, 10}, {10, 10, 10}};
    s_text = HeaderDefinition(HeaderOf(*SceneOf({HandMesh("m", 11, last_fits)}), "x"),
        "const unsigned int Cx_3ds::p_object_0_indices");
    EXPECT_EQ(s_text,
        Lines({"const unsigned int Cx_3ds::p_object_0_indices[3 * 8] = {",
            "\t1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 10, 10, 10, 1, 10, 10, 10, 10, 10", "};"}));
}

TEST(HeaderText, ValuesThatNeedCare)
{
    float f_inf = std::numeric_limits<float>::infinity();
    std::unique_ptr<C3dsScene> s = SceneOf({HandMesh("say \"hi\"\n", 2, {}), HandMesh("?\?=", 0, {})});
    TVertex &r_v = s->p_object[0].p_vertex[0];
    r_v.p_position[0] = f_inf;
    r_v.p_position[1] = -f_inf;
    r_v.p_position[2] = std::numeric_limits<float>::quiet_NaN();
    r_v.p_normal[0] = -std::numeric_limits<float>::quiet_NaN();
    r_v.p_normal[1] = 1.25f;
    r_v.p_texcoord[0] = -0.0f;
    s->p_object[0].n_parent = 65535;
    s->p_object[0].n_id = 7;
    s->p_object[1].n_parent = 32768;
    std::string s_header = HeaderOf(*s, "v", "a*/b/*c.3ds");
    EXPECT_EQ(HeaderDefinition(s_header, "const float Cv_3ds::p_object_0_vertices"),
        Lines({
            "const float Cv_3ds::p_object_0_vertices[8 * 2] = {",
            "\t-0.000000f, 0.000000f, 0.000000f, 1.250000f, -0.000000f, "
            "340282346638528859811704183484516925440.000000f, -340282346638528859811704183484516925440.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, -0.000000f, -0.000000f, -0.000000f, 0.000000f, 0.000000f, 0.000000f",
            "};",
        }));
    EXPECT_NE(s_header.find("/* === static arrays for 'a*\\/b/\\*c.3ds' -> object 0 === */\n"), std::string::npos);
    EXPECT_NE(s_header.find("\n/* === ~static arrays for 'a*\\/b/\\*c.3ds' -> object 1 === */\n"), std::string::npos);
    EXPECT_NE(s_header.find("\t{\"say \\\"hi\\\"\\012\", 7, -1, {\n"), std::string::npos) << "parent 65535 prints -1";
    EXPECT_NE(s_header.find("\t{\"?\\?=\", 0, -32768, {\n"), std::string::npos);
}

TEST(HeaderText, MaterialLightAndCameraSections)
{
    std::vector<TKey> keys9;
    for(uint16_t i = 0; i < 9; ++i)
        keys9.push_back({i, 0, {float(i + 10), float(i + 20), float(i + 30)}});
    TBytes bytes =
        CChunk(id_Main)
            .Add(CChunk(id_Editor)
                     .Add(Material("mat"))
                     .Add(LightObject("L1", {1, 2, 3}, {ColorF(0.5f, 0.25f, 1), CChunk(id_LightOff)}))
                     .Add(LightObject("S", {0, 0, 0},
                         {SpotLight({4, 5, 6}, 10, 20), CChunk(id_CastShadows), CChunk(id_InnerRange).F32(1.5f),
                             CChunk(id_OuterRange).F32(2.5f), CChunk(id_Multiplier).F32(3)}))
                     .Add(CameraObject("cam0", {1, 2, 3}, {4, 5, 6}, 7, 8))
                     .Add(CameraObject("cam1", {0, 0, 0}, {1, 1, 1}, 0, 35))
                     .Add(CameraObject("cam2", {-1, -2, -3}, {0, 0, 0}, 0.5f, 50)))
            .Add(CChunk(id_Keyframer)
                     .Add(Node(id_CameraNode, {NodeHeader("cam0", 0xFFFF), PositionTrack({{0, 0, {1, 2, 3}}})}))
                     .Add(Node(id_TargetNode, {NodeHeader("cam0", 0xFFFF), PositionTrack(keys9)}))
                     .Add(Node(id_TargetNode, {NodeHeader("cam2", 0xFFFF), PositionTrack({{4, 0, {7, 8, 9}}})})))
            .Bytes();
    std::string s_expected = expected::Banner() + expected::ClassDeclaration("x") +
        Lines({
            "\tstatic const float p_camera_0_pos_track[4 * 1];",
            "\tstatic const float p_camera_0_tar_track[4 * 9];",
            "\tstatic const float p_camera_2_tar_track[4 * 1];",
            "\tstatic const TLight m_p_light[2];",
            "\tstatic const TMaterial m_p_material[1];",
            "\tstatic const TCamera m_p_camera[3];",
        }) +
        expected::Accessors(0, 2, 1, 3) +
        Lines({
            "const Cx_3ds::TMaterial Cx_3ds::m_p_material[1] = {",
            "\t{\"mat\", 0}",
            "};",
            "",
            "const Cx_3ds::TLight Cx_3ds::m_p_light[2] = {",
            "\t{\"L1\", false, true, false,",
            "\t{1.000000f, 3.000000f, 2.000000f, 1.000000f},",
            "\t{0.000000f, 0.000000f, 0.000000f, 1.000000f},",
            "\t0.000000f, 0.000000f, 0.000000f, 0.000000f, 0.000000f,",
            "\t{0.500000f, 0.250000f, 1.000000f, 1.000000f}},",
            "\t{\"S\", true, false, true,",
            "\t{0.000000f, 0.000000f, 0.000000f, 1.000000f},",
            "\t{4.000000f, 6.000000f, 5.000000f, 1.000000f},",
            "\t10.000000f, 20.000000f, 1.500000f, 2.500000f, 3.000000f,",
            "\t{0.000000f, 0.000000f, 0.000000f, 1.000000f}}",
            "};",
            "",
            "const float Cx_3ds::p_camera_0_pos_track[4 * 1] = {",
            "\t0.000000f,",
            "\t1.000000f,",
            "\t3.000000f,",
            "\t2.000000f,",
            "};",
            "",
            "const float Cx_3ds::p_camera_0_tar_track[4 * 9] = {",
            "\t0.000000f, 1.000000f, 2.000000f, 3.000000f, 4.000000f, 5.000000f, 6.000000f, 7.000000f,",
            "\t8.000000f,",
            "\t10.000000f, 11.000000f, 12.000000f, 13.000000f, 14.000000f, 15.000000f, 16.000000f, 17.000000f,",
            "\t18.000000f,",
            "\t30.000000f, 31.000000f, 32.000000f, 33.000000f, 34.000000f, 35.000000f, 36.000000f, 37.000000f,",
            "\t38.000000f,",
            "\t20.000000f, 21.000000f, 22.000000f, 23.000000f, 24.000000f, 25.000000f, 26.000000f, 27.000000f,",
            "\t28.000000f,",
            "};",
            "",
            "const float Cx_3ds::p_camera_2_tar_track[4 * 1] = {",
            "\t4.000000f,",
            "\t7.000000f,",
            "\t9.000000f,",
            "\t8.000000f,",
            "};",
            "",
            "const Cx_3ds::TCamera Cx_3ds::m_p_camera[3] = {",
            "\t{\"cam0\", 0, 1.000000f, 2.000000f, 3.000000f, 4.000000f,",
            "\t5.000000f, 6.000000f, 7.000000f, 8.000000f, 1, 9,",
            "\tp_camera_0_pos_track, p_camera_0_pos_track + 1,",
            "\tp_camera_0_pos_track + 2, p_camera_0_pos_track + 3,",
            "\tp_camera_0_tar_track, p_camera_0_tar_track + 9,",
            "\tp_camera_0_tar_track + 18, p_camera_0_tar_track + 27},",
            "\t{\"cam1\", 0, 0.000000f, 0.000000f, 0.000000f, 1.000000f,",
            "\t1.000000f, 1.000000f, 0.000000f, 35.000000f, 0, 0,0, 0, 0, 0,0, 0, 0, 0},",
            "\t{\"cam2\", 0, -1.000000f, -2.000000f, -3.000000f, 0.000000f,",
            "\t0.000000f, 0.000000f, 0.500000f, 50.000000f, 0, 1,0, 0, 0, 0,p_camera_2_tar_track, p_camera_2_tar_track + 1,",
            "\tp_camera_2_tar_track + 2, p_camera_2_tar_track + 3}",
            "};",
            "",
        }) +
        expected::Trailer();
    EXPECT_EQ(HeaderFor(bytes, "x", "x.3ds"), s_expected);
}

TEST(HeaderText, TracksOfEightKeysFillWholeLines)
{
    std::vector<TKey> keys;
    for(uint16_t i = 0; i < 8; ++i)
        keys.push_back({i, 0, {1, 2, 3}});
    TBytes bytes = Scene({CameraObject("c", {0, 0, 0}, {0, 0, 0}, 0, 0)}).Bytes() +
        CChunk(id_Keyframer).Add(Node(id_CameraNode, {NodeHeader("c", 0), PositionTrack(keys)})).Bytes();
    std::string s_header = HeaderFor(bytes, "e", "e.3ds");
    std::string s_ones = "\t1.000000f, 1.000000f, 1.000000f, 1.000000f, 1.000000f, 1.000000f, 1.000000f, 1.000000f,";
    std::string s_threes = "\t3.000000f, 3.000000f, 3.000000f, 3.000000f, 3.000000f, 3.000000f, 3.000000f, 3.000000f,";
    std::string s_twos = "\t2.000000f, 2.000000f, 2.000000f, 2.000000f, 2.000000f, 2.000000f, 2.000000f, 2.000000f,";
    EXPECT_NE(s_header.find(Lines({"const float Ce_3ds::p_camera_0_pos_track[4 * 8] = {",
                  "\t0.000000f, 1.000000f, 2.000000f, 3.000000f, 4.000000f, 5.000000f, 6.000000f, 7.000000f,", s_ones,
                  s_threes, s_twos, "};", ""})),
        std::string::npos)
        << s_header;
}
