#include "scene/face_order.h"

#include <algorithm>

namespace bake3ds {

bool b_MaterialLess(const TFace &r_a, const TFace &r_b)
{
    return r_a.n_material < r_b.n_material;
}

void SortFacesByMaterial(TMesh &r_mesh)
{
    std::stable_sort(r_mesh.p_face.begin(), r_mesh.p_face.end(), b_MaterialLess);
}

int n_MatRange_Num(const C3dsScene &r_scene, int n_object)
{
    const std::vector<TFace> &r_faces = r_scene.p_object[size_t(n_object)].p_face;
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
    const std::vector<TFace> &r_faces = m_r_mesh.p_face;
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
