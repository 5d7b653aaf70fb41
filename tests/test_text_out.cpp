// The text conversions of the generated header: floats as "%f" writes
// them, non-finite floats, escaped names and comment text.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "writer/text_out.h"

using namespace bake3ds;

namespace {

std::string Float(float f, bool b_printf = false)
{
    char p_text[n_float_text_max];
    size_t n = b_printf ? FormatFloatPrintf(f, p_text) : FormatFloat(f, p_text);
    return std::string(p_text, n);
}

std::string Quoted(const std::string &r_s_name)
{
    std::string s;
    {
        CTextOut t_out(&s);
        t_out.PutQuoted(r_s_name);
    }
    return s;
}

std::string Commented(const std::string &r_s_text)
{
    std::string s;
    {
        CTextOut t_out(&s);
        t_out.PutCommented(r_s_text.c_str());
    }
    return s;
}

} // namespace

TEST(FloatText, WorkedValues)
{
    EXPECT_EQ(Float(1.5f), "1.500000");
    EXPECT_EQ(Float(-2.0f), "-2.000000");
    EXPECT_EQ(Float(0.0f), "0.000000");
    EXPECT_EQ(Float(-0.0f), "-0.000000");
    EXPECT_EQ(Float(-1e-9f), "-0.000000") << "a negative value that rounds to 0 keeps its sign";
    EXPECT_EQ(Float(0.1f), "0.100000");
    EXPECT_EQ(Float(86.910622f), "86.910622");
    EXPECT_EQ(Float(1.0f / 128), "0.007812") << "an exact tie rounds to even";
    EXPECT_EQ(Float(3.0f / 128), "0.023438") << "an exact tie rounds to even";
    EXPECT_EQ(Float(0.0000005f), "0.000000");
    EXPECT_EQ(Float(16777216.0f), "16777216.000000");
    EXPECT_EQ(Float(1e20f), "100000002004087734272.000000");
    EXPECT_EQ(Float(std::numeric_limits<float>::max()), "340282346638528859811704183484516925440.000000");
    EXPECT_EQ(Float(std::numeric_limits<float>::denorm_min()), "0.000000");
}

TEST(FloatText, NonFiniteValuesAreLiterals)
{
    float f_inf = std::numeric_limits<float>::infinity();
    float f_nan = std::numeric_limits<float>::quiet_NaN();
    for(bool b_printf : {false, true}) {
        EXPECT_EQ(Float(f_nan, b_printf), "0.000000");
        EXPECT_EQ(Float(-f_nan, b_printf), "0.000000");
        EXPECT_EQ(Float(f_inf, b_printf), "340282346638528859811704183484516925440.000000");
        EXPECT_EQ(Float(-f_inf, b_printf), "-340282346638528859811704183484516925440.000000");
    }
}

TEST(FloatText, FastPathEqualsPrintfAcrossExponents)
{
    // every exponent, mantissas at both ends and in between, both signs
    size_t n_longest = 0;
    for(uint32_t n_exp = 0; n_exp < 255; ++n_exp) {
        for(uint32_t n_mant : {0u, 1u, 2u, 0x400000u, 0x7FFFFEu, 0x7FFFFFu, 0x123456u, 0x654321u}) {
            for(uint32_t n_sign : {0u, 1u}) {
                uint32_t n_bits = n_sign << 31 | n_exp << 23 | n_mant;
                float f;
                std::memcpy(&f, &n_bits, 4);
                std::string s_fast = Float(f);
                ASSERT_EQ(s_fast, Float(f, true)) << std::hex << n_bits;
                n_longest = std::max(n_longest, s_fast.size());
            }
        }
    }
    // the writer's buffers are n_float_text_max long: the longest text, that
    // of -FLT_MAX (a sign, 39 digits, the point and six decimals), must fit
    EXPECT_EQ(n_longest, 47u);
    EXPECT_LE(n_longest, n_float_text_max);
}

TEST(Escaping, NamesInStringLiterals)
{
    EXPECT_EQ(Quoted("plain name 01"), "plain name 01");
    EXPECT_EQ(Quoted("say \"hi\""), "say \\\"hi\\\"");
    EXPECT_EQ(Quoted("C:\\maps"), "C:\\\\maps");
    EXPECT_EQ(Quoted("?\?="), "?\\?=") << "no trigraph can form";
    EXPECT_EQ(Quoted("a?\?\?b?"), "a?\\?\\?b?");
    EXPECT_EQ(Quoted("line\nbreak"), "line\\012break");
    EXPECT_EQ(Quoted("caf\xE9"), "caf\\351");
    EXPECT_EQ(Quoted("\x7F\x01"
                     "7"),
        "\\177\\0017")
        << "always three octal digits";
    EXPECT_EQ(Quoted("\xFF\x80\x1F "), "\\377\\200\\037 ");
    EXPECT_EQ(Quoted("\"); system(\"rm"), "\\\"); system(\\\"rm");
}

TEST(Escaping, PathsInComments)
{
    EXPECT_EQ(Commented("a*/b"), "a*\\/b");
    EXPECT_EQ(Commented("x/*y"), "x/\\*y");
    EXPECT_EQ(Commented("/*/"), "/\\*\\/");
    EXPECT_EQ(Commented("models/ship.3ds"), "models/ship.3ds");
    EXPECT_EQ(Commented("**//"), "**\\//");
}

TEST(TextOut, FormatFillsConversionsInOrder)
{
    std::string s;
    {
        CTextOut t_out(&s);
        std::string s_name = "n\"";
        t_out.Format("[%d|%ff|%s|\"%s\"|%s]", -42, 0.25f, "raw", TQuoted{s_name}, TCommented{"*/"});
        t_out.PutInt(0);
        t_out.PutInt(-2147483647 - 1);
    }
    EXPECT_EQ(s, "[-42|0.250000f|raw|\"n\\\"\"|*\\/]0-2147483648");
}

// Texts around and beyond the buffer's size, after a character that leaves
// it unaligned: each arrives whole and in order, the longest one directly.
TEST(TextOut, LongTextPassesTheBuffer)
{
    std::string s, s_expected = "a";
    {
        CTextOut t_out(&s);
        t_out.Put('a');
        size_t n_capacity = t_out.Capacity();
        for(size_t n_len : {n_capacity - 1, n_capacity, 3 * n_capacity + 17}) {
            std::string s_long(n_len, ' ');
            for(size_t i = 0; i < n_len; ++i)
                s_long[i] = char('a' + (i * 7 + n_len) % 26);
            t_out.Put(s_long);
            s_expected += s_long;
        }
        for(int i = 0; i < 100000; ++i)
            t_out.PutFloat(1.0f);
    }
    for(int i = 0; i < 100000; ++i)
        s_expected += "1.000000";
    ASSERT_EQ(s.size(), s_expected.size());
    EXPECT_TRUE(s == s_expected) << "the text differs from character "
                                 << std::mismatch(s.begin(), s.end(), s_expected.begin()).first - s.begin();
}
