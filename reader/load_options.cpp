#include "reader/load_options.h"

#include <cstring>

namespace bake3ds {

namespace {

// The size of the struct's first version, which callers that leave size 0
// have: every member up to work_per_byte.
const size_t n_first_options_size = offsetof(bake3ds_options, work_per_byte) + sizeof(int64_t);

template <class T>
T OrDefault(T n_value, T n_default)
{
    return n_value > 0 ? n_value : n_default;
}

} // namespace

bake3ds_options ResolvedOptions(const bake3ds_options *p_options)
{
    bake3ds_options t_given;
    std::memset(&t_given, 0, sizeof(t_given));
    if(p_options) {
        size_t n_size = p_options->size ? p_options->size : n_first_options_size;
        std::memcpy(&t_given, p_options, n_size < sizeof(t_given) ? n_size : sizeof(t_given));
    }
    bake3ds_options t;
    std::memset(&t, 0, sizeof(t));
    t.size = sizeof(t);
    t.nesting_limit = OrDefault<uint32_t>(t_given.nesting_limit, BAKE3DS_MAX_NESTING);
    if(t.nesting_limit > BAKE3DS_MAX_NESTING)
        t.nesting_limit = BAKE3DS_MAX_NESTING;
    t.element_base = OrDefault<int64_t>(t_given.element_base, n_default_element_base);
    t.record_base = OrDefault<int64_t>(t_given.record_base, n_default_record_base);
    t.work_per_byte = OrDefault<int64_t>(t_given.work_per_byte, n_default_work_per_byte);
    return t;
}

} // namespace bake3ds
