#include "measure.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bake3ds/bake3ds.h"

extern char **environ;

namespace bench {

namespace {

// Runs the command once: its wall time in ms, peak resident set in kB and
// page faults; false when it could not start, else its exit status in
// r_n_status (-1 for a signal).
bool RunOnce(const std::vector<std::string> &p_args, const char *s_stdout, double &r_f_ms, long &r_n_rss_kb,
    long &r_n_faults, int &r_n_status)
{
    posix_spawn_file_actions_t t_actions;
    posix_spawn_file_actions_init(&t_actions);
    posix_spawn_file_actions_addopen(&t_actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&t_actions, 1, s_stdout, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    posix_spawn_file_actions_addopen(&t_actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> p_copy = p_args;
    std::vector<char *> p_spawn_argv;
    p_spawn_argv.reserve(p_copy.size() + 1);
    for(std::string &r_s : p_copy)
        p_spawn_argv.push_back(&r_s[0]);
    p_spawn_argv.push_back(nullptr);
    auto t_start = std::chrono::steady_clock::now();
    pid_t n_pid;
    int n_error = posix_spawnp(&n_pid, p_spawn_argv[0], &t_actions, nullptr, p_spawn_argv.data(), environ);
    posix_spawn_file_actions_destroy(&t_actions);
    if(n_error)
        return false;
    int n_wait;
    struct rusage t_usage;
    if(wait4(n_pid, &n_wait, 0, &t_usage) != n_pid)
        return false;
    r_f_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t_start).count();
    r_n_rss_kb = t_usage.ru_maxrss;
    r_n_faults = t_usage.ru_minflt + t_usage.ru_majflt;
    r_n_status = WIFEXITED(n_wait) ? WEXITSTATUS(n_wait) : -1;
    return true;
}

std::string s_self_path;

} // namespace

bool MeasuringProcess(int n_argc, char **p_argv, int &r_n_status)
{
    s_self_path = std::filesystem::canonical("/proc/self/exe").string();
    // --measure RUNS STDOUT COMMAND...: prints "ms rss_kb faults status" per run
    int n_runs;
    if(n_argc < 5 || std::string(p_argv[1]) != "--measure" || !RunCount(p_argv[2], n_runs))
        return false;
    std::vector<std::string> p_args(p_argv + 4, p_argv + n_argc);
    r_n_status = 0;
    for(int i = 0; i < n_runs; ++i) {
        double f_ms;
        long n_rss, n_faults;
        int n_status;
        if(!RunOnce(p_args, p_argv[3], f_ms, n_rss, n_faults, n_status)) {
            r_n_status = 1;
            break;
        }
        std::printf("%f %ld %ld %d\n", f_ms, n_rss, n_faults, n_status);
    }
    return true;
}

TMeasure Measure(const std::vector<std::string> &p_args, int n_runs, int n_status, const std::string &r_s_stdout)
{
    TMeasure t;
    auto t_quoted = [](const std::string &r_s) { return "'" + r_s + "'"; };
    std::string s_command = t_quoted(s_self_path) + " --measure " + std::to_string(n_runs) + " " +
        t_quoted(r_s_stdout.empty() ? "/dev/null" : r_s_stdout);
    for(const std::string &r_s : p_args)
        s_command += " " + t_quoted(r_s);
    FILE *p_pipe = popen(s_command.c_str(), "r"); // NOLINT(cert-env33-c): this program itself, paths quoted
    if(!p_pipe)
        return t;
    struct TRun {
        double f_ms;
        long n_faults;
    };
    std::vector<TRun> p_runs;
    double f_ms;
    long n_rss, n_faults;
    int n_got_status;
    bool b_statuses = true;
    // the measuring process's own lines, printed by it with "%f %ld %ld %d"
    // NOLINTNEXTLINE(cert-err34-c)
    while(std::fscanf(p_pipe, "%lf %ld %ld %d", &f_ms, &n_rss, &n_faults, &n_got_status) == 4) {
        p_runs.push_back(TRun{f_ms, n_faults});
        t.f_peak_rss_mb = std::max(t.f_peak_rss_mb, double(n_rss) / 1024);
        b_statuses = b_statuses && n_got_status == n_status;
    }
    if(pclose(p_pipe) != 0 || int(p_runs.size()) != n_runs || !b_statuses)
        return t;
    std::sort(p_runs.begin(), p_runs.end(), [](const TRun &r_a, const TRun &r_b) { return r_a.f_ms < r_b.f_ms; });
    t.f_min_ms = p_runs.front().f_ms;
    t.f_median_ms = p_runs[p_runs.size() / 2].f_ms;
    t.n_faults = p_runs[p_runs.size() / 2].n_faults;
    t.b_ok = true;
    return t;
}

bool RunCount(const char *s_text, int &r_n_runs)
{
    char *p_end;
    errno = 0;
    long n = std::strtol(s_text, &p_end, 10);
    if(p_end == s_text || *p_end || errno == ERANGE || n > INT_MAX)
        return false;
    r_n_runs = n < 1 ? 1 : int(n);
    return true;
}

double Median(std::vector<double> p_values)
{
    std::sort(p_values.begin(), p_values.end());
    return p_values.empty() ? 0 : p_values[p_values.size() / 2];
}

double MsSince(std::chrono::steady_clock::time_point t_start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t_start).count();
}

std::string ReadBytes(const std::string &r_s_path)
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

double LibraryMs(const std::string &r_s_bytes, const std::string &r_s_name, int n_runs)
{
    std::vector<double> p_times;
    for(int i = 0; i < n_runs; ++i) {
        char *p_header = nullptr;
        auto t_start = std::chrono::steady_clock::now();
        if(!bake3ds_convert(r_s_bytes.data(), r_s_bytes.size(), r_s_name.c_str(), nullptr, &p_header, nullptr, nullptr))
            return 0;
        p_times.push_back(MsSince(t_start));
        bake3ds_free(p_header);
    }
    return Median(p_times);
}

} // namespace bench
