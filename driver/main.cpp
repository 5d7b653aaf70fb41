// bake3ds: converts one .3ds scene into a C++ header next to it.

#include <cstdio>
#include <vector>

#include "driver/run.h"
#include "platform/platform.h"

int main(int n_argc, char **p_argv)
{
    bake3ds::TuneAllocator();
    std::vector<std::string> args = bake3ds::CommandLineArguments(n_argc, p_argv);
    std::vector<const char *> p_args;
    for(const std::string &r_s_arg : args)
        p_args.push_back(r_s_arg.c_str());
    return bake3ds::RunConverter(int(p_args.size()), p_args.data(), stdout, stderr);
}
