#ifndef BAKE3DS_FUZZ_CONVERT_CHECK_H
#define BAKE3DS_FUZZ_CONVERT_CHECK_H

// The check both conversion targets make: the whole conversion on a memory
// buffer, as the tool runs it on a file (load, material order, header text
// written to memory). A converted header must be complete and a refused one
// must leave nothing behind; anything else the sanitizers catch.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "driver/run.h"

namespace fuzz {

// Converts the bytes within r_options' limits; aborts when the outcome is
// inconsistent.
inline void CheckConversion(const uint8_t *p_data, size_t n_size, const bake3ds::TLoadOptions &r_options)
{
    static const std::string s_trailer = "\n/*\n * -end-of-file-\n */\n";
    std::string s_header;
    if(bake3ds::ConvertMemory(p_data, n_size, "fuzz", "fuzz/*input*/.3ds", s_header, false, r_options)) {
        if(s_header.size() <= s_trailer.size() ||
            s_header.compare(s_header.size() - s_trailer.size(), s_trailer.size(), s_trailer) != 0)
            std::abort();
    } else if(!s_header.empty())
        std::abort();
}

} // namespace fuzz

#endif
