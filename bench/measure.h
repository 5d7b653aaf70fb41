#ifndef BAKE3DS_BENCH_MEASURE_H
#define BAKE3DS_BENCH_MEASURE_H

// Timing other programs from a benchmark: each run is spawned by a small
// measuring process (this same program, started with --measure), because a
// child's peak resident set and fault count start from those of the process
// that spawned it, and a benchmark holding scenes in memory would inflate
// them. And the library's conversion, timed in this process.

#include <chrono>
#include <string>
#include <vector>

namespace bench {

struct TMeasure {
    bool b_ok = false;
    double f_median_ms = 0;   // the median wall time of the runs
    double f_min_ms = 0;      // the fastest run
    double f_peak_rss_mb = 0; // the largest peak resident set of the runs, MiB
    long n_faults = 0;        // page faults (minor and major) of the median run
};

// Call first in main: when the program was started as a measuring process,
// runs it and returns its exit status through r_n_status (true); else false.
bool MeasuringProcess(int n_argc, char **p_argv, int &r_n_status);

// Runs the command n_runs times through a measuring process, with stdin
// from /dev/null and stdout and stderr to /dev/null (or, when s_stdout is
// not empty, stdout to that file, truncated). b_ok is false when any run
// could not start or exited with a status other than n_status.
TMeasure Measure(const std::vector<std::string> &p_args, int n_runs, int n_status = 0,
    const std::string &r_s_stdout = std::string());

// The N of --runs N, at least 1: false when the text is not a whole number,
// so that a mistyped count is a usage error rather than a single run.
bool RunCount(const char *s_text, int &r_n_runs);

// The median of the values, 0 for none.
double Median(std::vector<double> p_values);

// Milliseconds since the time point.
double MsSince(std::chrono::steady_clock::time_point t_start);

// The whole file's bytes; empty when it cannot be read.
std::string ReadBytes(const std::string &r_s_path);

// The library's whole conversion of the bytes, in this process: the median
// time of n runs in ms; 0 when it fails.
double LibraryMs(const std::string &r_s_bytes, const std::string &r_s_name, int n_runs);

} // namespace bench

#endif
