// Writes the project's sample scene as a .3ds file.

#include <cstdio>

#include "fixture/sample_scene.h"

int main(int n_argc, char **p_argv)
{
    if(n_argc != 2) {
        std::fprintf(stderr, "usage: write_sample OUT.3ds\n");
        return 2;
    }
    fixture::TBytes p_bytes = fixture::SampleScene();
    FILE *p_file = std::fopen(p_argv[1], "wb");
    if(!p_file || std::fwrite(p_bytes.data(), 1, p_bytes.size(), p_file) != p_bytes.size() ||
        std::fclose(p_file) != 0) {
        std::perror(p_argv[1]);
        return 1;
    }
    return 0;
}
