#include "geometry/complete_scene.h"

#include "geometry/face_order.h"
#include "geometry/normals.h"

namespace bake3ds {

void CompleteScene(C3dsScene &r_scene)
{
    TNormalsScratch t_scratch;
    std::vector<uint32_t> p_places;
    for(TMesh &r_mesh : r_scene.p_object) {
        CalcVertexNormals(r_mesh, t_scratch);
        SortFacesByMaterial(r_mesh, p_places);
        MakeMaterialRanges(r_mesh);
    }
}

} // namespace bake3ds
