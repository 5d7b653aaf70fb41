// Every allocation of a whole conversion fails once: this program links the
// replaced operator new (every form), which fails the k-th allocation of a
// conversion. Each run must fail cleanly (the conversion returns false,
// leaves no text and names the rule allocation_failed) or, where the
// code has a way around the failure (the writer's spare buffer, a size hint
// that is only a hint), give exactly the header of an unhindered run; a
// partial header never counts as success, and LeakSanitizer, in the
// sanitizer build, finds nothing left behind. Both ways to convert in memory
// are swept: the library's own text, and the C call under the C++ layer,
// whose header is handed over in memory of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "api/library.h"
#include "bake3ds/bake3ds.hpp"
#include "fixture/sample_scene.h"
#include "replaced_new.h"
#include "test_support.h"

namespace {

// The ways to convert bytes in memory that the sweep drives.
enum TPath { path_LibraryText, path_CInterface };

const char *PathName(TPath n_path)
{
    return n_path == path_LibraryText ? "library text" : "C interface";
}

// One conversion with the n_fail-th allocation failing (0: none); returns
// the number of allocations it asked for.
long Convert(TPath n_path, const std::string &r_s_bytes, long n_fail, bool &r_b_result, std::string &r_s_header,
    bake3ds_failure &r_failure)
{
    r_s_header.clear();
    r_s_header.shrink_to_fit();
    testing_support::StartCountingAllocations(n_fail);
    if(n_path == path_LibraryText) {
        r_b_result = bake3ds::ConvertText(reinterpret_cast<const uint8_t *>(r_s_bytes.data()), r_s_bytes.size(),
            "a.3ds", nullptr, r_s_header, &r_failure);
    } else
        r_b_result = bake3ds::convert(r_s_bytes.data(), r_s_bytes.size(), "a.3ds", r_s_header, &r_failure);
    return testing_support::StopCountingAllocations();
}

long n_points_covered = 0;

void SweepAllocations(const std::string &r_s_name, const std::string &r_s_bytes)
{
    for(TPath n_path : {path_LibraryText, path_CInterface}) {
        std::string s_what = r_s_name + " (" + PathName(n_path) + ")";
        bool b_result;
        bake3ds_failure t_failure;
        std::string s_reference, s_header;
        long n_total = Convert(n_path, r_s_bytes, 0, b_result, s_reference, t_failure);
        ASSERT_TRUE(b_result) << s_what << " converts when nothing fails: " << t_failure.message;
        ASSERT_GT(n_total, 0);
        long n_refused = 0;
        for(long k = 1; k <= n_total; ++k) {
            Convert(n_path, r_s_bytes, k, b_result, s_header, t_failure);
            n_refused += !b_result;
            if(b_result) {
                ASSERT_TRUE(s_header == s_reference)
                    << s_what << ": allocation " << k << " of " << n_total
                    << " failed and a different header counted as success";
                continue;
            }
            ASSERT_TRUE(s_header.empty()) << s_what << ": allocation " << k << " failed and left text behind";
            ASSERT_EQ(t_failure.rule, BAKE3DS_RULE_ALLOCATION_FAILED)
                << s_what << ": allocation " << k << " failed and the conversion refused with " << t_failure.message;
            ASSERT_EQ(t_failure.file_size, int64_t(r_s_bytes.size())) << s_what << ": allocation " << k;
            ASSERT_EQ(std::string(t_failure.message).find("memory could not be allocated"), 0u)
                << s_what << ": allocation " << k << ": " << t_failure.message;
        }
        EXPECT_GT(n_refused, 0) << s_what
                                << ": no failed allocation failed the conversion: the replacement is not in use";
        n_points_covered += n_total;
        std::cout << s_what << ": " << n_total << " allocations, each failed once; " << n_refused
                  << " conversions refused, the others exact\n";
    }
}

std::string Text(const fixture::TBytes &r_bytes)
{
    return std::string(r_bytes.begin(), r_bytes.end());
}

} // namespace

TEST(AllocationFailure, EveryAllocationOfTheFixturesFailsCleanly)
{
    auto t_start = std::chrono::steady_clock::now();
    n_points_covered = 0;
    SweepAllocations("sample", Text(fixture::SampleScene()));
    SweepAllocations("every chunk", Text(fixture::EveryChunkScene()));
    std::cout << n_points_covered << " allocation points covered in "
              << std::chrono::duration<double>(std::chrono::steady_clock::now() - t_start).count() << " s\n";
}

TEST(AllocationFailure, EveryAllocationOfThreeSmallCorpusFilesFailsCleanly)
{
    std::vector<std::string> files = testing_support::CorpusFiles();
    if(files.empty())
        GTEST_SKIP() << "../shared/corpus is absent: no corpus files swept";
    // the three smallest, so that the sweep, quadratic in a file's allocations, stays cheap
    std::sort(files.begin(), files.end(), [](const std::string &r_a, const std::string &r_b) {
        return std::filesystem::file_size(r_a) < std::filesystem::file_size(r_b);
    });
    auto t_start = std::chrono::steady_clock::now();
    n_points_covered = 0;
    int n_swept = 0;
    for(const std::string &r_s_file : files) {
        if(n_swept == 3)
            break;
        if(std::filesystem::file_size(r_s_file) == 0)
            continue; // an empty file allocates nothing
        SweepAllocations(r_s_file, testing_support::FileContents(r_s_file));
        ++n_swept;
    }
    std::cout << n_points_covered << " allocation points covered in "
              << std::chrono::duration<double>(std::chrono::steady_clock::now() - t_start).count() << " s\n";
}
