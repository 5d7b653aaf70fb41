// The fast float formatter against snprintf("%f"), the reference it must
// equal byte for byte, and whole headers through both paths.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "bench_inputs.h"
#include "api/library.h"
#include "fixture/sample_scene.h"
#include "test_support.h"
#include "writer/float_text.h"

using namespace bake3ds;

namespace {

float FromBits(uint32_t n_bits)
{
    float f;
    std::memcpy(&f, &n_bits, 4);
    return f;
}

// The reference text, independent of the formatter's own code: C's "%f" for
// a finite value; for not-a-number and the infinities, the literals the
// formatter promises, written out here.
size_t ReferenceText(float f, char *p_out)
{
    std::string s_text;
    if(std::isnan(f))
        s_text = "0.000000";
    else if(std::isinf(f))
        s_text = std::string(f < 0 ? "-" : "") + "340282346638528859811704183484516925440.000000";
    else {
        char p_buffer[n_float_text_max + 16];
        s_text.assign(p_buffer, size_t(std::snprintf(p_buffer, sizeof(p_buffer), "%f", double(f))));
    }
    std::memcpy(p_out, s_text.data(), s_text.size());
    return s_text.size();
}

// Formats the float both ways; true when the texts agree (the mismatch is
// recorded for the message).
bool Same(uint32_t n_bits, std::string &r_s_first_mismatch, std::string *s_fast = nullptr)
{
    char p_fast[n_float_text_max], p_reference[n_float_text_max];
    float f = FromBits(n_bits);
    size_t n_fast = FormatFloat(f, p_fast), n_reference = ReferenceText(f, p_reference);
    if(s_fast)
        s_fast->assign(p_fast, n_fast);
    if(n_fast == n_reference && std::memcmp(p_fast, p_reference, n_fast) == 0)
        return true;
    if(r_s_first_mismatch.empty()) {
        char p_bits[16];
        std::snprintf(p_bits, sizeof(p_bits), "%08x", unsigned(n_bits));
        r_s_first_mismatch = std::string(p_bits) + ": fast '" + std::string(p_fast, n_fast) + "', printf '" +
            std::string(p_reference, n_reference) + "'";
    }
    return false;
}

} // namespace

TEST(FloatFormat, StructuredSampleEqualsPrintf)
{
    std::string s_mismatch, s_fast;
    uint64_t n_wrong = 0;
    auto check = [&](uint32_t n_bits) {
        for(uint32_t n_sign : {0u, 0x80000000u})
            n_wrong += !Same(n_bits | n_sign, s_mismatch, &s_fast);
    };
    std::mt19937 t_random(2026);
    // every exponent, subnormals (exponent 0) included: the mantissas at both
    // ends, around the middle and a thousand at random
    for(uint32_t n_exp = 0; n_exp < 255; ++n_exp) {
        for(uint32_t n_mant : {0u, 1u, 2u, 3u, 0x3FFFFFu, 0x400000u, 0x400001u, 0x7FFFFEu, 0x7FFFFFu})
            check(n_exp << 23 | n_mant);
        for(int i = 0; i < 1000; ++i)
            check(n_exp << 23 | (t_random() & 0x7FFFFF));
    }
    // every exact tie at the sixth decimal: value * 10^6 ends in exactly .5
    // only for odd multiples of 1/128, all of which a float holds below 2^17.
    // Their texts are also known without any C library: n_odd / 128 * 10^6 is
    // n_odd * 15625 / 2, an odd number halved, which rounds to the even
    // neighbour. That holds the reference to the rule too.
    uint64_t n_ties_wrong = 0;
    std::string s_tie_mismatch;
    for(uint32_t n_odd = 1; n_odd < (1u << 24); n_odd += 2) {
        float f = float(n_odd) / 128;
        uint32_t n_bits;
        std::memcpy(&n_bits, &f, 4);
        check(n_bits);
        uint64_t n_micro = (uint64_t(n_odd) * 15625 - 1) / 2;
        n_micro += n_micro & 1;
        char p_expected[40];
        std::snprintf(p_expected, sizeof(p_expected), "-%llu.%06llu", (unsigned long long)(n_micro / 1000000),
            (unsigned long long)(n_micro % 1000000));
        if(s_fast != p_expected) { // the last check was of the negative value
            if(!n_ties_wrong++)
                s_tie_mismatch = s_fast + " instead of " + p_expected;
        }
    }
    EXPECT_EQ(n_ties_wrong, 0u) << "first: " << s_tie_mismatch;
    // the neighbours of every power of ten a float can come near, and the largest values
    for(int n_pow = -45; n_pow <= 38; ++n_pow) {
        float f = std::pow(10.0f, float(n_pow));
        uint32_t n_bits;
        std::memcpy(&n_bits, &f, 4);
        for(uint32_t d = 0; d < 9; ++d) {
            if(n_bits + d >= 4 && n_bits + d - 4 < 0x7F800000u)
                check(n_bits + d - 4);
        }
    }
    for(uint32_t d = 0; d < 1000; ++d)
        check(0x7F7FFFFFu - d);
    EXPECT_EQ(n_wrong, 0u) << "first: " << s_mismatch;
}

TEST(FloatFormat, TenMillionRandomBitPatternsEqualPrintf)
{
    std::mt19937 t_random(20261209);
    std::string s_mismatch, s_fast;
    uint64_t n_wrong = 0;
    // what the formatter wrote, by the path that wrote it: a value below
    // half a millionth, one with decimals, an integer of 2^64 or more (the
    // limb arithmetic) and the literals of not-a-number and the infinities
    uint64_t n_to_zero = 0, n_decimals = 0, n_wide = 0, n_literal = 0;
    for(int i = 0; i < 10000000; ++i) {
        uint32_t n_bits = uint32_t(t_random());
        n_wrong += !Same(n_bits, s_mismatch, &s_fast);
        size_t n_point = s_fast.find('.'), n_digits = n_point - (s_fast[0] == '-');
        bool b_decimals = s_fast.compare(n_point, std::string::npos, ".000000") != 0;
        if(!std::isfinite(FromBits(n_bits)))
            n_literal += s_fast == "0.000000" || n_digits == 39;
        else if(b_decimals)
            ++n_decimals;
        else if(n_digits >= 20)
            ++n_wide;
        else if(n_digits == 1 && s_fast[n_point - 1] == '0' && (n_bits & 0x7FFFFFFF))
            ++n_to_zero;
    }
    EXPECT_EQ(n_wrong, 0u) << "first: " << s_mismatch;
    EXPECT_GT(n_to_zero, 0u);
    EXPECT_GT(n_decimals, 0u);
    EXPECT_GT(n_wide, 0u);
    EXPECT_GT(n_literal, 0u);
}

TEST(FloatFormat, HeadersAreTheSameThroughThePrintfPath)
{
    std::vector<std::pair<std::string, fixture::TBytes>> inputs = {{"grid", bench::LargeGrid()},
        {"sphere", bench::Sphere()}, {"busy scene", bench::BusyScene()}, {"sample", fixture::SampleScene()}};
    for(const std::string &r_s_file : testing_support::CorpusFiles()) {
        std::string s_bytes = testing_support::FileContents(r_s_file);
        inputs.push_back({r_s_file, fixture::TBytes(s_bytes.begin(), s_bytes.end())});
    }
    size_t n_bytes = 0;
    for(const auto &r_input : inputs) {
        std::string s_fast, s_printf;
        const fixture::TBytes &r_bytes = r_input.second;
        ASSERT_TRUE(ConvertText(r_bytes.data(), r_bytes.size(), "x.3ds", nullptr, s_fast, nullptr)) << r_input.first;
        ASSERT_TRUE(ConvertText(r_bytes.data(), r_bytes.size(), "x.3ds", nullptr, s_printf, nullptr, true))
            << r_input.first;
        EXPECT_TRUE(s_fast == s_printf) << r_input.first << " differs";
        n_bytes += s_fast.size();
    }
    EXPECT_GT(n_bytes, 10000000u) << "the generated scenes alone give more";
}
