// The core-profile preview of one generated header (BAKE3DS_SCENE_HEADER,
// class BAKE3DS_SCENE_CLASS): the scene uploaded with bake3ds::GpuScene and
// drawn by a shader in an OpenGL 4.x core context, written as a PNG file.
// Command line as the fixed-function preview's: OUT.png [WIDTH HEIGHT].

#include "core/gl_api.h"

#include BAKE3DS_SCENE_HEADER

#include <bake3ds/gl_core.h>

#include "core/core_render.h"
#include "preview/preview.h"

int main(int n_argc, char **p_argv)
{
    preview::TRenderer t_renderer;
    t_renderer.n_profile = preview::TProfile::profile_Core;
    t_renderer.t_render = [](const preview::TFraming &r_framing, int n_width, int n_height) -> std::string {
        core_render::CShaderRenderer t_shader;
        if(!t_shader.Ready())
            return t_shader.Error();
        bake3ds::GpuScene<BAKE3DS_SCENE_CLASS> t_scene;
        unsigned int n_error = t_shader.RenderShaded(r_framing, n_width, n_height, [&] { t_scene.draw(); });
        return n_error ? "OpenGL error " + std::to_string(n_error) + " while drawing" : "";
    };
    return preview::PreviewMain(preview::SceneViewOf<BAKE3DS_SCENE_CLASS>(), n_argc, p_argv, t_renderer);
}
