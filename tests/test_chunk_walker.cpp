// The chunk walker, the chunk table and the name reader: how the tree is
// walked, where each chunk's successor is read, what ends a walk.

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "reader/chunk_table.h"
#include "reader/chunk_walker.h"
#include "test_support.h"

using namespace bake3ds;
using namespace fixture;
using testing_support::LoadBytes;

namespace {

TBytes Zeros(size_t n)
{
    return TBytes(n, 0);
}

// n containers, one inside the other, the innermost holding the chunk.
CChunk Nested(int n, const CChunk &r_inner)
{
    CChunk c = r_inner;
    for(int i = 0; i < n; ++i)
        c = CChunk(id_Main).Add(c);
    return c;
}

} // namespace

TEST(ChunkTable, HasEightyEightRowsWithDistinctIds)
{
    ASSERT_EQ(n_chunk_table_size, 88);
    std::set<uint16_t> ids;
    for(int i = 0; i < n_chunk_table_size; ++i)
        ids.insert(p_chunk_table[i].n_chunk_id);
    EXPECT_EQ(ids.size(), 88u);
    EXPECT_EQ(FindChunkIndex(0x4D4D), 11);
    EXPECT_EQ(FindChunkIndex(0x4627), 87);
    EXPECT_EQ(FindChunkIndex(0x1234), -1);
    // the node rows have handlers of their own, and the walker walks their sub-chunks after them
    for(uint16_t n_id : {0xB002, 0xB003, 0xB004}) {
        const TChunkInfo *p = FindChunkInfo(n_id);
        ASSERT_TRUE(p);
        EXPECT_TRUE(p->b_has_children && p->p_handler);
    }
    EXPECT_FALSE(FindChunkInfo(0x4700)->b_has_children); // camera sub-chunks are skipped
    EXPECT_TRUE(FindChunkInfo(0x4120)->b_has_children);  // face list
}

TEST(ChunkWalker, EndsOfTheWalk)
{
    bake3ds_scene *p_empty = bake3ds_load(nullptr, 0, nullptr, nullptr);
    EXPECT_TRUE(p_empty) << "an empty file is an empty scene";
    EXPECT_EQ(bake3ds_object_count(p_empty), 0u);
    bake3ds_scene_free(p_empty);

    std::unique_ptr<C3dsScene> s;
    EXPECT_FALSE(LoadBytes(Zeros(6), s)) << "six zero bytes: a chunk of length 0";
    EXPECT_FALSE(LoadBytes(ChunkHeader(0x1234, 0), s)) << "length 0 fails for unknown ids too";
    EXPECT_FALSE(LoadBytes(Scene({CChunk(id_TriObject).Length(0)}).Bytes(), s))
        << "a zero length deep in the tree fails the whole load";

    TBytes one_mesh = CChunk(id_TriObject).Bytes();
    for(size_t n_tail = 1; n_tail <= 5; ++n_tail) {
        ASSERT_TRUE(LoadBytes(one_mesh + Zeros(n_tail), s)) << n_tail << " bytes left over are ignored";
        EXPECT_EQ(s->n_object_num, 1);
    }
}

TEST(ChunkWalker, TableIsFlatAndUnknownChunksAreSkippedWhole)
{
    std::unique_ptr<C3dsScene> s;
    // known chunks at the top level, without a root chunk
    ASSERT_TRUE(LoadBytes(CChunk(id_TriObject).Bytes() + CChunk(id_TriObject).Bytes(), s));
    EXPECT_EQ(s->n_object_num, 2);

    // a triangle object inside an unknown chunk is never seen
    ASSERT_TRUE(LoadBytes(CChunk(0x1234).Add(CChunk(id_TriObject)).Bytes(), s));
    EXPECT_EQ(s->n_object_num, 0);

    // a vertex list directly under the root still fills the current mesh
    TBytes bytes = Scene({MeshObject("m", {{1, 2, 3}}, {})}).Bytes() +
        CChunk(id_Main).Add(VertexList({{4, 5, 6}, {7, 8, 9}})).Bytes();
    ASSERT_TRUE(LoadBytes(bytes, s));
    EXPECT_EQ(s->p_object[0].n_vertex_num, 2);
}

TEST(ChunkWalker, ShortLengthsRepositionAtStartPlusLength)
{
    for(uint32_t n_length = 1; n_length <= 5; ++n_length) {
        TBytes bytes = ChunkHeader(id_TriObject, n_length) + Zeros(16);
        C3dsScene s;
        TLoader t_ld(bytes.data(), bytes.size(), s, ResolvedOptions(nullptr));
        EXPECT_TRUE(WalkChunks(t_ld, n_length));
        EXPECT_EQ(s.n_object_num, 1) << "the handler of a chunk of length " << n_length << " runs";
        EXPECT_EQ(t_ld.t_in.Pos(), int64_t(n_length)) << "the next header is read at start plus length";
    }
    // a triangle object of length 5 whose successor starts at byte 5, inside its header
    TBytes bytes = ChunkHeader(id_TriObject, 5) + TBytes{0x41, 6, 0, 0, 0};
    std::unique_ptr<C3dsScene> s;
    ASSERT_TRUE(LoadBytes(bytes, s));
    EXPECT_EQ(s->n_object_num, 2);
}

TEST(ChunkWalker, ContainersAndChunksPastTheirParentsEnd)
{
    std::unique_ptr<C3dsScene> s;
    // a container of length 6 has no sub-chunks; the walk goes on after it
    ASSERT_TRUE(LoadBytes(CChunk(id_Main).Bytes() + CChunk(id_TriObject).Bytes(), s));
    EXPECT_EQ(s->n_object_num, 1);

    // the editor chunk ends at 12, its triangle object at 18: the bytes from
    // 12 to 18 are read inside the triangle object and again after the editor
    TBytes bytes = ChunkHeader(id_Editor, 12) + ChunkHeader(id_TriObject, 12) + ChunkHeader(id_TriObject, 6);
    ASSERT_TRUE(LoadBytes(bytes, s));
    EXPECT_EQ(s->n_object_num, 3);
}

TEST(ChunkWalker, NestingIsBounded)
{
    std::unique_ptr<C3dsScene> s;
    // 510 containers: the triangle object's own walk runs at level 512
    ASSERT_TRUE(LoadBytes(Nested(510, CChunk(id_TriObject)).Bytes(), s));
    EXPECT_EQ(s->n_object_num, 1);
    // one more: that walk would run at level 513 and fails though it has nothing to read
    EXPECT_FALSE(LoadBytes(Nested(511, CChunk(id_TriObject)).Bytes(), s));
    EXPECT_EQ(s->n_object_num, 1) << "the counting pass failed right after the handler";
    EXPECT_TRUE(s->p_object.empty());

    // a node's sub-chunks are walked one level below the walk that met it
    CChunk node = Node(id_ObjectNode, {});
    ASSERT_TRUE(LoadBytes(Nested(510, node).Bytes(), s));
    EXPECT_FALSE(LoadBytes(Nested(511, node).Bytes(), s));

    // far deeper than any stack would take without the bound
    TBytes deep;
    for(int i = 0; i < 200000; ++i) {
        TBytes header = ChunkHeader(id_Main, uint32_t(6 * (200000 - i)));
        deep.insert(deep.end(), header.begin(), header.end());
    }
    EXPECT_FALSE(LoadBytes(deep, s));
}

TEST(ReadName, LengthsAndEndOfFile)
{
    auto read = [](const std::string &r_s_bytes, std::string &r_s_name, int64_t &r_n_pos) {
        TBytes bytes(r_s_bytes.begin(), r_s_bytes.end());
        CInput t_in(bytes.data(), bytes.size());
        char p_buffer[64];
        std::memset(p_buffer, 'x', sizeof(p_buffer));
        bool b_whole = ReadName(p_buffer, t_in);
        r_s_name = p_buffer;
        r_n_pos = t_in.Pos();
        return b_whole;
    };
    std::string s_name;
    int64_t n_pos;
    std::string s_63(63, 'a');

    EXPECT_TRUE(read(s_63 + std::string(1, '\0') + "next", s_name, n_pos));
    EXPECT_EQ(s_name, s_63);
    EXPECT_EQ(n_pos, 64) << "the terminator of a 63-character name is consumed";

    std::string s_70 = std::string(63, 'b') + "CDEFGHI";
    EXPECT_TRUE(read(s_70 + std::string(1, '\0'), s_name, n_pos));
    EXPECT_EQ(s_name, std::string(63, 'b'));
    EXPECT_EQ(n_pos, 64) << "the 64th character is consumed and dropped";

    EXPECT_FALSE(read("abcdefghij", s_name, n_pos)) << "cut off by the end of the file";
    EXPECT_EQ(s_name, "abcdefghij");
    EXPECT_TRUE(read(s_63, s_name, n_pos)) << "63 characters are a whole name even at the end";
    EXPECT_FALSE(read("", s_name, n_pos));
    EXPECT_EQ(s_name, "");
    EXPECT_TRUE(read(std::string(1, '\0'), s_name, n_pos));
    EXPECT_EQ(s_name, "");
}

TEST(ReadName, LongObjectNameIsReadOnAsSubChunks)
{
    // the walk of the object's sub-chunks starts at the name's 65th
    // character, which here begins an unknown chunk that swallows the rest
    std::string s_name(70, 'A');
    TBytes bytes = Scene({CChunk(id_NamedObject).Name(s_name).Add(CChunk(id_TriObject))}).Bytes();
    std::unique_ptr<C3dsScene> s;
    ASSERT_TRUE(LoadBytes(bytes, s));
    EXPECT_EQ(s->n_object_num, 0);

    // a named object whose name runs to the end of the file: the load goes
    // on, and the fill pass starts with the name the counting pass read last
    TBytes cut = CChunk(id_TriObject).Bytes() + ChunkHeader(id_NamedObject, 100) + TBytes{'a', 'b'};
    ASSERT_TRUE(LoadBytes(cut, s));
    EXPECT_EQ(s->p_object[0].s_name, "ab");
}

TEST(Input, ValuesPastTheEndReadAsZero)
{
    TBytes bytes = {0x34, 0x12, 0x78};
    CInput t_in(bytes.data(), bytes.size());
    EXPECT_EQ(t_in.U16(), 0x1234);
    EXPECT_EQ(t_in.U32(), 0x78u) << "the byte that exists is kept, the rest is 0";
    EXPECT_EQ(t_in.U32(), 0u);
    EXPECT_EQ(t_in.Byte(), -1);

    // a vertex list whose last vertex is cut inside its z: the two bytes of
    // z in the file are kept, its two high bytes are 0
    TBytes mesh = CChunk(id_TriObject).Bytes();
    TBytes list = CChunk(id_VertexList).U16(2).Floats({1, 2, 3, 4, 5}).Bytes();
    TBytes file = mesh + list + TBytes{0x34, 0x12};
    std::unique_ptr<C3dsScene> s;
    ASSERT_TRUE(LoadBytes(file, s));
    const float *p = s->p_object[0].p_vertex[1].p_position;
    EXPECT_EQ(p[0], 4.0f);
    uint32_t n_z_bits;
    std::memcpy(&n_z_bits, &p[1], 4);
    EXPECT_EQ(n_z_bits, 0x1234u) << "z, stored second";
    EXPECT_EQ(p[2], 5.0f);

    // all three coordinates past the end
    TBytes past = mesh + CChunk(id_VertexList).U16(3).Floats({7, 8, 9}).Bytes();
    ASSERT_TRUE(LoadBytes(past, s));
    for(int v = 1; v < 3; ++v) {
        for(float f : s->p_object[0].p_vertex[size_t(v)].p_position)
            EXPECT_EQ(f, 0.0f);
    }
}
