// The sample in a web page: built with emscripten, it draws the generated
// header (BAKE3DS_SCENE_HEADER, class BAKE3DS_SCENE_CLASS) through
// bake3ds::CGpuScene and the preview's shader in WebGL 2. It first draws
// the silhouette and reads it back, reports it to the page (the page's
// script passes it on, see page.html), then draws the shaded scene, which
// stays on the canvas.

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "core/gl_api.h"

#include <bake3ds/fixed_function_names.h>

#include BAKE3DS_SCENE_HEADER

#include <bake3ds/gl_core.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/core_render.h"
#include "preview/lighting.h"
#include "preview/scene_view.h"

namespace {

const int n_width = 512, n_height = 384;

// The silhouette as runs of equal coverage, top row first, each row left
// to right, the first run uncovered (possibly of length 0):
// "WIDTH HEIGHT RUN RUN ...".
std::string s_CoverageRuns(const std::vector<unsigned char> &r_rgba)
{
    std::string s_runs = std::to_string(n_width) + " " + std::to_string(n_height);
    bool b_covered = false;
    long n_run = 0;
    for(int y = n_height - 1; y >= 0; -- y) { // OpenGL's rows start at the bottom
        for(int x = 0; x < n_width; ++ x) {
            const unsigned char *p = &r_rgba[4 * (size_t(y) * n_width + size_t(x))];
            bool b = p[0] != preview::p_background[0] || p[1] != preview::p_background[1] ||
                p[2] != preview::p_background[2];
            if(b != b_covered) {
                s_runs += " " + std::to_string(n_run);
                b_covered = b;
                n_run = 0;
            }
            ++ n_run;
        }
    }
    return s_runs + " " + std::to_string(n_run);
}

void Report(const std::string &r_s_text)
{
    EM_ASM({ bake3dsReport(UTF8ToString($0)); }, r_s_text.c_str());
}

} // namespace

int main()
{
    emscripten_set_canvas_element_size("#canvas", n_width, n_height);
    EmscriptenWebGLContextAttributes t_attributes;
    emscripten_webgl_init_context_attributes(&t_attributes);
    t_attributes.majorVersion = 2;
    t_attributes.minorVersion = 0;
    t_attributes.depth = EM_TRUE;
    t_attributes.antialias = EM_FALSE; // a pixel is covered or not, as in the offscreen renders
    t_attributes.preserveDrawingBuffer = EM_TRUE;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE n_context = emscripten_webgl_create_context("#canvas", &t_attributes);
    if(n_context <= 0 || emscripten_webgl_make_context_current(n_context) != EMSCRIPTEN_RESULT_SUCCESS) {
        Report("error: no WebGL 2 context");
        return 1;
    }
    core_render::CShaderRenderer t_shader;
    if(!t_shader.b_Ready()) {
        Report("error: " + t_shader.s_Error());
        return 1;
    }
    // lives as long as the page: the canvas keeps being drawn from it
    static bake3ds::CGpuScene<BAKE3DS_SCENE_CLASS> t_scene;
    preview::TSceneView t_view = preview::t_SceneShapeOf<BAKE3DS_SCENE_CLASS>();
    preview::TFraming t_framing = preview::t_FrameBox(t_view.t_box, n_width, n_height);

    unsigned int n_error = t_shader.n_RenderSilhouette(t_framing, n_width, n_height, [] { t_scene.Draw(); });
    std::vector<unsigned char> p_rgba(4 * size_t(n_width) * n_height);
    glReadPixels(0, 0, n_width, n_height, GL_RGBA, GL_UNSIGNED_BYTE, p_rgba.data());
    if(!n_error)
        n_error = t_shader.n_RenderShaded(t_framing, n_width, n_height, [] { t_scene.Draw(); });
    if(n_error) {
        Report("error: WebGL error " + std::to_string(n_error) + " while drawing");
        return 1;
    }
    std::printf("drew %d objects, %d faces through CGpuScene in WebGL 2\n", t_view.n_object_num, t_view.n_face_num);
    Report(s_CoverageRuns(p_rgba));
    return 0;
}
