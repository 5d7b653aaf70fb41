// The browser test's judge of the page's picture: reads the silhouette the
// page drew of a file's first view (runs, as web/page_main.cpp writes
// them), draws the same file's silhouette from the same camera in an OSMesa
// core-profile context, with the same shader and the same buffers of the
// library's arrays, and compares.
//
// Usage: web_check SCENE.3ds RUNS_FILE. Exit status 0 when at most 0.5 % of
// the pixels differ; 1 otherwise; 2 after a usage error.

#include "core/gl_api.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bake3ds/bake3ds.hpp"
#include "core/core_render.h"
#include "core/object_buffers.h"
#include "preview/offscreen_context.h"
#include "preview/render.h"

namespace {

// SwiftShader and llvmpipe rasterise the edges of a triangle alike but
// not identically: a share of the pixels, at edges, may differ.
const double f_max_differing_share = 0.005;

// The coverage the runs describe, or an empty vector when they do not
// describe a picture of that size.
std::vector<bool> Decode(std::istream &r_runs, int n_width, int n_height)
{
    std::vector<bool> covered;
    bool b_covered = false;
    for(long n_run; r_runs >> n_run; b_covered = !b_covered) {
        if(n_run < 0 || covered.size() + size_t(n_run) > size_t(n_width) * size_t(n_height))
            return {};
        covered.insert(covered.end(), size_t(n_run), b_covered);
    }
    return covered.size() == size_t(n_width) * size_t(n_height) ? covered : std::vector<bool>();
}

} // namespace

int main(int n_argc, char **p_argv)
{
    if(n_argc != 3) {
        std::fprintf(stderr, "usage: %s SCENE.3ds RUNS_FILE\n", p_argv[0]);
        return 2;
    }
    std::ifstream t_file(p_argv[2]);
    std::string s_line;
    std::getline(t_file, s_line);
    std::istringstream t_runs(s_line);
    int n_width = 0, n_height = 0;
    if(!(t_runs >> n_width >> n_height) || n_width <= 0 || n_height <= 0) {
        std::fprintf(stderr, "error: the page reported no silhouette: %s\n", s_line.c_str());
        return 1;
    }
    std::vector<bool> web = Decode(t_runs, n_width, n_height);
    if(web.empty()) {
        std::fprintf(stderr, "error: the page's runs do not make a %dx%d picture\n", n_width, n_height);
        return 1;
    }
    bake3ds::Scene t_scene;
    bake3ds::Failure t_failure;
    if(!bake3ds::load_scene_file(p_argv[1], t_scene, &t_failure)) {
        std::fprintf(stderr, "error: %s: %s\n", p_argv[1], t_failure.message);
        return 1;
    }
    std::vector<bake3ds::Object> objects = core_render::ObjectsOf(t_scene);

    preview::COffscreenContext t_context(n_width, n_height, preview::TProfile::profile_Core);
    if(!t_context.Ready()) {
        std::fprintf(stderr, "error: %s\n", t_context.Error().c_str());
        return 1;
    }
    std::vector<bool> core;
    {
        core_render::CShaderRenderer t_shader;
        if(!t_shader.Ready()) {
            std::fprintf(stderr, "error: %s\n", t_shader.Error().c_str());
            return 1;
        }
        core_render::CObjectBuffers t_buffers(objects);
        unsigned int n_error =
            t_shader.RenderSilhouette(preview::FrameBox(core_render::BoxOf(objects), n_width, n_height), n_width,
                n_height, [&] { t_buffers.Draw(); });
        if(n_error) {
            std::fprintf(stderr, "error: OpenGL error 0x%04x while drawing\n", n_error);
            return 1;
        }
        core = preview::Coverage(t_context.Read());
    }
    long n_differing = 0, n_web = 0, n_core = 0;
    for(size_t i = 0; i < core.size(); ++i) {
        n_differing += web[i] != core[i];
        n_web += web[i];
        n_core += core[i];
    }
    double f_share = double(n_differing) / double(core.size());
    std::printf("%s: %ld of %zu pixels differ from the core profile's silhouette (%.4f %%, at most %.1f %%); "
                "%ld pixels drawn by the page, %ld by OSMesa\n",
        p_argv[1], n_differing, core.size(), 100 * f_share, 100 * f_max_differing_share, n_web, n_core);
    size_t n_index_num = 0;
    for(const bake3ds::Object &r_object : objects)
        n_index_num += 3 * size_t(r_object.face_count);
    if(n_core == 0 && n_index_num > 0) {
        std::fprintf(stderr, "error: the core profile drew nothing\n");
        return 1;
    }
    return f_share <= f_max_differing_share ? 0 : 1;
}
