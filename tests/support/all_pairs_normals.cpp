#include "all_pairs_normals.h"

#include "geometry/normals.h"

namespace reference {

using namespace bake3ds;

void CalcVertexNormalsAllPairs(TMesh &r_mesh)
{
    for(TVertex &r_vertex : r_mesh.p_vertex) {
        TVector3 v_sum(0, 0, 0);
        const float *p = r_vertex.p_position;
        for(const TFace &r_face : r_mesh.p_face) {
            for(uint32_t n_corner : r_face.p_corner) {
                const float *q = r_mesh.p_vertex[n_corner].p_position;
                if(p[0] == q[0] && p[1] == q[1] && p[2] == q[2])
                    v_sum += FaceNormal(r_mesh, r_face);
            }
        }
        Normalize(v_sum);
        // the header's normal points the other way
        TVector3(-v_sum.x, -v_sum.y, -v_sum.z).Store(r_vertex.p_normal);
    }
}

} // namespace reference
