#include "preview/render.h"

#include <GL/gl.h>

#include "preview/gl_errors.h"
#include "preview/lighting.h"

namespace preview {

namespace {

// The state both renders share: viewport, cleared buffers, matrices, depth
// test, no culling, no texturing.
void Prepare(const TFraming &r_framing, int n_width, int n_height)
{
    glViewport(0, 0, n_width, n_height);
    glClearColor(float(p_background[0]) / 255.0f, float(p_background[1]) / 255.0f, float(p_background[2]) / 255.0f,
        1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(r_framing.p_projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(r_framing.p_modelview);
}

} // namespace

unsigned int RenderShaded(const TFraming &r_framing, int n_width, int n_height, const std::function<void()> &r_draw)
{
    unsigned int n_error = FirstGlError(); // left over from before: still a failure of this render
    Prepare(r_framing, n_width, n_height);
    // the light's direction is given in eye space: it stays with the viewer
    glPushMatrix();
    glLoadIdentity();
    const GLfloat p_direction[4] = {p_light_direction[0], p_light_direction[1], p_light_direction[2], 0.0f};
    const GLfloat p_bright[4] = {f_light_diffuse, f_light_diffuse, f_light_diffuse, 1};
    const GLfloat p_dim[4] = {f_light_ambient, f_light_ambient, f_light_ambient, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, p_direction);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, p_bright);
    glLightfv(GL_LIGHT0, GL_AMBIENT, p_dim);
    glPopMatrix();
    const GLfloat p_model_ambient[4] = {f_model_ambient, f_model_ambient, f_model_ambient, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, p_model_ambient);
    const GLfloat p_grey[4] = {f_material_grey, f_material_grey, f_material_grey, 1}, p_none[4] = {0, 0, 0, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, p_grey);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, p_none);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, p_none);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    r_draw();
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glDisable(GL_NORMALIZE);
    unsigned int n_draw_error = FirstGlError();
    return n_error ? n_error : n_draw_error;
}

unsigned int RenderSilhouette(const TFraming &r_framing, int n_width, int n_height, const std::function<void()> &r_draw)
{
    unsigned int n_error = FirstGlError();
    Prepare(r_framing, n_width, n_height);
    glDisable(GL_LIGHTING);
    glShadeModel(GL_FLAT);
    glColor4ub(255, 255, 255, 255);
    r_draw();
    unsigned int n_draw_error = FirstGlError();
    return n_error ? n_error : n_draw_error;
}

std::vector<bool> Coverage(const TImage &r_image)
{
    std::vector<bool> p_covered(size_t(r_image.n_width) * size_t(r_image.n_height));
    for(size_t i = 0; i < p_covered.size(); ++i) {
        const uint8_t *p = &r_image.p_rgba[4 * i];
        p_covered[i] = p[0] != p_background[0] || p[1] != p_background[1] || p[2] != p_background[2];
    }
    return p_covered;
}

} // namespace preview
