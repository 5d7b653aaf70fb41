// The two-pass load: a counting walk sizes the record arrays, a fill walk
// over the same bytes fills them in file order.

#include "reader/loader.h"

#include <new>
#include <stdexcept>
#include <vector>

#include "reader/chunk_stats.h"
#include "reader/chunk_walker.h"

namespace bake3ds {

namespace {

template <class TRecord>
void MakeRecords(std::vector<TRecord> &r_records, int n)
{
    r_records.clear();
    r_records.resize(size_t(n));
}

// Corners keep the indices read, so a vertex list may follow its face list;
// their check waits for the end of the fill pass.
bool Load(TLoader &r_ld, C3dsScene &r_scene, size_t n_size)
{
    if(!WalkChunks(r_ld, int64_t(n_size)))
        return false;
    r_ld.n_walk_level = 0;

    // the meshes' arrays in one block, as large as the counting walk found
    // the lists the chunks hold
    r_scene.t_arena.Reserve(r_ld.n_array_bytes);
    MakeRecords(r_scene.p_material, r_scene.n_material_num);
    r_scene.p_object.clear();
    r_scene.p_object.reserve(size_t(r_scene.n_object_num));
    for(int i = 0; i < r_scene.n_object_num; ++i)
        r_scene.p_object.emplace_back(&r_scene.t_arena);
    MakeRecords(r_scene.p_camera, r_scene.n_camera_num);
    MakeRecords(r_scene.p_light, r_scene.n_light_num);

    // names and key-frame state stay as the counting pass left them
    r_ld.b_counting = false;
    r_ld.t_in.Seek(0);
    if(!WalkChunks(r_ld, int64_t(n_size)))
        return false;
    r_ld.n_walk_level = 0;

    return r_ld.CheckCorners();
}

} // namespace

bool ReadScene(C3dsScene &r_scene, const uint8_t *p_data, size_t n_size, const bake3ds_options &r_options,
    bake3ds_failure *p_failure, TChunkStats *p_stats) noexcept
{
    if(p_failure)
        ClearFailure(*p_failure, int64_t(n_size));
    bool b_loaded = false;
    try {
        TLoader t_ld(p_data, n_size, r_scene, r_options);
        t_ld.p_error = p_failure;
        t_ld.p_stats = p_stats;
        try {
            b_loaded = Load(t_ld, r_scene, n_size);
        } catch(const std::bad_alloc &) {
            t_ld.FailAllocation();
        } catch(const std::length_error &) {
            t_ld.FailAllocation();
        }
    } catch(const std::bad_alloc &) {
        // the loader's own state could not be had: no chunk was read yet
        FailAllocation(p_failure);
    }
    if(p_failure && !b_loaded)
        ComposeMessage(*p_failure);
    return b_loaded;
}

} // namespace bake3ds
