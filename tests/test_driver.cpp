// The command line as users run it: messages, exit statuses, where the
// header goes and what it is called, and failures to read or write.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "api/output_names.h"
#include "bake3ds/bake3ds.h"
#include "test_support.h"

using namespace fixture;
using namespace testing_support;

namespace {

const char s_usage[] = "error: run with single parameter giving path of your .3ds file\n";
const char s_load_error[] = "error: unable to load .3ds file\n";
const char s_open_error[] = "error: unable to write to file\n";
const char s_space_error[] = "error: not enough space to write file\n";

TBytes OneMesh()
{
    return Scene({MeshObject("m", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})}).Bytes();
}

std::string ExportingOutput(const std::string &r_s_input, const std::string &r_s_output, int n_objects)
{
    return "=== Loading '" + r_s_input + "' ===\n\t0 lights\n\t0 materials\n\t" + std::to_string(n_objects) +
        " objects\n\t0 cameras\n\n=== Exporting objects geometry to '" + r_s_output + "' ===\n";
}

// Converts the bytes stored under r_s_input (relative to a fresh folder) and
// expects the header at r_s_output with the class C<r_s_class>_3ds.
void ExpectConverted(const std::string &r_s_input, const std::string &r_s_output, const std::string &r_s_class)
{
    CTempDir t_dir;
    std::string s_folder = r_s_input.substr(0, r_s_input.find_last_of('/') + 1);
    if(!s_folder.empty()) {
        ASSERT_EQ(RunProgram({"mkdir", "-p", t_dir.FilePath(s_folder)}).n_status, 0);
    }
    WriteFile(t_dir.FilePath(r_s_input), OneMesh());
    TRunResult t_run = RunTool({r_s_input}, t_dir.Path());
    EXPECT_EQ(t_run.n_status, 0) << t_run.s_err;
    EXPECT_EQ(t_run.s_out, ExportingOutput(r_s_input, r_s_output, 1) + "\tDone\n");
    EXPECT_EQ(t_run.s_err, "");
    std::string s_header = FileContents(t_dir.FilePath(r_s_output));
    EXPECT_NE(s_header.find("\nclass C" + r_s_class + "_3ds {\n"), std::string::npos) << r_s_input;
    EXPECT_NE(s_header.find("/* === static arrays for '" + r_s_input + "' -> object 0 === */"), std::string::npos);
}

} // namespace

// Not one argument is a usage error; a lone --help, -h or --version is
// answered on standard output; any other argument, one that looks like an
// option too, is a file to load.
TEST(Driver, ArgumentsHelpAndVersion)
{
    const std::string s_version = "bake3ds " + std::to_string(BAKE3DS_VERSION_MAJOR) + "." +
        std::to_string(BAKE3DS_VERSION_MINOR) + "." + std::to_string(BAKE3DS_VERSION_PATCH) + "\n";
    const std::string s_usage_line = "usage: bake3ds FILE.3ds\n";
    struct TCase {
        std::vector<std::string> args;
        int n_status;
        std::string s_out_start, s_err;
    } p_case[] = {
        {{}, 255, "", s_usage},
        {{"a.3ds", "b.3ds"}, 255, "", s_usage},
        {{"--help", "a.3ds"}, 255, "", s_usage},
        {{"--help"}, 0, s_usage_line, ""},
        {{"-h"}, 0, s_usage_line, ""},
        {{"--version"}, 0, s_version, ""},
        {{"-x"}, 255, "=== Loading '-x' ===\n", "error: unable to load .3ds file\n"},
        {{"--Help"}, 255, "=== Loading '--Help' ===\n", "error: unable to load .3ds file\n"},
    };
    for(const TCase &r_case : p_case) {
        CTempDir t_dir; // the cases that load look there, and find nothing
        TRunResult t_run = RunTool(r_case.args, t_dir.Path());
        std::string s_args = r_case.args.empty() ? "(none)" : r_case.args[0];
        EXPECT_EQ(t_run.n_status, r_case.n_status) << s_args;
        EXPECT_EQ(t_run.s_out.substr(0, r_case.s_out_start.size()), r_case.s_out_start) << s_args;
        EXPECT_EQ(t_run.s_err, r_case.s_err) << s_args;
        if(r_case.s_out_start == s_version) {
            EXPECT_EQ(t_run.s_out, s_version);
        }
    }
    // the help says how to convert a file named like an option, and does so
    CTempDir t_dir;
    WriteFile(t_dir.FilePath("--help"), fixture::Scene(std::vector<fixture::CChunk>{}).Bytes());
    EXPECT_NE(RunTool({"--help"}).s_out.find("./-name.3ds"), std::string::npos);
    EXPECT_EQ(RunTool({"./--help"}, t_dir.Path()).n_status, 0);
    EXPECT_TRUE(FileExists(t_dir.FilePath("--help.h")));
}

TEST(Driver, OutputPathAndClassName)
{
    ExpectConverted("model.3ds", "model.h", "model");
    ExpectConverted("dir\\sub/model.3ds", "dir\\sub/model.h", "model");
    ExpectConverted("model", "model.h", "model");
    ExpectConverted("my-scene.3ds", "my-scene.h", "my_scene");
    ExpectConverted("2.3ds", "2.h", "2");
    ExpectConverted("caf\xC3\xA9.3DS", "caf\xC3\xA9.h", "caf__");
    // only the file name's last '.' counts, a leading one included
    ExpectConverted("old.dir/scene", "old.dir/scene.h", "scene");
    ExpectConverted("models/ship", "models/ship.h", "ship");
    ExpectConverted("x/.3ds", "x/.h", "");
    ExpectConverted("a.b.c.3ds", "a.b.c.h", "a_b_c");
    // ':' is an ordinary character on POSIX
    ExpectConverted("C:scene.3ds", "C:scene.h", "C_scene");
}

TEST(Driver, FileNamesWithAndWithoutDriveLetters)
{
    using bake3ds::ClassNameFor;
    using bake3ds::OutputPathFor;
    struct TCase {
        const char *s_input, *s_output, *s_class_posix, *s_class_windows;
    };
    const TCase p_cases[] = {
        {"C:scene.3ds", "C:scene.h", "C_scene", "scene"}, {"d:a.b", "d:a.h", "d_a", "a"},
        {"C:\\models\\ship.3ds", "C:\\models\\ship.h", "ship", "ship"},
        {"dir\\a.b\\scene", "dir\\a.b\\scene.h", "scene", "scene"}, {"C:", "C:.h", "C_", ""},
        {"1:a.3ds", "1:a.h", "1_a", "1_a"},     // a drive is a letter
        {"x/C:a.3ds", "x/C:a.h", "C_a", "C_a"}, // only at the start
    };
    for(const TCase &r : p_cases) {
        for(bool b_drives : {false, true}) {
            std::string s_output = OutputPathFor(r.s_input, b_drives);
            EXPECT_EQ(s_output, r.s_output) << r.s_input << (b_drives ? " with drives" : "");
            EXPECT_EQ(ClassNameFor(s_output, b_drives), b_drives ? r.s_class_windows : r.s_class_posix)
                << r.s_input << (b_drives ? " with drives" : "");
        }
    }
}

TEST(Driver, RelativeParentFolderAndLongPaths)
{
    CTempDir t_dir;
    ASSERT_EQ(RunProgram({"mkdir", "-p", t_dir.FilePath("models"), t_dir.FilePath("work")}).n_status, 0);
    WriteFile(t_dir.FilePath("models/ship"), OneMesh());
    TRunResult t_run = RunTool({"../models/ship"}, t_dir.FilePath("work"));
    EXPECT_EQ(t_run.n_status, 0);
    EXPECT_TRUE(FileExists(t_dir.FilePath("models/ship.h")));
    EXPECT_FALSE(FileExists(t_dir.FilePath("..h")));

    // a path of more than 1023 characters is not cut
    std::string s_folder = "d";
    while(s_folder.size() < 1100)
        s_folder += "/" + std::string(200, 'p');
    ASSERT_EQ(RunProgram({"mkdir", "-p", s_folder}, t_dir.Path()).n_status, 0);
    std::string s_input = s_folder + "/long.3ds";
    WriteFile(t_dir.FilePath(s_input), OneMesh());
    t_run = RunTool({s_input}, t_dir.Path());
    EXPECT_EQ(t_run.n_status, 0) << t_run.s_err;
    EXPECT_TRUE(FileExists(t_dir.FilePath(s_folder + "/long.h")));
}

// The counts printed, each of its own kind: an empty scene, and one whose
// four counts all differ, so that no count can stand in for another.
TEST(Driver, EmptySceneAndCountsOfEachKind)
{
    CTempDir t_dir;
    WriteFile(t_dir.FilePath("empty.3ds"), TBytes());
    TRunResult t_run = RunTool({"empty.3ds"}, t_dir.Path());
    EXPECT_EQ(t_run.n_status, 0);
    EXPECT_EQ(t_run.s_out, ExportingOutput("empty.3ds", "empty.h", 0) + "\tDone\n");
    EXPECT_EQ(HeaderFor({}, "empty", "empty.3ds"), FileContents(t_dir.FilePath("empty.h")));

    TBytes kinds = Scene(
        {LightObject("l1", {0, 0, 0}), Material("m1"), LightObject("l2", {1, 0, 0}),
            CameraObject("c1", {0, 0, 5}, {0, 0, 0}, 0, 35), LightObject("l3", {2, 0, 0}), Material("m2"),
            LightObject("l4", {3, 0, 0}), CameraObject("c2", {0, 5, 0}, {0, 0, 0}, 0, 35),
            MeshObject("m", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}), Material("m3")})
                       .Bytes();
    WriteFile(t_dir.FilePath("kinds.3ds"), kinds);
    t_run = RunTool({"kinds.3ds"}, t_dir.Path());
    EXPECT_EQ(t_run.n_status, 0) << t_run.s_err;
    EXPECT_EQ(t_run.s_out,
        "=== Loading 'kinds.3ds' ===\n\t4 lights\n\t3 materials\n\t1 objects\n\t2 cameras\n\n"
        "=== Exporting objects geometry to 'kinds.h' ===\n\tDone\n");
}

TEST(Driver, InputsThatDoNotLoad)
{
    CTempDir t_dir;
    WriteFile(t_dir.FilePath("broken.3ds"), TBytes(6, 0));
    ASSERT_EQ(mkfifo(t_dir.FilePath("pipe.3ds").c_str(), 0600), 0);
    ASSERT_EQ(mkdir(t_dir.FilePath("folder.3ds").c_str(), 0700), 0);
    for(std::string s_input : {"broken.3ds", "missing.3ds", "pipe.3ds", "folder.3ds", "/dev/zero"}) {
        TRunResult t_run = RunTool({s_input}, t_dir.Path());
        EXPECT_EQ(t_run.n_status, 255) << s_input;
        EXPECT_EQ(t_run.s_out, "=== Loading '" + s_input + "' ===\n");
        EXPECT_EQ(t_run.s_err, s_load_error);
    }
    EXPECT_FALSE(FileExists(t_dir.FilePath("broken.h")));
}

TEST(Driver, OutputThatCannotBeOpenedOrIsTheInput)
{
    CTempDir t_dir;
    // the output path is a folder
    WriteFile(t_dir.FilePath("d.3ds"), OneMesh());
    ASSERT_EQ(mkdir(t_dir.FilePath("d.h").c_str(), 0700), 0);
    TRunResult t_run = RunTool({"d.3ds"}, t_dir.Path());
    EXPECT_EQ(t_run.n_status, 255);
    EXPECT_EQ(t_run.s_out, ExportingOutput("d.3ds", "d.h", 1));
    EXPECT_EQ(t_run.s_err, s_open_error);

    // an input whose file name ends in ".h" would be its own output
    TBytes bytes = OneMesh();
    WriteFile(t_dir.FilePath("scene.h"), bytes);
    t_run = RunTool({"scene.h"}, t_dir.Path());
    EXPECT_EQ(t_run.n_status, 255);
    EXPECT_EQ(t_run.s_out, ExportingOutput("scene.h", "scene.h", 1));
    EXPECT_EQ(t_run.s_err, s_open_error);
    EXPECT_EQ(FileContents(t_dir.FilePath("scene.h")), std::string(bytes.begin(), bytes.end()));

    // the same file under another name: through a symbolic link, a hard link
    WriteFile(t_dir.FilePath("soft.3ds"), bytes);
    ASSERT_EQ(symlink("soft.3ds", t_dir.FilePath("soft.h").c_str()), 0);
    WriteFile(t_dir.FilePath("hard.3ds"), bytes);
    ASSERT_EQ(link(t_dir.FilePath("hard.3ds").c_str(), t_dir.FilePath("hard.h").c_str()), 0);
    for(std::string s_input : {"soft.3ds", "hard.3ds"}) {
        t_run = RunTool({s_input}, t_dir.Path());
        EXPECT_EQ(t_run.n_status, 255) << s_input;
        EXPECT_EQ(t_run.s_err, s_open_error) << s_input;
        EXPECT_EQ(FileContents(t_dir.FilePath(s_input)), std::string(bytes.begin(), bytes.end())) << s_input;
    }
}

TEST(Driver, FailedWritesAreFailures)
{
    CTempDir t_dir;
    // a mesh whose header is far larger than one 512-byte block
    std::vector<TPoint> points;
    for(int i = 0; i < 300; ++i)
        points.push_back({float(i), 0, 0});
    WriteFile(t_dir.FilePath("big.3ds"), Scene({MeshObject("big", points, {{0, 1, 2}})}).Bytes());
    TRunResult t_run =
        RunProgram({"/bin/sh", "-c", "trap '' XFSZ; ulimit -f 1; exec \"$0\" big.3ds", ToolPath()}, t_dir.Path());
    EXPECT_EQ(t_run.n_status, 255);
    EXPECT_EQ(t_run.s_out, ExportingOutput("big.3ds", "big.h", 1));
    EXPECT_EQ(t_run.s_err, s_space_error);

    // a full device as the output
    if(FileExists("/dev/full")) {
        WriteFile(t_dir.FilePath("full.3ds"), OneMesh());
        ASSERT_EQ(symlink("/dev/full", t_dir.FilePath("full.h").c_str()), 0);
        t_run = RunTool({"full.3ds"}, t_dir.Path());
        EXPECT_EQ(t_run.n_status, 255);
        EXPECT_EQ(t_run.s_err, s_space_error);
        EXPECT_EQ(t_run.s_out.find("Done"), std::string::npos);
    }
}

TEST(Driver, RegeneratedHeaderReplacesALongerOneExactly)
{
    // the second conversion writes over the first header and must leave none of its tail
    CTempDir t_dir;
    std::vector<TPoint> points;
    for(int i = 0; i < 2000; ++i)
        points.push_back({float(i), 1, 2});
    WriteFile(t_dir.FilePath("scene.3ds"), Scene({MeshObject("big", points, {{0, 1, 2}})}).Bytes());
    ASSERT_EQ(RunTool({"scene.3ds"}, t_dir.Path()).n_status, 0);
    size_t n_first = FileContents(t_dir.FilePath("scene.h")).size();
    TBytes small = OneMesh();
    WriteFile(t_dir.FilePath("scene.3ds"), small);
    ASSERT_EQ(RunTool({"scene.3ds"}, t_dir.Path()).n_status, 0);
    std::string s_second = FileContents(t_dir.FilePath("scene.h"));
    EXPECT_LT(s_second.size(), n_first);
    EXPECT_EQ(s_second, HeaderFor(small, "scene", "scene.3ds"));
}
