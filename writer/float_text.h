#ifndef BAKE3DS_WRITER_FLOAT_TEXT_H
#define BAKE3DS_WRITER_FLOAT_TEXT_H

#include <cstddef>

namespace bake3ds {

// Room for the longest text: a sign, 39 integer digits, the point and six
// decimals.
const size_t n_float_text_max = 48;

// Writes f as C's "%f" writes the float widened to double: the exact value
// rounded to six decimals, exact ties to even, a '-' for every negative
// value and for -0. Not-a-number (either sign) is written as 0.000000 and an
// infinity as the largest float, so that every text is a valid literal.
// Writes no terminator; returns the number of characters.
size_t FormatFloat(float f, char *p_out);

// The same text through snprintf("%f") for finite values: the reference the
// fast path is held to, and the plain path a writer can be switched to.
size_t FormatFloatPrintf(float f, char *p_out);

} // namespace bake3ds

#endif
