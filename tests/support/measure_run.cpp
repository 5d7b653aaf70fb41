// Runs a command, its output discarded, and prints "STATUS MS RSS_KB": its
// exit status (128 + signal when killed), wall time and peak resident set.
// A fresh, small process of its own, because a spawned child's peak resident
// set starts at that of the process it was spawned from.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int n_argc, char **p_argv)
{
    if(n_argc < 2)
        return 2;
    auto t_start = std::chrono::steady_clock::now();
    pid_t n_pid = fork();
    if(n_pid == 0) {
        int n_null = open("/dev/null", O_RDWR);
        dup2(n_null, 0);
        dup2(n_null, 1);
        dup2(n_null, 2);
        execvp(p_argv[1], p_argv + 1);
        _exit(127);
    }
    if(n_pid < 0)
        return 2;
    int n_wait;
    struct rusage t_usage;
    wait4(n_pid, &n_wait, 0, &t_usage);
    double f_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t_start).count();
    int n_status = WIFEXITED(n_wait) ? WEXITSTATUS(n_wait) : 128 + WTERMSIG(n_wait);
    std::printf("%d %.3f %ld\n", n_status, f_ms, long(t_usage.ru_maxrss));
    return 0;
}
