#include "all_pairs_normals.h"

namespace reference {

using namespace bake3ds;

void CalcVertexNormalsAllPairs(TMesh &r_mesh, const std::vector<TVector3> &r_face_normals)
{
    for(TVertex &r_vertex : r_mesh.p_vertex) {
        TVector3 v_sum(0, 0, 0);
        const float *p = r_vertex.p_position;
        for(size_t f = 0; f < r_mesh.p_face.size(); ++ f) {
            for(uint32_t n_corner : r_mesh.p_face[f].p_corner) {
                const float *q = r_mesh.p_vertex[n_corner].p_position;
                if(p[0] == q[0] && p[1] == q[1] && p[2] == q[2])
                    v_sum += r_face_normals[f];
            }
        }
        Normalize(v_sum);
        // the header's normal points the other way
        TVector3(-v_sum.x, -v_sum.y, -v_sum.z).Store(r_vertex.p_normal);
    }
}

} // namespace reference
