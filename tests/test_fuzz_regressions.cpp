// Replays every input the fuzzer (or a review) found once to misbehave,
// stored in fuzz/regressions: each has the outcome its manifest
// (outcomes.txt) records, a complete header or a clean refusal, in bounded
// time.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "api/library.h"
#include "test_support.h"

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryStoredInputConvertsOrFailsCleanly)
{
    fs::path t_dir = fs::path(BAKE3DS_SOURCE_DIR) / "fuzz" / "regressions";
    std::map<std::string, std::string> outcomes; // file name: "converts" or "refused"
    std::ifstream t_manifest(t_dir / "outcomes.txt");
    ASSERT_TRUE(t_manifest) << "fuzz/regressions/outcomes.txt is missing";
    for(std::string s_line; std::getline(t_manifest, s_line);) {
        if(s_line.empty() || s_line[0] == '#')
            continue;
        std::istringstream t_line(s_line);
        std::string s_name, s_outcome;
        t_line >> s_name >> s_outcome;
        ASSERT_TRUE(s_outcome == "converts" || s_outcome == "refused") << s_line;
        outcomes[s_name] = s_outcome;
    }
    int n_inputs = 0;
    for(const fs::directory_entry &r_entry : fs::directory_iterator(t_dir)) {
        if(r_entry.path().extension() != ".3ds")
            continue;
        std::string s_name = r_entry.path().filename().string();
        ASSERT_EQ(outcomes.count(s_name), 1u) << s_name << " has no line in outcomes.txt";
        std::string s_bytes = testing_support::FileContents(r_entry.path().string());
        std::string s_header;
        auto t_start = std::chrono::steady_clock::now();
        bool b_result = bake3ds::ConvertText(reinterpret_cast<const uint8_t *>(s_bytes.data()), s_bytes.size(), "r.3ds",
            nullptr, s_header, nullptr);
        double f_s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t_start).count();
        EXPECT_EQ(b_result ? "converts" : "refused", outcomes[s_name]) << s_name;
        if(b_result)
            EXPECT_TRUE(testing_support::EndsWithTrailer(s_header)) << r_entry.path();
        else
            EXPECT_TRUE(s_header.empty()) << r_entry.path();
        EXPECT_LT(f_s, 60) << r_entry.path() << " took " << f_s << " s";
        ++n_inputs;
    }
    EXPECT_EQ(size_t(n_inputs), outcomes.size()) << "outcomes.txt names a file that is not there";
}
