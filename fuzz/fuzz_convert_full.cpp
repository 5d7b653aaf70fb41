// libFuzzer target: the whole conversion under the converter's own limits,
// exactly as the tool converts a file, then bake3ds-info's report of the
// same bytes in text and JSON, whose walk keeps names and smoothing lists
// the conversion does not. Slow where an input claims many elements;
// run_fuzz.sh gives it a short share of the time.

#include <string>

#include "bake3ds/bake3ds.h"
#include "convert_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_data, size_t n_size)
{
    fuzz::CheckConversion(p_data, n_size, bake3ds::Limits());
    bake3ds::Report t_report;
    std::string s_text, s_json;
    if(bake3ds::report_bytes(p_data, n_size, "fuzz.3ds", t_report)) {
        bake3ds::report_text(t_report, s_text);
        bake3ds::report_json(t_report, s_json);
    }
    return 0;
}
