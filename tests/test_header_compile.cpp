// Every header generated from the corpus, the sample scene, the all-chunks
// scene and meshes without vertices or faces compiles cleanly, as users
// include it: after <GL/gl.h>, pedantic, with warnings as errors, with both
// compilers and at the oldest and a current language standard.

#include <gtest/gtest.h>

#include <filesystem>

#include "api/output_names.h"
#include "fixture/sample_scene.h"
#include "test_support.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

struct TGenerated {
    std::string s_label, s_file, s_class;
};

// Writes the header of every corpus file and of the fixtures into the
// folder, each under its own name, with the class the converter gives it.
std::vector<TGenerated> WriteHeaders(const CTempDir &r_dir)
{
    std::vector<TGenerated> headers;
    auto add = [&](const std::string &r_s_label, const fixture::TBytes &r_bytes, const std::string &r_s_input) {
        std::string s_output = bake3ds::OutputPathFor(r_s_input);
        std::string s_class = bake3ds::ClassNameFor(s_output);
        std::string s_file = "h" + std::to_string(headers.size()) + "_" + s_output;
        std::string s_header = HeaderFor(r_bytes, s_class, r_s_input);
        EXPECT_FALSE(s_header.empty()) << r_s_label << " did not convert";
        WriteFile(r_dir.FilePath(s_file), s_header);
        headers.push_back({r_s_label, s_file, s_class});
    };
    add("sample", fixture::SampleScene(), "sample.3ds");
    add("all chunks", fixture::EveryChunkScene(), "all_chunks.3ds");
    // meshes that would declare arrays of length 0, which ISO C++ refuses
    using namespace fixture;
    add("mesh without vertices or faces", Scene({CChunk(id_NamedObject).Name("m").Add(CChunk(id_TriObject))}).Bytes(),
        "empty_mesh.3ds");
    add("mesh with vertices but no faces", Scene({MeshObject("dots", {{1, 2, 3}}, {})}).Bytes(), "dots.3ds");
    // the fixtures have the forms they stand for
    EXPECT_NE(FileContents(r_dir.FilePath(headers[2].s_file)).find("\n\t0, 0,\n"), std::string::npos);
    EXPECT_NE(FileContents(r_dir.FilePath(headers[3].s_file)).find("\n\tp_object_0_vertices, 0,\n"), std::string::npos);
    for(const std::string &r_s_path : CorpusFiles()) {
        std::string s_bytes = FileContents(r_s_path);
        add(r_s_path, fixture::TBytes(s_bytes.begin(), s_bytes.end()), fs::path(r_s_path).filename().string());
    }
    return headers;
}

class HeaderCompile : public ::testing::TestWithParam<std::tuple<std::string, std::string>> {};

} // namespace

TEST_P(HeaderCompile, EveryHeaderCompilesWithoutWarnings)
{
    std::string s_compiler = std::get<0>(GetParam()), s_standard = std::get<1>(GetParam());
    if(!HaveProgram(s_compiler))
        GTEST_SKIP() << s_compiler << " is not installed and could not be installed";
    if(!FileExists("/usr/include/GL/gl.h"))
        GTEST_SKIP() << "<GL/gl.h> (Debian libgl-dev) is not installed and could not be installed";
    if(CorpusFiles().empty())
        std::cout << "the corpus folder ../shared/corpus is absent: only the sample is compiled\n";
    CTempDir t_dir;
    std::vector<TGenerated> headers = WriteHeaders(t_dir);
    for(const TGenerated &r : headers) {
        std::string s_class = "C" + r.s_class + "_3ds";
        WriteFile(t_dir.FilePath("use.cpp"),
            "#include <GL/gl.h>\n#include \"" + r.s_file + "\"\n\nint Use()\n{\n\t" + s_class + "::Draw();\n\treturn " +
                s_class + "::n_Object_Num() + " + s_class + "::n_Light_Num() + " + s_class + "::n_Material_Num() + " +
                s_class + "::n_Camera_Num() + (" + s_class + "::p_Object() != 0) + (" + s_class +
                "::p_Camera() != 0);\n}\n");
        TRunResult t_run = RunProgram({s_compiler, "-std=" + s_standard, "-Wall", "-Wextra", "-Wpedantic", "-Werror",
                                          "-c", "use.cpp", "-o", "use.o"},
            t_dir.Path());
        EXPECT_EQ(t_run.n_status, 0) << r.s_label << " with " << s_compiler << " -std=" << s_standard << ":\n"
                                     << t_run.s_err.substr(0, 2000);
    }
}

INSTANTIATE_TEST_SUITE_P(CompilersAndStandards, HeaderCompile,
    ::testing::Combine(::testing::Values(std::string("g++"), std::string("clang++")),
        ::testing::Values(std::string("c++98"), std::string("c++17"))),
    [](const ::testing::TestParamInfo<HeaderCompile::ParamType> &r_info) {
        std::string s = std::get<0>(r_info.param) + "_" + std::get<1>(r_info.param);
        for(char &c : s) {
            if(!isalnum((unsigned char)c))
                c = '_';
        }
        return s;
    });
