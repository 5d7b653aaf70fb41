#include "geometry/normals.h"

#include "geometry/vector3.h"

namespace bake3ds {

void CalcFaceNormals(TMesh &r_mesh)
{
    for(TFace &r_face : r_mesh.p_face) {
        TVector3 c0(r_mesh.p_vertex[r_face.p_corner[0]].p_position);
        TVector3 c1(r_mesh.p_vertex[r_face.p_corner[1]].p_position);
        TVector3 c2(r_mesh.p_vertex[r_face.p_corner[2]].p_position);
        TVector3 v_normal = Cross(c1 - c2, c0 - c2);
        Normalize(v_normal);
        v_normal.Store(r_face.p_normal);
    }
}

} // namespace bake3ds
