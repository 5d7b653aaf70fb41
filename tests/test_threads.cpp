// The library keeps no state between calls: two threads converting
// different files at once give the bytes they give one after the other, and
// threads reading one scene and one report at once see what one thread
// alone sees. The threads have 64 KiB stacks, as small as musl's default: a
// call needs no more than 16 KiB whatever the file. Built and run under
// ThreadSanitizer too (the tsan preset).

#include <gtest/gtest.h>

#include <cstdio>

#include "bake3ds/bake3ds.hpp"
#include "bench_inputs.h"
#include "fixture/adversarial.h"
#include "fixture/sample_scene.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// The threads' stacks, under the sanitizers too.
const size_t n_thread_stack = 64 << 10;

struct TInput {
    std::string s_name, s_bytes;
};

std::string Convert(const TInput &r_input)
{
    std::string s_header;
    bake3ds::Failure t_failure;
    if(!bake3ds::convert(r_input.s_bytes.data(), r_input.s_bytes.size(), r_input.s_name.c_str(), s_header, &t_failure))
        return std::string("refused: ") + bake3ds::rule_name(t_failure.rule);
    return s_header;
}

int Append(void *p_user, const char *p_text, size_t n_size)
{
    static_cast<std::string *>(p_user)->append(p_text, n_size);
    return 1;
}

// Everything one scene's views hold, their pointers included, and the
// header written both ways, its class named r_s_class; then the report's
// text and JSON.
std::string ReadAll(const bake3ds::Scene &r_scene, const bake3ds::Report &r_report, const std::string &r_s_class)
{
    std::string s;
    char p_line[256];
    for(size_t i = 0; i < r_scene.object_count(); ++i) {
        bake3ds::Object t;
        r_scene.object(i, t);
        std::snprintf(p_line, sizeof(p_line), "%s %p %p %p %d %d %d\n", t.name, static_cast<const void *>(t.vertices),
            static_cast<const void *>(t.indices), static_cast<const void *>(t.material_ranges), t.vertex_count,
            t.face_count, t.material_range_count);
        s += p_line;
        for(int k = 0; k < 8 * t.vertex_count; ++k)
            s.append(reinterpret_cast<const char *>(&t.vertices[k]), sizeof(float));
    }
    for(size_t i = 0; i < r_scene.light_count(); ++i) {
        bake3ds::Light t;
        r_scene.light(i, t);
        s += std::string(t.name) + " " + std::to_string(t.position[0]) + " " + std::to_string(t.color[2]) + "\n";
    }
    for(size_t i = 0; i < r_scene.material_count(); ++i) {
        bake3ds::Material t;
        r_scene.material(i, t);
        s += std::string(t.name) + "\n";
    }
    for(size_t i = 0; i < r_scene.camera_count(); ++i) {
        bake3ds::Camera t;
        r_scene.camera(i, t);
        std::snprintf(p_line, sizeof(p_line), "%s %p %d\n", t.name, static_cast<const void *>(t.position_track.x),
            t.position_track.key_count);
        s += p_line;
    }
    bake3ds::write_header(r_scene, r_s_class.c_str(), "one.3ds", s);
    bake3ds_write_header(r_scene.get(), r_s_class.c_str(), "one.3ds", Append, &s);
    bake3ds::report_text(r_report, s);
    bake3ds::report_json(r_report, s);
    bake3ds::ReportInfo t_info;
    r_report.info(t_info);
    for(size_t i = 0; i < t_info.map_count; ++i)
        s += std::string(t_info.maps[i].name) + "\n";
    return s;
}

} // namespace

TEST(Library, TwoThreadsConvertAsOneAfterTheOther)
{
    // scenes of every kind of record, two large ones so that the threads
    // overlap for a while, and the deepest nesting a file may have
    std::vector<TInput> inputs;
    for(auto p_make : {fixture::SampleScene, fixture::EveryChunkScene, bench::Sphere, bench::LargeGrid}) {
        fixture::TBytes bytes = p_make();
        inputs.push_back({"scene" + std::to_string(inputs.size()) + ".3ds", std::string(bytes.begin(), bytes.end())});
    }
    for(const fixture::TAdversarial &r_file : fixture::AdversarialFiles()) {
        if(r_file.s_name == "nesting 510 deep")
            inputs.push_back({"deep.3ds", std::string(r_file.p_bytes.begin(), r_file.p_bytes.end())});
    }
    for(const std::string &r_s_file : CorpusFiles()) {
        std::string s_name = r_s_file.substr(r_s_file.find_last_of('/') + 1);
        if(s_name == "CameraRollAnim.3ds" || s_name == "flak2.3ds")
            inputs.push_back({s_name, FileContents(r_s_file)});
    }
    std::vector<std::string> alone;
    for(const TInput &r_input : inputs)
        alone.push_back(Convert(r_input));
    std::vector<std::string> together(inputs.size());
    size_t n_half = inputs.size() / 2;
    // each thread converts its half, first to last and last to first, so that
    // different files meet
    RunThreads(n_thread_stack,
        {[&] {
             for(size_t i = 0; i < n_half; ++i)
                 together[i] = Convert(inputs[i]);
         },
            [&] {
                for(size_t i = inputs.size(); i-- > n_half;)
                    together[i] = Convert(inputs[i]);
            }});
    for(size_t i = 0; i < inputs.size(); ++i) {
        EXPECT_NE(alone[i].rfind("refused: ", 0), 0u) << inputs[i].s_name << ": " << alone[i];
        EXPECT_TRUE(together[i] == alone[i]) << inputs[i].s_name << ": another header beside another thread";
    }
}

// Every call on a scene or report takes it const: four threads reading one
// scene and its report, its views, its header both ways (each thread's
// class named apart, so that text one thread left in shared memory would
// show in another's) and the report's text, over and over, each see what
// one thread alone sees.
TEST(Library, ThreadsReadingOneSceneSeeWhatOneThreadSees)
{
    fixture::TBytes bytes = fixture::EveryChunkScene();
    bake3ds::Scene t_scene;
    bake3ds::Report t_report;
    ASSERT_TRUE(bake3ds::load_scene(bytes.data(), bytes.size(), t_scene));
    ASSERT_TRUE(bake3ds::report_bytes(bytes.data(), bytes.size(), "one.3ds", t_report));
    const int n_threads = 4, n_rounds = 100;
    std::vector<std::string> alone;
    for(int n = 0; n < n_threads; ++n)
        alone.push_back(ReadAll(t_scene, t_report, "thread" + std::to_string(n)));
    std::vector<std::vector<std::string>> seen(n_threads, std::vector<std::string>(n_rounds));
    std::vector<std::function<void()>> bodies;
    for(int n = 0; n < n_threads; ++n) {
        bodies.push_back([&, n] {
            for(int k = 0; k < n_rounds; ++k)
                seen[size_t(n)][size_t(k)] = ReadAll(t_scene, t_report, "thread" + std::to_string(n));
        });
    }
    RunThreads(n_thread_stack, bodies);
    for(int n = 0; n < n_threads; ++n) {
        for(int k = 0; k < n_rounds; ++k)
            EXPECT_TRUE(seen[size_t(n)][size_t(k)] == alone[size_t(n)]) << "thread " << n << ", round " << k;
    }
}
