#include "geometry/normals.h"
#include "geometry/position_key.h"
#include "geometry/vector3.h"

namespace bake3ds {

namespace {

// Gives every vertex the index of its position group, or -1 for a position
// with a NaN; returns the number of groups. Open addressing over a table of
// at least twice as many slots as vertices; a slot holds the key's hash and
// the group, 8 bytes, so that the table stays in cache, and the group's key
// is checked only where the hashes agree.
int n_GroupByPosition(const TMesh &r_mesh, std::vector<int> &r_group)
{
    size_t n_vertex = r_mesh.p_vertex.size();
    size_t n_slots = 16;
    while(n_slots < 2 * n_vertex)
        n_slots *= 2;
    struct TSlot {
        uint32_t n_hash;
        int n_group; // -1: empty
    };
    std::vector<TSlot> slots(n_slots, TSlot{0, -1});
    std::vector<TPositionKey> group_keys;
    group_keys.reserve(n_vertex);
    r_group.assign(n_vertex, -1);
    for(size_t v = 0; v < n_vertex; ++ v) {
        TPositionKey t_key;
        if(!TPositionKey::b_Make(r_mesh.p_vertex[v].p_position, t_key))
            continue;
        uint32_t n_hash = t_key.n_Hash();
        size_t n_slot = n_hash & (n_slots - 1);
        for(;; n_slot = (n_slot + 1) & (n_slots - 1)) {
            const TSlot &r_slot = slots[n_slot];
            if(r_slot.n_group < 0) {
                slots[n_slot] = TSlot{n_hash, int(group_keys.size())};
                group_keys.push_back(t_key);
                break;
            }
            if(r_slot.n_hash == n_hash && group_keys[size_t(r_slot.n_group)] == t_key)
                break;
        }
        r_group[v] = slots[n_slot].n_group;
    }
    return int(group_keys.size());
}

} // namespace

void CalcVertexNormals(TMesh &r_mesh)
{
    // A corner lies at its own vertex's position, so a corner matches every
    // vertex of its vertex's group. Summing per group, faces in order and
    // corners 0, 1, 2, adds the same normals in the same order as testing
    // each vertex against each corner.
    std::vector<int> group;
    int n_group_num = n_GroupByPosition(r_mesh, group);
    std::vector<TVector3> sums(static_cast<size_t>(n_group_num));
    for(const TFace &r_face : r_mesh.p_face) {
        TVector3 v_normal(r_face.p_normal);
        for(int k = 0; k < 3; ++ k) {
            int n_group = group[size_t(r_face.p_corner[k])];
            if(n_group >= 0)
                sums[size_t(n_group)] += v_normal;
        }
    }
    for(TVector3 &r_sum : sums)
        Normalize(r_sum);
    for(size_t v = 0; v < r_mesh.p_vertex.size(); ++ v) {
        TVector3 v_normal; // a NaN position matches no corner at all
        if(group[v] >= 0)
            v_normal = sums[size_t(group[v])];
        v_normal.Store(r_mesh.p_vertex[v].p_normal);
    }
}

} // namespace bake3ds
