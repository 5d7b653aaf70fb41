#ifndef BAKE3DS_TESTS_SUPPORT_TEST_SUPPORT_H
#define BAKE3DS_TESTS_SUPPORT_TEST_SUPPORT_H

// Helpers of the test suite: temporary folders, files, running the built
// tool and other programs, and finding the shared corpus.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bake3ds/bake3ds.h"
#include "fixture/chunk_builder.h"
#include "scene/scene.h"

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with its
// contents on destruction.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir &) = delete;
    CTempDir &operator=(const CTempDir &) = delete;
    const std::string &Path() const { return m_s_path; }
    std::string FilePath(const std::string &r_s_name) const { return m_s_path + "/" + r_s_name; }

private:
    std::string m_s_path;
};

void WriteFile(const std::string &r_s_path, const fixture::TBytes &r_bytes);
void WriteFile(const std::string &r_s_path, const std::string &r_s_text);
std::string FileContents(const std::string &r_s_path);
bool FileExists(const std::string &r_s_path);

struct TRunResult {
    int n_status = -1; // exit status, or 128 + signal number
    std::string s_out, s_err;
};

// Runs a program with arguments (no shell), in the folder s_cwd when not
// empty, with standard input from /dev/null.
TRunResult RunProgram(const std::vector<std::string> &args, const std::string &r_s_cwd = "");

// Runs a shell command line; its exit status and output.
TRunResult Shell(const std::string &r_s_command);

// The built converter.
std::string ToolPath();

// The converter on the given arguments.
TRunResult RunTool(const std::vector<std::string> &args, const std::string &r_s_cwd = "");

struct TMeasured {
    int n_status = -1;
    double f_ms = 0;
    double f_rss_mb = 0;
};

// Runs the converter on one argument, in the folder, output discarded: its
// exit status, wall time and peak resident set.
TMeasured MeasureTool(const std::string &r_s_argument, const std::string &r_s_cwd);

// True in a build under the sanitizers, whose times and memory say nothing
// about the converter's.
bool Sanitized();

// The shared corpus folder, or empty when it is absent.
std::string CorpusDir();

// Every .3ds file of the corpus (any case of the extension), sorted; empty
// when the corpus is absent.
std::vector<std::string> CorpusFiles();

// One row of the corpus's expected-outcomes.txt: what a correct converter
// gives for the file, worked out without this code.
struct TExpectedOutcome {
    std::string s_header_sha256, s_output_sha256;
    int n_status = -1;
    std::string s_path; // under the corpus folder
};

// The rows of the corpus's expected-outcomes.txt; empty when the corpus is
// absent.
std::vector<TExpectedOutcome> ExpectedOutcomes();

// The SHA-256 of the bytes, in lower-case hex, as sha256sum gives it.
std::string Sha256(const std::string &r_s_bytes);

// Reads bytes into a scene (as constructed) with the default options and
// adds the normals and the material ranges, faces left in file order; the
// reader's result.
bool LoadBytes(const fixture::TBytes &r_bytes, bake3ds::C3dsScene &r_scene);

// The same into a fresh scene, which r_p_scene then holds whatever the
// result: a scene is neither copied nor moved, and each read needs one as
// constructed.
bool LoadBytes(const fixture::TBytes &r_bytes, std::unique_ptr<bake3ds::C3dsScene> &r_p_scene);

// A scene of the library's, released with it.
using TLoadedScene = std::unique_ptr<bake3ds_scene, void (*)(bake3ds_scene *)>;

// The library's load of the file at the path, as the converter loads it
// (normals, faces in material order); null when it fails.
TLoadedScene LoadFile(const std::string &r_s_path);

// The whole header the converter writes for the bytes, as if they were the
// file at s_input_path; empty when the load fails.
std::string HeaderFor(const fixture::TBytes &r_bytes, const std::string &r_s_class = "test",
    const std::string &r_s_input_path = "test.3ds");

// True when the text ends with the trailer that closes every complete header.
bool EndsWithTrailer(const std::string &r_s_header);

// True when a program is on the PATH.
bool HaveProgram(const std::string &r_s_name);

// Runs each body on a thread of its own, all at once, each thread with a
// stack of n_stack bytes (std::thread cannot size one), and waits for them.
void RunThreads(size_t n_stack, const std::vector<std::function<void()>> &r_bodies);

// Runs the body on a thread of its own whose stack of n_stack bytes, above
// a page nothing may touch, is filled with a pattern first; the bytes from
// the deepest one the thread changed to the stack's top. That includes what
// the thread's start puts there: compare with an empty body.
size_t StackTouched(size_t n_stack, const std::function<void()> &r_body);

} // namespace testing_support

#endif
