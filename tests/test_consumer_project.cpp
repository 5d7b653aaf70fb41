// A user's project against the installed package: the converter installed
// into a fresh prefix, a small program that finds it with find_package,
// converts its scene with bake3ds_add_header, compiles the header in and
// runs; the header follows every change of the scene file. And a program
// that converts through the installed library, static and shared.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bake3ds/bake3ds.h"
#include "fixture/sample_scene.h"
#include "test_support.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const char *const s_consumer_cmake = R"(cmake_minimum_required(VERSION 3.25)
project(viewer LANGUAGES CXX)
find_package(bake3ds 2.0 REQUIRED)
find_package(OpenGL REQUIRED)
add_executable(viewer main.cpp)
bake3ds_add_header(TARGET viewer FILES scenes/ship-1.3ds)
target_compile_options(viewer PRIVATE -Wall -Wextra -Wpedantic -Werror)
target_link_libraries(viewer PRIVATE OpenGL::GL)
)";

// Reads the scene only through the class's public part, and takes Draw()'s
// address so that the program links against the real OpenGL library.
const char *const s_consumer_main = R"(#include <GL/gl.h>
#include "ship-1.h"

#include <cstdio>

int main()
{
    void (*p_draw)() = &Cship_1_3ds::Draw;
    int n_faces = 0;
    for(int i = 0; i < Cship_1_3ds::n_Object_Num(); ++ i)
        n_faces += Cship_1_3ds::p_Object()[i].n_face_num;
    std::printf("%d objects, %d faces, %d lights, %d materials, %d cameras, first '%s'%s\n",
        Cship_1_3ds::n_Object_Num(), n_faces, Cship_1_3ds::n_Light_Num(), Cship_1_3ds::n_Material_Num(),
        Cship_1_3ds::n_Camera_Num(), Cship_1_3ds::n_Object_Num() ? Cship_1_3ds::p_Object()[0].p_s_name : "",
        p_draw ? "" : " no Draw");
    return 0;
}
)";

// A core-profile program: the scene wrapped in one source (the generated
// header defines its static members, so it is included in one translation
// unit only), uploaded with bake3ds::gl_core and drawn by a shader into an
// OSMesa core context. It prints how many pixels and material ranges it
// drew and fails when nothing was drawn or OpenGL raised an error.
const char *const s_core_cmake = R"(cmake_minimum_required(VERSION 3.25)
project(core_viewer LANGUAGES CXX)
find_package(bake3ds 2.0 REQUIRED)
find_library(OSMESA_LIBRARY OSMesa REQUIRED)
add_executable(core_viewer main.cpp ship.cpp)
bake3ds_add_header(TARGET core_viewer FILES scenes/ship-1.3ds)
target_compile_options(core_viewer PRIVATE -Wall -Wextra -Wpedantic -Werror)
target_link_libraries(core_viewer PRIVATE bake3ds::gl_core ${OSMESA_LIBRARY})
)";

const char *const s_core_ship_h = R"(#ifndef SHIP_H
#define SHIP_H
#include <memory>
// The one scene of the program, for every source but ship.cpp.
class CShip {
public:
    CShip(); // uploads it; a core context must be current
    ~CShip();
    void Draw(int &r_n_range_num) const;
    static void Bounds(float p_min[3], float p_max[3]);
private:
    struct TGpu;
    std::unique_ptr<TGpu> m_p_gpu;
};
#endif
)";

const char *const s_core_ship_cpp = R"(#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include "ship-1.h"
#include <bake3ds/gl_core.h>
#include "ship.h"

struct CShip::TGpu {
    bake3ds::GpuScene<Cship_1_3ds> t_scene;
};

CShip::CShip() : m_p_gpu(new TGpu) {}
CShip::~CShip() = default;

void CShip::Draw(int &r_n_range_num) const
{
    m_p_gpu->t_scene.draw([&](int, int) { ++ r_n_range_num; });
}

void CShip::Bounds(float p_min[3], float p_max[3])
{
    for(int i = 0; i < Cship_1_3ds::n_Object_Num(); ++ i) {
        const auto &r_object = Cship_1_3ds::p_Object()[i];
        for(int v = 0; v < r_object.n_vertex_num; ++ v) {
            for(int k = 0; k < 3; ++ k) {
                float f = r_object.p_vertex[8 * v + 5 + k];
                p_min[k] = i || v ? (f < p_min[k] ? f : p_min[k]) : f;
                p_max[k] = i || v ? (f > p_max[k] ? f : p_max[k]) : f;
            }
        }
    }
}
)";

const char *const s_core_main = R"(#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/osmesa.h>

#include <cstdio>
#include <vector>

#include "ship.h"

static const char *const s_vertex = "#version 330 core\n"
    "layout(location = 0) in vec3 a_position;\n"
    "uniform vec3 u_centre; uniform float u_scale;\n"
    "void main() { gl_Position = vec4((a_position - u_centre) * u_scale, 1.0); }\n";
static const char *const s_fragment = "#version 330 core\n"
    "out vec4 o_color; void main() { o_color = vec4(1.0); }\n";

static GLuint Shader(GLenum n_kind, const char *s_text)
{
    GLuint n = glCreateShader(n_kind);
    glShaderSource(n, 1, &s_text, nullptr);
    glCompileShader(n);
    return n;
}

int main()
{
    const int n_size = 128;
    const int p_attribs[] = {OSMESA_FORMAT, OSMESA_RGBA, OSMESA_DEPTH_BITS, 24, OSMESA_PROFILE, OSMESA_CORE_PROFILE,
        OSMESA_CONTEXT_MAJOR_VERSION, 3, OSMESA_CONTEXT_MINOR_VERSION, 3, 0};
    OSMesaContext p_context = OSMesaCreateContextAttribs(p_attribs, nullptr);
    std::vector<unsigned char> p_pixels(4 * n_size * n_size);
    if(!p_context || !OSMesaMakeCurrent(p_context, p_pixels.data(), GL_UNSIGNED_BYTE, n_size, n_size)) {
        std::fprintf(stderr, "no core context\n");
        return 1;
    }
    GLuint n_program = glCreateProgram();
    glAttachShader(n_program, Shader(GL_VERTEX_SHADER, s_vertex));
    glAttachShader(n_program, Shader(GL_FRAGMENT_SHADER, s_fragment));
    glLinkProgram(n_program);
    GLint n_linked = 0;
    glGetProgramiv(n_program, GL_LINK_STATUS, &n_linked);
    float p_min[3], p_max[3], f_half = 0;
    CShip::Bounds(p_min, p_max);
    for(int k = 0; k < 3; ++ k)
        f_half = p_max[k] - p_min[k] > 2 * f_half ? (p_max[k] - p_min[k]) / 2 : f_half;
    int n_range_num = 0;
    {
        CShip t_ship;
        glViewport(0, 0, n_size, n_size);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glUseProgram(n_program);
        glUniform3f(glGetUniformLocation(n_program, "u_centre"), (p_min[0] + p_max[0]) / 2, (p_min[1] + p_max[1]) / 2,
            (p_min[2] + p_max[2]) / 2);
        glUniform1f(glGetUniformLocation(n_program, "u_scale"), 0.9f / f_half);
        t_ship.Draw(n_range_num);
        glFinish();
    }
    GLenum n_error = glGetError();
    long n_drawn = 0;
    for(int i = 0; i < n_size * n_size; ++ i)
        n_drawn += p_pixels[4 * i] == 255;
    std::printf("core %s: %ld pixels, %d ranges, error %u, linked %d\n", (const char *)glGetString(GL_VERSION) ? "ok" : "?",
        n_drawn, n_range_num, n_error, n_linked);
    OSMesaDestroyContext(p_context);
    return n_linked && !n_error && n_drawn > 0 ? 0 : 1;
}
)";

// A pipeline's program on the library in C++ (<bake3ds/bake3ds.hpp>): the
// work and the output of tests/consumers/convert.c, the C program, from the
// file's bytes rather than its path.
const char *const s_library_cmake = R"(cmake_minimum_required(VERSION 3.25)
project(pipeline LANGUAGES CXX)
find_package(bake3ds 2.0 REQUIRED)
add_executable(pipeline main.cpp)
target_compile_options(pipeline PRIVATE -Wall -Wextra -Wpedantic -Werror)
target_link_libraries(pipeline PRIVATE bake3ds::library)
)";

const char *const s_library_main = R"(#include <bake3ds/bake3ds.hpp>

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

static int Refused(const bake3ds::Failure &r_failure)
{
    std::printf("refused: %s: %s\n", bake3ds::rule_name(r_failure.rule), r_failure.message);
    return 1;
}

int main(int argc, char **argv)
{
    if(argc != 3)
        return 2;
    std::ifstream in(argv[1], std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if(!in.is_open() || in.bad()) {
        std::perror(argv[1]);
        return 1;
    }
    bake3ds::Scene scene;
    bake3ds::Failure failure;
    if(!bake3ds::load_scene(bytes.data(), bytes.size(), scene, &failure))
        return Refused(failure);
    std::printf("%zu objects, %zu lights, %zu materials, %zu cameras\n", scene.object_count(), scene.light_count(),
        scene.material_count(), scene.camera_count());
    std::string header;
    if(!bake3ds::convert(bytes.data(), bytes.size(), argv[1], header, &failure))
        return Refused(failure);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(header.data(), std::streamsize(header.size()));
    out.close();
    if(!out) {
        std::perror(argv[2]);
        return 1;
    }
    bake3ds::Object object;
    if(!scene.object(0, object) || object.vertex_count < 1 || object.face_count < 1) {
        std::printf("no object 0 with a face\n");
        return 1;
    }
    std::printf("object 0 '%s': %" PRId32 " vertices, %" PRId32 " faces, %" PRId32 " material ranges\n", object.name,
        object.vertex_count, object.face_count, object.material_range_count);
    std::printf("\t");
    for(int i = 0; i < 8; ++ i)
        std::printf("%ff%s", object.vertices[i], i < 7 ? ", " : "\n");
    std::printf("\t%" PRIu32 ", %" PRIu32 ", %" PRIu32 "\n", object.indices[0], object.indices[1], object.indices[2]);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
)";

// The C program's project: C alone, as a C user's is, the program built as
// C99 without extensions.
const char *const s_c_cmake = R"(cmake_minimum_required(VERSION 3.25)
project(c_pipeline LANGUAGES C)
find_package(bake3ds 2.0 REQUIRED)
add_executable(pipeline convert.c)
set_target_properties(pipeline PROPERTIES C_STANDARD 99 C_STANDARD_REQUIRED ON C_EXTENSIONS OFF)
target_compile_options(pipeline PRIVATE -Wall -Wextra -Wpedantic -Werror)
target_link_libraries(pipeline PRIVATE bake3ds::library)
)";

// What both pipeline programs print for the sample before its first vertex,
// and for a file of 6 zero bytes.
const char s_sample_counts[] =
    "3 objects, 2 lights, 2 materials, 1 cameras\n"
    "object 0 'Ground': 4 vertices, 2 faces, 1 material ranges\n";
const char s_refusal[] = "refused: zero_length_chunk: a chunk of length 0 (chunk 0x0000 at offset 0)\n";

// What the consumer prints for the sample: Ground, Crate and Pyramid with
// 2 + 12 + 6 faces, the lights Sun and Spot, the materials Grass and Red
// paint, and Camera01.
const char s_sample_line[] = "3 objects, 20 faces, 2 lights, 2 materials, 1 cameras, first 'Ground'\n";

// The other scene of the test: the mesh Hull of three faces, alone.
fixture::TBytes OtherScene()
{
    using namespace fixture;
    return Scene({MeshObject("Hull", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{0, 1, 2}, {0, 2, 3}, {0, 3, 1}})})
        .Bytes();
}
const char s_other_line[] = "1 objects, 3 faces, 0 lights, 0 materials, 0 cameras, first 'Hull'\n";

// The project's version, as the package and bake3ds.pc name it.
std::string Version()
{
    return std::to_string(BAKE3DS_VERSION_MAJOR) + "." + std::to_string(BAKE3DS_VERSION_MINOR) + "." +
        std::to_string(BAKE3DS_VERSION_PATCH);
}

std::string Why(const TRunResult &r_run)
{
    return (r_run.s_out + r_run.s_err).substr(0, 4000);
}

// Writes the build's Debian package with cpack into r_s_folder: its path,
// or empty with r_run saying why.
std::string WriteDebianPackage(const std::string &r_s_folder, TRunResult &r_run)
{
    r_run = RunProgram(
        {"cpack", "-G", "DEB", "--config", std::string(BAKE3DS_BINARY_DIR) + "/CPackConfig.cmake", "-B", r_s_folder});
    if(r_run.n_status != 0)
        return "";
    for(const fs::directory_entry &r_entry : fs::directory_iterator(r_s_folder)) {
        if(r_entry.path().extension() == ".deb")
            return r_entry.path().string();
    }
    return "";
}

// What writing the package needs beyond the build: an empty text, or why
// the package cannot be written here.
std::string MissingPackagingTool()
{
    for(const char *s_program : {"cpack", "dpkg-deb", "dpkg-shlibdeps"}) {
        if(!HaveProgram(s_program))
            return std::string(s_program) + " is not installed (Debian dpkg-dev; bash tests/packages.sh test)";
    }
    return "";
}

class ConsumerProject : public ::testing::Test {
protected:
    void SetUp() override
    {
        if(!HaveProgram("cmake"))
            GTEST_SKIP() << "cmake is not installed";
        if(!FileExists("/usr/include/GL/gl.h"))
            GTEST_SKIP() << "<GL/gl.h> (Debian libgl-dev) is not installed and could not be installed";
        TRunResult t_install =
            RunProgram({"cmake", "--install", BAKE3DS_BINARY_DIR, "--prefix", m_t_dir.FilePath("prefix")});
        ASSERT_EQ(t_install.n_status, 0) << Why(t_install);
        fs::create_directories(m_t_dir.FilePath("src/scenes"));
        WriteFile(m_t_dir.FilePath("src/CMakeLists.txt"), std::string(s_consumer_cmake));
        WriteFile(m_t_dir.FilePath("src/main.cpp"), std::string(s_consumer_main));
    }

    TRunResult Configure()
    {
        return RunProgram({"cmake", "-S", m_t_dir.FilePath("src"), "-B", m_t_dir.FilePath("build"),
            "-DCMAKE_PREFIX_PATH=" + m_t_dir.FilePath("prefix")});
    }

    TRunResult Build() { return RunProgram({"cmake", "--build", m_t_dir.FilePath("build"), "-j2"}); }

    // Builds and runs the program: what it prints, or the build's or the
    // run's failure.
    std::string BuildAndRun()
    {
        TRunResult t_run = Build();
        if(t_run.n_status == 0)
            t_run = RunProgram({m_t_dir.FilePath("build/viewer")});
        return t_run.n_status == 0 ? t_run.s_out : "failed: " + Why(t_run);
    }

    // Rewrites the scene (with the bytes given, else as it is) and sets the
    // file times outright, the header an hour back and the scene 10 s after
    // it: the build sees the scene as changed however coarse the clocks, and
    // any header a build writes is newer than the scene.
    void ChangeScene(const fixture::TBytes *p_bytes = nullptr)
    {
        if(p_bytes)
            WriteFile(ScenePath(), *p_bytes);
        fs::file_time_type t_header =
            std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now() - std::chrono::hours(1));
        std::error_code t_no_header; // after a refused scene there may be none
        fs::last_write_time(HeaderPath(), t_header, t_no_header);
        fs::last_write_time(ScenePath(), t_header + std::chrono::seconds(10));
    }

    // True when the header was written after the scene's time was set.
    bool HeaderIsNewer() const { return fs::last_write_time(HeaderPath()) > fs::last_write_time(ScenePath()); }

    std::string ScenePath() const { return m_t_dir.FilePath("src/scenes/ship-1.3ds"); }
    std::string HeaderPath() const { return m_t_dir.FilePath("build/bake3ds/viewer/ship-1.h"); }

    CTempDir m_t_dir;
};

} // namespace

TEST_F(ConsumerProject, BuildsWithTheInstalledPackageAndRegeneratesTheHeaderWhenTheSceneChanges)
{
    fixture::TBytes sample = fixture::SampleScene();
    WriteFile(ScenePath(), sample);
    TRunResult t_run = Configure();
    ASSERT_EQ(t_run.n_status, 0) << Why(t_run);
    ASSERT_EQ(BuildAndRun(), s_sample_line);
    EXPECT_TRUE(FileExists(m_t_dir.FilePath("prefix/bin/bake3ds")));
    EXPECT_TRUE(
        FileExists(m_t_dir.FilePath("prefix/" BAKE3DS_INSTALL_LIBDIR "/cmake/bake3ds/bake3dsConfigVersion.cmake")));
    // nothing in the source tree but what the user put there
    EXPECT_FALSE(FileExists(m_t_dir.FilePath("src/scenes/ship-1.h")));

    // nothing changed: nothing converted
    fs::file_time_type t_made = fs::last_write_time(HeaderPath());
    t_run = Build();
    ASSERT_EQ(t_run.n_status, 0) << Why(t_run);
    EXPECT_EQ(t_run.s_out.find("Converting"), std::string::npos) << Why(t_run);
    EXPECT_EQ(fs::last_write_time(HeaderPath()), t_made);

    // touched: converted again, in one line of the build's, without the
    // converter's progress
    ChangeScene();
    t_run = Build();
    ASSERT_EQ(t_run.n_status, 0) << Why(t_run);
    EXPECT_NE(t_run.s_out.find("Converting scenes/ship-1.3ds to ship-1.h (class Cship_1_3ds)"), std::string::npos)
        << Why(t_run);
    EXPECT_EQ((t_run.s_out + t_run.s_err).find("=== Loading"), std::string::npos) << Why(t_run);
    EXPECT_TRUE(HeaderIsNewer());

    // another scene: the program shows it
    fixture::TBytes other = OtherScene();
    ChangeScene(&other);
    EXPECT_EQ(BuildAndRun(), s_other_line);
    EXPECT_TRUE(HeaderIsNewer());

    // a file the converter refuses fails the build, and keeps failing it
    // until the scene is fixed: no stale header passes for a converted one
    fixture::TBytes broken(6, 0);
    ChangeScene(&broken);
    for(int n_try = 0; n_try < 2; ++n_try) {
        t_run = Build();
        EXPECT_NE(t_run.n_status, 0) << "build " << n_try << " passed over a broken scene";
        EXPECT_NE(t_run.s_err.find("error: unable to load .3ds file"), std::string::npos) << Why(t_run);
        // each line names the file as listed, never its copy in the build tree
        std::string s_said = t_run.s_out + t_run.s_err;
        for(const char *s_line : {"=== Loading 'scenes/ship-1.3ds' ===",
                "bake3ds-info: scenes/ship-1.3ds: refused: a chunk of length 0 (chunk 0x0000 at offset 0)",
                "bake3ds could not convert scenes/ship-1.3ds (exit status 255)"})
            EXPECT_NE(s_said.find(s_line), std::string::npos) << s_line << Why(t_run);
        EXPECT_EQ(s_said.find("bake3ds/viewer/ship-1.3ds"), std::string::npos) << Why(t_run);
    }
    ChangeScene(&sample);
    EXPECT_EQ(BuildAndRun(), s_sample_line);

    // a host converter named by BAKE3DS_EXECUTABLE, as a cross build names
    // one, is the one that runs: it leaves a mark
    std::string s_host = m_t_dir.FilePath("host-bake3ds");
    WriteFile(s_host, "#!/bin/sh\necho ran >> \"$0.log\"\nexec '" + ToolPath() + "' \"$@\"\n");
    ASSERT_EQ(RunProgram({"chmod", "+x", s_host}).n_status, 0);
    t_run = RunProgram(
        {"cmake", "-S", m_t_dir.FilePath("src"), "-B", m_t_dir.FilePath("build"), "-DBAKE3DS_EXECUTABLE=" + s_host});
    ASSERT_EQ(t_run.n_status, 0) << Why(t_run);
    ChangeScene(&other);
    EXPECT_EQ(BuildAndRun(), s_other_line);
    EXPECT_EQ(FileContents(s_host + ".log"), "ran\n");
}

// Two scenes of one target that would write one header, also where their
// names differ only in case (one file on Windows and macOS), or declare one
// class, across calls too: the configure stops, naming both files as listed.
TEST_F(ConsumerProject, ScenesThatWouldCollideAreRefusedAtConfigureTime)
{
    struct TCase {
        const char *s_other; // the second scene, beside scenes/ship-1.3ds
        const char *s_call;  // how it is listed
        const char *s_said;  // what the refusal says
    } p_case[] = {
        {"more/ship-1.3ds", "scenes/ship-1.3ds)\nbake3ds_add_header(TARGET viewer FILES more/ship-1.3ds",
            "scenes/ship-1.3ds and more/ship-1.3ds would both write the header ship-1.h for viewer"},
        {"scenes/Ship-1.3DS", "scenes/ship-1.3ds scenes/Ship-1.3DS",
            "scenes/ship-1.3ds and scenes/Ship-1.3DS would both write the header Ship-1.h for viewer"},
        {"scenes/ship_1.3ds", "scenes/ship-1.3ds scenes/ship_1.3ds",
            "scenes/ship-1.3ds and scenes/ship_1.3ds would both declare the class Cship_1_3ds for viewer"},
    };
    for(const TCase &r_case : p_case) {
        fs::remove_all(m_t_dir.FilePath("src/more"));
        fs::remove_all(m_t_dir.FilePath("build"));
        fs::create_directories(m_t_dir.FilePath("src/more"));
        WriteFile(ScenePath(), fixture::SampleScene());
        WriteFile(m_t_dir.FilePath(std::string("src/") + r_case.s_other), fixture::SampleScene());
        std::string s_cmake = s_consumer_cmake;
        s_cmake.replace(s_cmake.find("scenes/ship-1.3ds"), 17, r_case.s_call);
        WriteFile(m_t_dir.FilePath("src/CMakeLists.txt"), s_cmake);
        TRunResult t_run = Configure();
        EXPECT_NE(t_run.n_status, 0) << r_case.s_other;
        // CMake folds the message's lines: compare with its spaces and breaks as one
        std::string s_err = t_run.s_err;
        for(char &r_c : s_err)
            r_c = r_c == '\n' ? ' ' : r_c;
        std::string s_folded;
        for(char c : s_err) {
            if(c != ' ' || s_folded.empty() || s_folded.back() != ' ')
                s_folded += c;
        }
        EXPECT_NE(s_folded.find(r_case.s_said), std::string::npos) << r_case.s_said << Why(t_run);
    }
}

TEST_F(ConsumerProject, BuildsAgainstTheUnpackedDebianPackage)
{
    std::string s_missing = MissingPackagingTool();
    if(!s_missing.empty())
        GTEST_SKIP() << s_missing;
    TRunResult t_run;
    std::string s_deb = WriteDebianPackage(m_t_dir.FilePath("package"), t_run);
    ASSERT_NE(s_deb.find("bake3ds_" + Version() + "-1_"), std::string::npos) << s_deb << Why(t_run);
    t_run = RunProgram({"dpkg-deb", "-x", s_deb, m_t_dir.FilePath("deb")});
    ASSERT_EQ(t_run.n_status, 0) << Why(t_run);
    ASSERT_TRUE(FileExists(m_t_dir.FilePath("deb/usr/bin/bake3ds")));
    fixture::TBytes sample = fixture::SampleScene();
    WriteFile(ScenePath(), sample);
    t_run = RunProgram({"cmake", "-S", m_t_dir.FilePath("src"), "-B", m_t_dir.FilePath("build"),
        "-DCMAKE_PREFIX_PATH=" + m_t_dir.FilePath("deb/usr")});
    ASSERT_EQ(t_run.n_status, 0) << Why(t_run);
    EXPECT_EQ(BuildAndRun(), s_sample_line);
    // the converter that ran is the package's own
    EXPECT_NE(FileContents(m_t_dir.FilePath("build/CMakeCache.txt"))
                  .find(m_t_dir.FilePath("deb/usr/" BAKE3DS_INSTALL_LIBDIR "/cmake/bake3ds")),
        std::string::npos);
}

// The package as Debian's checker sees it: no error or warning tag (a
// maintainer on a real host, an extended description, a changelog and a
// copyright file, manual pages that format cleanly, bake3ds.pc where a
// cross build finds it), no hardening tag, and dependencies that name the
// least versions the binaries need, so that apt refuses a system too old
// for them.
TEST(DebianPackage, PassesLintianAndDependsOnVersions)
{
    std::string s_missing = MissingPackagingTool();
    if(!s_missing.empty())
        GTEST_SKIP() << s_missing;
    if(!HaveProgram("lintian"))
        GTEST_SKIP() << "lintian is not installed (Debian lintian; bash tests/packages.sh test)";
    CTempDir t_dir;
    TRunResult t_run;
    std::string s_deb = WriteDebianPackage(t_dir.FilePath("package"), t_run);
    ASSERT_FALSE(s_deb.empty()) << Why(t_run);
    t_run = RunProgram({"dpkg-deb", "-f", s_deb, "Depends"});
    ASSERT_EQ(t_run.n_status, 0) << Why(t_run);
    for(const char *s_library : {"libc6 (>= ", "libstdc++6 (>= "})
        EXPECT_NE(t_run.s_out.find(s_library), std::string::npos) << s_library << " in " << t_run.s_out;
    // no error, no warning, and none of the hardening tags Debian's own
    // build flags avoid (informational ones included); a sanitizer build,
    // which is never shipped, checks its memory in its own way instead of
    // through the C library's checked calls
    t_run = RunProgram({"lintian", "-I", "-E", "--pedantic", "--fail-on", "error,warning", s_deb});
    EXPECT_EQ(t_run.n_status, 0) << Why(t_run);
    std::vector<const char *> tags = {"E: ", "W: "};
    if(!Sanitized())
        tags.push_back("hardening-");
    for(const char *s_tag : tags)
        EXPECT_EQ(t_run.s_out.find(s_tag), std::string::npos) << s_tag << Why(t_run);
}

TEST_F(ConsumerProject, DrawsWithGlCoreInACoreProfileContext)
{
    if(!FileExists("/usr/include/GL/osmesa.h") || !FileExists("/usr/include/GL/glext.h"))
        GTEST_SKIP() << "OSMesa or <GL/glext.h> (Debian libosmesa6-dev, libgl-dev) is not installed";
    WriteFile(ScenePath(), fixture::SampleScene());
    WriteFile(m_t_dir.FilePath("src/CMakeLists.txt"), std::string(s_core_cmake));
    WriteFile(m_t_dir.FilePath("src/main.cpp"), std::string(s_core_main));
    WriteFile(m_t_dir.FilePath("src/ship.h"), std::string(s_core_ship_h));
    WriteFile(m_t_dir.FilePath("src/ship.cpp"), std::string(s_core_ship_cpp));
    EXPECT_TRUE(FileExists(m_t_dir.FilePath("prefix/include/bake3ds/gl_core.h")));
    TRunResult t_run = Configure();
    ASSERT_EQ(t_run.n_status, 0) << Why(t_run);
    t_run = Build();
    ASSERT_EQ(t_run.n_status, 0) << Why(t_run);
    t_run = RunProgram({m_t_dir.FilePath("build/core_viewer")});
    EXPECT_EQ(t_run.n_status, 0) << Why(t_run);
    // the sample's three objects have four material ranges
    EXPECT_NE(t_run.s_out.find("core ok: "), std::string::npos) << Why(t_run);
    EXPECT_NE(t_run.s_out.find(" pixels, 4 ranges, error 0, linked 1"), std::string::npos) << Why(t_run);
}

namespace {

// The line of the header after the one that opens the array named: its
// first vertex, its first face.
std::string FirstLine(const std::string &r_s_header, const std::string &r_s_array)
{
    size_t n_array = r_s_header.find("::" + r_s_array + "[");
    if(n_array == std::string::npos)
        return "no " + r_s_array;
    size_t n_first = r_s_header.find('\n', n_array) + 1;
    return r_s_header.substr(n_first, r_s_header.find('\n', n_first) - n_first);
}

// A pipeline program as built: what it was built with, and whether it was
// linked to the shared library.
struct TPipeline {
    std::string s_what, s_path;
    bool b_shared;
};

// Runs the program on each input (named as the command line was, in its
// folder) and on a broken file, and checks what it wrote and printed.
void CheckPipeline(const TPipeline &r_pipeline, const std::string &r_s_folder,
    const std::vector<std::pair<std::string, std::string>> &r_inputs)
{
    SCOPED_TRACE(r_pipeline.s_what);
    TRunResult t_linked = Shell("ldd '" + r_pipeline.s_path + "' | grep -c libbake3ds");
    EXPECT_EQ(t_linked.s_out, r_pipeline.b_shared ? "1\n" : "0\n") << "libbake3ds in ldd's list";
    std::string s_header = r_s_folder + "/pipeline.h";
    for(const auto &r_input : r_inputs) {
        SCOPED_TRACE(r_input.first);
        fs::remove(s_header);
        TRunResult t_run = RunProgram({r_pipeline.s_path, r_input.first, s_header}, r_s_folder);
        ASSERT_EQ(t_run.n_status, 0) << Why(t_run);
        EXPECT_TRUE(FileContents(s_header) == r_input.second) << "another header than the command line's";
        // the counts, then object 0's first vertex and first face, each a
        // line that the header's line begins with
        size_t n_vertex = t_run.s_out.find("\n\t");
        ASSERT_NE(n_vertex, std::string::npos) << t_run.s_out;
        if(r_input.first == "sample.3ds") {
            EXPECT_EQ(t_run.s_out.substr(0, n_vertex + 1), s_sample_counts);
        }
        std::string s_vertex = t_run.s_out.substr(n_vertex + 1, t_run.s_out.find('\n', n_vertex + 1) - n_vertex - 1);
        size_t n_face = n_vertex + 1 + s_vertex.size() + 1;
        std::string s_face = t_run.s_out.substr(n_face, t_run.s_out.find('\n', n_face) - n_face);
        for(const auto &r_check :
            {std::make_pair(s_vertex, "p_object_0_vertices"), std::make_pair(s_face, "p_object_0_indices")}) {
            std::string s_line = FirstLine(r_input.second, r_check.second);
            EXPECT_TRUE(s_line == r_check.first || s_line.rfind(r_check.first + ",", 0) == 0)
                << "printed '" << r_check.first << "', the header's " << r_check.second << " begins '" << s_line << "'";
        }
    }
    TRunResult t_run = RunProgram({r_pipeline.s_path, "broken.3ds", s_header}, r_s_folder);
    EXPECT_EQ(t_run.n_status, 1);
    EXPECT_EQ(t_run.s_out, s_refusal);
}

} // namespace

// The installed library, static as the build makes it and shared from a
// build of its own, in a C++ program and a C99 one found with find_package
// (the C program's project enabling C alone), and in the C program compiled
// with the flags of bake3ds.pc; the C program by gcc and clang. Each gives
// the command line's header byte for byte, reads object 0 as the header
// holds it, and says why a broken file is refused; only the programs of the
// shared library load it. A shared library exports the API's names only.
TEST_F(ConsumerProject, ConvertsThroughTheLibraryStaticAndShared)
{
    // the sample and, with the corpus, a file from it, converted by the
    // command line in the folder the programs run in
    std::vector<std::pair<std::string, std::string>> inputs;
    WriteFile(m_t_dir.FilePath("sample.3ds"), fixture::SampleScene());
    inputs.emplace_back("sample.3ds", "");
    for(const std::string &r_s_file : CorpusFiles()) {
        if(fs::path(r_s_file).filename() == "cannon1.3ds") {
            fs::copy_file(r_s_file, m_t_dir.FilePath("cannon1.3ds"));
            inputs.emplace_back("cannon1.3ds", "");
        }
    }
    for(auto &r_input : inputs) {
        TRunResult t_run = RunTool({r_input.first}, m_t_dir.Path());
        ASSERT_EQ(t_run.n_status, 0) << Why(t_run);
        r_input.second = FileContents(m_t_dir.FilePath(fs::path(r_input.first).stem().string() + ".h"));
    }
    WriteFile(m_t_dir.FilePath("broken.3ds"), fixture::TBytes(6, 0));

    TRunResult t_shared = RunProgram({"cmake", "-S", BAKE3DS_SOURCE_DIR, "-B", m_t_dir.FilePath("shared-build"),
        "-DCMAKE_BUILD_TYPE=Release", "-DBUILD_SHARED_LIBS=ON", "-DBAKE3DS_TESTS=OFF"});
    ASSERT_EQ(t_shared.n_status, 0) << Why(t_shared);
    t_shared = RunProgram({"cmake", "--build", m_t_dir.FilePath("shared-build"), "-j2", "--target", "bake3ds_library",
        "bake3ds", "bake3ds-info", "bake3ds_man_pages", "bake3ds_debian_changelog"});
    ASSERT_EQ(t_shared.n_status, 0) << Why(t_shared);
    t_shared =
        RunProgram({"cmake", "--install", m_t_dir.FilePath("shared-build"), "--prefix", m_t_dir.FilePath("shared")});
    ASSERT_EQ(t_shared.n_status, 0) << Why(t_shared);
    std::string s_so = m_t_dir.FilePath("shared/" BAKE3DS_INSTALL_LIBDIR "/libbake3ds.so");
    ASSERT_TRUE(FileExists(s_so));
    TRunResult t_symbols = Shell("nm -D --defined-only -C '" + s_so + "' | grep -c 'C3dsScene\\|CTextOut\\|TLoader'");
    EXPECT_EQ(t_symbols.s_out, "0\n") << "internal names exported";
    t_symbols = Shell("nm -D --defined-only '" + s_so + "' | grep -c ' T bake3ds_convert$'");
    EXPECT_EQ(t_symbols.s_out, "1\n");

    fs::create_directories(m_t_dir.FilePath("cxx-src"));
    WriteFile(m_t_dir.FilePath("cxx-src/CMakeLists.txt"), std::string(s_library_cmake));
    WriteFile(m_t_dir.FilePath("cxx-src/main.cpp"), std::string(s_library_main));
    fs::create_directories(m_t_dir.FilePath("c-src"));
    WriteFile(m_t_dir.FilePath("c-src/CMakeLists.txt"), std::string(s_c_cmake));
    std::string s_c_source = m_t_dir.FilePath("c-src/convert.c");
    fs::copy_file(std::string(BAKE3DS_SOURCE_DIR) + "/tests/consumers/convert.c", s_c_source);
    std::vector<std::string> compilers;
    std::string s_missing; // what could not be tried, for lack of a tool
    for(const char *s_compiler : {"gcc", "clang"}) {
        if(HaveProgram(s_compiler))
            compilers.push_back(s_compiler);
        else
            s_missing += std::string(" ") + s_compiler;
    }
    bool b_pkg_config = HaveProgram("pkg-config");
    if(!b_pkg_config)
        s_missing += " pkg-config";
    std::vector<TPipeline> pipelines;
    for(const char *s_prefix : {"prefix", "shared"}) {
        SCOPED_TRACE(s_prefix);
        bool b_shared = std::string(s_prefix) == "shared";
        // the build's own library is instrumented under the sanitizers: its
        // programs link their runtime, GCC's, which clang does not link
        bool b_instrumented = Sanitized() && !b_shared;
        std::string s_sanitize = b_instrumented ? "-fsanitize=address,undefined" : "";
        std::vector<std::string> prefix_compilers;
        for(const std::string &r_s_compiler : compilers) {
            if(!b_instrumented || r_s_compiler == "gcc")
                prefix_compilers.push_back(r_s_compiler);
        }
        std::vector<std::pair<std::string, std::string>> projects = {{"cxx-src", ""}};
        for(const std::string &r_s_compiler : prefix_compilers)
            projects.emplace_back("c-src", r_s_compiler);
        for(const auto &r_project : projects) {
            std::string s_what = std::string(s_prefix) + " " + r_project.first + " " + r_project.second;
            std::string s_build = m_t_dir.FilePath(std::string(s_prefix) + "-" + r_project.first + r_project.second);
            std::vector<std::string> configure = {"cmake", "-S", m_t_dir.FilePath(r_project.first), "-B", s_build,
                "-DCMAKE_PREFIX_PATH=" + m_t_dir.FilePath(s_prefix)};
            if(!r_project.second.empty())
                configure.push_back("-DCMAKE_C_COMPILER=" + r_project.second);
            if(b_instrumented)
                configure.push_back("-DCMAKE_EXE_LINKER_FLAGS=" + s_sanitize);
            TRunResult t_run = RunProgram(configure);
            ASSERT_EQ(t_run.n_status, 0) << s_what << Why(t_run);
            t_run = RunProgram({"cmake", "--build", s_build});
            ASSERT_EQ(t_run.n_status, 0) << s_what << Why(t_run);
            pipelines.push_back({"find_package " + s_what, s_build + "/pipeline", b_shared});
        }
        if(!b_pkg_config)
            continue;
        // a static library links what it needs besides with --static
        std::string s_pkg_config =
            "PKG_CONFIG_PATH='" + m_t_dir.FilePath(s_prefix) + "/" BAKE3DS_INSTALL_LIBDIR "/pkgconfig' pkg-config ";
        TRunResult t_flags = Shell(s_pkg_config + "--modversion bake3ds");
        EXPECT_EQ(t_flags.s_out, Version() + "\n") << Why(t_flags);
        t_flags = Shell(s_pkg_config + "--cflags --libs " + (b_shared ? "" : "--static ") + "bake3ds");
        ASSERT_EQ(t_flags.n_status, 0) << Why(t_flags);
        TRunResult t_libdir = Shell(s_pkg_config + "--variable=libdir bake3ds");
        for(const std::string &r_s_compiler : prefix_compilers) {
            std::string s_program = m_t_dir.FilePath(std::string(s_prefix) + "-pkg-config-" + r_s_compiler);
            std::vector<std::string> command = {r_s_compiler, "-std=c99", "-Wall", "-Wextra", "-Wpedantic", "-Werror",
                s_c_source, "-o", s_program};
            std::istringstream t_words(t_flags.s_out);
            for(std::string s_word; t_words >> s_word;)
                command.push_back(s_word);
            if(b_shared) // where the program finds the library when it runs
                command.push_back("-Wl,-rpath," + t_libdir.s_out.substr(0, t_libdir.s_out.find('\n')));
            if(b_instrumented)
                command.push_back(s_sanitize);
            TRunResult t_run = RunProgram(command);
            ASSERT_EQ(t_run.n_status, 0) << r_s_compiler << " with " << t_flags.s_out << Why(t_run);
            pipelines.push_back({"pkg-config " + std::string(s_prefix) + " " + r_s_compiler, s_program, b_shared});
        }
    }
    for(const TPipeline &r_pipeline : pipelines)
        CheckPipeline(r_pipeline, m_t_dir.Path(), inputs);
    if(!s_missing.empty())
        GTEST_SKIP() << "not installed, so not tried:" << s_missing << " (bash tests/packages.sh test)";
}
