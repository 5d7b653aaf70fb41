#include "geometry/normals.h"

namespace bake3ds {

void CalcFaceNormals(const TMesh &r_mesh, std::vector<TVector3> &r_normals)
{
    r_normals.resize(r_mesh.p_face.size());
    for(size_t f = 0; f < r_mesh.p_face.size(); ++ f) {
        const TFace &r_face = r_mesh.p_face[f];
        TVector3 c0(r_mesh.p_vertex[r_face.p_corner[0]].p_position);
        TVector3 c1(r_mesh.p_vertex[r_face.p_corner[1]].p_position);
        TVector3 c2(r_mesh.p_vertex[r_face.p_corner[2]].p_position);
        TVector3 v_normal = Cross(c1 - c2, c0 - c2);
        Normalize(v_normal);
        r_normals[f] = v_normal;
    }
}

void CalcNormals(TMesh &r_mesh, TNormalsScratch &r_scratch)
{
    CalcFaceNormals(r_mesh, r_scratch.face_normals);
    CalcVertexNormals(r_mesh, r_scratch.face_normals, r_scratch);
}

} // namespace bake3ds
