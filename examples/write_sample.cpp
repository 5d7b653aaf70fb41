// Writes the project's sample scene as a .3ds file.

#include <cstdio>

#include "fixture/sample_scene.h"

int main(int n_argc, char **p_argv)
{
    if(n_argc != 2) {
        std::fprintf(stderr, "usage: write_sample OUT.3ds\n");
        return 2;
    }
    fixture::TBytes bytes = fixture::SampleScene();
    FILE *p_file = std::fopen(p_argv[1], "wb");
    if(!p_file || std::fwrite(bytes.data(), 1, bytes.size(), p_file) != bytes.size() || std::fclose(p_file) != 0) {
        std::perror(p_argv[1]);
        return 1;
    }
    return 0;
}
