#include "api/convert_memory.h"

#include <new>
#include <stdexcept>

#include "geometry/complete_scene.h"
#include "writer/header_writer.h"

namespace bake3ds {

namespace {

// Records in *p_error, where set, that memory could not be had, as the
// loader records its own allocation failures; the file's size stays.
void RecordAllocationFailure(TLoadError *p_error)
{
    if(!p_error)
        return;
    int64_t n_file_size = p_error->n_file_size;
    *p_error = TLoadError();
    p_error->n_rule = rule_AllocationFailed;
    p_error->n_file_size = n_file_size;
    try {
        ComposeMessage(*p_error);
    } catch(const std::bad_alloc &) {
        p_error->s_message.clear();
    }
}

// Completes a scene that loaded; a failed allocation fails the load.
int n_Complete(C3dsScene &r_scene, TLoadError *p_error)
{
    try {
        CompleteScene(r_scene);
        return 1;
    } catch(const std::bad_alloc &) {
    } catch(const std::length_error &) {
    }
    r_scene = C3dsScene();
    RecordAllocationFailure(p_error);
    return 0;
}

} // namespace

int LoadComplete(C3dsScene &r_scene, const uint8_t *p_data, size_t n_size, const TLoadOptions &r_options,
    TLoadError *p_error)
{
    return r_scene.LoadMemory(p_data, n_size, r_options, p_error) && n_Complete(r_scene, p_error);
}

int LoadCompleteFile(C3dsScene &r_scene, const char *p_s_path, const TLoadOptions &r_options, TLoadError *p_error)
{
    return r_scene.Load(p_s_path, r_options, p_error) && n_Complete(r_scene, p_error);
}

int ConvertMemory(const uint8_t *p_data, size_t n_size, const char *p_s_class, const char *p_s_input_path,
    std::string &r_s_header, bool b_printf_floats, const TLoadOptions &r_options, TLoadError *p_error)
{
    C3dsScene t_scene;
    if(!LoadComplete(t_scene, p_data, n_size, r_options, p_error))
        return 0;
    size_t n_before = r_s_header.size();
    CTextOut t_out(&r_s_header, n_HeaderSizeHint(t_scene));
    t_out.UsePrintfFloats(b_printf_floats);
    WriteBanner(t_out);
    WriteHeader(t_out, t_scene, p_s_class, p_s_input_path);
    if(!t_out.b_Finish()) {
        r_s_header.resize(n_before); // no partial header
        RecordAllocationFailure(p_error);
        return 0;
    }
    return 1;
}

} // namespace bake3ds
