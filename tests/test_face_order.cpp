// Material order and material ranges.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "geometry/face_order.h"

using namespace bake3ds;

namespace {

// A mesh whose faces carry the materials given, in order; each face's
// first corner records its file position, its second the material it was
// given, so that a material parted from its face shows.
TMesh MeshWithMaterials(const std::vector<int> &materials)
{
    TMesh m;
    for(size_t i = 0; i < materials.size(); ++i) {
        m.p_face.push_back(TFace{{uint32_t(i), uint32_t(materials[i]), 0}});
        m.p_face_material.push_back(materials[i]);
    }
    m.n_face_num = int(materials.size());
    return m;
}

// The faces into material order, with the places kept from call to call as
// the scene's completion keeps them.
void Sort(TMesh &m)
{
    static std::vector<uint32_t> places;
    SortFacesByMaterial(m, places);
}

std::vector<TMatRange> Ranges(TMesh &m)
{
    MakeMaterialRanges(m);
    return std::vector<TMatRange>(m.p_material_range.begin(), m.p_material_range.end());
}

std::vector<int> FileOrder(const TMesh &m)
{
    std::vector<int> order;
    EXPECT_EQ(m.p_face_material.size(), m.p_face.size());
    for(size_t k = 0; k < m.p_face.size(); ++k) {
        const TFace &f = m.p_face[k];
        EXPECT_EQ(m.p_face_material[k], int32_t(f.p_corner[1])) << "the material moves with its face";
        order.push_back(int(f.p_corner[0]));
    }
    return order;
}

void ExpectRange(const TMatRange &r, int n_material, int n_first, int n_count)
{
    EXPECT_EQ(r.material, n_material);
    EXPECT_EQ(r.first, n_first);
    EXPECT_EQ(r.count, n_count);
}

} // namespace

TEST(FaceOrder, StableSortBySignedMaterial)
{
    TMesh s = MeshWithMaterials({1, -1, 0, 1, -1});
    Sort(s);
    EXPECT_EQ(FileOrder(s), (std::vector<int>{1, 4, 2, 0, 3}));
    std::vector<TMatRange> r = Ranges(s);
    ASSERT_EQ(r.size(), 3u);
    ExpectRange(r[0], -1, 0, 6);
    ExpectRange(r[1], 0, 6, 3);
    ExpectRange(r[2], 1, 9, 6);

    TMesh sorted = MeshWithMaterials({-1, 0, 0, 3, 7, 7});
    Sort(sorted);
    EXPECT_EQ(FileOrder(sorted), (std::vector<int>{0, 1, 2, 3, 4, 5})) << "already in order";

    TMesh one = MeshWithMaterials({4, 4, 4, 4});
    Sort(one);
    EXPECT_EQ(FileOrder(one), (std::vector<int>{0, 1, 2, 3}));
    r = Ranges(one);
    ASSERT_EQ(r.size(), 1u);
    ExpectRange(r[0], 4, 0, 12);
}

TEST(FaceOrder, MeshesWithoutOrWithOneFace)
{
    TMesh empty = MeshWithMaterials({});
    std::vector<TMatRange> r = Ranges(empty);
    ASSERT_EQ(r.size(), 1u);
    ExpectRange(r[0], -1, 0, 0);

    TMesh one = MeshWithMaterials({2});
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
        for(int i = 0; i < 5000; ++i)
            materials.push_back(((i * 7919) % 5 - 1) * n_spread);
        TMesh s = MeshWithMaterials(materials);
        Sort(s);
        std::vector<int> order = FileOrder(s);
        for(size_t k = 1; k < order.size(); ++k) {
            int a = materials[size_t(order[k - 1])], b = materials[size_t(order[k])];
            ASSERT_TRUE(a < b || (a == b && order[k - 1] < order[k])) << "spread " << n_spread << ", face " << k;
        }
        std::vector<TMatRange> r = Ranges(s);
        ASSERT_EQ(r.size(), 5u);
        EXPECT_EQ(r[1].material, 0);
        EXPECT_EQ(r.back().material, 3 * n_spread);
        EXPECT_EQ(r.back().first + r.back().count, 15000);
    }
}
