// libFuzzer target: the whole conversion under the converter's own limits,
// exactly as the tool converts a file. Slow where an input claims many
// elements; run_fuzz.sh gives it a short share of the time.

#include "convert_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_data, size_t n_size)
{
    fuzz::CheckConversion(p_data, n_size, bake3ds::Limits());
    return 0;
}
