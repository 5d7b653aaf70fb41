// Files made to hurt a reader, through the built converter: each converts
// or fails as expected, within 5 s and 256 MiB (limits checked in plain
// builds; sanitizer builds print the figures only). Those whose headers are
// known in advance are compared with them.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "fixture/adversarial.h"
#include "test_support.h"
#include "text_sections.h"

using namespace testing_support;

namespace {

const fixture::TAdversarial &File(const std::string &r_s_name)
{
    static const std::vector<fixture::TAdversarial> files = fixture::AdversarialFiles();
    for(const fixture::TAdversarial &r_file : files) {
        if(r_file.s_name == r_s_name)
            return r_file;
    }
    ADD_FAILURE() << "no adversarial file '" << r_s_name << "'";
    return files.front();
}

std::string HeaderOf(const std::string &r_s_name)
{
    return HeaderFor(File(r_s_name).p_bytes, "in", "in.3ds");
}

// n copies of the line, each followed by a line break.
std::string Repeated(const std::string &r_s_line, size_t n)
{
    std::string s;
    s.reserve((r_s_line.size() + 1) * n);
    for(size_t i = 0; i < n; ++i)
        s += r_s_line + "\n";
    return s;
}

// The object table of one mesh without a name or a matrix.
std::string ObjectTable(const std::string &r_s_counts_and_arrays)
{
    return "const Cin_3ds::TObject Cin_3ds::m_p_object[1] = {\n\t{\"\", 0, 0, {\n" +
        Repeated("\t0.000000f, 0.000000f, 0.000000f, 0.000000f,", 3) +
        "\t0.000000f, 0.000000f, 0.000000f, 0.000000f}, " + r_s_counts_and_arrays +
        "\n\t1, p_object_0_materials}\n};\n";
}

// A vertex at the origin with the zero normal (negated to -0) and no mapping.
const char s_zero_vertex[] =
    "\t0.000000f, 0.000000f, -0.000000f, -0.000000f, -0.000000f, 0.000000f, 0.000000f, 0.000000f";
// The one vertex (1, 2, 3) of the fixtures, stored as x, z, y, with no face
// to give it a normal.
const char s_one_vertex[] =
    "\t0.000000f, 0.000000f, -0.000000f, -0.000000f, -0.000000f, 1.000000f, 3.000000f, 2.000000f";

} // namespace

TEST(Adversarial, EveryFileConvertsOrFailsWithinTimeAndMemory)
{
    for(const fixture::TAdversarial &r_file : fixture::AdversarialFiles()) {
        ASSERT_LE(r_file.p_bytes.size(), size_t(1) << 20) << r_file.s_name;
        CTempDir t_dir;
        WriteFile(t_dir.FilePath("in.3ds"), r_file.p_bytes);
        TMeasured t = MeasureTool("in.3ds", t_dir.Path());
        std::printf("%-48s %8zu bytes  %-9s %8.1f ms %7.1f MiB\n", r_file.s_name.c_str(), r_file.p_bytes.size(),
            t.n_status == 0 ? "converted" : "failed", t.f_ms, t.f_rss_mb);
        EXPECT_EQ(t.n_status, r_file.b_converts ? 0 : 255) << r_file.s_name << ": " << r_file.s_why;
        if(r_file.b_converts) {
            std::string s_header = FileContents(t_dir.FilePath("in.h"));
            EXPECT_TRUE(EndsWithTrailer(s_header)) << r_file.s_name << ": the header is incomplete";
        }
        if(!Sanitized()) {
            EXPECT_LE(t.f_ms, 5000) << r_file.s_name;
            EXPECT_LE(t.f_rss_mb, 256) << r_file.s_name;
        }
    }
}

TEST(Adversarial, InMemoryConversionAgrees)
{
    // the library path that the fuzzer drives gives the same outcomes
    for(const fixture::TAdversarial &r_file : fixture::AdversarialFiles()) {
        if(r_file.p_bytes.size() > 200000)
            continue; // the large ones are covered through the tool above
        bake3ds::C3dsScene t_scene;
        EXPECT_EQ(LoadBytes(r_file.p_bytes, t_scene), r_file.b_converts) << r_file.s_name;
    }
}

// Counts that claim more than the file holds give what the reader makes of
// the missing bytes: zeros, in full. The headers are known line for line.
TEST(Adversarial, ClaimedCountsGiveKnownHeaders)
{
    std::string s_vertices = HeaderOf("vertex list of 65535 in 8 bytes");
    EXPECT_NE(s_vertices.find("\tstatic const float p_object_0_vertices[8 * 65535];\n"
                              "\tstatic const TObject::TMatRange p_object_0_materials[1];\n"
                              "\tstatic const TObject m_p_object[1];\n"),
        std::string::npos);
    EXPECT_TRUE(HeaderDefinition(s_vertices, "const float Cin_3ds::p_object_0_vertices") ==
        "const float Cin_3ds::p_object_0_vertices[8 * 65535] = {\n" +
            Repeated(s_zero_vertex + std::string(","), 65534) + s_zero_vertex + "\n};\n")
        << "65535 vertices at the origin";
    EXPECT_EQ(s_vertices.find("p_object_0_indices"), std::string::npos) << "no faces, no index array";
    EXPECT_EQ(HeaderDefinition(s_vertices, "const Cin_3ds::TObject::TMatRange Cin_3ds::p_object_0_materials"),
        "const Cin_3ds::TObject::TMatRange Cin_3ds::p_object_0_materials[1] = {\n\t{-1, 0, 0}\n};\n");
    EXPECT_EQ(HeaderDefinition(s_vertices, "const Cin_3ds::TObject Cin_3ds::m_p_object"),
        ObjectTable("65535, 0,\n\tp_object_0_vertices, 0,"));
    // mapping coordinates past the end are zeros, as absent ones are
    EXPECT_TRUE(HeaderOf("mapping list of 65535 in 8 bytes") == s_vertices);

    // 65535 faces 0, 0, 0 of the one vertex: eight faces a line
    std::string s_faces = HeaderOf("face list of 65535 in 8 bytes");
    EXPECT_EQ(HeaderDefinition(s_faces, "const float Cin_3ds::p_object_0_vertices"),
        "const float Cin_3ds::p_object_0_vertices[8 * 1] = {\n" + std::string(s_one_vertex) + "\n};\n");
    std::string s_eight_faces = "\t0";
    for(int i = 1; i < 24; ++i)
        s_eight_faces += ", 0";
    EXPECT_TRUE(HeaderDefinition(s_faces, "const unsigned int Cin_3ds::p_object_0_indices") ==
        "const unsigned int Cin_3ds::p_object_0_indices[3 * 65535] = {\n" + Repeated(s_eight_faces + ",", 8191) +
            s_eight_faces.substr(0, s_eight_faces.size() - 9) + "\n};\n")
        << "65528 faces in full lines, then 7";
    EXPECT_EQ(HeaderDefinition(s_faces, "const Cin_3ds::TObject::TMatRange Cin_3ds::p_object_0_materials"),
        "const Cin_3ds::TObject::TMatRange Cin_3ds::p_object_0_materials[1] = {\n\t{-1, 0, 196605}\n};\n");
    EXPECT_EQ(HeaderDefinition(s_faces, "const Cin_3ds::TObject Cin_3ds::m_p_object"),
        ObjectTable("1, 65535,\n\tp_object_0_vertices, p_object_0_indices,"));

    // a group of 65535 entries naming a material the file lacks: the three
    // faces keep no material
    std::string s_group = HeaderOf("material group of 65535 in 10 bytes");
    EXPECT_EQ(HeaderDefinition(s_group, "const unsigned int Cin_3ds::p_object_0_indices"),
        "const unsigned int Cin_3ds::p_object_0_indices[3 * 3] = {\n\t0, 0, 0, 0, 0, 0, 0, 0, 0\n};\n");
    EXPECT_EQ(HeaderDefinition(s_group, "const Cin_3ds::TObject::TMatRange Cin_3ds::p_object_0_materials"),
        "const Cin_3ds::TObject::TMatRange Cin_3ds::p_object_0_materials[1] = {\n\t{-1, 0, 9}\n};\n");

    // 65535 keys of zeros: four arrays (time, x, y, z) of 8191 full lines and
    // one of seven values, every value followed by a comma
    std::string s_track = HeaderOf("position track of 65535 keys in 20 bytes");
    EXPECT_NE(s_track.find(
                  "\tstatic const float p_camera_0_pos_track[4 * 65535];\n\tstatic const TCamera m_p_camera[1];\n"),
        std::string::npos);
    EXPECT_EQ(s_track.find("tar_track"), std::string::npos) << "the target has no keys";
    std::string s_eight_keys = "\t0.000000f,", s_seven_keys;
    for(int i = 1; i < 8; ++i) {
        if(i == 7)
            s_seven_keys = s_eight_keys;
        s_eight_keys += " 0.000000f,";
    }
    EXPECT_TRUE(HeaderDefinition(s_track, "const float Cin_3ds::p_camera_0_pos_track") ==
        "const float Cin_3ds::p_camera_0_pos_track[4 * 65535] = {\n" +
            Repeated(Repeated(s_eight_keys, 8191) + s_seven_keys, 4) + "};\n")
        << "4 * 65535 zeros";
    EXPECT_EQ(HeaderDefinition(s_track, "const Cin_3ds::TCamera Cin_3ds::m_p_camera"),
        "const Cin_3ds::TCamera Cin_3ds::m_p_camera[1] = {\n"
        "\t{\"cam\", 0, 0.000000f, 0.000000f, 0.000000f, 1.000000f,\n"
        "\t1.000000f, 1.000000f, 0.000000f, 50.000000f, 65535, 0,\n"
        "\tp_camera_0_pos_track, p_camera_0_pos_track + 65535,\n"
        "\tp_camera_0_pos_track + 131070, p_camera_0_pos_track + 196605,\n"
        "\t0, 0, 0, 0}\n};\n");

    // a name cut by the end of the file keeps the 20 characters read
    EXPECT_NE(HeaderOf("named object cut at the end").find("\n\t{\"nnnnnnnnnnnnnnnnnnnn\", 0, 0, {\n"),
        std::string::npos);
}
