// The web test's judge, built with the sample's header: reads what the web
// page reported (any errors it saw, then its silhouette as runs, as
// examples/web/web_main.cpp writes them), draws the same silhouette through
// CGpuScene in an OSMesa core-profile context and compares.
//
// Usage: web_check REPORT_FILE. Exit status 0 when the page saw no error
// and at most 0.5 % of the pixels differ; 1 otherwise; 2 after a usage
// error.

#include "core/gl_api.h"

#include BAKE3DS_SCENE_HEADER

#include <bake3ds/gl_core.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/core_render.h"
#include "preview/offscreen_context.h"
#include "preview/render.h"
#include "preview/scene_view.h"

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
    if(n_argc != 2) {
        std::fprintf(stderr, "usage: %s REPORT_FILE\n", p_argv[0]);
        return 2;
    }
    std::ifstream t_file(p_argv[1]);
    std::string s_word;
    int n_error_num = -1;
    if(!(t_file >> s_word >> n_error_num) || s_word != "errors" || n_error_num < 0) {
        std::fprintf(stderr, "error: %s is not a report of the page\n", p_argv[1]);
        return 1;
    }
    std::string s_line;
    std::getline(t_file, s_line);
    for(int i = 0; i < n_error_num && std::getline(t_file, s_line); ++ i)
        std::fprintf(stderr, "error: the page saw: %s\n", s_line.c_str());
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

    preview::COffscreenContext t_context(n_width, n_height, preview::EProfile::core);
    if(!t_context.b_Ready()) {
        std::fprintf(stderr, "error: %s\n", t_context.s_Error().c_str());
        return 1;
    }
    std::vector<bool> core;
    {
        core_render::CShaderRenderer t_shader;
        if(!t_shader.b_Ready()) {
            std::fprintf(stderr, "error: %s\n", t_shader.s_Error().c_str());
            return 1;
        }
        bake3ds::CGpuScene<BAKE3DS_SCENE_CLASS> t_scene;
        preview::TSceneView t_view = preview::t_SceneShapeOf<BAKE3DS_SCENE_CLASS>();
        unsigned int n_error = t_shader.n_RenderSilhouette(preview::t_FrameBox(t_view.t_box, n_width, n_height),
            n_width, n_height, [&] { t_scene.Draw(); });
        if(n_error) {
            std::fprintf(stderr, "error: OpenGL error 0x%04x while drawing\n", n_error);
            return 1;
        }
        core = preview::Coverage(t_context.t_Read());
    }
    long n_differing = 0, n_web = 0, n_core = 0;
    for(size_t i = 0; i < core.size(); ++ i) {
        n_differing += web[i] != core[i];
        n_web += web[i];
        n_core += core[i];
    }
    double f_share = double(n_differing) / double(core.size());
    std::printf("web silhouette: %ld of %zu pixels differ from the core profile's (%.4f %%, at most %.1f %%); "
                "%ld pixels drawn by the page, %ld by OSMesa\n",
        n_differing, core.size(), 100 * f_share, 100 * f_max_differing_share, n_web, n_core);
    if(n_core == 0) {
        std::fprintf(stderr, "error: the core profile drew nothing\n");
        return 1;
    }
    return n_error_num == 0 && f_share <= f_max_differing_share ? 0 : 1;
}
