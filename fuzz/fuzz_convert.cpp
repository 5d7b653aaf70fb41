// libFuzzer target: the whole conversion under small limits. Under the
// converter's own limits a few hundred bytes may claim a million elements,
// and formatting them all would spend nearly every execution on text; the
// small limits keep each execution cheap, so the fuzzer explores the chunk
// tree instead. Every path that the real limits reach is reached here too,
// only sooner refused.

#include "convert_check.h"

namespace {

// Elements held: about four thousand, plus the per-byte share.
const int64_t n_fuzz_element_base = 4096;
// Records: a few hundred, plus the per-byte share.
const int64_t n_fuzz_record_base = 256;

bake3ds_options SmallLimits()
{
    bake3ds_options t_options = {};
    t_options.size = sizeof(t_options);
    t_options.element_base = n_fuzz_element_base;
    t_options.record_base = n_fuzz_record_base;
    return t_options;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_data, size_t n_size)
{
    static const bake3ds_options t_limits = SmallLimits();
    fuzz::CheckConversion(p_data, n_size, t_limits);
    return 0;
}
