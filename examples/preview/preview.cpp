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
int n_Side(const char *p_s_text)
{
    char *p_end;
    long n = std::strtol(p_s_text, &p_end, 10);
    return *p_s_text && !*p_end && n >= 1 && n <= 16384 ? int(n) : 0;
}

} // namespace

int n_PreviewMain(const TSceneView &r_view, int n_argc, char **p_argv)
{
    int n_width = 640, n_height = 480;
    if(n_argc == 4) {
        n_width = n_Side(p_argv[2]);
        n_height = n_Side(p_argv[3]);
    }
    if((n_argc != 2 && n_argc != 4) || !n_width || !n_height) {
        std::fprintf(stderr, "usage: %s OUT.png [WIDTH HEIGHT]\n", n_argc ? p_argv[0] : "preview");
        return 2;
    }
    COffscreenContext t_context(n_width, n_height);
    if(!t_context.b_Ready()) {
        std::fprintf(stderr, "error: %s\n", t_context.s_Error().c_str());
        return 1;
    }
    unsigned int n_error = n_RenderShaded(t_FrameBox(r_view.t_box, n_width, n_height), n_width, n_height, r_view.p_draw);
    TImage t_image = t_context.t_Read();
    if(n_error) {
        std::fprintf(stderr, "error: OpenGL error 0x%04x while drawing\n", n_error);
        return 1;
    }
    std::string s_error = s_WritePng(p_argv[1], t_image);
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
