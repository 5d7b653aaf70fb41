// Times the converter on generated scenes and on the corpus, beside a
// general-purpose importer (assimp's command line, exporting OBJ); in this
// process, the library's conversion, and the vertex normals by the linear
// grouping against the literal all-pairs rule. Prints figures; it never
// fails on a time.
//
// bench_convert [--runs N] [--all-pairs-runs N] [--skip-corpus] [--skip-assimp] [--skip-all-pairs]

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "all_pairs_normals.h"
#include "bake3ds/bake3ds.h"
#include "bench_inputs.h"
#include "geometry/normals.h"
#include "reader/load_options.h"
#include "scene/scene.h"

extern char **environ;
namespace fs = std::filesystem;

namespace {

struct TMeasure {
    bool b_ok = false;
    double f_median_ms = 0;
    double f_peak_rss_mb = 0;
};

// Runs the command once, output discarded: its wall time in ms and peak
// resident set in kB, or false when it could not run or failed.
bool b_RunOnce(const std::vector<std::string> &args, double &r_f_ms, long &r_n_rss_kb)
{
    posix_spawn_file_actions_t t_actions;
    posix_spawn_file_actions_init(&t_actions);
    posix_spawn_file_actions_addopen(&t_actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&t_actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> copy = args;
    std::vector<char *> argv;
    for(std::string &r_s : copy)
        argv.push_back(&r_s[0]);
    argv.push_back(nullptr);
    auto t_start = std::chrono::steady_clock::now();
    pid_t n_pid;
    int n_error = posix_spawnp(&n_pid, argv[0], &t_actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&t_actions);
    if(n_error)
        return false;
    int n_status;
    struct rusage t_usage;
    wait4(n_pid, &n_status, 0, &t_usage);
    r_f_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t_start).count();
    r_n_rss_kb = t_usage.ru_maxrss;
    return WIFEXITED(n_status) && WEXITSTATUS(n_status) == 0;
}

// The measuring process: a fresh, small process that runs the command n
// times and prints "ms rss_kb" per run. A child's peak resident set starts
// at that of the process it was spawned from, so the spawning must not be
// done by this benchmark's own large process.
int MeasureChild(int n_argc, char **p_argv)
{
    int n_runs = std::atoi(p_argv[2]);
    std::vector<std::string> args(p_argv + 3, p_argv + n_argc);
    for(int i = 0; i < n_runs; ++ i) {
        double f_ms;
        long n_rss;
        if(!b_RunOnce(args, f_ms, n_rss))
            return 1;
        std::printf("%f %ld\n", f_ms, n_rss);
    }
    return 0;
}

std::string s_self_path;

// Runs the command n times through a measuring process: the median wall
// time and the largest peak resident set of the runs.
TMeasure Measure(const std::vector<std::string> &args, int n_runs)
{
    TMeasure t;
    std::string s_command = "'" + s_self_path + "' --measure " + std::to_string(n_runs);
    for(const std::string &r_s : args)
        s_command += " '" + r_s + "'";
    FILE *p_pipe = popen(s_command.c_str(), "r");
    if(!p_pipe)
        return t;
    std::vector<double> times;
    double f_ms;
    long n_rss;
    while(std::fscanf(p_pipe, "%lf %ld", &f_ms, &n_rss) == 2) {
        times.push_back(f_ms);
        t.f_peak_rss_mb = std::max(t.f_peak_rss_mb, double(n_rss) / 1024);
    }
    if(pclose(p_pipe) != 0 || int(times.size()) != n_runs)
        return t;
    std::sort(times.begin(), times.end());
    t.f_median_ms = times[times.size() / 2];
    t.b_ok = true;
    return t;
}

double f_Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times[times.size() / 2];
}

double f_MsSince(std::chrono::steady_clock::time_point t_start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t_start).count();
}

std::string s_ReadBytes(const std::string &r_s_path)
{
    std::string s;
    FILE *p = std::fopen(r_s_path.c_str(), "rb");
    if(!p)
        return s;
    char p_buffer[65536];
    for(size_t n; (n = std::fread(p_buffer, 1, sizeof(p_buffer), p)) > 0;)
        s.append(p_buffer, n);
    std::fclose(p);
    return s;
}

// The library's whole conversion of the bytes, in this process: the median
// time of n runs in ms; 0 when it fails.
double f_LibraryMs(const std::string &r_s_bytes, const std::string &r_s_name, int n_runs)
{
    std::vector<double> times;
    for(int i = 0; i < n_runs; ++ i) {
        std::string s_header;
        auto t_start = std::chrono::steady_clock::now();
        if(!bake3ds::convert(r_s_bytes.data(), r_s_bytes.size(), r_s_name.c_str(), s_header))
            return 0;
        times.push_back(f_MsSince(t_start));
    }
    return f_Median(times);
}

// The vertex normals of every mesh of the loaded bytes, by the linear
// grouping and by the all-pairs rule: the median ms of n runs of each.
void NormalsMs(const std::string &r_s_bytes, int n_runs, double &r_f_linear, double &r_f_all_pairs)
{
    bake3ds::C3dsScene t_scene;
    r_f_linear = r_f_all_pairs = 0;
    if(!t_scene.LoadMemory(reinterpret_cast<const uint8_t *>(r_s_bytes.data()), r_s_bytes.size()))
        return;
    for(bake3ds::TMesh &r_mesh : t_scene.p_object)
        bake3ds::CalcFaceNormals(r_mesh);
    std::vector<double> linear, all_pairs;
    for(int i = 0; i < n_runs; ++ i) {
        auto t_start = std::chrono::steady_clock::now();
        for(bake3ds::TMesh &r_mesh : t_scene.p_object)
            bake3ds::CalcVertexNormals(r_mesh);
        linear.push_back(f_MsSince(t_start));
        t_start = std::chrono::steady_clock::now();
        for(bake3ds::TMesh &r_mesh : t_scene.p_object)
            reference::CalcVertexNormalsAllPairs(r_mesh);
        all_pairs.push_back(f_MsSince(t_start));
    }
    r_f_linear = f_Median(linear);
    r_f_all_pairs = f_Median(all_pairs);
}

bool b_HaveAssimp()
{
    if(std::system("command -v assimp >/dev/null 2>&1") == 0)
        return true;
    if(geteuid() == 0) {
        std::printf("installing assimp-utils for the comparison...\n");
        std::fflush(stdout);
        std::system("DEBIAN_FRONTEND=noninteractive apt-get install -y -qq assimp-utils >/dev/null 2>&1 || "
                    "{ apt-get update -qq >/dev/null 2>&1 && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "
                    "assimp-utils >/dev/null 2>&1; }");
    }
    return std::system("command -v assimp >/dev/null 2>&1") == 0;
}

void WriteBytes(const std::string &r_s_path, const fixture::TBytes &r_bytes)
{
    FILE *p = std::fopen(r_s_path.c_str(), "wb");
    std::fwrite(r_bytes.data(), 1, r_bytes.size(), p);
    std::fclose(p);
}

struct TOptions {
    int n_runs = 7;
    int n_all_pairs_runs = 5;
    bool b_corpus = true, b_assimp = true, b_all_pairs = true;
};

void PrintRow(const std::string &r_s_name, const std::string &r_s_input, const TOptions &r_opt, bool b_assimp)
{
    TMeasure t_ours = Measure({BAKE3DS_TOOL_PATH, r_s_input}, r_opt.n_runs);
    if(!t_ours.b_ok) {
        std::printf("%-44s conversion failed\n", r_s_name.c_str());
        return;
    }
    std::string s_header = fs::path(r_s_input).replace_extension(".h").string();
    double f_header_mb = double(fs::file_size(s_header)) / 1e6;
    std::printf("%-44s %9.3f %9.3f %9.1f %8.1f", r_s_name.c_str(), t_ours.f_median_ms, f_header_mb,
        f_header_mb / (t_ours.f_median_ms / 1000), t_ours.f_peak_rss_mb);
    if(b_assimp) {
        TMeasure t_assimp = Measure({"assimp", "export", r_s_input, r_s_input + ".obj"}, r_opt.n_runs);
        if(t_assimp.b_ok)
            std::printf(" %10.1f %7.1fx %8.1f", t_assimp.f_median_ms, t_assimp.f_median_ms / t_ours.f_median_ms,
                t_assimp.f_peak_rss_mb);
        else
            std::printf(" %10s %8s %8s", "failed", "-", "-");
    } else
        std::printf(" %10s %8s %8s", "-", "-", "-");
    std::string s_bytes = s_ReadBytes(r_s_input);
    double f_library_ms = f_LibraryMs(s_bytes, fs::path(r_s_input).filename().string(), r_opt.n_runs);
    std::printf(" %9.1f", f_library_ms > 0 ? f_header_mb / (f_library_ms / 1000) : 0.0);
    if(r_opt.b_all_pairs) {
        double f_linear, f_all_pairs;
        NormalsMs(s_bytes, r_opt.n_all_pairs_runs, f_linear, f_all_pairs);
        std::printf(" %10.2f %11.1f %7.0fx", f_linear, f_all_pairs, f_linear > 0 ? f_all_pairs / f_linear : 0.0);
    }
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

int main(int n_argc, char **p_argv)
{
    if(n_argc > 3 && std::string(p_argv[1]) == "--measure")
        return MeasureChild(n_argc, p_argv);
    s_self_path = fs::canonical("/proc/self/exe").string();
    TOptions t_opt;
    for(int i = 1; i < n_argc; ++ i) {
        std::string s = p_argv[i];
        if(s == "--runs" && i + 1 < n_argc)
            t_opt.n_runs = std::max(1, std::atoi(p_argv[++ i]));
        else if(s == "--all-pairs-runs" && i + 1 < n_argc)
            t_opt.n_all_pairs_runs = std::max(1, std::atoi(p_argv[++ i]));
        else if(s == "--skip-corpus")
            t_opt.b_corpus = false;
        else if(s == "--skip-assimp")
            t_opt.b_assimp = false;
        else if(s == "--skip-all-pairs")
            t_opt.b_all_pairs = false;
        else {
            std::fprintf(stderr, "usage: %s [--runs N] [--all-pairs-runs N] [--skip-corpus] [--skip-assimp] [--skip-all-pairs]\n", p_argv[0]);
            return 2;
        }
    }
    bool b_assimp = t_opt.b_assimp && b_HaveAssimp();
    if(t_opt.b_assimp && !b_assimp)
        std::printf("assimp (Debian assimp-utils) is not available: no comparison with it\n");

    std::string s_dir = (fs::temp_directory_path() / ("bake3ds-bench-" + std::to_string(getpid()))).string();
    fs::create_directories(s_dir);
    std::printf("median of %d runs (normals: %d runs); times in ms, sizes in MB, RSS is the peak resident set;\n"
                "lib MB/s: the library's conversion in this process; normals: the vertex normals alone, linear\n"
                "grouping against the all-pairs rule\n\n",
        t_opt.n_runs, t_opt.n_all_pairs_runs);
    std::printf("%-44s %9s %9s %9s %8s %10s %8s %8s %9s %10s %11s %8s\n", "input", "ms", "header", "MB/s", "RSS",
        "assimp ms", "ratio", "RSS", "lib MB/s", "normals", "all-pairs", "ratio");
    struct TInput {
        const char *p_s_name;
        fixture::TBytes (*p_make)();
    };
    for(const TInput &r : {TInput{"grid 65535 v / 65535 f", bench::LargeGrid}, TInput{"sphere 24002 v / 48000 f", bench::Sphere},
            TInput{"200 meshes, lights, cameras", bench::BusyScene}}) {
        std::string s_input = s_dir + "/" + std::string(r.p_s_name).substr(0, std::string(r.p_s_name).find(' ')) + ".3ds";
        WriteBytes(s_input, r.p_make());
        PrintRow(r.p_s_name, s_input, t_opt, b_assimp);
    }

    fs::path t_corpus = fs::path(BAKE3DS_SOURCE_DIR) / ".." / "shared" / "corpus";
    if(t_opt.b_corpus && fs::is_directory(t_corpus)) {
        std::vector<fs::path> files;
        for(const fs::directory_entry &r_entry : fs::recursive_directory_iterator(t_corpus)) {
            std::string s_ext = r_entry.path().extension().string();
            if(r_entry.is_regular_file() && (s_ext == ".3ds" || s_ext == ".3DS"))
                files.push_back(r_entry.path());
        }
        std::sort(files.begin(), files.end());
        std::printf("\ncorpus (%zu files):\n", files.size());
        for(const fs::path &r_file : files) {
            std::string s_input = s_dir + "/" + r_file.filename().string();
            fs::copy_file(r_file, s_input, fs::copy_options::overwrite_existing);
            PrintRow(r_file.parent_path().filename().string() + "/" + r_file.filename().string(), s_input, t_opt,
                b_assimp && fs::file_size(r_file) > 0);
        }
    } else if(t_opt.b_corpus)
        std::printf("\nthe corpus folder ../shared/corpus is absent: not measured\n");
    fs::remove_all(s_dir);
    return 0;
}
