// Face and vertex normals: the worked cases, and the linear grouping held
// bit for bit to the literal rule on random meshes.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <unordered_map>

#include "all_pairs_normals.h"
#include "geometry/normals.h"
#include "geometry/position_key.h"
#include "test_support.h"

using namespace bake3ds;

namespace {

TMesh MakeMesh(const std::vector<std::array<float, 3>> &positions, const std::vector<std::array<int, 3>> &corners)
{
    TMesh m;
    for(const std::array<float, 3> &p : positions) {
        TVertex v = {};
        std::memcpy(v.p_position, p.data(), sizeof(v.p_position));
        m.p_vertex.push_back(v);
    }
    for(const std::array<int, 3> &c : corners) {
        m.p_face.push_back(TFace{{uint32_t(c[0]), uint32_t(c[1]), uint32_t(c[2])}});
        m.p_face_material.push_back(-1);
    }
    m.n_vertex_num = int(m.p_vertex.size());
    m.n_face_num = int(m.p_face.size());
    return m;
}

void ExpectVector(const float *p, float x, float y, float z, const char *s_what)
{
    EXPECT_FLOAT_EQ(p[0], x) << s_what;
    EXPECT_FLOAT_EQ(p[1], y) << s_what;
    EXPECT_FLOAT_EQ(p[2], z) << s_what;
}

// The face normals, which the vertex normals are made from.
std::vector<TVector3> FaceNormals(const TMesh &m)
{
    std::vector<TVector3> faces;
    for(const TFace &r_face : m.p_face)
        faces.push_back(FaceNormal(m, r_face));
    return faces;
}

// The face normals, and the vertex normals: the header's, negated.
std::vector<TVector3> CalcNormals(TMesh &m)
{
    TNormalsScratch t_scratch;
    CalcVertexNormals(m, t_scratch);
    return FaceNormals(m);
}

void ExpectVector(const TVector3 &v, float x, float y, float z, const char *s_what)
{
    float p[3];
    v.Store(p);
    ExpectVector(p, x, y, z, s_what);
}

} // namespace

TEST(Normals, FaceNormalOfStoredCorners)
{
    TMesh m = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
    std::vector<TVector3> faces = CalcNormals(m);
    ExpectVector(faces[0], 0, 0, -1, "face");
    for(const TVertex &v : m.p_vertex)
        ExpectVector(v.p_normal, 0, 0, 1, "each vertex of a single face, negated");
}

TEST(Normals, SharedEdgeAndSharedPosition)
{
    // face 0 has normal (0, 0, 1), face 1 (1, 0, 0); they share vertices 0 and 1
    TMesh m = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}}, {{0, 1, 2}, {0, 3, 1}});
    std::vector<TVector3> faces = FaceNormals(m);
    ASSERT_EQ(faces.size(), 2u);
    ExpectVector(faces[0], 0, 0, 1, "face 0");
    ExpectVector(faces[1], 1, 0, 0, "face 1");
    TNormalsScratch t_scratch;
    CalcVertexNormals(m, t_scratch);
    float f = std::sqrt(0.5f);
    ExpectVector(m.p_vertex[0].p_normal, -f, 0, -f, "shared vertex");
    ExpectVector(m.p_vertex[1].p_normal, -f, 0, -f, "shared vertex");
    ExpectVector(m.p_vertex[2].p_normal, 0, 0, -1, "only in face 0");
    ExpectVector(m.p_vertex[3].p_normal, -1, 0, 0, "only in face 1");

    // the same faces with vertex 1 duplicated at a seam: both copies are smoothed
    TMesh seam = MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}, {0, 1, 0}}, {{0, 1, 2}, {0, 3, 4}});
    CalcNormals(seam);
    ExpectVector(seam.p_vertex[1].p_normal, -f, 0, -f, "seam copy 1");
    ExpectVector(seam.p_vertex[4].p_normal, -f, 0, -f, "seam copy 2");
}

TEST(Normals, DegenerateAndUnusedGiveZero)
{
    // a face with two corners at one position has the zero normal and adds nothing
    TMesh m = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 0, 0}, {5, 5, 5}}, {{0, 1, 2}, {1, 3, 0}});
    std::vector<TVector3> faces = CalcNormals(m);
    ExpectVector(faces[1], 0, 0, 0, "degenerate face");
    ExpectVector(m.p_vertex[1].p_normal, 0, 0, 1, "vertex of both faces");
    ExpectVector(m.p_vertex[4].p_normal, 0, 0, 0, "vertex no face uses");

    TMesh no_faces = MakeMesh({{1, 2, 3}, {4, 5, 6}}, {});
    no_faces.p_vertex[0].p_normal[0] = 9;
    CalcNormals(no_faces);
    ExpectVector(no_faces.p_vertex[0].p_normal, 0, 0, 0, "a mesh without faces");
}

TEST(Normals, NegativeZeroMatchesZeroAndNaNMatchesNothing)
{
    float f_nan = std::numeric_limits<float>::quiet_NaN();
    // vertex 3 sits at vertex 0's position with x = -0; vertex 4 has a NaN
    TMesh m =
        MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {-0.0f, 0, 0}, {f_nan, 0, 0}, {0, 0, 1}}, {{0, 1, 2}, {4, 5, 1}});
    std::vector<TVector3> faces = CalcNormals(m);
    ExpectVector(m.p_vertex[3].p_normal, 0, 0, 1, "-0 is the position 0");
    ExpectVector(m.p_vertex[4].p_normal, 0, 0, 0, "a NaN position matches not even its own corner");
    EXPECT_TRUE(std::isnan(faces[1].x));
    ExpectVector(m.p_vertex[2].p_normal, 0, 0, 1, "only face 0 reaches vertex 2");
}

TEST(Normals, MeshesDoNotAffectEachOther)
{
    using namespace fixture;
    TBytes bytes = Scene({MeshObject("a", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}),
                             MeshObject("b", {{0, 0, 0}, {0, 0, 1}, {1, 0, 0}}, {{0, 1, 2}})})
                       .Bytes();
    C3dsScene s;
    ASSERT_TRUE(testing_support::LoadBytes(bytes, s));
    ExpectVector(s.p_object[0].p_vertex[0].p_normal, 0, 1, 0, "mesh a alone");
    ExpectVector(s.p_object[1].p_vertex[0].p_normal, 0, 0, 1, "mesh b alone");
}

// Two positions whose keys hash alike are still two positions: each vertex
// gets its own face's normal, not the sum of both. Such a pair is found by
// trying random positions until two hashes meet (about 2^16 tries).
TEST(Normals, PositionsOfOneHashStayApart)
{
    std::mt19937 t_random(2026);
    std::unordered_map<uint32_t, std::array<float, 3>> by_hash;
    by_hash.reserve(1 << 20);
    std::array<float, 3> p_first = {}, p_second = {};
    for(bool b_found = false; !b_found;) {
        std::array<float, 3> p;
        for(float &f : p)
            f = float(int(t_random() % 2000001) - 1000000) / 1024.0f;
        TPositionKey t_key;
        ASSERT_TRUE(TPositionKey::Make(p.data(), t_key));
        auto t_inserted = by_hash.emplace(t_key.Hash(), p);
        if(!t_inserted.second && t_inserted.first->second != p) {
            p_first = t_inserted.first->second;
            p_second = p;
            b_found = true;
        }
        ASSERT_LT(by_hash.size(), 1u << 20) << "no two hashes met";
    }
    // two triangles far apart, each with one corner at one of the positions
    // and facing another way
    std::array<float, 3> a = p_first, b = p_second;
    TMesh m =
        MakeMesh({a, {a[0] + 1, a[1], a[2]}, {a[0], a[1] + 1, a[2]}, b, {b[0], b[1] + 1, b[2]}, {b[0], b[1], b[2] + 1}},
            {{0, 1, 2}, {3, 4, 5}});
    CalcNormals(m);
    ExpectVector(m.p_vertex[0].p_normal, 0, 0, 1, "the first position, its face alone");
    ExpectVector(m.p_vertex[3].p_normal, 1, 0, 0, "the second position, its face alone");
}

// Random meshes with few distinct coordinates, so that positions repeat
// (seams, shared corners, degenerate faces), with -0, NaN and infinities.
TEST(Normals, GroupingEqualsAllPairsBitForBit)
{
    std::mt19937 t_random(12345);
    const float p_values[] = {0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 2.25f, 1e-30f, 3e7f, -7.125f,
        std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
    // what the grouping wrote, by case: a normal gathered only through other
    // vertices' corners at the same position (no face uses the vertex
    // itself), a NaN normal, and the zero normal
    int n_by_position = 0, n_nan = 0, n_zero = 0;
    // kept from mesh to mesh, as a scene's meshes keep it
    TNormalsScratch t_scratch;
    for(int n_mesh = 0; n_mesh < 300; ++n_mesh) {
        int n_vertex = 1 + int(t_random() % 120);
        int n_face = int(t_random() % 200);
        int n_kinds = n_mesh % 3 == 0 ? 11 : 9; // some meshes without NaN and inf
        std::vector<std::array<float, 3>> positions;
        for(int v = 0; v < n_vertex; ++v) {
            if(v && t_random() % 4 == 0) {
                positions.push_back(positions[t_random() % positions.size()]); // a seam copy
                continue;
            }
            std::array<float, 3> p;
            for(float &f : p)
                f = p_values[t_random() % (t_random() % 5 ? 4 : n_kinds)] * (t_random() % 7 == 0 ? 3.0f : 1.0f);
            positions.push_back(p);
        }
        std::vector<std::array<int, 3>> corners;
        for(int f = 0; f < n_face; ++f)
            corners.push_back({int(t_random() % n_vertex), int(t_random() % n_vertex), int(t_random() % n_vertex)});
        TMesh m = MakeMesh(positions, corners);
        TMesh reference_mesh = m;
        // twice: what the first run left in the normals does not count
        CalcVertexNormals(m, t_scratch);
        CalcVertexNormals(m, t_scratch);
        reference::CalcVertexNormalsAllPairs(reference_mesh);
        std::vector<bool> used(m.p_vertex.size(), false);
        for(const std::array<int, 3> &r_corners : corners) {
            for(int n_corner : r_corners)
                used[size_t(n_corner)] = true;
        }
        for(size_t v = 0; v < m.p_vertex.size(); ++v) {
            const float *p_normal = m.p_vertex[v].p_normal;
            if(std::isnan(p_normal[0]) || std::isnan(p_normal[1]) || std::isnan(p_normal[2]))
                ++n_nan;
            else if(p_normal[0] == 0 && p_normal[1] == 0 && p_normal[2] == 0)
                ++n_zero;
            else if(!used[v])
                ++n_by_position;
            for(int i = 0; i < 3; ++i) {
                // identical bits, the sign of zero included; a NaN is written
                // the same whatever its sign and payload
                float f = m.p_vertex[v].p_normal[i], g = reference_mesh.p_vertex[v].p_normal[i];
                ASSERT_TRUE((std::isnan(f) && std::isnan(g)) || std::memcmp(&f, &g, 4) == 0)
                    << "mesh " << n_mesh << " vertex " << v << ": " << f << " != " << g;
            }
        }
    }
    EXPECT_GT(n_by_position, 0);
    EXPECT_GT(n_nan, 0);
    EXPECT_GT(n_zero, 0);
}
