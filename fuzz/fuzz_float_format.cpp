// libFuzzer target: the fast float formatter against C's "%f". An input of
// exactly four bytes is one float's bit pattern; other lengths are ignored.
// Not-a-number and infinities, which "%f" would print as no literal, are
// held to the texts the formatter promises.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "writer/float_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_data, size_t n_size)
{
    if(n_size != 4)
        return 0;
    uint32_t n_bits = uint32_t(p_data[0]) | uint32_t(p_data[1]) << 8 | uint32_t(p_data[2]) << 16 |
        uint32_t(p_data[3]) << 24;
    float f;
    std::memcpy(&f, &n_bits, 4);
    std::string s_expected;
    if(std::isnan(f))
        s_expected = "0.000000";
    else if(std::isinf(f))
        s_expected = std::string(f < 0 ? "-" : "") + "340282346638528859811704183484516925440.000000";
    else {
        char p_buffer[bake3ds::n_float_text_max + 16];
        int n_len = std::snprintf(p_buffer, sizeof(p_buffer), "%f", double(f));
        s_expected.assign(p_buffer, size_t(n_len));
    }
    char p_out[bake3ds::n_float_text_max];
    size_t n_len = bake3ds::FormatFloat(f, p_out);
    if(std::string(p_out, n_len) != s_expected)
        std::abort();
    return 0;
}
