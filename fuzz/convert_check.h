#ifndef BAKE3DS_FUZZ_CONVERT_CHECK_H
#define BAKE3DS_FUZZ_CONVERT_CHECK_H

// The check both conversion targets make: the library's whole conversion on
// a memory buffer through its C interface, as the tool runs it on a file
// (load, normals, material order, header text written to memory), with the
// failure record on. A converted header must be complete and say no
// failure; a refused one must leave nothing behind and name its rule and
// reason; anything else the sanitizers catch.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "bake3ds/bake3ds.h"

namespace fuzz {

// Converts the bytes within r_options; aborts when the outcome is
// inconsistent.
inline void CheckConversion(const uint8_t *p_data, size_t n_size, const bake3ds_options &r_options)
{
    static const char s_trailer[] = "\n/*\n * -end-of-file-\n */\n";
    const size_t n_trailer = sizeof(s_trailer) - 1;
    char *p_header = nullptr;
    size_t n_header = 0;
    bake3ds_failure t_failure;
    if(bake3ds_convert(p_data, n_size, "fuzz/*input*/.3ds", &r_options, &p_header, &n_header, &t_failure)) {
        if(!p_header || n_header <= n_trailer || std::strlen(p_header) != n_header ||
            std::memcmp(p_header + n_header - n_trailer, s_trailer, n_trailer) != 0 ||
            t_failure.rule != BAKE3DS_RULE_NONE || t_failure.file_size != int64_t(n_size))
            std::abort();
    } else if(p_header || n_header || t_failure.rule == BAKE3DS_RULE_NONE || !t_failure.message[0])
        std::abort();
    bake3ds_free(p_header);
}

} // namespace fuzz

#endif
