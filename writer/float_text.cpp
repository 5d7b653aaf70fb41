#include "writer/float_text.h"

#include "writer/digits.h"

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

// Writes the decimal digits of an integer of up to 128 bits, the floats of
// 2^64 and more, and returns their number.
typedef unsigned __int128 TUint128;

size_t n_FormatUnsigned128(TUint128 n, char *p_out)
{
    const uint64_t n_e19 = 10000000000000000000ull;
    if(n <= TUint128(UINT64_MAX))
        return size_t(p_PutUnsigned(p_out, uint64_t(n)) - p_out);
    // the digits above the lowest 19, then those 19 zero-padded
    size_t n_len = n_FormatUnsigned128(n / n_e19, p_out);
    uint64_t n_low = uint64_t(n % n_e19);
    for(int i = 18; i >= 0; -- i) {
        p_out[n_len + size_t(i)] = char('0' + n_low % 10);
        n_low /= 10;
    }
    return n_len + 19;
}

} // namespace

size_t n_FormatFloat(float f, char *p_out)
{
    uint32_t n_bits;
    std::memcpy(&n_bits, &f, sizeof(f));
    if((n_bits & 0x7FFFFFFF) == 0) {
        // zeros are the most frequent value: texture coordinates of meshes
        // without mapping, normal components, matrix entries
        std::memcpy(p_out, "-0.000000", 9);
        if(n_bits)
            return 9;
        std::memcpy(p_out, "0.000000", 8);
        return 8;
    }
    int n_exp = int(n_bits >> 23 & 0xFF);
    if(n_exp == 0xFF)
        return n_FormatNonFinite(f, p_out);
    char *p = p_out;
    if(n_bits >> 31)
        *p ++ = '-';
    uint64_t n_mant = n_bits & 0x7FFFFF;
    if(n_exp)
        n_mant |= 0x800000;
    else
        n_exp = 1;
    int n_shift = n_exp - 150; // |f| = n_mant * 2^n_shift
    if(n_shift >= 0) {
        // an integer: below 2^63 in 64 bits, else in up to 128 bits
        if(n_shift <= 39)
            p = p_PutUnsigned(p, n_mant << n_shift);
        else
            p += n_FormatUnsigned128(TUint128(n_mant) << n_shift, p);
        std::memcpy(p, ".000000", 7);
        return size_t(p + 7 - p_out);
    }
    // |f| * 10^6 = n_scaled / 2^k, rounded to an integer, exact ties to even;
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
    uint64_t n_int = n_micro / 1000000u;
    uint32_t n_frac = uint32_t(n_micro - n_int * 1000000u);
    if(n_int < 10)
        *p ++ = char('0' + n_int); // the common case of normals and unit values
    else
        p = p_PutUnsigned(p, n_int);
    p[0] = '.';
    std::memcpy(p + 1, p_digit_pairs + 2 * (n_frac / 10000), 2);
    std::memcpy(p + 3, p_digit_pairs + 2 * (n_frac / 100 % 100), 2);
    std::memcpy(p + 5, p_digit_pairs + 2 * (n_frac % 100), 2);
    return size_t(p + 7 - p_out);
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
