// bake3ds: converts one .3ds scene into a C++ header next to it.

#include <cstdio>

#include "driver/run.h"

int main(int n_argc, char **p_argv)
{
    return bake3ds::RunConverter(n_argc, p_argv, stdout, stderr);
}
