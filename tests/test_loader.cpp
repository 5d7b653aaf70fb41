// The two-pass load: counts, record order, what a failure leaves, which
// files are loaded at all.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/platform.h"
#include "reader/load_error.h"
#include "reader/load_options.h"
#include "test_support.h"

using namespace bake3ds;
using namespace fixture;
using testing_support::CTempDir;
using testing_support::n_LoadBytes;

TEST(Loader, CountsEveryRecordChunkTheWalkReaches)
{
    // records counted wherever they stand; those inside an unknown chunk are never reached
    TBytes bytes = Scene({MeshObject("a", {{0, 0, 0}}, {}), LightObject("l", {1, 2, 3}),
                       CameraObject("c", {0, 0, 0}, {1, 1, 1}, 0, 50), Material("m1"), Material("m2")})
                       .Bytes() +
        CChunk(id_TriObject).Bytes() + CChunk(0x7777).Add(CChunk(id_TriObject)).Add(Material("hidden")).Bytes();
    C3dsScene s;
    ASSERT_EQ(n_LoadBytes(bytes, s), 1);
    EXPECT_EQ(s.n_object_num, 2);
    EXPECT_EQ(s.n_light_num, 1);
    EXPECT_EQ(s.n_camera_num, 1);
    EXPECT_EQ(s.n_material_num, 2);
    EXPECT_EQ(s.p_object.size(), 2u);
    EXPECT_EQ(s.p_material[1].p_s_name, "m2");
}

TEST(Loader, RecordsInFileOrder)
{
    TBytes bytes = Scene({MeshObject("first", {{1, 1, 1}}, {}), MeshObject("second", {{2, 2, 2}, {3, 3, 3}}, {})}).Bytes();
    C3dsScene s;
    ASSERT_EQ(n_LoadBytes(bytes, s), 1);
    ASSERT_EQ(s.n_object_num, 2);
    EXPECT_EQ(s.p_object[0].p_s_name, "first");
    EXPECT_EQ(s.p_object[0].n_vertex_num, 1);
    EXPECT_EQ(s.p_object[1].p_s_name, "second");
    EXPECT_EQ(s.p_object[1].n_vertex_num, 2);
}

TEST(Loader, FailuresLeaveTheCountsReached)
{
    C3dsScene s;
    // the counting pass fails at the zero-length chunk after one mesh: no arrays
    TBytes bytes = CChunk(id_TriObject).Bytes() + TBytes(6, 0) + CChunk(id_TriObject).Bytes();
    EXPECT_EQ(n_LoadBytes(bytes, s), 0);
    EXPECT_EQ(s.n_object_num, 1);
    EXPECT_TRUE(s.p_object.empty());

    // a material name cut off by the end of the file fails in the counting pass
    TBytes cut = Material("ok").Bytes() + CChunk(id_MaterialName).Length(20).Bytes() + TBytes{'a', 'b'};
    EXPECT_EQ(n_LoadBytes(cut, s), 0);
    EXPECT_EQ(s.n_material_num, 1);
}

TEST(Loader, SubChunkBeforeAnyMeshChangesNothing)
{
    TBytes bytes = VertexList({{1, 2, 3}}).Bytes() + FaceList({{0, 0, 0}}).Bytes() + MappingCoords({{1, 1}}).Bytes() +
        LocalMatrix({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}).Bytes() + MaterialGroup("x", {0}).Bytes() +
        Scene({MeshObject("m", {}, {})}).Bytes();
    C3dsScene s;
    ASSERT_EQ(n_LoadBytes(bytes, s), 1);
    ASSERT_EQ(s.n_object_num, 1);
    EXPECT_EQ(s.p_object[0].n_vertex_num, 0);
    EXPECT_EQ(s.p_object[0].n_face_num, 0);
    EXPECT_EQ(s.p_object[0].p_transform[15], 0.0f);
}

TEST(Loader, CornersMustLieInTheirMeshAfterTheFillPass)
{
    C3dsScene s;
    // a vertex list after its face list: the corners are checked against the final count
    CChunk tri(id_TriObject);
    tri.Add(FaceList({{0, 1, 2}})).Add(VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));
    ASSERT_EQ(n_LoadBytes(Scene({CChunk(id_NamedObject).Name("late").Add(tri)}).Bytes(), s), 1);
    EXPECT_EQ(s.p_object[0].p_face[0].p_corner[1], 2);
    EXPECT_EQ(s.p_object[0].p_vertex[0].p_normal[1], -1.0f) << "normals computed from the final vertices";

    // a corner equal to the vertex count fails the load
    EXPECT_EQ(n_LoadBytes(Scene({MeshObject("bad", {{0, 0, 0}, {1, 0, 0}}, {{0, 1, 2}})}).Bytes(), s), 0);
    // faces without any vertex list fail as well
    CChunk faces_only(id_TriObject);
    faces_only.Add(FaceList({{0, 0, 0}}));
    EXPECT_EQ(n_LoadBytes(faces_only.Bytes(), s), 0);
    // a later, shorter vertex list leaves corners outside the mesh
    CChunk shrunk(id_TriObject);
    shrunk.Add(VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})).Add(FaceList({{0, 1, 2}})).Add(VertexList({{0, 0, 0}}));
    EXPECT_EQ(n_LoadBytes(shrunk.Bytes(), s), 0);
}

TEST(Loader, LoadsOnlyReadableRegularFiles)
{
    CTempDir t_dir;
    std::string s_file = t_dir.s_File("scene.3ds");
    testing_support::WriteFile(s_file, Scene({MeshObject("m", {{1, 2, 3}}, {})}).Bytes());
    C3dsScene s;
    ASSERT_EQ(s.Load(s_file.c_str()), 1);
    EXPECT_EQ(s.n_object_num, 1);

    EXPECT_EQ(s.Load(t_dir.s_File("missing.3ds").c_str()), 0);
    EXPECT_EQ(s.n_object_num, 0);
    EXPECT_EQ(s.Load(t_dir.s_Path().c_str()), 0) << "a directory";
    EXPECT_EQ(s.Load("/dev/null"), 0) << "a device";
    std::string s_fifo = t_dir.s_File("pipe.3ds");
    ASSERT_EQ(mkfifo(s_fifo.c_str(), 0600), 0);
    EXPECT_EQ(s.Load(s_fifo.c_str()), 0) << "a pipe, refused without waiting for a writer";

    // a regular file that gives more bytes than its size said, as the files
    // of Linux's /proc do (size 0), is read to its end: the room for it grows
    // as it is read, keeping what was read before
    std::ifstream t_proc("/proc/self/cmdline", std::ios::binary);
    if(t_proc) {
        std::string s_expected((std::istreambuf_iterator<char>(t_proc)), std::istreambuf_iterator<char>());
        CFileBytes bytes;
        std::string s_reason;
        ASSERT_EQ(n_ReadRegularFile("/proc/self/cmdline", bytes, s_reason), file_Read) << s_reason;
        EXPECT_EQ(std::string(reinterpret_cast<const char *>(bytes.p_Data()), bytes.n_Size()), s_expected);
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
    for(int i = 0; i < n_levels; ++ i) {
        TBytes outer = CChunk(id_Main).Length(12).Bytes();
        TBytes inner = CChunk(id_Main).Length(uint32_t(n_total - (12 * size_t(i) + 6))).Bytes();
        out = out + outer + inner;
    }
    return out + CChunk(id_TriObject).Bytes();
}

} // namespace

TEST(Loader, RecordsAndWorkAreBoundedByTheFileSize)
{
    C3dsScene s;
    // chunks read again past their parents' ends count again, as the walk prescribes
    ASSERT_EQ(n_LoadBytes(ReachingPastParents(12), s), 1);
    EXPECT_EQ(s.n_object_num, 4096);
    // 2^17 meshes from 210 bytes are more than a load may hold: 65536 plus one per six bytes
    EXPECT_EQ(n_LoadBytes(ReachingPastParents(17), s), 0);
    EXPECT_EQ(s.n_object_num, 65536 + 210 / 6);
    // 40 levels would walk 2^40 chunks: the work bound stops the load early
    EXPECT_EQ(n_LoadBytes(ReachingPastParents(40), s), 0);
    // a file of 6-byte triangle objects holds one mesh per six bytes, well within
    TBytes one = CChunk(id_TriObject).Bytes(), many;
    for(int i = 0; i < 100000; ++ i)
        many.insert(many.end(), one.begin(), one.end());
    ASSERT_EQ(n_LoadBytes(many, s), 1);
    EXPECT_EQ(s.n_object_num, 100000);
}

TEST(Loader, TakesEachLimitFromItsOptions)
{
    // 40 vertices and 4 meshes: far within the defaults
    std::vector<CChunk> meshes;
    for(int i = 0; i < 4; ++ i)
        meshes.push_back(MeshObject("m" + std::to_string(i), std::vector<std::array<float, 3>>(10, {1, 2, 3}), {}));
    TBytes bytes = Scene(meshes).Bytes();
    C3dsScene s;
    ASSERT_EQ(s.LoadMemory(bytes.data(), bytes.size()), 1);
    ASSERT_EQ(s.n_object_num, 4);

    // the element and record allowances are checked by the fuzzer's small
    // limits; a consistent file's per-byte shares alone cover its counts
    TLoadOptions t_work;
    t_work.n_element_base = 0;
    t_work.n_work_per_byte = 0;
    EXPECT_EQ(s.LoadMemory(bytes.data(), bytes.size(), t_work), 0) << "no work allowed";

    // walks: the file's (1), main's (2), the editor's (3), the named object's
    // (4), the triangle object's (5), the face list's (6)
    TLoadOptions t_levels;
    t_levels.n_walk_level_limit = 6;
    EXPECT_EQ(s.LoadMemory(bytes.data(), bytes.size(), t_levels), 0) << "the face list's walk is level 6";
    t_levels.n_walk_level_limit = 7;
    EXPECT_EQ(s.LoadMemory(bytes.data(), bytes.size(), t_levels), 1);
}
