// Times the converter on generated scenes and on the corpus, beside a
// general-purpose importer (assimp's command line, exporting OBJ); in this
// process, the library's conversion, and the vertex normals by the linear
// grouping against the literal all-pairs rule. Prints figures; it never
// fails on a time.
//
// bench_convert [--runs N] [--all-pairs-runs N] [--skip-corpus] [--skip-assimp] [--skip-all-pairs]

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
#include "bench_inputs.h"
#include "geometry/normals.h"
#include "measure.h"
#include "reader/load_options.h"
#include "reader/loader.h"
#include "scene/scene.h"

namespace fs = std::filesystem;

namespace {

// The vertex normals of every mesh of the loaded bytes, by the linear
// grouping and by the all-pairs rule: the median ms of n runs of each.
void NormalsMs(const std::string &r_s_bytes, int n_runs, double &r_f_linear, double &r_f_all_pairs)
{
    bake3ds::C3dsScene t_scene;
    r_f_linear = r_f_all_pairs = 0;
    if(!bake3ds::ReadScene(t_scene, reinterpret_cast<const uint8_t *>(r_s_bytes.data()), r_s_bytes.size(),
           bake3ds::ResolvedOptions(nullptr)))
        return;
    bake3ds::TNormalsScratch t_scratch;
    std::vector<double> p_linear, p_all_pairs;
    for(int i = 0; i < n_runs; ++i) {
        auto t_start = std::chrono::steady_clock::now();
        for(bake3ds::TMesh &r_mesh : t_scene.p_object)
            bake3ds::CalcVertexNormals(r_mesh, t_scratch);
        p_linear.push_back(bench::MsSince(t_start));
        t_start = std::chrono::steady_clock::now();
        for(bake3ds::TMesh &r_mesh : t_scene.p_object)
            reference::CalcVertexNormalsAllPairs(r_mesh);
        p_all_pairs.push_back(bench::MsSince(t_start));
    }
    r_f_linear = bench::Median(p_linear);
    r_f_all_pairs = bench::Median(p_all_pairs);
}

// The shell runs fixed commands of this program's own, no outside text.
// NOLINTBEGIN(cert-env33-c)
bool HaveAssimp()
{
    if(std::system("command -v assimp >/dev/null 2>&1") == 0)
        return true;
    if(geteuid() == 0) {
        std::printf("installing assimp-utils for the comparison...\n");
        std::fflush(stdout);
        // whether it worked, the check below tells
        if(std::system("DEBIAN_FRONTEND=noninteractive apt-get install -y -qq assimp-utils >/dev/null 2>&1 || "
                       "{ apt-get update -qq >/dev/null 2>&1 && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "
                       "assimp-utils >/dev/null 2>&1; }") != 0)
            std::printf("assimp-utils could not be installed\n");
    }
    return std::system("command -v assimp >/dev/null 2>&1") == 0;
}
// NOLINTEND(cert-env33-c)

struct TOptions {
    int n_runs = 7;
    int n_all_pairs_runs = 5;
    bool b_corpus = true, b_assimp = true, b_all_pairs = true;
};

void PrintRow(const std::string &r_s_name, const std::string &r_s_input, const TOptions &r_opt, bool b_assimp)
{
    bench::TMeasure t_ours = bench::Measure({BAKE3DS_TOOL_PATH, r_s_input}, r_opt.n_runs);
    if(!t_ours.b_ok) {
        std::printf("%-44s conversion failed\n", r_s_name.c_str());
        return;
    }
    std::string s_header = fs::path(r_s_input).replace_extension(".h").string();
    double f_header_mb = double(fs::file_size(s_header)) / 1e6;
    std::printf("%-44s %9.3f %9.3f %9.1f %8.1f", r_s_name.c_str(), t_ours.f_median_ms, f_header_mb,
        f_header_mb / (t_ours.f_median_ms / 1000), t_ours.f_peak_rss_mb);
    if(b_assimp) {
        bench::TMeasure t_assimp = bench::Measure({"assimp", "export", r_s_input, r_s_input + ".obj"}, r_opt.n_runs);
        if(t_assimp.b_ok)
            std::printf(" %10.1f %7.1fx %8.1f", t_assimp.f_median_ms, t_assimp.f_median_ms / t_ours.f_median_ms,
                t_assimp.f_peak_rss_mb);
        else
            std::printf(" %10s %8s %8s", "failed", "-", "-");
    } else
        std::printf(" %10s %8s %8s", "-", "-", "-");
    std::string s_bytes = bench::ReadBytes(r_s_input);
    double f_library_ms = bench::LibraryMs(s_bytes, fs::path(r_s_input).filename().string(), r_opt.n_runs);
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
    int n_status;
    if(bench::MeasuringProcess(n_argc, p_argv, n_status))
        return n_status;
    TOptions t_opt;
    for(int i = 1; i < n_argc; ++i) {
        std::string s = p_argv[i];
        int *p_count = s == "--runs" ? &t_opt.n_runs : s == "--all-pairs-runs" ? &t_opt.n_all_pairs_runs : nullptr;
        if(p_count && i + 1 < n_argc && bench::RunCount(p_argv[i + 1], *p_count))
            ++i;
        else if(s == "--skip-corpus")
            t_opt.b_corpus = false;
        else if(s == "--skip-assimp")
            t_opt.b_assimp = false;
        else if(s == "--skip-all-pairs")
            t_opt.b_all_pairs = false;
        else {
            std::fprintf(stderr,
                "usage: %s [--runs N] [--all-pairs-runs N] [--skip-corpus] [--skip-assimp] [--skip-all-pairs]\n",
                p_argv[0]);
            return 2;
        }
    }
    bool b_assimp = t_opt.b_assimp && HaveAssimp();
    if(t_opt.b_assimp && !b_assimp)
        std::printf("assimp (Debian assimp-utils) is not available: no comparison with it\n");

    std::string s_dir = bench::MakeScratchDir("bake3ds-bench-");
    std::printf("median of %d runs (normals: %d runs); times in ms, sizes in MB, RSS is the peak resident set;\n"
                "lib MB/s: the library's conversion in this process; normals: the vertex normals alone, linear\n"
                "grouping against the all-pairs rule\n\n",
        t_opt.n_runs, t_opt.n_all_pairs_runs);
    std::printf("%-44s %9s %9s %9s %8s %10s %8s %8s %9s %10s %11s %8s\n", "input", "ms", "header", "MB/s", "RSS",
        "assimp ms", "ratio", "RSS", "lib MB/s", "normals", "all-pairs", "ratio");
    for(const bench::TWrittenInput &r : bench::WriteGeneratedInputs(s_dir))
        PrintRow(r.s_name, r.s_path, t_opt, b_assimp);

    fs::path t_corpus = fs::path(BAKE3DS_SOURCE_DIR) / ".." / "shared" / "corpus";
    if(t_opt.b_corpus && fs::is_directory(t_corpus)) {
        std::vector<std::string> p_files = bench::CorpusFiles(t_corpus.string());
        std::printf("\ncorpus (%zu files):\n", p_files.size());
        for(const fs::path t_file : p_files) {
            std::string s_input = s_dir + "/" + t_file.filename().string();
            fs::copy_file(t_file, s_input, fs::copy_options::overwrite_existing);
            PrintRow(t_file.parent_path().filename().string() + "/" + t_file.filename().string(), s_input, t_opt,
                b_assimp && fs::file_size(t_file) > 0);
        }
    } else if(t_opt.b_corpus)
        std::printf("\nthe corpus folder ../shared/corpus is absent: not measured\n");
    fs::remove_all(s_dir);
    return 0;
}
