#include "writer/float_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace bake3ds {

namespace {

const char p_s_float_max[] = "340282346638528859811704183484516925440.000000";

// Text for values "%f" has no literal for; 0 when f is finite.
size_t n_FormatNonFinite(float f, char *p_out)
{
    if(std::isnan(f)) {
        std::memcpy(p_out, "0.000000", 8);
        return 8;
    }
    if(!std::isinf(f))
        return 0;
    size_t n = 0;
    if(f < 0)
        p_out[n ++] = '-';
    std::memcpy(p_out + n, p_s_float_max, sizeof(p_s_float_max) - 1);
    return n + sizeof(p_s_float_max) - 1;
}

// Writes the decimal digits of n (at least one) and returns their number.
typedef unsigned __int128 TUint128;

size_t n_FormatUnsigned(TUint128 n, char *p_out)
{
    char p_digits[40];
    size_t n_len = 0;
    do {
        p_digits[n_len ++] = char('0' + unsigned(n % 10));
        n /= 10;
    } while(n);
    for(size_t i = 0; i < n_len; ++ i)
        p_out[i] = p_digits[n_len - 1 - i];
    return n_len;
}

} // namespace

size_t n_FormatFloat(float f, char *p_out)
{
    if(size_t n = n_FormatNonFinite(f, p_out))
        return n;
    uint32_t n_bits;
    std::memcpy(&n_bits, &f, sizeof(f));
    size_t n_len = 0;
    if(n_bits >> 31)
        p_out[n_len ++] = '-';
    int n_exp = int(n_bits >> 23 & 0xFF);
    uint64_t n_mant = n_bits & 0x7FFFFF;
    if(n_exp)
        n_mant |= 0x800000;
    else
        n_exp = 1;
    int n_shift = n_exp - 150; // |f| = n_mant * 2^n_shift
    if(n_shift >= 0) {
        // an integer, of up to 128 bits
        n_len += n_FormatUnsigned(TUint128(n_mant) << n_shift, p_out + n_len);
        std::memcpy(p_out + n_len, ".000000", 7);
        return n_len + 7;
    }
    // |f| * 10^6 = n_scaled / 2^k, rounded to an integer, ties to even;
    // n_scaled < 2^44, so for k of 45 or more the result is 0
    int k = -n_shift;
    uint64_t n_micro = 0;
    if(k < 64) {
        uint64_t n_scaled = n_mant * 1000000u;
        n_micro = n_scaled >> k;
        uint64_t n_rest = n_scaled & ((uint64_t(1) << k) - 1);
        uint64_t n_half = uint64_t(1) << (k - 1);
        if(n_rest > n_half || (n_rest == n_half && (n_micro & 1)))
            ++ n_micro;
    }
    n_len += n_FormatUnsigned(n_micro / 1000000u, p_out + n_len);
    uint32_t n_frac = uint32_t(n_micro % 1000000u);
    p_out[n_len ++] = '.';
    for(int i = 5; i >= 0; -- i) {
        p_out[n_len + size_t(i)] = char('0' + n_frac % 10);
        n_frac /= 10;
    }
    return n_len + 6;
}

size_t n_FormatFloatPrintf(float f, char *p_out)
{
    if(size_t n = n_FormatNonFinite(f, p_out))
        return n;
    char p_buffer[n_float_text_max + 16];
    int n_len = std::snprintf(p_buffer, sizeof(p_buffer), "%f", double(f));
    std::memcpy(p_out, p_buffer, size_t(n_len));
    return size_t(n_len);
}

} // namespace bake3ds
