// Lights, cameras, materials and camera tracks of the corpus files and the
// sample scene, compared with an independent reader (lib3ds: its 3dsdump,
// and a small program of ours over its API for the key-frame tracks).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "api/library.h"
#include "fixture/sample_scene.h"
#include "test_support.h"

using namespace bake3ds;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

std::string Triple(float a, float b, float c)
{
    char p_text[256];
    std::snprintf(p_text, sizeof(p_text), "(%f, %f, %f)", double(a), double(b), double(c));
    return p_text;
}

// The text after "key:" and the blanks that follow it.
std::string ValueAfter(const std::string &r_s_line, const std::string &r_s_key)
{
    size_t n = r_s_line.find_first_not_of(' ', r_s_key.size());
    return n == std::string::npos ? "" : r_s_line.substr(n);
}

// What both readers should agree on, one sorted list of lines per kind.
struct TTables {
    std::vector<std::string> materials, lights, cameras, tracks;
};

void Sort(TTables &r_t)
{
    for(std::vector<std::string> *p : {&r_t.materials, &r_t.lights, &r_t.cameras, &r_t.tracks})
        std::sort(p->begin(), p->end());
}

// Ours, in the file's axes: lights and tracks are stored with y and z
// exchanged, cameras as read.
TTables OurTables(const C3dsScene &s)
{
    TTables t;
    for(const TSceneMaterial &r_m : s.p_material)
        t.materials.push_back(r_m.s_name);
    for(const TSceneLight &r_l : s.p_light) {
        t.lights.push_back(r_l.s_name + " at " + Triple(r_l.p_position[0], r_l.p_position[2], r_l.p_position[1]) +
            " colour " + Triple(r_l.p_color[0], r_l.p_color[1], r_l.p_color[2]));
    }
    for(const TSceneCamera &r_c : s.p_camera) {
        t.cameras.push_back(r_c.s_name + " at " + Triple(r_c.p_position[0], r_c.p_position[1], r_c.p_position[2]) +
            " looking at " + Triple(r_c.p_target[0], r_c.p_target[1], r_c.p_target[2]));
        for(const auto &r_kind :
            {std::make_pair("position", &r_c.t_position), std::make_pair("target", &r_c.t_target)}) {
            const TTrack &r_track = *r_kind.second;
            if(!r_track.n_key_num)
                continue;
            std::string s_track = std::string(r_kind.first) + " " + r_c.s_name;
            for(int k = 0; k < r_track.n_key_num; ++k) {
                char p_key[256];
                std::snprintf(p_key, sizeof(p_key), " | %d %f %f %f", int(r_track.p_time[size_t(k)]),
                    double(r_track.p_x[size_t(k)]), double(r_track.p_z[size_t(k)]), double(r_track.p_y[size_t(k)]));
                s_track += p_key;
            }
            t.tracks.push_back(s_track);
        }
    }
    Sort(t);
    return t;
}

// Theirs: 3dsdump -m -l -c, and the tracks program's listing.
TTables TheirTables(const std::string &r_s_dump, const std::string &r_s_tracks)
{
    TTables t;
    std::istringstream t_in(r_s_dump);
    std::string s_line, s_section, s_name, s_position;
    while(std::getline(t_in, s_line)) {
        if(s_line.compare(0, 8, "Dumping ") == 0) {
            s_section = s_line;
            continue;
        }
        if(s_line.compare(0, 7, "  name:") == 0) {
            s_name = ValueAfter(s_line, "  name:");
            if(s_section == "Dumping materials:")
                t.materials.push_back(s_name);
        } else if(s_section == "Dumping lights:" && s_line.compare(0, 8, "  color:") == 0)
            s_position = ValueAfter(s_line, "  color:");
        else if(s_section == "Dumping lights:" && s_line.compare(0, 10, "  position") == 0)
            t.lights.push_back(s_name + " at " + ValueAfter(s_line, "  position") + " colour " + s_position);
        else if(s_section == "Dumping cameras:" && s_line.compare(0, 11, "  position:") == 0)
            s_position = ValueAfter(s_line, "  position:");
        else if(s_section == "Dumping cameras:" && s_line.compare(0, 8, "  target") == 0)
            t.cameras.push_back(s_name + " at " + s_position + " looking at " + ValueAfter(s_line, "  target"));
    }
    std::istringstream t_tracks(r_s_tracks);
    std::string s_kind;
    int n_keys;
    while(t_tracks >> s_kind >> s_name >> n_keys) {
        std::string s_track = s_kind + " " + s_name;
        for(int k = 0; k < n_keys; ++k) {
            int n_frame;
            double x, y, z;
            t_tracks >> n_frame >> x >> y >> z;
            char p_key[256];
            std::snprintf(p_key, sizeof(p_key), " | %d %f %f %f", n_frame, x, y, z);
            s_track += p_key;
        }
        if(n_keys)
            t.tracks.push_back(s_track);
    }
    Sort(t);
    return t;
}

} // namespace

TEST(CrossCheck, LightsCamerasMaterialsAndTracksAgreeWithAnIndependentReader)
{
    if(!HaveProgram("3dsdump"))
        GTEST_SKIP() << "3dsdump (Debian lib3ds-dev) is not installed and could not be installed";
    if(std::string(BAKE3DS_LIB3DS_TRACKS).empty())
        GTEST_SKIP() << "lib3ds (Debian lib3ds-dev) was not found when the tests were configured";
    if(CorpusFiles().empty())
        std::cout << "the corpus folder ../shared/corpus is absent: only the sample scene is compared\n";
    CTempDir t_dir;
    std::string s_sample = t_dir.FilePath("sample.3ds");
    WriteFile(s_sample, fixture::SampleScene());
    std::vector<std::string> files = CorpusFiles();
    files.push_back(s_sample);
    int n_cameras = 0, n_tracks = 0, n_materials = 0, n_lights = 0;
    for(const std::string &r_s_file : files) {
        if(fs::file_size(r_s_file) == 0)
            continue; // the other reader refuses a file without chunks; ours loads it empty
        TLoadedScene p_scene = LoadFile(r_s_file);
        ASSERT_TRUE(p_scene) << r_s_file;
        const C3dsScene &s = p_scene->t_records;
        TRunResult t_dump = RunProgram({"3dsdump", "-m", "-l", "-c", r_s_file});
        TRunResult t_tracks = RunProgram({BAKE3DS_LIB3DS_TRACKS, r_s_file});
        ASSERT_EQ(t_dump.n_status, 0) << r_s_file;
        ASSERT_EQ(t_tracks.n_status, 0) << r_s_file;
        TTables t_ours = OurTables(s), t_theirs = TheirTables(t_dump.s_out, t_tracks.s_out);
        EXPECT_EQ(t_ours.materials, t_theirs.materials) << r_s_file;
        EXPECT_EQ(t_ours.lights, t_theirs.lights) << r_s_file;
        EXPECT_EQ(t_ours.cameras, t_theirs.cameras) << r_s_file;
        EXPECT_EQ(t_ours.tracks, t_theirs.tracks) << r_s_file;
        n_cameras += s.n_camera_num;
        n_lights += s.n_light_num;
        n_materials += s.n_material_num;
        n_tracks += int(t_ours.tracks.size());
    }
    std::cout << "compared " << n_materials << " materials, " << n_lights << " lights, " << n_cameras << " cameras, "
              << n_tracks << " camera tracks\n";
}

TEST(CrossCheck, AnimatedCamerasShowTheirTracksInTheHeader)
{
    int n_animated = 0;
    for(const std::string &r_s_file : CorpusFiles()) {
        TLoadedScene p_scene = LoadFile(r_s_file);
        ASSERT_TRUE(p_scene) << r_s_file;
        const C3dsScene &s = p_scene->t_records;
        std::string s_bytes = FileContents(r_s_file);
        std::string s_header = HeaderFor(fixture::TBytes(s_bytes.begin(), s_bytes.end()), "c", "c.3ds");
        for(int i = 0; i < s.n_camera_num; ++i) {
            const TSceneCamera &r_c = s.p_camera[size_t(i)];
            std::string s_array = "const float Cc_3ds::p_camera_" + std::to_string(i) + "_pos_track[4 * " +
                std::to_string(r_c.t_position.n_key_num) + "] = {\n";
            EXPECT_EQ(s_header.find(s_array) != std::string::npos, r_c.t_position.n_key_num > 0) << r_s_file;
            n_animated += r_c.t_position.n_key_num > 1;
        }
    }
    if(CorpusFiles().empty())
        GTEST_SKIP() << "the corpus folder ../shared/corpus is absent: nothing to check";
    EXPECT_GE(n_animated, 1) << "the corpus holds animated cameras";
}
