// Material order and material ranges.

#include <gtest/gtest.h>

#include "geometry/face_order.h"

using namespace bake3ds;

namespace {

// A scene of one mesh whose faces carry the materials given, in order;
// each face's first corner and normal x record its file position.
C3dsScene SceneWithMaterials(const std::vector<int> &materials)
{
    C3dsScene s;
    s.n_object_num = 1;
    s.p_object.resize(1);
    TMesh &m = s.p_object[0];
    for(size_t i = 0; i < materials.size(); ++ i)
        m.p_face.push_back(TFace{materials[i], {int(i), 0, 0}, {float(i), 0, 0}});
    m.n_face_num = int(materials.size());
    return s;
}

std::vector<TMatRange> Ranges(const C3dsScene &s)
{
    std::vector<TMatRange> ranges;
    CMatRangeWalk t_walk(s.p_object[0]);
    TMatRange t_range;
    while(t_walk.b_Next(t_range))
        ranges.push_back(t_range);
    EXPECT_EQ(int(ranges.size()), n_MatRange_Num(s, 0));
    return ranges;
}

std::vector<int> FileOrder(const C3dsScene &s)
{
    std::vector<int> order;
    for(const TFace &f : s.p_object[0].p_face) {
        EXPECT_EQ(f.p_normal[0], float(f.p_corner[0])) << "the normal moves with its face";
        order.push_back(f.p_corner[0]);
    }
    return order;
}

void ExpectRange(const TMatRange &r, int n_material, int n_first, int n_count)
{
    EXPECT_EQ(r.n_material, n_material);
    EXPECT_EQ(r.n_first, n_first);
    EXPECT_EQ(r.n_count, n_count);
}

} // namespace

TEST(FaceOrder, StableSortBySignedMaterial)
{
    C3dsScene s = SceneWithMaterials({1, -1, 0, 1, -1});
    SortFacesByMaterial(s.p_object[0]);
    EXPECT_EQ(FileOrder(s), (std::vector<int>{1, 4, 2, 0, 3}));
    std::vector<TMatRange> r = Ranges(s);
    ASSERT_EQ(r.size(), 3u);
    ExpectRange(r[0], -1, 0, 6);
    ExpectRange(r[1], 0, 6, 3);
    ExpectRange(r[2], 1, 9, 6);

    C3dsScene sorted = SceneWithMaterials({-1, 0, 0, 3, 7, 7});
    SortFacesByMaterial(sorted.p_object[0]);
    EXPECT_EQ(FileOrder(sorted), (std::vector<int>{0, 1, 2, 3, 4, 5})) << "already in order";

    C3dsScene one = SceneWithMaterials({4, 4, 4, 4});
    SortFacesByMaterial(one.p_object[0]);
    EXPECT_EQ(FileOrder(one), (std::vector<int>{0, 1, 2, 3}));
    r = Ranges(one);
    ASSERT_EQ(r.size(), 1u);
    ExpectRange(r[0], 4, 0, 12);
}

TEST(FaceOrder, MeshesWithoutOrWithOneFace)
{
    C3dsScene empty = SceneWithMaterials({});
    std::vector<TMatRange> r = Ranges(empty);
    ASSERT_EQ(r.size(), 1u);
    ExpectRange(r[0], -1, 0, 0);

    C3dsScene one = SceneWithMaterials({2});
    r = Ranges(one);
    ASSERT_EQ(r.size(), 1u);
    ExpectRange(r[0], 2, 0, 3);
}

// Two large meshes, one for each way of sorting: material indices close
// together are counted into place; indices spread wider than the mesh has
// faces go through the merge sort, whose stability shows only where runs of
// equal materials are long enough for an unstable sort to reorder them.
TEST(FaceOrder, LargeMeshKeepsFileOrderWithinMaterials)
{
    for(int n_spread : {1, 10000}) {
        std::vector<int> materials;
        for(int i = 0; i < 5000; ++ i)
            materials.push_back(((i * 7919) % 5 - 1) * n_spread);
        C3dsScene s = SceneWithMaterials(materials);
        SortFacesByMaterial(s.p_object[0]);
        std::vector<int> order = FileOrder(s);
        for(size_t k = 1; k < order.size(); ++ k) {
            int a = materials[size_t(order[k - 1])], b = materials[size_t(order[k])];
            ASSERT_TRUE(a < b || (a == b && order[k - 1] < order[k])) << "spread " << n_spread << ", face " << k;
        }
        std::vector<TMatRange> r = Ranges(s);
        ASSERT_EQ(r.size(), 5u);
        EXPECT_EQ(r[1].n_material, 0);
        EXPECT_EQ(r.back().n_material, 3 * n_spread);
        EXPECT_EQ(r.back().n_first + r.back().n_count, 15000);
    }
}
