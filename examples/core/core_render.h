#ifndef BAKE3DS_EXAMPLES_CORE_CORE_RENDER_H
#define BAKE3DS_EXAMPLES_CORE_CORE_RENDER_H

// The preview's two renders, shaded and silhouette, through a shader: for
// OpenGL 3.3 core and later, OpenGL ES 3.0 and WebGL 2, where there is no
// fixed-function pipeline. The draw callback draws the scene through
// vertex arrays whose attributes sit at bake3ds::GpuScene's locations.

#include <functional>
#include <string>

#include "preview/framing.h"

namespace core_render {

// The camera as the shader takes it: float matrices, column-major.
struct TCamera {
    float p_modelview_projection[16];
    float p_normal_matrix[9]; // the inverse transpose of the modelview's 3 x 3 part
};

// The framing's matrices in float, the product of projection and modelview
// formed in float as the fixed-function pipeline forms it from the doubles
// it was loaded with: element (i, j) is the sum over k of P(i, k) M(k, j),
// added in the order k = 0 to 3.
TCamera CameraOf(const preview::TFraming &r_framing);

class CShaderRenderer {
public:
    // Compiles and links the program in the current context (GLSL 3.30
    // core, or GLSL ES 3.00 under emscripten). Ready() tells whether that
    // worked; Error() holds the compiler's or linker's log.
    CShaderRenderer();
    ~CShaderRenderer();
    CShaderRenderer(const CShaderRenderer &) = delete;
    CShaderRenderer &operator=(const CShaderRenderer &) = delete;

    bool Ready() const { return m_s_error.empty(); }
    const std::string &Error() const { return m_s_error; }

    // As preview::RenderShaded: clears to the background, sets the
    // viewport, depth test on, culling off, and lights the scene as the
    // fixed-function preview does (per vertex, one directional light from
    // the viewer's upper left, a grey material), then calls draw. Returns
    // the first glGetError() code raised during all that, 0 when none.
    unsigned int RenderShaded(const preview::TFraming &r_framing, int n_width, int n_height,
        const std::function<void()> &r_draw) const;

    // The same state with every fragment white, as preview::RenderSilhouette.
    unsigned int RenderSilhouette(const preview::TFraming &r_framing, int n_width, int n_height,
        const std::function<void()> &r_draw) const;

private:
    unsigned int Render(const preview::TFraming &r_framing, int n_width, int n_height,
        const std::function<void()> &r_draw, bool b_shaded) const;

    unsigned int m_n_program = 0;
    int m_n_mvp = -1, m_n_normal_matrix = -1, m_n_light = -1, m_n_ambient = -1, m_n_diffuse = -1, m_n_shaded = -1;
    std::string m_s_error;
};

} // namespace core_render

#endif
