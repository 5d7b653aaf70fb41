#include "geometry/complete_scene.h"

#include "geometry/face_order.h"
#include "geometry/normals.h"

namespace bake3ds {

void CompleteScene(C3dsScene &r_scene)
{
    for(TMesh &r_mesh : r_scene.p_object) {
        CalcFaceNormals(r_mesh);
        CalcVertexNormals(r_mesh);
        SortFacesByMaterial(r_mesh);
    }
}

} // namespace bake3ds
