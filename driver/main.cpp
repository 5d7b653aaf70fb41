// bake3ds: converts one .3ds scene into a C++ header next to it.

#include <cstdio>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "driver/run.h"

int main(int n_argc, char **p_argv)
{
#if defined(__GLIBC__)
    // The run allocates a few large arrays and frees some of them before
    // allocating others: keeping freed memory for reuse, instead of handing
    // every large block back to the system, saves faulting it in again.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
#endif
    return bake3ds::RunConverter(n_argc, p_argv, stdout, stderr);
}
