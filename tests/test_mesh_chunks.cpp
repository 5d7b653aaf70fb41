// What the mesh chunks store: axes, corner order, mapping, matrix, material
// groups, replacement by later chunks.

#include <gtest/gtest.h>

#include <memory>

#include "test_support.h"

using namespace bake3ds;
using namespace fixture;
using testing_support::LoadBytes;

namespace {

const std::vector<TPoint> p_square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};

// The one mesh of the bytes, which keeps the scene holding its arrays.
std::shared_ptr<const TMesh> LoadOneMesh(const TBytes &r_bytes)
{
    std::unique_ptr<C3dsScene> p_read;
    EXPECT_TRUE(LoadBytes(r_bytes, p_read));
    EXPECT_EQ(p_read->n_object_num, 1);
    if(p_read->p_object.empty())
        return std::make_shared<const TMesh>();
    std::shared_ptr<C3dsScene> p_scene(std::move(p_read));
    return std::shared_ptr<const TMesh>(p_scene, &p_scene->p_object[0]);
}

} // namespace

TEST(MeshChunks, AxesAndCornerOrderAreExchanged)
{
    auto m = LoadOneMesh(Scene({MeshObject("box", {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {{0, 1, 2}})}).Bytes());
    EXPECT_EQ(m->s_name, "box");
    ASSERT_EQ(m->n_vertex_num, 3);
    EXPECT_EQ(m->p_vertex[0].p_position[0], 1);
    EXPECT_EQ(m->p_vertex[0].p_position[1], 3);
    EXPECT_EQ(m->p_vertex[0].p_position[2], 2);
    ASSERT_EQ(m->n_face_num, 1);
    EXPECT_EQ(m->p_face[0].p_corner[0], 0);
    EXPECT_EQ(m->p_face[0].p_corner[1], 2);
    EXPECT_EQ(m->p_face[0].p_corner[2], 1);
    ASSERT_EQ(m->p_face_material.size(), 1u);
    EXPECT_EQ(m->p_face_material[0], -1);
}

TEST(MeshChunks, MappingCoordinates)
{
    auto none = LoadOneMesh(Scene({MeshObject("m", p_square, {})}).Bytes());
    for(const TVertex &v : none->p_vertex)
        EXPECT_TRUE(v.p_texcoord[0] == 0 && v.p_texcoord[1] == 0);

    auto shorter =
        LoadOneMesh(Scene({MeshObject("m", p_square, {}, {}, {MappingCoords({{0.25f, 0.5f}, {1, 2}})})}).Bytes());
    EXPECT_EQ(shorter->p_vertex[0].p_texcoord[0], 0.25f);
    EXPECT_EQ(shorter->p_vertex[0].p_texcoord[1], 0.5f);
    EXPECT_EQ(shorter->p_vertex[1].p_texcoord[1], 2.0f);
    EXPECT_EQ(shorter->p_vertex[2].p_texcoord[0], 0.0f) << "vertices the list does not reach keep 0, 0";
    EXPECT_EQ(shorter->p_vertex[3].p_texcoord[1], 0.0f);

    // entries beyond the vertex count are ignored; a later list overwrites entry by entry
    auto longer = LoadOneMesh(
        Scene({MeshObject("m", {{0, 0, 0}}, {}, {}, {MappingCoords({{5, 6}, {7, 8}, {9, 10}}), MappingCoords({})})})
            .Bytes());
    EXPECT_EQ(longer->p_vertex[0].p_texcoord[0], 5.0f);
    EXPECT_EQ(longer->p_vertex.size(), 1u);
}

TEST(MeshChunks, LocalMatrix)
{
    auto m = LoadOneMesh(
        Scene({MeshObject("m", {}, {}, {}, {LocalMatrix({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})})}).Bytes());
    const float p_expected[16] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 1};
    for(int i = 0; i < 16; ++i)
        EXPECT_EQ(m->p_transform[i], p_expected[i]) << i;

    auto none = LoadOneMesh(Scene({MeshObject("m", {}, {})}).Bytes());
    for(float f : none->p_transform)
        EXPECT_EQ(f, 0.0f) << "sixteen zeros, the last one included";
}

TEST(MeshChunks, MaterialGroups)
{
    std::vector<TTriangle> faces = {{0, 1, 2}, {0, 2, 3}, {1, 2, 3}, {0, 1, 3}};
    TBytes bytes =
        Scene({Material("red"), Material("blue"), Material("red"),
                  MeshObject("m", p_square, faces,
                      {MaterialGroup("blue", {0, 1, 500}), MaterialGroup("red", {1, 2}), MaterialGroup("green", {3})})})
            .Bytes();
    std::unique_ptr<C3dsScene> s;
    ASSERT_TRUE(LoadBytes(bytes, s));
    const TRecordArray<int32_t> &r_materials = s->p_object[0].p_face_material;
    ASSERT_EQ(r_materials.size(), 4u);
    EXPECT_EQ(r_materials[0], 1);
    EXPECT_EQ(r_materials[1], 0) << "the later group wins; a twice-defined name resolves to the first";
    EXPECT_EQ(r_materials[2], 0);
    EXPECT_EQ(r_materials[3], -1) << "a material that was never read";

    // a material read after the group gives -1; a face in no group keeps -1
    TBytes later = Scene({MeshObject("m", p_square, faces, {MaterialGroup("late", {0})}), Material("late")}).Bytes();
    ASSERT_TRUE(LoadBytes(later, s));
    EXPECT_EQ(s->p_object[0].p_face_material[0], -1);
    EXPECT_EQ(s->p_object[0].p_face_material[1], -1);

    // an empty group name matches no material, not even one not yet read
    TBytes empty_name = Scene({MeshObject("m", p_square, faces, {MaterialGroup("", {0})}), Material("")}).Bytes();
    ASSERT_TRUE(LoadBytes(empty_name, s));
    EXPECT_EQ(s->p_object[0].p_face_material[0], -1);

    // a group name cut off by the end of the file fails the load
    TBytes cut =
        Scene({MeshObject("m", p_square, faces)}).Bytes() + CChunk(id_MaterialGroup).Length(30).Bytes() + TBytes{'r'};
    EXPECT_FALSE(LoadBytes(cut, s));
}

TEST(MeshChunks, MaterialGroupEntriesPastTheEndNameFaceZero)
{
    // the group claims three entries but the file ends after the first:
    // the missing entries read as face 0
    TBytes bytes = Scene({Material("a"), Material("b"),
                             MeshObject("m", p_square, {{0, 1, 2}, {0, 2, 3}}, {MaterialGroup("a", {0, 1})})})
                       .Bytes() +
        CChunk(id_MaterialGroup).Name("b").U16(3).U16(1).Bytes();
    std::unique_ptr<C3dsScene> s;
    ASSERT_TRUE(LoadBytes(bytes, s));
    EXPECT_EQ(s->p_object[0].p_face_material[0], 1);
    EXPECT_EQ(s->p_object[0].p_face_material[1], 1);
}

TEST(MeshChunks, EmptyAndRepeatedLists)
{
    // a triangle object without lists
    auto bare = LoadOneMesh(Scene({CChunk(id_NamedObject).Name("bare").Add(CChunk(id_TriObject))}).Bytes());
    EXPECT_EQ(bare->n_vertex_num, 0);
    EXPECT_EQ(bare->n_face_num, 0);
    EXPECT_TRUE(bare->p_vertex.empty() && bare->p_face.empty());

    // lists of count 0; the face list's sub-chunks start right after its count
    std::unique_ptr<C3dsScene> s;
    ASSERT_TRUE(LoadBytes(Scene({MeshObject("e", {}, {}, {CChunk(id_TriObject)})}).Bytes(), s));
    EXPECT_EQ(s->n_object_num, 2) << "the triangle object inside the empty face list was walked";

    // a second vertex or face list replaces the first
    CChunk tri(id_TriObject);
    tri.Add(VertexList(p_square))
        .Add(FaceList({{0, 1, 2}, {0, 2, 3}}))
        .Add(VertexList({{5, 5, 5}, {6, 6, 6}, {7, 7, 7}}))
        .Add(FaceList({{2, 1, 0}}));
    auto replaced = LoadOneMesh(CChunk(id_NamedObject).Name("r").Add(tri).Bytes());
    EXPECT_EQ(replaced->n_vertex_num, 3);
    EXPECT_EQ(replaced->p_vertex[0].p_position[0], 5.0f);
    EXPECT_EQ(replaced->n_face_num, 1);
    EXPECT_EQ(replaced->p_face[0].p_corner[0], 2);

    // a replacing list, shorter (in the array already there) or longer (in
    // a fresh one), keeps nothing of the records it replaces: no mapping,
    // no material
    for(size_t n_new : {2, 6}) {
        std::vector<TPoint> points(n_new, TPoint{9, 9, 9});
        std::vector<TTriangle> faces(n_new, TTriangle{0, 1, 1});
        CChunk mapped(id_TriObject);
        mapped.Add(VertexList(p_square))
            .Add(MappingCoords({{1, 2}, {3, 4}, {5, 6}, {7, 8}}))
            .Add(FaceList({{0, 1, 2}, {0, 2, 3}, {1, 2, 3}, {0, 1, 3}}, {MaterialGroup("red", {0, 1, 2, 3})}))
            .Add(VertexList(points))
            .Add(FaceList(faces));
        std::unique_ptr<C3dsScene> s;
        ASSERT_TRUE(LoadBytes(Scene({Material("red"), CChunk(id_NamedObject).Name("m").Add(mapped)}).Bytes(), s));
        const TMesh &r_mesh = s->p_object[0];
        ASSERT_EQ(r_mesh.p_vertex.size(), n_new);
        ASSERT_EQ(r_mesh.p_face.size(), n_new);
        ASSERT_EQ(r_mesh.p_face_material.size(), n_new) << "the materials are replaced with the faces";
        for(size_t i = 0; i < n_new; ++i) {
            EXPECT_TRUE(r_mesh.p_vertex[i].p_texcoord[0] == 0 && r_mesh.p_vertex[i].p_texcoord[1] == 0)
                << n_new << " vertices, vertex " << i;
            EXPECT_EQ(r_mesh.p_face_material[i], -1) << n_new << " faces, face " << i;
        }
    }
}

TEST(MeshChunks, NamesOfMeshes)
{
    // two triangle objects in one named object share its name
    CChunk object(id_NamedObject);
    object.Name("twin").Add(CChunk(id_TriObject)).Add(CChunk(id_TriObject));
    std::unique_ptr<C3dsScene> s;
    ASSERT_TRUE(LoadBytes(Scene({object}).Bytes(), s));
    ASSERT_EQ(s->n_object_num, 2);
    EXPECT_EQ(s->p_object[0].s_name, "twin");
    EXPECT_EQ(s->p_object[1].s_name, "twin");

    // a name of 63 characters is kept whole
    std::string s_63(63, 'n');
    ASSERT_TRUE(LoadBytes(Scene({MeshObject(s_63, {}, {})}).Bytes(), s));
    ASSERT_EQ(s->n_object_num, 1);
    EXPECT_EQ(s->p_object[0].s_name, s_63);

    // a longer name is cut to its first 63 characters; the 64th is dropped
    // and the rest stays in the stream, read as the named object's first
    // sub-chunk header. Here the rest, "\x34\x12\x06" and its terminator
    // and two zeros, is the header of an unknown chunk of 6 bytes: the mesh
    // after it is found and named after the cut name.
    CChunk cut(id_NamedObject);
    cut.Raw(TBytes(s_63.begin(), s_63.end()) + TBytes{'X'})
        .U16(0x1234)
        .U32(6)
        .Add(CChunk(id_TriObject).Add(VertexList({{1, 2, 3}})));
    ASSERT_TRUE(LoadBytes(Scene({cut}).Bytes(), s));
    ASSERT_EQ(s->n_object_num, 1);
    EXPECT_EQ(s->p_object[0].s_name, s_63);
    EXPECT_EQ(s->p_object[0].n_vertex_num, 1);

    // a plain name of 64 characters: its terminator and the next header's
    // first bytes make a chunk reaching past the named object, and the mesh
    // is never reached
    ASSERT_TRUE(LoadBytes(Scene({MeshObject(std::string(64, 'n'), {{1, 2, 3}}, {})}).Bytes(), s));
    EXPECT_EQ(s->n_object_num, 0);
}
