// The converter against the floor of its job: reading the input once and
// writing the header once, measured as `cat` of the input plus `cp` of the
// header it wrote over an existing copy. For the generated scenes and the
// three largest corpus files: each one's wall time, the ratio, page faults
// and peak memory, and the library's conversion in this process in MB of
// header per second. Then the adversarial files: the slowest and the
// largest run. Prints figures; it never fails on a time.
//
// bench_floor [--runs N] [--tool PATH] [--skip-corpus] [--skip-adversarial]
//
// --tool times another build of the converter (a baseline, say) against the
// same floor; the library column is always this build's.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_inputs.h"
#include "fixture/adversarial.h"
#include "measure.h"

namespace fs = std::filesystem;

namespace {

struct TOptions {
    int n_runs = 15;
    std::string s_tool = BAKE3DS_TOOL_PATH;
    bool b_corpus = true, b_adversarial = true;
};

void PrintHead()
{
    std::printf("%-30s %8s %8s %8s %8s %6s | %7s %7s %7s | %6s %6s %6s | %8s\n", "input", "ms", "cp ms", "cat ms",
        "floor", "ratio", "faults", "cp", "cat", "RSS", "cp", "cat", "lib MB/s");
}

void PrintRow(const std::string &r_s_name, const std::string &r_s_input, const TOptions &r_opt)
{
    std::string s_header = fs::path(r_s_input).replace_extension(".h").string();
    std::string s_copy = s_header + ".copy";
    // the converter, as the user reruns it: its header already there
    bench::TMeasure t_tool = bench::Measure({r_opt.s_tool, r_s_input}, r_opt.n_runs);
    if(!t_tool.b_ok || !fs::exists(s_header)) {
        std::printf("%-30s conversion failed\n", r_s_name.c_str());
        return;
    }
    fs::copy_file(s_header, s_copy, fs::copy_options::overwrite_existing);
    bench::TMeasure t_cp = bench::Measure({"cp", s_header, s_copy}, r_opt.n_runs);
    bench::TMeasure t_cat = bench::Measure({"cat", r_s_input}, r_opt.n_runs);
    double f_floor = t_cp.f_median_ms + t_cat.f_median_ms;
    std::string s_bytes = bench::ReadBytes(r_s_input);
    double f_header_mb = double(fs::file_size(s_header)) / 1e6;
    double f_library_ms = bench::LibraryMs(s_bytes, fs::path(r_s_input).filename().string(), r_opt.n_runs);
    std::printf("%-30s %8.2f %8.2f %8.2f %8.2f %5.2fx | %7ld %7ld %7ld | %6.1f %6.1f %6.1f | %8.0f\n", r_s_name.c_str(),
        t_tool.f_median_ms, t_cp.f_median_ms, t_cat.f_median_ms, f_floor,
        f_floor > 0 ? t_tool.f_median_ms / f_floor : 0.0, t_tool.n_faults, t_cp.n_faults, t_cat.n_faults,
        t_tool.f_peak_rss_mb, t_cp.f_peak_rss_mb, t_cat.f_peak_rss_mb,
        f_library_ms > 0 ? f_header_mb / (f_library_ms / 1000) : 0.0);
    std::fflush(stdout);
}

// The corpus's largest .3ds files, at most n of them, largest first.
std::vector<fs::path> LargestCorpusFiles(const fs::path &r_t_corpus, size_t n)
{
    std::vector<fs::path> p_files;
    for(const std::string &r_s_file : bench::CorpusFiles(r_t_corpus.string()))
        p_files.push_back(r_s_file);
    std::sort(p_files.begin(), p_files.end(), [](const fs::path &r_a, const fs::path &r_b) {
        return fs::file_size(r_a) != fs::file_size(r_b) ? fs::file_size(r_a) > fs::file_size(r_b) : r_a < r_b;
    });
    if(p_files.size() > n)
        p_files.resize(n);
    return p_files;
}

// Every adversarial file through the converter: each one's median time and
// peak resident set, then the slowest and the largest.
void MeasureAdversarial(const std::string &r_s_dir, const TOptions &r_opt)
{
    std::vector<fixture::TAdversarial> p_files = fixture::AdversarialFiles();
    std::printf("\n");
    double f_worst_ms = 0, f_worst_rss = 0;
    std::string s_slowest, s_largest;
    for(size_t i = 0; i < p_files.size(); ++i) {
        std::string s_input = r_s_dir + "/adversarial-" + std::to_string(i + 1) + ".3ds";
        bench::WriteBytes(s_input, p_files[i].p_bytes);
        bench::TMeasure t = bench::Measure({r_opt.s_tool, s_input}, r_opt.n_runs, p_files[i].b_converts ? 0 : 255);
        if(!t.b_ok) {
            std::printf("%s: not the expected outcome\n", p_files[i].s_name.c_str());
            continue;
        }
        std::printf("%-52s %8.2f ms %6.1f MiB\n", p_files[i].s_name.c_str(), t.f_median_ms, t.f_peak_rss_mb);
        if(t.f_median_ms > f_worst_ms)
            f_worst_ms = t.f_median_ms, s_slowest = p_files[i].s_name;
        if(t.f_peak_rss_mb > f_worst_rss)
            f_worst_rss = t.f_peak_rss_mb, s_largest = p_files[i].s_name;
    }
    std::printf("adversarial files (%zu): slowest %.2f ms (%s), largest %.1f MiB (%s)\n", p_files.size(), f_worst_ms,
        s_slowest.c_str(), f_worst_rss, s_largest.c_str());
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
        if(s == "--runs" && i + 1 < n_argc && bench::RunCount(p_argv[i + 1], t_opt.n_runs))
            ++i;
        else if(s == "--tool" && i + 1 < n_argc)
            t_opt.s_tool = fs::absolute(p_argv[++i]).string();
        else if(s == "--skip-corpus")
            t_opt.b_corpus = false;
        else if(s == "--skip-adversarial")
            t_opt.b_adversarial = false;
        else {
            std::fprintf(stderr, "usage: %s [--runs N] [--tool PATH] [--skip-corpus] [--skip-adversarial]\n",
                p_argv[0]);
            return 2;
        }
    }
    std::string s_dir = bench::MakeScratchDir("bake3ds-floor-");
    std::printf("%s\nmedian of %d runs; times in ms; floor = cp of the header over a copy + cat of the input;\n"
                "faults: page faults of the median run; RSS: the largest peak resident set, MiB;\n"
                "lib MB/s: MB of header per second from the library's conversion in this process\n\n",
        t_opt.s_tool.c_str(), t_opt.n_runs);
    PrintHead();
    for(const bench::TWrittenInput &r : bench::WriteGeneratedInputs(s_dir))
        PrintRow(r.s_name, r.s_path, t_opt);
    fs::path t_corpus = fs::path(BAKE3DS_SOURCE_DIR) / ".." / "shared" / "corpus";
    if(t_opt.b_corpus && fs::is_directory(t_corpus)) {
        for(const fs::path &r_file : LargestCorpusFiles(t_corpus, 3)) {
            std::string s_input = s_dir + "/" + r_file.filename().string();
            fs::copy_file(r_file, s_input, fs::copy_options::overwrite_existing);
            PrintRow(r_file.filename().string(), s_input, t_opt);
        }
    } else if(t_opt.b_corpus)
        std::printf("the corpus folder ../shared/corpus is absent: not measured\n");
    if(t_opt.b_adversarial)
        MeasureAdversarial(s_dir, t_opt);
    fs::remove_all(s_dir);
    return 0;
}
