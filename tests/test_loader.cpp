// The two-pass load: counts, record order, what a failure leaves, which
// files are loaded at all.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "api/library.h"
#include "platform/platform.h"
#include "test_support.h"

using namespace bake3ds;
using namespace fixture;
using testing_support::CTempDir;
using testing_support::LoadBytes;

TEST(Loader, CountsEveryRecordChunkTheWalkReaches)
{
    // records counted wherever they stand; those inside an unknown chunk are never reached
    TBytes bytes = Scene({MeshObject("a", {{0, 0, 0}}, {}), LightObject("l", {1, 2, 3}),
                             CameraObject("c", {0, 0, 0}, {1, 1, 1}, 0, 50), Material("m1"), Material("m2")})
                       .Bytes() +
        CChunk(id_TriObject).Bytes() + CChunk(0x7777).Add(CChunk(id_TriObject)).Add(Material("hidden")).Bytes();
    std::unique_ptr<C3dsScene> s;
    ASSERT_TRUE(LoadBytes(bytes, s));
    EXPECT_EQ(s->n_object_num, 2);
    EXPECT_EQ(s->n_light_num, 1);
    EXPECT_EQ(s->n_camera_num, 1);
    EXPECT_EQ(s->n_material_num, 2);
    EXPECT_EQ(s->p_object.size(), 2u);
    EXPECT_EQ(s->p_material[1].s_name, "m2");
}

TEST(Loader, RecordsInFileOrder)
{
    TBytes bytes =
        Scene({MeshObject("first", {{1, 1, 1}}, {}), MeshObject("second", {{2, 2, 2}, {3, 3, 3}}, {})}).Bytes();
    std::unique_ptr<C3dsScene> s;
    ASSERT_TRUE(LoadBytes(bytes, s));
    ASSERT_EQ(s->n_object_num, 2);
    EXPECT_EQ(s->p_object[0].s_name, "first");
    EXPECT_EQ(s->p_object[0].n_vertex_num, 1);
    EXPECT_EQ(s->p_object[1].s_name, "second");
    EXPECT_EQ(s->p_object[1].n_vertex_num, 2);
}

TEST(Loader, FailuresLeaveTheCountsReached)
{
    std::unique_ptr<C3dsScene> s;
    // the counting pass fails at the zero-length chunk after one mesh: no arrays
    TBytes bytes = CChunk(id_TriObject).Bytes() + TBytes(6, 0) + CChunk(id_TriObject).Bytes();
    EXPECT_FALSE(LoadBytes(bytes, s));
    EXPECT_EQ(s->n_object_num, 1);
    EXPECT_TRUE(s->p_object.empty());

    // a material name cut off by the end of the file fails in the counting pass
    TBytes cut = Material("ok").Bytes() + CChunk(id_MaterialName).Length(20).Bytes() + TBytes{'a', 'b'};
    EXPECT_FALSE(LoadBytes(cut, s));
    EXPECT_EQ(s->n_material_num, 1);
}

TEST(Loader, SubChunkBeforeAnyMeshChangesNothing)
{
    TBytes bytes = VertexList({{1, 2, 3}}).Bytes() + FaceList({{0, 0, 0}}).Bytes() + MappingCoords({{1, 1}}).Bytes() +
        LocalMatrix({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}).Bytes() + MaterialGroup("x", {0}).Bytes() +
        Scene({MeshObject("m", {}, {})}).Bytes();
    std::unique_ptr<C3dsScene> s;
    ASSERT_TRUE(LoadBytes(bytes, s));
    ASSERT_EQ(s->n_object_num, 1);
    EXPECT_EQ(s->p_object[0].n_vertex_num, 0);
    EXPECT_EQ(s->p_object[0].n_face_num, 0);
    EXPECT_EQ(s->p_object[0].p_transform[15], 0.0f);
}

TEST(Loader, CornersMustLieInTheirMeshAfterTheFillPass)
{
    std::unique_ptr<C3dsScene> s;
    // a vertex list after its face list: the corners are checked against the final count
    CChunk tri(id_TriObject);
    tri.Add(FaceList({{0, 1, 2}})).Add(VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));
    ASSERT_TRUE(LoadBytes(Scene({CChunk(id_NamedObject).Name("late").Add(tri)}).Bytes(), s));
    EXPECT_EQ(s->p_object[0].p_face[0].p_corner[1], 2);
    EXPECT_EQ(s->p_object[0].p_vertex[0].p_normal[1], 1.0f) << "normals computed from the final vertices";

    // a corner equal to the vertex count fails the load
    EXPECT_FALSE(LoadBytes(Scene({MeshObject("bad", {{0, 0, 0}, {1, 0, 0}}, {{0, 1, 2}})}).Bytes(), s));
    // faces without any vertex list fail as well
    CChunk faces_only(id_TriObject);
    faces_only.Add(FaceList({{0, 0, 0}}));
    EXPECT_FALSE(LoadBytes(faces_only.Bytes(), s));
    // a later, shorter vertex list leaves corners outside the mesh
    CChunk shrunk(id_TriObject);
    shrunk.Add(VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})).Add(FaceList({{0, 1, 2}})).Add(VertexList({{0, 0, 0}}));
    EXPECT_FALSE(LoadBytes(shrunk.Bytes(), s));
}

TEST(Loader, LoadsOnlyReadableRegularFiles)
{
    CTempDir t_dir;
    std::string s_file = t_dir.FilePath("scene.3ds");
    testing_support::WriteFile(s_file, Scene({MeshObject("m", {{1, 2, 3}}, {})}).Bytes());
    testing_support::TLoadedScene p_scene = testing_support::LoadFile(s_file);
    ASSERT_TRUE(p_scene);
    EXPECT_EQ(p_scene->t_records.n_object_num, 1);

    EXPECT_FALSE(testing_support::LoadFile(t_dir.FilePath("missing.3ds")));
    EXPECT_FALSE(testing_support::LoadFile(t_dir.Path())) << "a directory";
    EXPECT_FALSE(testing_support::LoadFile("/dev/null")) << "a device";
    std::string s_fifo = t_dir.FilePath("pipe.3ds");
    ASSERT_EQ(mkfifo(s_fifo.c_str(), 0600), 0);
    EXPECT_FALSE(testing_support::LoadFile(s_fifo)) << "a pipe, refused without waiting for a writer";

    // a regular file that gives more bytes than its size said, as the files
    // of Linux's /proc do (size 0), is read to its end: the room for it grows
    // as it is read, keeping what was read before
    std::ifstream t_proc("/proc/self/cmdline", std::ios::binary);
    if(t_proc) {
        std::string s_expected((std::istreambuf_iterator<char>(t_proc)), std::istreambuf_iterator<char>());
        CFileBytes bytes;
        std::string s_reason;
        ASSERT_EQ(ReadRegularFile("/proc/self/cmdline", bytes, s_reason), file_Read) << s_reason;
        EXPECT_EQ(std::string(reinterpret_cast<const char *>(bytes.Data()), bytes.Size()), s_expected);
    }
}

namespace {

// Each level a container of 12 bytes whose one sub-chunk, a container too,
// reaches to the end of the file, where a triangle object stands: the walk
// meets that object 2^levels times.
TBytes ReachingPastParents(int n_levels)
{
    TBytes out;
    size_t n_total = 12 * size_t(n_levels) + 6;
    for(int i = 0; i < n_levels; ++i) {
        TBytes outer = CChunk(id_Main).Length(12).Bytes();
        TBytes inner = CChunk(id_Main).Length(uint32_t(n_total - (12 * size_t(i) + 6))).Bytes();
        out = out + outer + inner;
    }
    return out + CChunk(id_TriObject).Bytes();
}

} // namespace

TEST(Loader, RecordsAndWorkAreBoundedByTheFileSize)
{
    std::unique_ptr<C3dsScene> s;
    // chunks read again past their parents' ends count again, as the walk prescribes
    ASSERT_TRUE(LoadBytes(ReachingPastParents(12), s));
    EXPECT_EQ(s->n_object_num, 4096);
    // 2^17 meshes from 210 bytes are more than a load may hold: 65536 plus one per six bytes
    EXPECT_FALSE(LoadBytes(ReachingPastParents(17), s));
    EXPECT_EQ(s->n_object_num, 65536 + 210 / 6);
    // 40 levels would walk 2^40 chunks: the work bound stops the load early
    EXPECT_FALSE(LoadBytes(ReachingPastParents(40), s));
    // a file of 6-byte triangle objects holds one mesh per six bytes, well within
    TBytes one = CChunk(id_TriObject).Bytes(), many;
    for(int i = 0; i < 100000; ++i)
        many.insert(many.end(), one.begin(), one.end());
    ASSERT_TRUE(LoadBytes(many, s));
    EXPECT_EQ(s->n_object_num, 100000);
}

namespace {

// A scene whose one vertex list claims 1000 vertices in a chunk that holds none.
TBytes ClaimedVertices()
{
    return CChunk(id_TriObject).Bytes() + CChunk(id_VertexList).U16(1000).Bytes();
}

// n containers, one inside the other, the innermost holding a triangle object.
TBytes Nested(int n)
{
    CChunk c(id_TriObject);
    for(int i = 0; i < n; ++i)
        c = CChunk(id_Main).Add(c);
    return c.Bytes();
}

} // namespace

// Each member of the options sets its own limit, by the formula the failure's
// figures show: a member of 0 keeps the default, a nesting limit above the
// most is the most, and members past the struct's size are not read.
TEST(Loader, TakesEachLimitFromItsOptions)
{
    // 40 vertices and 4 meshes; walks: the file's (1), main's (2), the
    // editor's (3), the named object's (4), the triangle object's (5), the
    // face list's (6)
    std::vector<CChunk> meshes;
    for(int i = 0; i < 4; ++i)
        meshes.push_back(MeshObject("m" + std::to_string(i), std::vector<std::array<float, 3>>(10, {1, 2, 3}), {}));
    TBytes four_meshes = Scene(meshes).Bytes();
    // 4096 meshes from 150 bytes, and much work
    TBytes re_read = ReachingPastParents(12);
    ASSERT_EQ(re_read.size(), 150u);

    struct TCase {
        const char *s_what;
        const TBytes *p_bytes;
        bake3ds_options t_options;
        bake3ds_rule n_rule;
        int64_t n_limit, n_needed; // -1: not compared
    };
    auto options = [](uint32_t n_size, uint32_t n_nesting, int64_t n_element, int64_t n_record, int64_t n_work) {
        bake3ds_options t;
        t.size = n_size;
        t.nesting_limit = n_nesting;
        t.element_base = n_element;
        t.record_base = n_record;
        t.work_per_byte = n_work;
        return t;
    };
    const uint32_t n_full = sizeof(bake3ds_options);
    TBytes claimed = ClaimedVertices(), deep = Nested(511);
    const TCase p_cases[] = {
        {"defaults", &four_meshes, options(0, 0, 0, 0, 0), BAKE3DS_RULE_NONE, 0, 0},
        {"defaults, many meshes", &re_read, options(n_full, 0, 0, 0, 0), BAKE3DS_RULE_NONE, 0, 0},
        {"negative members", &re_read, options(n_full, 0, -1, -1, -1), BAKE3DS_RULE_NONE, 0, 0},
        {"the face list's walk is 6 deep", &four_meshes, options(n_full, 5, 0, 0, 0), BAKE3DS_RULE_NESTING_LIMIT, 5, 6},
        {"nesting 6 allowed", &four_meshes, options(n_full, 6, 0, 0, 0), BAKE3DS_RULE_NONE, 0, 0},
        {"a nesting limit above the most", &deep, options(n_full, 100000, 0, 0, 0), BAKE3DS_RULE_NESTING_LIMIT,
            BAKE3DS_MAX_NESTING, BAKE3DS_MAX_NESTING + 1},
        {"work: twice the element base and 2 a byte", &re_read, options(n_full, 0, 10, 0, 2), BAKE3DS_RULE_WORK_BOUND,
            20 + 2 * 150, -1},
        {"records: the base and one per six bytes", &re_read, options(n_full, 0, 0, 10, 0), BAKE3DS_RULE_RECORD_BOUND,
            10 + 150 / 6, 10 + 150 / 6 + 1},
        {"elements: the base and one per four bytes", &claimed, options(n_full, 0, 10, 0, 0),
            BAKE3DS_RULE_ELEMENT_BOUND, 10 + int64_t(claimed.size() / 4), 1000},
        {"a record base the struct's size leaves out", &re_read,
            options(uint32_t(offsetof(bake3ds_options, record_base)), 0, 0, 10, 0), BAKE3DS_RULE_NONE, 0, 0},
    };
    for(const TCase &r_case : p_cases) {
        bake3ds_failure t_failure;
        bake3ds_scene *p_scene =
            bake3ds_load(r_case.p_bytes->data(), r_case.p_bytes->size(), &r_case.t_options, &t_failure);
        EXPECT_EQ(p_scene != nullptr, r_case.n_rule == BAKE3DS_RULE_NONE) << r_case.s_what;
        bake3ds_scene_free(p_scene);
        EXPECT_STREQ(bake3ds_rule_name(t_failure.rule), bake3ds_rule_name(r_case.n_rule))
            << r_case.s_what << ": " << t_failure.message;
        if(r_case.n_rule == BAKE3DS_RULE_NONE)
            continue;
        EXPECT_EQ(t_failure.limit, r_case.n_limit) << r_case.s_what;
        if(r_case.n_needed >= 0) {
            EXPECT_EQ(t_failure.needed, r_case.n_needed) << r_case.s_what;
        } else {
            EXPECT_GT(t_failure.needed, t_failure.limit) << r_case.s_what;
        }
    }
    // a null pointer is the defaults as well
    EXPECT_TRUE(testing_support::TLoadedScene(bake3ds_load(re_read.data(), re_read.size(), nullptr, nullptr),
        bake3ds_scene_free));
}
