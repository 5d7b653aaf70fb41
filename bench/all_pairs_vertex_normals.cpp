// The bench-only converter's vertex normals: the literal rule, every vertex
// against every corner, in place of the linear grouping.

#include "all_pairs_normals.h"
#include "geometry/normals.h"

namespace bake3ds {

void CalcVertexNormals(TMesh &r_mesh)
{
    reference::CalcVertexNormalsAllPairs(r_mesh);
}

} // namespace bake3ds
