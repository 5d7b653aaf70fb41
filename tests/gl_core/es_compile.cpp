// Compiled, never linked: a generated header and <bake3ds/gl_core.h> as an
// OpenGL ES 3.0 program includes them, after <GLES3/gl3.h> and
// <bake3ds/fixed_function_names.h>. The build fails where they do not
// compile there.

#include <GLES3/gl3.h>

#include <bake3ds/fixed_function_names.h>

#include "sample.h"

#include <bake3ds/gl_core.h>

#include <utility>

void DrawTheSampleInOpenGlEs();

void DrawTheSampleInOpenGlEs()
{
    bake3ds::GpuScene<Csample_3ds> t_scene;
    t_scene.draw();
    t_scene.draw([](int, int n_material) { glUniform1i(0, n_material); });
    bake3ds::GpuScene<Csample_3ds> t_moved(std::move(t_scene));
    t_scene = std::move(t_moved);
}
