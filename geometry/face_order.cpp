#include "geometry/face_order.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace bake3ds {

namespace {

// r_places[i] is where face i goes: it moves the faces and their materials
// there in place, by cycles, so that no second face array is touched.
void MoveToPlaces(TMesh &r_mesh, std::vector<uint32_t> &r_places)
{
    TRecordArray<TFace> &r_faces = r_mesh.p_face;
    TRecordArray<int32_t> &r_materials = r_mesh.p_face_material;
    for(size_t i = 0; i < r_faces.size(); ++i) {
        while(r_places[i] != i) {
            uint32_t n_to = r_places[i];
            std::swap(r_faces[i], r_faces[n_to]);
            std::swap(r_materials[i], r_materials[n_to]);
            std::swap(r_places[i], r_places[n_to]);
        }
    }
}

} // namespace

void SortFacesByMaterial(TMesh &r_mesh, std::vector<uint32_t> &r_places)
{
    const TRecordArray<int32_t> &r_materials = r_mesh.p_face_material;
    size_t n_faces = r_materials.size();
    if(n_faces < 2)
        return;
    auto p_bounds = std::minmax_element(r_materials.begin(), r_materials.end());
    int32_t n_min = *p_bounds.first, n_max = *p_bounds.second;
    r_places.resize(n_faces);
    if(int64_t(n_max) - n_min < int64_t(n_faces)) {
        // few distinct values, as material indices are: a counting sort,
        // stable by construction, one pass to count and one to give each
        // face its place
        std::vector<uint32_t> p_starts(size_t(n_max - n_min) + 2, 0);
        for(int32_t n_material : r_materials)
            ++p_starts[size_t(n_material - n_min) + 1];
        for(size_t i = 1; i < p_starts.size(); ++i)
            p_starts[i] += p_starts[i - 1];
        for(size_t i = 0; i < n_faces; ++i)
            r_places[i] = p_starts[size_t(r_materials[i] - n_min)]++;
    } else {
        // values spread wider than there are faces: the faces' order by a
        // stable sort, turned into each face's place
        std::vector<uint32_t> p_order(n_faces);
        std::iota(p_order.begin(), p_order.end(), 0u);
        std::stable_sort(p_order.begin(), p_order.end(),
            [&](uint32_t a, uint32_t b) { return r_materials[a] < r_materials[b]; });
        for(size_t k = 0; k < n_faces; ++k)
            r_places[p_order[k]] = uint32_t(k);
    }
    MoveToPlaces(r_mesh, r_places);
}

void MakeMaterialRanges(TMesh &r_mesh)
{
    const TRecordArray<int32_t> &r_materials = r_mesh.p_face_material;
    size_t n_faces = r_materials.size();
    size_t n_ranges = 1;
    for(size_t k = 1; k < n_faces; ++k) {
        if(r_materials[k] != r_materials[k - 1])
            ++n_ranges;
    }
    TRecordArray<TMatRange> &r_ranges = r_mesh.p_material_range;
    r_ranges.clear();
    r_ranges.reserve(n_ranges);
    if(!n_faces) {
        r_ranges.push_back(TMatRange{-1, 0, 0});
        return;
    }
    size_t n_start = 0;
    for(size_t k = 1; k <= n_faces; ++k) {
        if(k == n_faces || r_materials[k] != r_materials[n_start]) {
            r_ranges.push_back(TMatRange{r_materials[n_start], int32_t(3 * n_start), int32_t(3 * (k - n_start))});
            n_start = k;
        }
    }
}

} // namespace bake3ds
