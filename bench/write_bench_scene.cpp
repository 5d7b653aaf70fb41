// Writes one of the benchmark's generated scenes as a .3ds file: the grid of
// 65535 vertices and faces (for measuring what its header costs to compile,
// bench/compile_cost.sh), or the scene of many meshes (the browser test's
// first file).

#include <cstdio>
#include <cstring>

#include "bench_inputs.h"

int main(int n_argc, char **p_argv)
{
    bool b_grid = n_argc == 3 && !std::strcmp(p_argv[1], "grid");
    bool b_meshes = n_argc == 3 && !std::strcmp(p_argv[1], "meshes");
    if(!b_grid && !b_meshes) {
        std::fprintf(stderr, "usage: write_bench_scene grid|meshes OUT.3ds\n");
        return 2;
    }
    fixture::TBytes p_bytes = b_grid ? bench::LargeGrid() : bench::ManyMeshes();
    FILE *p_file = std::fopen(p_argv[2], "wb");
    if(!p_file || std::fwrite(p_bytes.data(), 1, p_bytes.size(), p_file) != p_bytes.size() ||
        std::fclose(p_file) != 0) {
        std::perror(p_argv[2]);
        return 1;
    }
    return 0;
}
