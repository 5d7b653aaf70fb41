#include "preview/preview.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "preview/offscreen_context.h"
#include "preview/png_file.h"
#include "preview/render.h"

namespace preview {

namespace {

// A picture side from the command line: a whole number 1..16384, else 0.
int Side(const char *s_text)
{
    char *p_end;
    long n = std::strtol(s_text, &p_end, 10);
    return *s_text && !*p_end && n >= 1 && n <= 16384 ? int(n) : 0;
}

} // namespace

TRenderer FixedFunctionRenderer(const TSceneView &r_view)
{
    TRenderer t_renderer;
    void (*p_draw)() = r_view.p_draw;
    t_renderer.t_render = [p_draw](const TFraming &r_framing, int n_width, int n_height) {
        unsigned int n_error = RenderShaded(r_framing, n_width, n_height, p_draw);
        char s_text[64] = "";
        if(n_error)
            std::snprintf(s_text, sizeof(s_text), "OpenGL error 0x%04x while drawing", n_error);
        return std::string(s_text);
    };
    return t_renderer;
}

int PreviewMain(const TSceneView &r_view, int n_argc, char **p_argv)
{
    return PreviewMain(r_view, n_argc, p_argv, FixedFunctionRenderer(r_view));
}

int PreviewMain(const TSceneView &r_view, int n_argc, char **p_argv, const TRenderer &r_renderer)
{
    int n_width = 640, n_height = 480;
    if(n_argc == 4) {
        n_width = Side(p_argv[2]);
        n_height = Side(p_argv[3]);
    }
    if((n_argc != 2 && n_argc != 4) || !n_width || !n_height) {
        std::fprintf(stderr, "usage: %s OUT.png [WIDTH HEIGHT]\n", n_argc ? p_argv[0] : "preview");
        return 2;
    }
    COffscreenContext t_context(n_width, n_height, r_renderer.n_profile);
    if(!t_context.Ready()) {
        std::fprintf(stderr, "error: %s\n", t_context.Error().c_str());
        return 1;
    }
    std::string s_error = r_renderer.t_render(FrameBox(r_view.t_box, n_width, n_height), n_width, n_height);
    TImage t_image = t_context.Read();
    if(!s_error.empty()) {
        std::fprintf(stderr, "error: %s\n", s_error.c_str());
        return 1;
    }
    s_error = WritePng(p_argv[1], t_image);
    if(!s_error.empty()) {
        std::fprintf(stderr, "error: cannot write %s: %s\n", p_argv[1], s_error.c_str());
        return 1;
    }
    long n_covered = 0;
    for(bool b : Coverage(t_image))
        n_covered += b;
    std::printf("wrote %s: %dx%d, %d objects, %d faces, %ld pixels drawn\n", p_argv[1], n_width, n_height,
        r_view.n_object_num, r_view.n_face_num, n_covered);
    if(r_view.n_face_num > 0 && n_covered == 0)
        std::fprintf(stderr, "warning: the scene has %d faces but none reaches a pixel\n", r_view.n_face_num);
    return 0;
}

} // namespace preview
