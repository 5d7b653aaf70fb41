#ifndef BAKE3DS_FUZZ_CONVERT_CHECK_H
#define BAKE3DS_FUZZ_CONVERT_CHECK_H

// The check both conversion targets make: the library's whole conversion on
// a memory buffer, as the tool runs it on a file (load, normals, material
// order, header text written to memory), with the failure record on. A
// converted header must be complete and say no failure; a refused one must
// leave nothing behind and name its rule and reason; anything else the
// sanitizers catch.

#include <cstdint>
#include <cstdlib>
#include <string>

#include <cstring>

#include "bake3ds/bake3ds.h"

namespace fuzz {

// Converts the bytes within r_limits; aborts when the outcome is
// inconsistent.
inline void CheckConversion(const uint8_t *p_data, size_t n_size, const bake3ds::Limits &r_limits)
{
    static const std::string s_trailer = "\n/*\n * -end-of-file-\n */\n";
    std::string s_header;
    bake3ds::LoadFailure t_failure;
    if(bake3ds::convert(p_data, n_size, "fuzz/*input*/.3ds", s_header, &t_failure, r_limits)) {
        if(s_header.size() <= s_trailer.size() ||
            s_header.compare(s_header.size() - s_trailer.size(), s_trailer.size(), s_trailer) != 0 ||
            std::strcmp(t_failure.rule, "none") != 0)
            std::abort();
    } else if(!s_header.empty() || !std::strcmp(t_failure.rule, "none") || t_failure.message.empty())
        std::abort();
}

} // namespace fuzz

#endif
