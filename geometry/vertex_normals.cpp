#include "geometry/normals.h"
#include "geometry/position_key.h"
#include "geometry/vector3.h"

namespace bake3ds {

namespace {

// Gives every vertex the index of the first vertex at its position, or -1
// for a position with a NaN. Open addressing over a table of at least twice
// as many slots as vertices, a slot holding only that first vertex's index:
// 12 bytes a vertex in all, so that the tables of a large mesh fit in
// memory the load has already freed instead of faulting in fresh pages.
void GroupByPosition(const TMesh &r_mesh, std::vector<int> &r_first)
{
    size_t n_vertex = r_mesh.p_vertex.size();
    size_t n_slots = 16;
    while(n_slots < 2 * n_vertex)
        n_slots *= 2;
    std::vector<int> slots(n_slots, -1);
    r_first.assign(n_vertex, -1);
    for(size_t v = 0; v < n_vertex; ++ v) {
        TPositionKey t_key;
        if(!TPositionKey::b_Make(r_mesh.p_vertex[v].p_position, t_key))
            continue;
        size_t n_slot = t_key.n_Hash() & (n_slots - 1);
        for(;; n_slot = (n_slot + 1) & (n_slots - 1)) {
            int n_first = slots[n_slot];
            if(n_first < 0) {
                slots[n_slot] = int(v);
                r_first[v] = int(v);
                break;
            }
            TPositionKey t_other{}; // a first vertex has no NaN: its key is made
            TPositionKey::b_Make(r_mesh.p_vertex[size_t(n_first)].p_position, t_other);
            if(t_other == t_key) {
                r_first[v] = n_first;
                break;
            }
        }
    }
}

} // namespace

void CalcVertexNormals(TMesh &r_mesh)
{
    // A corner lies at its own vertex's position, so a corner matches every
    // vertex of its vertex's group. Summing per group, faces in order and
    // corners 0, 1, 2, adds the same normals in the same order as testing
    // each vertex against each corner. A group's sum is kept in its first
    // vertex's normal, which is where it ends up anyway.
    TRecordArray<TVertex> &r_vertices = r_mesh.p_vertex;
    std::vector<int> first;
    GroupByPosition(r_mesh, first);
    for(size_t v = 0; v < r_vertices.size(); ++ v) {
        if(first[v] == int(v))
            TVector3().Store(r_vertices[v].p_normal);
    }
    for(const TFace &r_face : r_mesh.p_face) {
        TVector3 v_normal(r_face.p_normal);
        for(int k = 0; k < 3; ++ k) {
            int n_first = first[size_t(r_face.p_corner[k])];
            if(n_first < 0)
                continue;
            float *p_sum = r_vertices[size_t(n_first)].p_normal;
            TVector3 v_sum(p_sum);
            v_sum += v_normal;
            v_sum.Store(p_sum);
        }
    }
    // a group's first vertex comes before the others, so its sum is
    // normalised before they copy it
    for(size_t v = 0; v < r_vertices.size(); ++ v) {
        TVector3 v_normal; // a NaN position matches no corner at all
        if(first[v] == int(v)) {
            v_normal = TVector3(r_vertices[v].p_normal);
            Normalize(v_normal);
        } else if(first[v] >= 0)
            v_normal = TVector3(r_vertices[size_t(first[v])].p_normal);
        v_normal.Store(r_vertices[v].p_normal);
    }
}

} // namespace bake3ds
