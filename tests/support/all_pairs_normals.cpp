#include "all_pairs_normals.h"

#include "geometry/vector3.h"

namespace reference {

using namespace bake3ds;

void CalcVertexNormalsAllPairs(TMesh &r_mesh)
{
    for(TVertex &r_vertex : r_mesh.p_vertex) {
        TVector3 v_sum(0, 0, 0);
        const float *p = r_vertex.p_position;
        for(const TFace &r_face : r_mesh.p_face) {
            for(int k = 0; k < 3; ++ k) {
                const float *q = r_mesh.p_vertex[size_t(r_face.p_corner[k])].p_position;
                if(p[0] == q[0] && p[1] == q[1] && p[2] == q[2])
                    v_sum += TVector3(r_face.p_normal);
            }
        }
        Normalize(v_sum);
        v_sum.Store(r_vertex.p_normal);
    }
}

} // namespace reference
