// bake3ds: converts one .3ds scene into a C++ header next to it.

#include <cstdio>
#include <new>
#include <vector>

#include "driver/run.h"
#include "platform/program_start.h"

int main(int n_argc, char **p_argv)
{
    std::vector<std::string> p_args;
    try {
        p_args = bake3ds::ProgramStart(n_argc, p_argv);
    } catch(const std::bad_alloc &) {
        std::fprintf(stderr, "error: unable to load .3ds file\n");
        return -1;
    }
    return bake3ds::RunConverter(p_args, stdout, stderr);
}
