// Writes the benchmark's grid of 65535 vertices and faces as a .3ds file,
// for measuring what its header costs to compile (bench/compile_cost.sh).

#include <cstdio>

#include "bench_inputs.h"

int main(int n_argc, char **p_argv)
{
    if(n_argc != 2) {
        std::fprintf(stderr, "usage: write_grid OUT.3ds\n");
        return 2;
    }
    fixture::TBytes bytes = bench::LargeGrid();
    FILE *p_file = std::fopen(p_argv[1], "wb");
    if(!p_file || std::fwrite(bytes.data(), 1, bytes.size(), p_file) != bytes.size() || std::fclose(p_file) != 0) {
        std::perror(p_argv[1]);
        return 1;
    }
    return 0;
}
