// How the loader records its first failure: the rule, the chunk, where it
// starts, the chunks around it and the figures. Nothing here runs unless a
// caller asked for the record and a check failed.

#include <cstring>

#include "reader/loader_state.h"

namespace bake3ds {

namespace {

// Sets the failure's path to the ids of the chunks open at levels 1 up to
// below n_level.
void SetPath(bake3ds_failure &r_failure, const std::vector<TChunkSite> &r_open, int n_level)
{
    r_failure.path_length = 0;
    for(int n = 1; n < n_level && size_t(n) < r_open.size() && r_failure.path_length < BAKE3DS_MAX_NESTING; ++n)
        r_failure.path[r_failure.path_length++] = uint16_t(r_open[size_t(n)].n_id);
}

// The ids of the chunks open at levels 1 up to below n_level.
std::vector<uint16_t> EnclosingIds(const std::vector<TChunkSite> &r_open, int n_level)
{
    std::vector<uint16_t> p_path;
    for(int n = 1; n < n_level && size_t(n) < r_open.size(); ++n)
        p_path.push_back(uint16_t(r_open[size_t(n)].n_id));
    return p_path;
}

} // namespace

bool TLoader::FailAt(bake3ds_rule n_rule, int n_level, int n_id, int64_t n_start, int64_t n_limit, int64_t n_needed)
{
    if(!p_error || p_error->rule != BAKE3DS_RULE_NONE)
        return false;
    p_error->rule = n_rule;
    p_error->chunk = n_id;
    p_error->offset = n_id < 0 ? -1 : n_start;
    p_error->limit = n_limit;
    p_error->needed = n_needed;
    SetPath(*p_error, p_open, n_level);
    return false;
}

bool TLoader::Fail(bake3ds_rule n_rule, int64_t n_limit, int64_t n_needed)
{
    if(!p_error || p_error->rule != BAKE3DS_RULE_NONE)
        return false;
    if(n_walk_level <= 0 || size_t(n_walk_level) >= p_open.size())
        return FailAt(n_rule, 0, -1, -1, n_limit, n_needed);
    const TChunkSite &r_site = p_open[size_t(n_walk_level)];
    return FailAt(n_rule, n_walk_level, r_site.n_id, r_site.n_offset, n_limit, n_needed);
}

bool TLoader::FailName(const char *s_read)
{
    if(!p_error || p_error->rule != BAKE3DS_RULE_NONE)
        return false;
    Fail(BAKE3DS_RULE_NAME_CUT_OFF);
    CopyText(p_error->name_read, s_read);
    return false;
}

bool TLoader::FailFill(const char *s_kind, int64_t n_count, int64_t n_met)
{
    if(!p_error || p_error->rule != BAKE3DS_RULE_NONE)
        return false;
    Fail(BAKE3DS_RULE_FILL_EXCEEDS_COUNT);
    CopyText(p_error->kind, s_kind);
    p_error->counted = n_count;
    p_error->met = n_met;
    return false;
}

bool TLoader::FailNesting(int n_level)
{
    if(!p_error)
        return false;
    // the chunk whose contents would be walked too deep is the one open one
    // level up; the deepest walk allowed is one above the limit
    int n_parent = n_level - 1, n_deepest = n_walk_level_limit - 1;
    if(n_parent >= 1 && size_t(n_parent) < p_open.size()) {
        const TChunkSite &r_site = p_open[size_t(n_parent)];
        return FailAt(BAKE3DS_RULE_NESTING_LIMIT, n_parent, r_site.n_id, r_site.n_offset, n_deepest, n_level);
    }
    return FailAt(BAKE3DS_RULE_NESTING_LIMIT, 0, -1, -1, n_deepest, n_level);
}

bool TLoader::FailWork(int n_level, int64_t n_start)
{
    if(!p_error || p_error->rule != BAKE3DS_RULE_NONE)
        return false;
    // the chunk that was to be visited, when its id lies within the file
    int64_t n_pos = t_in.Pos();
    uint8_t p_id[2];
    size_t n_got = t_in.Read(p_id, 2);
    t_in.Seek(n_pos);
    int n_id = n_got == 2 ? p_id[0] | p_id[1] << 8 : -1;
    return FailAt(BAKE3DS_RULE_WORK_BOUND, n_level, n_id, n_start, n_work_limit, n_work_done);
}

void TLoader::FailAllocation() noexcept
{
    // the record's arrays are its own: recording the place asks for no memory
    Fail(BAKE3DS_RULE_ALLOCATION_FAILED);
}

void TLoader::NoteFaceList()
{
    if(p_face_list_site.size() <= size_t(n_cur_mesh))
        p_face_list_site.resize(size_t(p_scene->n_object_num));
    TChunkSite &r_site = p_face_list_site[size_t(n_cur_mesh)];
    const TChunkSite &r_open = p_open[size_t(n_walk_level)];
    r_site.n_id = r_open.n_id;
    r_site.n_offset = r_open.n_offset;
    r_site.p_path = EnclosingIds(p_open, n_walk_level);
}

bool TLoader::CheckCorners()
{
    const std::vector<TMesh> &r_meshes = p_scene->p_object;
    for(size_t n_mesh = 0; n_mesh < r_meshes.size(); ++n_mesh) {
        const TMesh &r_mesh = r_meshes[n_mesh];
        for(size_t n_face = 0; n_face < r_mesh.p_face.size(); ++n_face) {
            for(uint32_t n_corner : r_mesh.p_face[n_face].p_corner) {
                if(int64_t(n_corner) < r_mesh.n_vertex_num)
                    continue;
                if(!p_error || p_error->rule != BAKE3DS_RULE_NONE)
                    return false;
                TChunkSite t_site;
                if(n_mesh < p_face_list_site.size())
                    t_site = p_face_list_site[n_mesh];
                FailAt(BAKE3DS_RULE_CORNER_OUT_OF_RANGE, 0, t_site.n_id, t_site.n_offset);
                p_error->path_length = 0;
                for(uint16_t n_id : t_site.p_path) {
                    if(p_error->path_length < BAKE3DS_MAX_NESTING)
                        p_error->path[p_error->path_length++] = n_id;
                }
                p_error->face = int64_t(n_face);
                p_error->corner = int64_t(n_corner);
                p_error->vertex_count = r_mesh.n_vertex_num;
                CopyText(p_error->mesh, r_mesh.s_name.c_str());
                return false;
            }
        }
    }
    return true;
}

} // namespace bake3ds
