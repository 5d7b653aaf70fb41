// The library keeps no state between calls: two threads converting
// different files at once give the bytes they give one after the other.
// Built and run under ThreadSanitizer too (the tsan preset).

#include <gtest/gtest.h>

#include <thread>

#include "bake3ds/bake3ds.hpp"
#include "bench_inputs.h"
#include "fixture/sample_scene.h"
#include "test_support.h"

using namespace testing_support;

namespace {

struct TInput {
    std::string s_name, s_bytes;
};

std::string s_Convert(const TInput &r_input)
{
    std::string s_header;
    bake3ds::Failure t_failure;
    if(!bake3ds::convert(r_input.s_bytes.data(), r_input.s_bytes.size(), r_input.s_name.c_str(), s_header, &t_failure))
        return std::string("refused: ") + bake3ds::rule_name(t_failure.rule);
    return s_header;
}

} // namespace

TEST(Library, TwoThreadsConvertAsOneAfterTheOther)
{
    // scenes of every kind of record, and two large ones, so that the threads
    // overlap for a while
    std::vector<TInput> inputs;
    for(auto p_make : {fixture::SampleScene, fixture::EveryChunkScene, bench::Sphere, bench::LargeGrid}) {
        fixture::TBytes bytes = p_make();
        inputs.push_back({"scene" + std::to_string(inputs.size()) + ".3ds", std::string(bytes.begin(), bytes.end())});
    }
    for(const std::string &r_s_file : CorpusFiles()) {
        std::string s_name = r_s_file.substr(r_s_file.find_last_of('/') + 1);
        if(s_name == "CameraRollAnim.3ds" || s_name == "flak2.3ds")
            inputs.push_back({s_name, s_ReadFile(r_s_file)});
    }
    std::vector<std::string> alone;
    for(const TInput &r_input : inputs)
        alone.push_back(s_Convert(r_input));
    std::vector<std::string> together(inputs.size());
    size_t n_half = inputs.size() / 2;
    // each thread converts its half, first to last and last to first, so that
    // different files meet
    std::thread t_first([&] {
        for(size_t i = 0; i < n_half; ++ i)
            together[i] = s_Convert(inputs[i]);
    });
    std::thread t_second([&] {
        for(size_t i = inputs.size(); i-- > n_half;)
            together[i] = s_Convert(inputs[i]);
    });
    t_first.join();
    t_second.join();
    for(size_t i = 0; i < inputs.size(); ++ i) {
        EXPECT_NE(alone[i].rfind("refused: ", 0), 0u) << inputs[i].s_name << ": " << alone[i];
        EXPECT_TRUE(together[i] == alone[i]) << inputs[i].s_name << ": another header beside another thread";
    }
}
