// Files made to hurt a reader, through the built converter: each converts
// or fails as expected, within 5 s and 256 MiB (limits checked in plain
// builds; sanitizer builds print the figures only).

#include <gtest/gtest.h>

#include <cstdio>

#include "fixture/adversarial.h"
#include "test_support.h"

using namespace testing_support;

TEST(Adversarial, EveryFileConvertsOrFailsWithinTimeAndMemory)
{
    for(const fixture::TAdversarial &r_file : fixture::AdversarialFiles()) {
        ASSERT_LE(r_file.bytes.size(), size_t(1) << 20) << r_file.s_name;
        CTempDir t_dir;
        WriteFile(t_dir.s_File("in.3ds"), r_file.bytes);
        TMeasured t = t_MeasureTool("in.3ds", t_dir.s_Path());
        std::printf("%-48s %8zu bytes  %-9s %8.1f ms %7.1f MiB\n", r_file.s_name.c_str(), r_file.bytes.size(),
            t.n_status == 0 ? "converted" : "failed", t.f_ms, t.f_rss_mb);
        EXPECT_EQ(t.n_status, r_file.b_converts ? 0 : 255) << r_file.s_name << ": " << r_file.s_why;
        if(r_file.b_converts) {
            std::string s_header = s_ReadFile(t_dir.s_File("in.h"));
            EXPECT_TRUE(b_EndsWithTrailer(s_header)) << r_file.s_name << ": the header is incomplete";
        }
        if(!b_Sanitized()) {
            EXPECT_LE(t.f_ms, 5000) << r_file.s_name;
            EXPECT_LE(t.f_rss_mb, 256) << r_file.s_name;
        }
    }
}

TEST(Adversarial, InMemoryConversionAgrees)
{
    // the library path that the fuzzer drives gives the same outcomes
    for(const fixture::TAdversarial &r_file : fixture::AdversarialFiles()) {
        if(r_file.bytes.size() > 200000)
            continue; // the large ones are covered through the tool above
        bake3ds::C3dsScene t_scene;
        EXPECT_EQ(n_LoadBytes(r_file.bytes, t_scene), r_file.b_converts ? 1 : 0) << r_file.s_name;
    }
}
