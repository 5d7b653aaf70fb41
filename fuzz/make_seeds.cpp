// Writes the fuzzer's seeds, made by the fixture builder (the sample scene,
// a scene of every known chunk, the adversarial files, the benchmark
// scenes), and its dictionary of chunk ids, taken from the reader's table.
//
// make_seeds SEED_FOLDER DICTIONARY_FILE

#include <cstdio>
#include <string>

#include "bench_inputs.h"
#include "fixture/adversarial.h"
#include "fixture/sample_scene.h"
#include "reader/chunk_table.h"

namespace {

bool Write(const std::string &r_s_path, const fixture::TBytes &r_bytes)
{
    FILE *p = std::fopen(r_s_path.c_str(), "wb");
    if(!p)
        return false;
    bool b_ok = std::fwrite(r_bytes.data(), 1, r_bytes.size(), p) == r_bytes.size();
    return std::fclose(p) == 0 && b_ok;
}

} // namespace

int main(int n_argc, char **p_argv)
{
    if(n_argc != 3) {
        std::fprintf(stderr, "usage: make_seeds SEED_FOLDER DICTIONARY_FILE\n");
        return 2;
    }
    std::string s_dir = p_argv[1];
    int n_seed = 0;
    auto t_seed = [&](const fixture::TBytes &r_bytes) {
        return Write(s_dir + "/seed-" + std::to_string(n_seed++) + ".3ds", r_bytes);
    };
    bool b_ok = t_seed(fixture::SampleScene()) && t_seed(fixture::EveryChunkScene()) && t_seed(bench::BusyScene());
    for(const fixture::TAdversarial &r_file : fixture::AdversarialFiles()) {
        if(r_file.p_bytes.size() <= 65536) // the fuzzer's input limit; the larger ones repeat a small unit
            b_ok = t_seed(r_file.p_bytes) && b_ok;
    }
    FILE *p_dict = std::fopen(p_argv[2], "w");
    if(!p_dict)
        return 1;
    for(int i = 0; i < bake3ds::n_chunk_table_size; ++i) {
        uint16_t n_id = bake3ds::p_chunk_table[i].n_chunk_id;
        std::fprintf(p_dict, "id_%04X=\"\\x%02X\\x%02X\"\n", n_id, n_id & 0xFF, n_id >> 8);
    }
    std::fprintf(p_dict, "count_max=\"\\xFF\\xFF\"\nlength_six=\"\\x06\\x00\\x00\\x00\"\n");
    b_ok = std::fclose(p_dict) == 0 && b_ok;
    std::printf("%d seeds written\n", n_seed);
    return b_ok ? 0 : 1;
}
