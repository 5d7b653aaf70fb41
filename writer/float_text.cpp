#include "writer/float_text.h"

#include "writer/digits.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace bake3ds {

namespace {

const char s_float_max[] = "340282346638528859811704183484516925440.000000";

// The texts below are written without a terminator and their length is
// returned, as FormatFloat promises: the header's line goes on after them.
// bugprone-not-null-terminated-result takes each copy of a literal without
// its zero for a string cut short; hence its NOLINTs.

// Text for values "%f" has no literal for; 0 when f is finite.
size_t FormatNonFinite(float f, char *p_out)
{
    if(std::isnan(f)) {
        std::memcpy(p_out, "0.000000", 8); // NOLINT(bugprone-not-null-terminated-result)
        return 8;
    }
    if(!std::isinf(f))
        return 0;
    size_t n = 0;
    if(f < 0)
        p_out[n++] = '-';
    std::memcpy(p_out + n, s_float_max, sizeof(s_float_max) - 1);
    return n + sizeof(s_float_max) - 1;
}

// The decimal digits of n_mant * 2^n_shift, an integer float of 2^64 or more
// (below 2^128), written without a 128-bit type: the value is held in 32-bit
// limbs and divided by 10^9 limb by limb, which gives its digits nine at a
// time from the lowest. Returns the number of digits. Rare in real files, so
// plain code serves, and it stays a call of its own: its arrays would
// otherwise bring the stack protector's check into every float formatted.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
size_t
FormatLargeInteger(uint32_t n_mant, int n_shift, char *p_out)
{
    const uint32_t n_e9 = 1000000000u;
    const int n_limb_num = 5;                      // 24 mantissa bits shifted by up to 104
    uint32_t p_limb[n_limb_num] = {0, 0, 0, 0, 0}; // lowest first
    uint64_t n_placed = uint64_t(n_mant) << (n_shift % 32);
    p_limb[n_shift / 32] = uint32_t(n_placed);
    p_limb[n_shift / 32 + 1] = uint32_t(n_placed >> 32);
    uint32_t p_group[n_limb_num]; // base-10^9 digits, lowest first
    int n_group_num = 0, n_top = n_limb_num - 1;
    for(;;) {
        while(n_top > 0 && !p_limb[n_top])
            --n_top;
        if(n_top == 0 && p_limb[0] < n_e9)
            break;
        uint64_t n_rest = 0;
        for(int i = n_top; i >= 0; --i) {
            uint64_t n_part = n_rest << 32 | p_limb[i];
            p_limb[i] = uint32_t(n_part / n_e9);
            n_rest = n_part % n_e9;
        }
        p_group[n_group_num++] = uint32_t(n_rest);
    }
    char *p = PutUnsigned(p_out, p_limb[0]); // the highest digits, unpadded
    while(n_group_num--) {
        uint32_t n_group = p_group[n_group_num];
        for(int i = 8; i >= 0; --i) {
            p[i] = char('0' + n_group % 10);
            n_group /= 10;
        }
        p += 9;
    }
    return size_t(p - p_out);
}

} // namespace

size_t FormatFloat(float f, char *p_out)
{
    uint32_t n_bits;
    std::memcpy(&n_bits, &f, sizeof(f));
    if((n_bits & 0x7FFFFFFF) == 0) {
        // zeros are the most frequent value: texture coordinates of meshes
        // without mapping, normal components, matrix entries
        std::memcpy(p_out, "-0.000000", 9); // NOLINT(bugprone-not-null-terminated-result)
        if(n_bits)
            return 9;
        std::memcpy(p_out, "0.000000", 8); // NOLINT(bugprone-not-null-terminated-result)
        return 8;
    }
    int n_exp = int(n_bits >> 23 & 0xFF);
    if(n_exp == 0xFF)
        return FormatNonFinite(f, p_out);
    char *p = p_out;
    if(n_bits >> 31)
        *p++ = '-';
    uint64_t n_mant = n_bits & 0x7FFFFF;
    if(n_exp)
        n_mant |= 0x800000;
    else
        n_exp = 1;
    int n_shift = n_exp - 150; // |f| = n_mant * 2^n_shift
    if(n_shift >= 0) {
        // an integer: below 2^63 in 64 bits, else in limbs of 32 bits
        if(n_shift <= 39)
            p = PutUnsigned(p, n_mant << n_shift);
        else
            p += FormatLargeInteger(uint32_t(n_mant), n_shift, p);
        std::memcpy(p, ".000000", 7); // NOLINT(bugprone-not-null-terminated-result)
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
            ++n_micro;
    }
    uint64_t n_int = n_micro / 1000000u;
    uint32_t n_frac = uint32_t(n_micro - n_int * 1000000u);
    if(n_int < 10)
        *p++ = char('0' + n_int); // the common case of normals and unit values
    else
        p = PutUnsigned(p, n_int);
    p[0] = '.';
    std::memcpy(p + 1, p_digit_pairs + 2 * size_t(n_frac / 10000), 2);
    std::memcpy(p + 3, p_digit_pairs + 2 * size_t(n_frac / 100 % 100), 2);
    std::memcpy(p + 5, p_digit_pairs + 2 * size_t(n_frac % 100), 2);
    return size_t(p + 7 - p_out);
}

size_t FormatFloatPrintf(float f, char *p_out)
{
    if(size_t n = FormatNonFinite(f, p_out))
        return n;
    char p_buffer[n_float_text_max + 16];
    int n_len = std::snprintf(p_buffer, sizeof(p_buffer), "%f", double(f));
    std::memcpy(p_out, p_buffer, size_t(n_len));
    return size_t(n_len);
}

} // namespace bake3ds
