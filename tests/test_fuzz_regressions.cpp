// Replays every input the fuzzer (or a review) found once to misbehave,
// stored in fuzz/regressions: each converts to a complete header or fails
// cleanly, in bounded time.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "driver/run.h"
#include "test_support.h"

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryStoredInputConvertsOrFailsCleanly)
{
    fs::path t_dir = fs::path(BAKE3DS_SOURCE_DIR) / "fuzz" / "regressions";
    int n_inputs = 0;
    for(const fs::directory_entry &r_entry : fs::directory_iterator(t_dir)) {
        std::string s_bytes = testing_support::s_ReadFile(r_entry.path().string());
        std::string s_header;
        auto t_start = std::chrono::steady_clock::now();
        int n_result = bake3ds::ConvertMemory(reinterpret_cast<const uint8_t *>(s_bytes.data()), s_bytes.size(), "r",
            "r.3ds", s_header);
        double f_s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t_start).count();
        if(n_result)
            EXPECT_TRUE(testing_support::b_EndsWithTrailer(s_header)) << r_entry.path();
        else
            EXPECT_TRUE(s_header.empty()) << r_entry.path();
        EXPECT_LT(f_s, 60) << r_entry.path() << " took " << f_s << " s";
        ++ n_inputs;
    }
    EXPECT_GT(n_inputs, 0);
}
