// How the loader records its first failure: the rule, the chunk, where it
// starts, the chunks around it and the figures. Nothing here runs unless a
// caller asked for the record and a check failed.

#include <cstring>
#include <new>

#include "reader/loader_state.h"

namespace bake3ds {

namespace {

// The ids of the chunks open at levels 1 up to below n_level.
std::vector<uint16_t> EnclosingIds(const std::vector<TChunkSite> &r_open, int n_level)
{
    std::vector<uint16_t> path;
    for(int n = 1; n < n_level && size_t(n) < r_open.size(); ++ n)
        path.push_back(uint16_t(r_open[size_t(n)].n_id));
    return path;
}

} // namespace

int TLoader::n_FailAt(TLoadRule n_rule, int n_level, int n_id, int64_t n_start, int64_t n_limit, int64_t n_needed)
{
    if(!p_error || p_error->n_rule != rule_None)
        return -1;
    p_error->n_rule = n_rule;
    p_error->n_chunk_id = n_id;
    p_error->n_offset = n_id < 0 ? -1 : n_start;
    p_error->n_limit = n_limit;
    p_error->n_needed = n_needed;
    p_error->p_path = EnclosingIds(p_open, n_level);
    return -1;
}

int TLoader::n_Fail(TLoadRule n_rule, int64_t n_limit, int64_t n_needed)
{
    if(!p_error || p_error->n_rule != rule_None)
        return -1;
    if(n_walk_level <= 0 || size_t(n_walk_level) >= p_open.size())
        return n_FailAt(n_rule, 0, -1, -1, n_limit, n_needed);
    const TChunkSite &r_site = p_open[size_t(n_walk_level)];
    return n_FailAt(n_rule, n_walk_level, r_site.n_id, r_site.n_offset, n_limit, n_needed);
}

int TLoader::n_FailName(const char *p_s_read)
{
    if(!p_error || p_error->n_rule != rule_None)
        return -1;
    n_Fail(rule_NameCutOff, 0, int64_t(std::strlen(p_s_read)));
    p_error->s_name = p_s_read;
    return -1;
}

int TLoader::n_FailFill(const char *p_s_kind, int64_t n_count, int64_t n_met)
{
    if(!p_error || p_error->n_rule != rule_None)
        return -1;
    n_Fail(rule_FillExceedsCount, n_count, n_met);
    p_error->s_name = p_s_kind;
    return -1;
}

int TLoader::n_FailNesting(int n_level)
{
    if(!p_error)
        return -1;
    // the chunk whose contents would be walked too deep is the one open one
    // level up
    int n_parent = n_level - 1;
    if(n_parent >= 1 && size_t(n_parent) < p_open.size()) {
        const TChunkSite &r_site = p_open[size_t(n_parent)];
        return n_FailAt(rule_NestingLimit, n_parent, r_site.n_id, r_site.n_offset, n_max_walk_level - 1, n_level);
    }
    return n_FailAt(rule_NestingLimit, 0, -1, -1, n_max_walk_level - 1, n_level);
}

int TLoader::n_FailWork(int n_level, int64_t n_start)
{
    if(!p_error || p_error->n_rule != rule_None)
        return -1;
    // the chunk that was to be visited, when its id lies within the file
    int64_t n_pos = t_in.n_Pos();
    uint8_t p_id[2];
    size_t n_got = t_in.n_Read(p_id, 2);
    t_in.Seek(n_pos);
    int n_id = n_got == 2 ? p_id[0] | p_id[1] << 8 : -1;
    return n_FailAt(rule_WorkBound, n_level, n_id, n_start, n_work_limit, n_work_done);
}

void TLoader::FailAllocation()
{
    if(!p_error || p_error->n_rule != rule_None)
        return;
    try {
        n_Fail(rule_AllocationFailed);
    } catch(const std::bad_alloc &) {
        // the place could not be kept either; the rule is known
        p_error->n_rule = rule_AllocationFailed;
    }
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

int TLoader::n_CheckCorners()
{
    const std::vector<TMesh> &r_meshes = p_scene->p_object;
    for(size_t n_mesh = 0; n_mesh < r_meshes.size(); ++ n_mesh) {
        const TMesh &r_mesh = r_meshes[n_mesh];
        for(size_t n_face = 0; n_face < r_mesh.p_face.size(); ++ n_face) {
            for(int n_corner : r_mesh.p_face[n_face].p_corner) {
                if(n_corner < r_mesh.n_vertex_num)
                    continue;
                if(!p_error || p_error->n_rule != rule_None)
                    return -1;
                TChunkSite t_site;
                if(n_mesh < p_face_list_site.size())
                    t_site = p_face_list_site[n_mesh];
                n_FailAt(rule_CornerOutOfRange, 0, t_site.n_id, t_site.n_offset, r_mesh.n_vertex_num, n_corner);
                p_error->p_path = t_site.p_path;
                p_error->n_face = int(n_face);
                p_error->s_name = r_mesh.p_s_name;
                return -1;
            }
        }
    }
    return 0;
}

} // namespace bake3ds
