// Writes the files made to hurt a reader into a folder, as adversarial-N.3ds
// (N from 1, in their list's order), and their names, one per line, to
// stdout: for comparing builds over them outside the test suite.

#include <cstdio>
#include <string>
#include <vector>

#include "fixture/adversarial.h"

int main(int n_argc, char **p_argv)
{
    if(n_argc != 2) {
        std::fprintf(stderr, "usage: write_adversarial FOLDER\n");
        return 2;
    }
    std::vector<fixture::TAdversarial> files = fixture::AdversarialFiles();
    for(size_t i = 0; i < files.size(); ++i) {
        std::string s_path = std::string(p_argv[1]) + "/adversarial-" + std::to_string(i + 1) + ".3ds";
        const fixture::TBytes &r_bytes = files[i].p_bytes;
        FILE *p_file = std::fopen(s_path.c_str(), "wb");
        bool b_ok = p_file && std::fwrite(r_bytes.data(), 1, r_bytes.size(), p_file) == r_bytes.size();
        if((p_file && std::fclose(p_file) != 0) || !b_ok) {
            std::perror(s_path.c_str());
            return 1;
        }
        std::printf("adversarial-%zu.3ds %s\n", i + 1, files[i].s_name.c_str());
    }
    return 0;
}
