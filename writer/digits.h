#ifndef BAKE3DS_WRITER_DIGITS_H
#define BAKE3DS_WRITER_DIGITS_H

// Decimal digits without printf, two at a time: the writer's hot paths.

#include <cstdint>
#include <cstring>

namespace bake3ds {

// "00" to "99".
inline constexpr char p_digit_pairs[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

// Writes the decimal digits of n, at least one, and returns the end.
inline char *PutUnsigned(char *p, uint64_t n)
{
    // the values met most, indices and small integer parts, without a loop
    if(n < 100) {
        if(n < 10) {
            *p = char('0' + n);
            return p + 1;
        }
        std::memcpy(p, p_digit_pairs + 2 * n, 2);
        return p + 2;
    }
    if(n < 10000) {
        if(n < 1000) {
            *p = char('0' + n / 100);
            std::memcpy(p + 1, p_digit_pairs + 2 * (n % 100), 2);
            return p + 3;
        }
        std::memcpy(p, p_digit_pairs + 2 * (n / 100), 2);
        std::memcpy(p + 2, p_digit_pairs + 2 * (n % 100), 2);
        return p + 4;
    }
    if(n < 100000) {
        uint32_t n_low = uint32_t(n % 10000);
        *p = char('0' + n / 10000);
        std::memcpy(p + 1, p_digit_pairs + 2 * size_t(n_low / 100), 2);
        std::memcpy(p + 3, p_digit_pairs + 2 * size_t(n_low % 100), 2);
        return p + 5;
    }
    int n_len = 1;
    for(uint64_t n_limit = 10; n_len < 20 && n >= n_limit; n_limit *= 10)
        ++n_len;
    char *p_end = p + n_len, *q = p_end;
    for(; n >= 100; n /= 100) {
        q -= 2;
        std::memcpy(q, p_digit_pairs + 2 * (n % 100), 2);
    }
    if(n >= 10)
        std::memcpy(q - 2, p_digit_pairs + 2 * n, 2);
    else
        q[-1] = char('0' + n);
    return p_end;
}

} // namespace bake3ds

#endif
