// The library's loads: bytes or a file to a complete scene, all through one
// load, and the scene's release.

#include <memory>
#include <new>
#include <stdexcept>

#include "api/library.h"
#include "geometry/complete_scene.h"
#include "platform/platform.h"
#include "reader/load_failure.h"
#include "reader/load_options.h"
#include "reader/loader.h"

namespace bake3ds {

bake3ds_scene *LoadScene(const uint8_t *p_data, size_t n_size, const bake3ds_options *p_options,
    bake3ds_failure *p_failure, TChunkStats *p_stats) noexcept
{
    std::unique_ptr<bake3ds_scene> p_scene(new(std::nothrow) bake3ds_scene);
    if(!p_scene) {
        if(p_failure)
            ClearFailure(*p_failure, int64_t(n_size));
        FailAllocation(p_failure);
        return nullptr;
    }
    if(!ReadScene(p_scene->t_records, p_data, n_size, ResolvedOptions(p_options), p_failure, p_stats))
        return nullptr;
    try {
        CompleteScene(p_scene->t_records);
    } catch(const std::bad_alloc &) {
        FailAllocation(p_failure);
        return nullptr;
    } catch(const std::length_error &) {
        FailAllocation(p_failure);
        return nullptr;
    }
    return p_scene.release();
}

bool ReadInput(const char *s_path, CFileBytes &r_bytes, bake3ds_failure *p_failure) noexcept
{
    if(p_failure)
        ClearFailure(*p_failure, -1);
    std::string s_reason;
    bake3ds_rule n_rule = BAKE3DS_RULE_NONE;
    try {
        TFileRead n_read = ReadRegularFile(s_path, r_bytes, s_reason);
        if(n_read == file_NotRegular)
            n_rule = BAKE3DS_RULE_NOT_REGULAR_FILE;
        else if(n_read == file_Unreadable)
            n_rule = BAKE3DS_RULE_UNREADABLE;
    } catch(const std::bad_alloc &) {
        FailAllocation(p_failure);
        return false;
    }
    if(n_rule == BAKE3DS_RULE_NONE)
        return true;
    if(p_failure) {
        p_failure->rule = n_rule;
        CopyText(p_failure->system_reason, s_reason.c_str());
        ComposeMessage(*p_failure);
    }
    return false;
}

} // namespace bake3ds

using namespace bake3ds;

bake3ds_scene *bake3ds_load(const void *data, size_t size, const bake3ds_options *options, bake3ds_failure *failure)
{
    return LoadScene(static_cast<const uint8_t *>(data), size, options, failure);
}

bake3ds_scene *bake3ds_load_file(const char *path, const bake3ds_options *options, bake3ds_failure *failure)
{
    CFileBytes t_bytes;
    if(!ReadInput(path, t_bytes, failure))
        return nullptr;
    return LoadScene(t_bytes.Data(), t_bytes.Size(), options, failure);
}

void bake3ds_scene_free(bake3ds_scene *scene)
{
    delete scene;
}
