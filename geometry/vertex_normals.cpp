#include "geometry/normals.h"
#include "geometry/position_key.h"
#include "geometry/vector3.h"

namespace bake3ds {

namespace {

// Gives every vertex the index of the first vertex at its position, or -1
// for a position with a NaN. Open addressing over a table of at least twice
// as many slots as vertices, a slot holding only that first vertex's index:
// 12 bytes a vertex in all, the tables kept from mesh to mesh.
void GroupByPosition(const TMesh &r_mesh, std::vector<int> &r_slots, std::vector<int> &r_first)
{
    size_t n_vertex = r_mesh.p_vertex.size();
    size_t n_slots = 16;
    while(n_slots < 2 * n_vertex)
        n_slots *= 2;
    r_slots.assign(n_slots, -1);
    r_first.assign(n_vertex, -1);
    for(size_t v = 0; v < n_vertex; ++v) {
        TPositionKey t_key;
        if(!TPositionKey::Make(r_mesh.p_vertex[v].p_position, t_key))
            continue;
        size_t n_slot = t_key.Hash() & (n_slots - 1);
        for(;; n_slot = (n_slot + 1) & (n_slots - 1)) {
            int n_first = r_slots[n_slot];
            if(n_first < 0) {
                r_slots[n_slot] = int(v);
                r_first[v] = int(v);
                break;
            }
            TPositionKey t_other{}; // a first vertex has no NaN: its key is made
            TPositionKey::Make(r_mesh.p_vertex[size_t(n_first)].p_position, t_other);
            if(t_other == t_key) {
                r_first[v] = n_first;
                break;
            }
        }
    }
}

} // namespace

void CalcVertexNormals(TMesh &r_mesh, TNormalsScratch &r_scratch)
{
    // A corner lies at its own vertex's position, so a corner matches every
    // vertex of its vertex's group. Summing per group, faces in order and
    // corners 0, 1, 2, adds the same normals in the same order as testing
    // each vertex against each corner. A group's sum is kept in its first
    // vertex's normal, which is where it ends up anyway.
    TRecordArray<TVertex> &r_vertices = r_mesh.p_vertex;
    std::vector<int> &r_p_first = r_scratch.p_first;
    GroupByPosition(r_mesh, r_scratch.p_slots, r_p_first);
    for(size_t v = 0; v < r_vertices.size(); ++v) {
        if(r_p_first[v] == int(v))
            TVector3().Store(r_vertices[v].p_normal);
    }
    // each face's normal computed where it is added: positions do not change
    // here, and no array of face normals is touched
    for(const TFace &r_face : r_mesh.p_face) {
        TVector3 v_face = FaceNormal(r_mesh, r_face);
        for(uint32_t n_corner : r_face.p_corner) {
            int n_first = r_p_first[n_corner];
            if(n_first < 0)
                continue;
            float *p_sum = r_vertices[size_t(n_first)].p_normal;
            TVector3 v_sum(p_sum);
            v_sum += v_face;
            v_sum.Store(p_sum);
        }
    }
    // a group's first vertex comes before the others, so its normal is
    // final before they copy it; the header's normal points the other way,
    // and negating is exact
    for(size_t v = 0; v < r_vertices.size(); ++v) {
        TVector3 v_normal; // a NaN position matches no corner at all
        if(r_p_first[v] == int(v)) {
            v_normal = TVector3(r_vertices[v].p_normal);
            Normalize(v_normal);
            v_normal = TVector3(-v_normal.x, -v_normal.y, -v_normal.z);
        } else if(r_p_first[v] >= 0)
            v_normal = TVector3(r_vertices[size_t(r_p_first[v])].p_normal);
        else
            v_normal = TVector3(-v_normal.x, -v_normal.y, -v_normal.z);
        v_normal.Store(r_vertices[v].p_normal);
    }
}

} // namespace bake3ds
