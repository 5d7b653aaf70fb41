// Sweeps over damaged files: every prefix of small real and fixture files,
// every single-byte change of small fixtures. Each converts to a complete
// header or fails cleanly; under the sanitizers, without any error.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "api/library.h"
#include "fixture/sample_scene.h"
#include "reader/chunk_table.h"
#include "test_support.h"

using namespace bake3ds;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// Converts in memory; counts the outcome and checks a converted header ends
// with the trailer.
void Convert(const fixture::TBytes &r_bytes, int &r_n_converted, int &r_n_failed, const std::string &r_s_what)
{
    std::string s_header;
    if(!ConvertText(r_bytes.data(), r_bytes.size(), "sweep.3ds", nullptr, s_header, nullptr)) {
        ++r_n_failed;
        ASSERT_TRUE(s_header.empty()) << r_s_what;
        return;
    }
    ++r_n_converted;
    ASSERT_TRUE(EndsWithTrailer(s_header)) << r_s_what;
}

fixture::TBytes FileBytes(const std::string &r_s_path)
{
    std::string s = FileContents(r_s_path);
    return fixture::TBytes(s.begin(), s.end());
}

// The small real files of the corpus the sweeps use, those present.
std::vector<std::pair<std::string, fixture::TBytes>> SmallRealFiles()
{
    std::vector<std::pair<std::string, fixture::TBytes>> files;
    for(const std::string &r_s_path : CorpusFiles()) {
        std::string s_name = fs::path(r_s_path).filename().string();
        if(s_name == "TargetCameraAnim.3ds" || s_name == "CameraRollAnim.3ds" || s_name == "cannon1b.3ds" ||
            s_name == "crate_low.3ds" || s_name == "ramp.3ds")
            files.push_back({r_s_path, FileBytes(r_s_path)});
    }
    return files;
}

// Every id reached by walking the bytes as the reader's table says.
void CollectIds(const fixture::TBytes &r_bytes, size_t n_begin, size_t n_end, std::set<uint16_t> &r_ids)
{
    for(size_t n_pos = n_begin; n_pos + 6 <= n_end;) {
        uint16_t n_id = uint16_t(r_bytes[n_pos] | r_bytes[n_pos + 1] << 8);
        uint32_t n_length = uint32_t(r_bytes[n_pos + 2]) | uint32_t(r_bytes[n_pos + 3]) << 8 |
            uint32_t(r_bytes[n_pos + 4]) << 16 | uint32_t(r_bytes[n_pos + 5]) << 24;
        if(n_length < 6)
            return;
        const TChunkInfo *p_info = FindChunkInfo(n_id);
        if(p_info) {
            r_ids.insert(n_id);
            if(p_info->b_has_children) {
                size_t n_data = n_pos + 6;
                // the chunks whose own data precedes their sub-chunks
                if(n_id == 0x4000 || n_id == 0x4600 || n_id == 0x4120) {
                    if(n_id == 0x4000)
                        while(r_bytes[n_data++]) {
                        }
                    else if(n_id == 0x4600)
                        n_data += 12;
                    else
                        n_data += 2 + 8 * size_t(r_bytes[n_data] | r_bytes[n_data + 1] << 8);
                }
                CollectIds(r_bytes, n_data, n_pos + n_length, r_ids);
            }
        }
        n_pos += n_length;
    }
}

} // namespace

TEST(Sweep, TheFixtureHoldsEveryKnownChunk)
{
    fixture::TBytes bytes = fixture::EveryChunkScene();
    std::set<uint16_t> ids;
    CollectIds(bytes, 0, bytes.size(), ids);
    for(int i = 0; i < n_chunk_table_size; ++i)
        EXPECT_TRUE(ids.count(p_chunk_table[i].n_chunk_id)) << std::hex << p_chunk_table[i].n_chunk_id;
    C3dsScene s;
    ASSERT_TRUE(LoadBytes(bytes, s));
    EXPECT_EQ(s.n_object_num + s.n_light_num + s.n_camera_num + s.n_material_num, 7);
}

TEST(Sweep, EveryPrefixConvertsOrFailsCleanly)
{
    std::vector<std::pair<std::string, fixture::TBytes>> files = {{"sample", fixture::SampleScene()},
        {"every chunk", fixture::EveryChunkScene()}};
    for(auto &r_file : SmallRealFiles())
        files.push_back(r_file);
    if(files.size() == 2)
        std::cout << "the corpus folder ../shared/corpus is absent: only fixtures are swept\n";
    int n_converted = 0, n_failed = 0;
    for(const auto &r_file : files) {
        for(size_t n = 0; n <= r_file.second.size(); ++n) {
            fixture::TBytes prefix(r_file.second.begin(), r_file.second.begin() + long(n));
            Convert(prefix, n_converted, n_failed, r_file.first + " cut to " + std::to_string(n) + " bytes");
        }
        // the full-length prefix is the file itself: for a real file, exactly
        // the header worked out for it elsewhere, converted under its own name
        if(r_file.first == "sample" || r_file.first == "every chunk")
            continue;
        std::string s_name = fs::path(r_file.first).filename().string(), s_header;
        ASSERT_TRUE(ConvertText(r_file.second.data(), r_file.second.size(), s_name.c_str(), nullptr, s_header, nullptr))
            << s_name;
        std::string s_expected;
        for(const TExpectedOutcome &r_expected : ExpectedOutcomes()) {
            if(CorpusDir() + "/" + r_expected.s_path == r_file.first)
                s_expected = r_expected.s_header_sha256;
        }
        EXPECT_EQ(Sha256(s_header), s_expected) << s_name << ": the whole file gives another header";
    }
    std::cout << n_converted << " prefixes converted, " << n_failed << " failed\n";
    EXPECT_GT(n_converted, 0);
}

TEST(Sweep, EverySingleByteChangeConvertsOrFailsCleanly)
{
    std::vector<std::pair<std::string, fixture::TBytes>> files = {{"sample", fixture::SampleScene()},
        {"every chunk", fixture::EveryChunkScene()}};
    int n_converted = 0, n_failed = 0;
    for(const auto &r_file : files) {
        fixture::TBytes bytes = r_file.second;
        for(size_t i = 0; i < bytes.size(); ++i) {
            uint8_t n_original = bytes[i];
            for(uint8_t n_value : {uint8_t(0), uint8_t(0xFF), uint8_t(n_original ^ 1), uint8_t(n_original ^ 0x80),
                    uint8_t(n_original + 6)}) {
                if(n_value == n_original)
                    continue;
                bytes[i] = n_value;
                Convert(bytes, n_converted, n_failed,
                    r_file.first + " byte " + std::to_string(i) + " set to " + std::to_string(n_value));
            }
            bytes[i] = n_original;
        }
    }
    std::cout << n_converted << " changed files converted, " << n_failed << " failed\n";
    EXPECT_GT(n_failed, 0);
    EXPECT_GT(n_converted, n_failed);
}
