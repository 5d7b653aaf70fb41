// The two-pass load: a counting walk sizes the record arrays, a fill walk
// over the same bytes fills them in file order.

#include <new>
#include <stdexcept>
#include <vector>

#include "platform/platform.h"
#include "reader/chunk_stats.h"
#include "reader/chunk_walker.h"

namespace bake3ds {

namespace {

// ComposeMessage, leaving the message empty when there is no memory for it.
void ComposeQuietly(TLoadError &r_error)
{
    try {
        ComposeMessage(r_error);
    } catch(const std::bad_alloc &) {
        r_error.s_message.clear();
    }
}

// Corners keep the indices read, so a vertex list may follow its face list;
// their check waits for the end of the fill pass.
int n_Load(TLoader &r_ld, C3dsScene &r_scene, size_t n_size)
{
    if(ReadChunks(r_ld, int64_t(n_size), 1))
        return 0;
    r_ld.n_walk_level = 0;

    r_scene.p_material.resize(size_t(r_scene.n_material_num));
    r_scene.p_object.resize(size_t(r_scene.n_object_num));
    r_scene.p_camera.resize(size_t(r_scene.n_camera_num));
    r_scene.p_light.resize(size_t(r_scene.n_light_num));

    // names and key-frame state stay as the counting pass left them
    r_ld.b_counting = false;
    r_ld.t_in.Seek(0);
    if(ReadChunks(r_ld, int64_t(n_size), 1))
        return 0;
    r_ld.n_walk_level = 0;

    return r_ld.n_CheckCorners() ? 0 : 1;
}

// The whole load of bytes in memory, with the failure recorded into p_error
// and the chunks tallied into p_stats where they are set.
int n_LoadObserved(C3dsScene &r_scene, const uint8_t *p_data, size_t n_size, TLoadError *p_error,
    TChunkStats *p_stats, const TLoadOptions &r_options)
{
    r_scene = C3dsScene();
    if(p_error) {
        *p_error = TLoadError();
        p_error->n_file_size = int64_t(n_size);
    }
    TLoader t_ld(p_data, n_size, r_scene, r_options);
    t_ld.p_error = p_error;
    t_ld.p_stats = p_stats;
    int n_result = 0;
    try {
        n_result = n_Load(t_ld, r_scene, n_size);
    } catch(const std::bad_alloc &) {
        t_ld.FailAllocation();
    } catch(const std::length_error &) {
        t_ld.FailAllocation();
    }
    if(p_error && !n_result)
        ComposeQuietly(*p_error);
    return n_result;
}

// The load of the file at p_s_path, observed as n_LoadObserved.
int n_LoadFileObserved(C3dsScene &r_scene, const char *p_s_path, TLoadError *p_error, TChunkStats *p_stats,
    const TLoadOptions &r_options)
{
    r_scene = C3dsScene();
    CFileBytes bytes;
    TLoadRule n_rule = rule_None;
    std::string s_reason;
    try {
        TFileRead n_read = n_ReadRegularFile(p_s_path, bytes, s_reason);
        if(n_read == file_NotRegular)
            n_rule = rule_NotRegularFile;
        else if(n_read == file_Unreadable)
            n_rule = rule_Unreadable;
    } catch(const std::bad_alloc &) {
        n_rule = rule_AllocationFailed;
    }
    if(n_rule != rule_None) {
        if(p_error) {
            *p_error = TLoadError();
            p_error->n_rule = n_rule;
            p_error->s_system_reason.swap(s_reason);
            ComposeQuietly(*p_error);
        }
        return 0;
    }
    return n_LoadObserved(r_scene, bytes.p_Data(), bytes.n_Size(), p_error, p_stats, r_options);
}

} // namespace

int C3dsScene::LoadMemory(const uint8_t *p_data, size_t n_size)
{
    return n_LoadObserved(*this, p_data, n_size, nullptr, nullptr, TLoadOptions());
}

int C3dsScene::Load(const char *p_s_path)
{
    return n_LoadFileObserved(*this, p_s_path, nullptr, nullptr, TLoadOptions());
}

int C3dsScene::LoadMemory(const uint8_t *p_data, size_t n_size, const TLoadOptions &r_options,
    TLoadError *p_error)
{
    return n_LoadObserved(*this, p_data, n_size, p_error, nullptr, r_options);
}

int C3dsScene::Load(const char *p_s_path, const TLoadOptions &r_options, TLoadError *p_error)
{
    return n_LoadFileObserved(*this, p_s_path, p_error, nullptr, r_options);
}

int LoadMemoryCounted(C3dsScene &r_scene, const uint8_t *p_data, size_t n_size, const TLoadOptions &r_options,
    TLoadError *p_error, TChunkStats &r_stats)
{
    return n_LoadObserved(r_scene, p_data, n_size, p_error, &r_stats, r_options);
}

int LoadCounted(C3dsScene &r_scene, const char *p_s_path, const TLoadOptions &r_options, TLoadError *p_error,
    TChunkStats &r_stats)
{
    return n_LoadFileObserved(r_scene, p_s_path, p_error, &r_stats, r_options);
}

} // namespace bake3ds
