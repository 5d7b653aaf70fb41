// The page's WebAssembly side: converts the file the page hands over, keeps
// the outcome for the page's script to show, and draws the scene from the
// header's own arrays in WebGL 2 through the preview's shader and camera.
// The script calls the functions below (page.js); they run on the page's
// one thread, as the WebGL context belongs to it.

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "core/gl_api.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/core_render.h"
#include "core/object_buffers.h"
#include "preview/lighting.h"
#include "web/conversion.h"
#include "web/orbit.h"
#include "web/warm_up.h"

namespace {

const char *const s_canvas = "#view";

struct TPage {
    web::TConversion t_conversion;
    std::vector<bake3ds::Object> objects; // the header's arrays, for the box and the buffers
    preview::TBox t_box;
    std::unique_ptr<core_render::CShaderRenderer> p_shader;
    std::unique_ptr<core_render::CObjectBuffers> p_buffers;
    web::TOrbit t_orbit;
    int n_width = 0, n_height = 0;
    std::string s_runs, s_error;
};

TPage &Page()
{
    static TPage t_page;
    return t_page;
}

bool Context()
{
    TPage &r = Page();
    if(r.p_shader)
        return r.p_shader->Ready();
    EmscriptenWebGLContextAttributes t_attributes;
    emscripten_webgl_init_context_attributes(&t_attributes);
    t_attributes.majorVersion = 2;
    t_attributes.minorVersion = 0;
    t_attributes.depth = EM_TRUE;
    t_attributes.antialias = EM_FALSE;            // a pixel is covered or not, as in the offscreen renders
    t_attributes.preserveDrawingBuffer = EM_TRUE; // the canvas can be read back at any time
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE n_context = emscripten_webgl_create_context(s_canvas, &t_attributes);
    if(n_context <= 0 || emscripten_webgl_make_context_current(n_context) != EMSCRIPTEN_RESULT_SUCCESS) {
        r.s_error = "no WebGL 2 context";
        return false;
    }
    r.p_shader = std::make_unique<core_render::CShaderRenderer>();
    if(!r.p_shader->Ready())
        r.s_error = r.p_shader->Error();
    return r.p_shader->Ready();
}

void Draw()
{
    TPage &r = Page();
    if(!Context() || r.n_width <= 0 || r.n_height <= 0)
        return;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    unsigned int n_error = r.p_shader->RenderShaded(web::OrbitFraming(r.t_box, r.n_width, r.n_height, r.t_orbit),
        r.n_width, r.n_height, [&] {
            if(r.p_buffers)
                r.p_buffers->Draw();
        });
    if(n_error)
        r.s_error = "WebGL error " + std::to_string(n_error) + " while drawing";
}

// The silhouette as runs of equal coverage, top row first, each row left to
// right, the first run uncovered (possibly of length 0):
// "WIDTH HEIGHT RUN RUN ...", as tests/web/web_check reads them.
std::string CoverageRuns(const std::vector<unsigned char> &r_rgba, int n_width, int n_height)
{
    std::string s_runs = std::to_string(n_width) + " " + std::to_string(n_height);
    bool b_covered = false;
    long n_run = 0;
    for(int y = n_height - 1; y >= 0; --y) { // OpenGL's rows start at the bottom
        for(int x = 0; x < n_width; ++x) {
            const unsigned char *p = &r_rgba[4 * (size_t(y) * size_t(n_width) + size_t(x))];
            bool b = p[0] != preview::p_background[0] || p[1] != preview::p_background[1] ||
                p[2] != preview::p_background[2];
            if(b != b_covered) {
                s_runs += " " + std::to_string(n_run);
                b_covered = b;
                n_run = 0;
            }
            ++n_run;
        }
    }
    return s_runs + " " + std::to_string(n_run);
}

} // namespace

extern "C" {

// Converts the file's bytes under its name and shows the scene; 1 when a
// header was written, 0 when the file was refused. The view starts at rest.
EMSCRIPTEN_KEEPALIVE int web_open(const char *s_name, const uint8_t *p_data, size_t n_size)
{
    TPage &r = Page();
    r.p_buffers.reset(); // the last file's buffers go while its context is current
    r.objects.clear();
    web::Convert(s_name, p_data, n_size, r.t_conversion);
    if(r.t_conversion.b_converted)
        r.objects = core_render::ObjectsOf(r.t_conversion.t_scene);
    r.t_box = core_render::BoxOf(r.objects);
    r.t_orbit = web::TOrbit();
    if(Context())
        r.p_buffers = std::make_unique<core_render::CObjectBuffers>(r.objects);
    Draw();
    return r.t_conversion.b_converted ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char *web_header()
{
    return Page().t_conversion.s_header.data();
}
EMSCRIPTEN_KEEPALIVE size_t web_header_size()
{
    return Page().t_conversion.s_header.size();
}
EMSCRIPTEN_KEEPALIVE const char *web_header_path()
{
    return Page().t_conversion.s_header_path.c_str();
}
EMSCRIPTEN_KEEPALIVE const char *web_report()
{
    return Page().t_conversion.s_report.data();
}
EMSCRIPTEN_KEEPALIVE size_t web_report_size()
{
    return Page().t_conversion.s_report.size();
}
EMSCRIPTEN_KEEPALIVE const char *web_stdout()
{
    return Page().t_conversion.s_out.c_str();
}
EMSCRIPTEN_KEEPALIVE const char *web_stderr()
{
    return Page().t_conversion.s_err.c_str();
}
EMSCRIPTEN_KEEPALIVE double web_convert_ms()
{
    return Page().t_conversion.f_convert_ms;
}
EMSCRIPTEN_KEEPALIVE void web_warm_up()
{
    web::WarmUp();
}
// the last WebGL failure, empty when none
EMSCRIPTEN_KEEPALIVE const char *web_error()
{
    return Page().s_error.c_str();
}

// The canvas's drawing buffer has a new size: draw again at it.
EMSCRIPTEN_KEEPALIVE void web_resize(int n_width, int n_height)
{
    TPage &r = Page();
    r.n_width = n_width;
    r.n_height = n_height;
    emscripten_set_canvas_element_size(s_canvas, n_width, n_height);
    Draw();
}

// Turns the view by the angles (radians) and multiplies its zoom.
EMSCRIPTEN_KEEPALIVE void web_turn(double f_yaw, double f_pitch, double f_zoom)
{
    web::TOrbit &r_orbit = Page().t_orbit;
    r_orbit.f_yaw += f_yaw;
    r_orbit.f_pitch += f_pitch;
    r_orbit.f_zoom *= f_zoom;
    web::Limit(r_orbit);
    Draw();
}

EMSCRIPTEN_KEEPALIVE void web_reset()
{
    Page().t_orbit = web::TOrbit();
    Draw();
}

// The silhouette of the first view at that size, drawn off screen, as runs
// (CoverageRuns): what the test compares with the native render. The
// canvas keeps its picture.
EMSCRIPTEN_KEEPALIVE const char *web_silhouette(int n_width, int n_height)
{
    TPage &r = Page();
    r.s_runs.clear();
    if(!Context() || n_width <= 0 || n_height <= 0)
        return r.s_runs.c_str();
    GLuint n_framebuffer = 0, p_renderbuffers[2] = {0, 0};
    glGenFramebuffers(1, &n_framebuffer);
    glGenRenderbuffers(2, p_renderbuffers);
    glBindFramebuffer(GL_FRAMEBUFFER, n_framebuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, p_renderbuffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, n_width, n_height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, p_renderbuffers[0]);
    glBindRenderbuffer(GL_RENDERBUFFER, p_renderbuffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, n_width, n_height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, p_renderbuffers[1]);
    unsigned int n_error =
        r.p_shader->RenderSilhouette(preview::FrameBox(r.t_box, n_width, n_height), n_width, n_height, [&] {
            if(r.p_buffers)
                r.p_buffers->Draw();
        });
    std::vector<unsigned char> p_rgba(4 * size_t(n_width) * size_t(n_height));
    glReadPixels(0, 0, n_width, n_height, GL_RGBA, GL_UNSIGNED_BYTE, p_rgba.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(2, p_renderbuffers);
    glDeleteFramebuffers(1, &n_framebuffer);
    if(n_error)
        r.s_error = "WebGL error " + std::to_string(n_error) + " while drawing the silhouette";
    else
        r.s_runs = CoverageRuns(p_rgba, n_width, n_height);
    Draw();
    return r.s_runs.c_str();
}

} // extern "C"
