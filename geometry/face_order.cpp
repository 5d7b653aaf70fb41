#include "geometry/face_order.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace bake3ds {

bool b_MaterialLess(const TFace &r_a, const TFace &r_b)
{
    return r_a.n_material < r_b.n_material;
}

void SortFacesByMaterial(TMesh &r_mesh)
{
    TRecordArray<TFace> &r_faces = r_mesh.p_face;
    if(r_faces.size() < 2)
        return;
    int n_min = r_faces[0].n_material, n_max = n_min;
    for(const TFace &r_face : r_faces) {
        n_min = std::min(n_min, r_face.n_material);
        n_max = std::max(n_max, r_face.n_material);
    }
    if(int64_t(n_max) - n_min < int64_t(r_faces.size())) {
        // few distinct values, as material indices are: a counting sort,
        // stable by construction, one pass to count and one to give each
        // face its place; the faces then move to their places in place, by
        // cycles, so that no second face array is touched
        try {
            std::vector<uint32_t> places(size_t(n_max - n_min) + 2, 0);
            for(const TFace &r_face : r_faces)
                ++ places[size_t(r_face.n_material - n_min) + 1];
            for(size_t i = 1; i < places.size(); ++ i)
                places[i] += places[i - 1];
            std::vector<uint32_t> place(r_faces.size());
            for(size_t i = 0; i < r_faces.size(); ++ i)
                place[i] = places[size_t(r_faces[i].n_material - n_min)] ++;
            for(size_t i = 0; i < r_faces.size(); ++ i) {
                while(place[i] != i) {
                    uint32_t n_to = place[i];
                    std::swap(r_faces[i], r_faces[n_to]);
                    std::swap(place[i], place[n_to]);
                }
            }
            return;
        } catch(const std::bad_alloc &) {
            // no room for the places: the merge sort below works in place then
        }
    }
    // a lambda rather than the function's address, so that the comparison is inlined
    std::stable_sort(r_faces.begin(), r_faces.end(),
        [](const TFace &r_a, const TFace &r_b) { return b_MaterialLess(r_a, r_b); });
}

int n_MatRange_Num(const C3dsScene &r_scene, int n_object)
{
    const TRecordArray<TFace> &r_faces = r_scene.p_object[size_t(n_object)].p_face;
    int n_range_num = 1;
    for(size_t k = 1; k < r_faces.size(); ++ k) {
        if(r_faces[k].n_material != r_faces[k - 1].n_material)
            ++ n_range_num;
    }
    return n_range_num;
}

bool CMatRangeWalk::b_Next(TMatRange &r_range)
{
    if(m_b_done)
        return false;
    const TRecordArray<TFace> &r_faces = m_r_mesh.p_face;
    int n_face_num = int(r_faces.size());
    if(n_face_num == 0) {
        // the single range of a mesh without faces; no face is read for it
        r_range = TMatRange{-1, 0, 0};
        m_b_done = true;
        return true;
    }
    int n_material = r_faces[size_t(m_n_start)].n_material;
    int n_end = m_n_start;
    while(n_end < n_face_num && r_faces[size_t(n_end)].n_material == n_material)
        ++ n_end;
    r_range = TMatRange{n_material, 3 * m_n_start, 3 * (n_end - m_n_start)};
    m_n_start = n_end;
    m_b_done = n_end == n_face_num;
    return true;
}

} // namespace bake3ds
