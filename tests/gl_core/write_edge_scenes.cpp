// Writes the scenes of the vertex-buffer upload's test: sample.3ds, the
// project's sample; and those whose edges the upload must get right:
// edges.3ds, a mesh with neither vertices nor faces, one with vertices but
// no faces, and one whose faces lie partly in no material; nothing.3ds, a
// scene without a single object.

#include <cstdio>
#include <string>

#include "fixture/chunk_builder.h"
#include "fixture/sample_scene.h"

namespace {

bool Write(const std::string &r_s_path, const fixture::TBytes &r_bytes)
{
    FILE *p_file = std::fopen(r_s_path.c_str(), "wb");
    if(!p_file || std::fwrite(r_bytes.data(), 1, r_bytes.size(), p_file) != r_bytes.size() ||
        std::fclose(p_file) != 0) {
        std::perror(r_s_path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int n_argc, char **p_argv)
{
    if(n_argc != 2) {
        std::fprintf(stderr, "usage: write_edge_scenes OUT_FOLDER\n");
        return 2;
    }
    using namespace fixture;
    TBytes edges = Scene(
        {
            Material("Blue"),
            MeshObject("Void", {}, {}),
            MeshObject("Points", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {}),
            MeshObject("Quads", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}, {2, 1, 0}},
                {{0, 1, 2}, {0, 2, 3}, {1, 4, 5}, {1, 5, 2}}, {MaterialGroup("Blue", {1, 3})}),
        })
                       .Bytes();
    TBytes nothing = Scene({Material("Unused")}).Bytes();
    std::string s_folder = p_argv[1];
    return Write(s_folder + "/sample.3ds", SampleScene()) && Write(s_folder + "/edges.3ds", edges) &&
            Write(s_folder + "/nothing.3ds", nothing)
        ? 0
        : 1;
}
