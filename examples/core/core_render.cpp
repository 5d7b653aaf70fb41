#include "core/core_render.h"

#include <cmath>
#include <vector>

#include "core/gl_api.h"
#include "preview/gl_errors.h"
#include "preview/lighting.h"

namespace core_render {

namespace {

#ifdef __EMSCRIPTEN__
const char *const s_version = "#version 300 es\nprecision highp float;\n";
#else
const char *const s_version = "#version 330 core\n";
#endif

// Lit per vertex, as the fixed-function pipeline lights: the normal taken to
// eye space and normalised (a zero normal stays zero), then ambient plus
// the diffuse share of the one directional light; two-sided lighting off,
// so back faces are lit as front faces.
const char *const s_vertex = R"(
layout(location = 0) in vec3 a_position;
layout(location = 1) in vec3 a_normal;
uniform mat4 u_mvp;
uniform mat3 u_normal_matrix;
uniform vec3 u_light;
uniform float u_ambient, u_diffuse;
uniform int u_shaded;
out vec4 v_color;
void main()
{
    gl_Position = u_mvp * vec4(a_position, 1.0);
    if(u_shaded == 0) {
        v_color = vec4(1.0);
        return;
    }
    vec3 n = u_normal_matrix * a_normal;
    float f_length = length(n);
    if(f_length > 0.0)
        n /= f_length;
    float f_level = u_ambient + u_diffuse * max(dot(n, u_light), 0.0);
    v_color = vec4(vec3(clamp(f_level, 0.0, 1.0)), 1.0);
}
)";

const char *const s_fragment = R"(
in vec4 v_color;
out vec4 o_color;
void main()
{
    o_color = v_color;
}
)";

// A compiled shader, or 0 with the log in r_s_error.
GLuint Compile(GLenum n_kind, const char *s_body, std::string &r_s_error)
{
    GLuint n_shader = glCreateShader(n_kind);
    const char *p_sources[2] = {s_version, s_body};
    glShaderSource(n_shader, 2, p_sources, nullptr);
    glCompileShader(n_shader);
    GLint n_ok = 0, n_length = 0;
    glGetShaderiv(n_shader, GL_COMPILE_STATUS, &n_ok);
    if(n_ok)
        return n_shader;
    glGetShaderiv(n_shader, GL_INFO_LOG_LENGTH, &n_length);
    std::vector<char> p_log(size_t(n_length > 0 ? n_length : 1), '\0');
    glGetShaderInfoLog(n_shader, GLsizei(p_log.size()), nullptr, p_log.data());
    r_s_error = std::string(n_kind == GL_VERTEX_SHADER ? "vertex" : "fragment") + " shader: " + p_log.data();
    glDeleteShader(n_shader);
    return 0;
}

} // namespace

TCamera CameraOf(const preview::TFraming &r_framing)
{
    float p_projection[16], p_modelview[16];
    for(int i = 0; i < 16; ++i) {
        p_projection[i] = float(r_framing.p_projection[i]);
        p_modelview[i] = float(r_framing.p_modelview[i]);
    }
    TCamera t_camera;
    for(int n_column = 0; n_column < 4; ++n_column) {
        for(int n_row = 0; n_row < 4; ++n_row) {
            // NOLINTNEXTLINE(bugprone-implicit-widening-of-multiplication-result): an index below 16
            float f_sum = p_projection[n_row] * p_modelview[4 * n_column];
            for(int k = 1; k < 4; ++k)
                f_sum += p_projection[4 * k + n_row] * p_modelview[4 * n_column + k];
            t_camera.p_modelview_projection[4 * n_column + n_row] = f_sum;
        }
    }
    // the inverse transpose of the 3 x 3 part: its cofactor matrix over
    // its determinant
    const double *m = r_framing.p_modelview;
    auto a = [m](int n_row, int n_column) { return m[4 * n_column + n_row]; };
    double p_cofactor[3][3];
    for(int r = 0; r < 3; ++r) {
        for(int c = 0; c < 3; ++c) {
            int n_r0 = (r + 1) % 3, n_r1 = (r + 2) % 3, n_c0 = (c + 1) % 3, n_c1 = (c + 2) % 3;
            p_cofactor[r][c] = a(n_r0, n_c0) * a(n_r1, n_c1) - a(n_r0, n_c1) * a(n_r1, n_c0);
        }
    }
    double f_det = a(0, 0) * p_cofactor[0][0] + a(0, 1) * p_cofactor[0][1] + a(0, 2) * p_cofactor[0][2];
    for(int r = 0; r < 3; ++r) {
        for(int c = 0; c < 3; ++c)
            t_camera.p_normal_matrix[3 * c + r] = float(p_cofactor[r][c] / f_det);
    }
    return t_camera;
}

CShaderRenderer::CShaderRenderer()
{
    GLuint n_vertex = Compile(GL_VERTEX_SHADER, s_vertex, m_s_error);
    GLuint n_fragment = n_vertex ? Compile(GL_FRAGMENT_SHADER, s_fragment, m_s_error) : 0;
    if(!n_fragment) {
        if(n_vertex)
            glDeleteShader(n_vertex);
        return;
    }
    m_n_program = glCreateProgram();
    glAttachShader(m_n_program, n_vertex);
    glAttachShader(m_n_program, n_fragment);
    glLinkProgram(m_n_program);
    glDeleteShader(n_vertex);
    glDeleteShader(n_fragment);
    GLint n_ok = 0, n_length = 0;
    glGetProgramiv(m_n_program, GL_LINK_STATUS, &n_ok);
    if(!n_ok) {
        glGetProgramiv(m_n_program, GL_INFO_LOG_LENGTH, &n_length);
        std::vector<char> p_log(size_t(n_length > 0 ? n_length : 1), '\0');
        glGetProgramInfoLog(m_n_program, GLsizei(p_log.size()), nullptr, p_log.data());
        m_s_error = std::string("program: ") + p_log.data();
        return;
    }
    m_n_mvp = glGetUniformLocation(m_n_program, "u_mvp");
    m_n_normal_matrix = glGetUniformLocation(m_n_program, "u_normal_matrix");
    m_n_light = glGetUniformLocation(m_n_program, "u_light");
    m_n_ambient = glGetUniformLocation(m_n_program, "u_ambient");
    m_n_diffuse = glGetUniformLocation(m_n_program, "u_diffuse");
    m_n_shaded = glGetUniformLocation(m_n_program, "u_shaded");
}

CShaderRenderer::~CShaderRenderer()
{
    if(m_n_program)
        glDeleteProgram(m_n_program);
}

unsigned int CShaderRenderer::RenderShaded(const preview::TFraming &r_framing, int n_width, int n_height,
    const std::function<void()> &r_draw) const
{
    return Render(r_framing, n_width, n_height, r_draw, true);
}

unsigned int CShaderRenderer::RenderSilhouette(const preview::TFraming &r_framing, int n_width, int n_height,
    const std::function<void()> &r_draw) const
{
    return Render(r_framing, n_width, n_height, r_draw, false);
}

unsigned int CShaderRenderer::Render(const preview::TFraming &r_framing, int n_width, int n_height,
    const std::function<void()> &r_draw, bool b_shaded) const
{
    unsigned int n_error = FirstGlError(); // left over from before: still a failure of this render
    if(!Ready())
        return n_error ? n_error : unsigned(GL_INVALID_OPERATION);
    using preview::p_background;
    glViewport(0, 0, n_width, n_height);
    glClearColor(float(p_background[0]) / 255.0f, float(p_background[1]) / 255.0f, float(p_background[2]) / 255.0f,
        1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);

    TCamera t_camera = CameraOf(r_framing);
    const float *p_light = preview::p_light_direction;
    double f_length =
        std::sqrt(double(p_light[0]) * p_light[0] + double(p_light[1]) * p_light[1] + double(p_light[2]) * p_light[2]);
    glUseProgram(m_n_program);
    glUniformMatrix4fv(m_n_mvp, 1, GL_FALSE, t_camera.p_modelview_projection);
    glUniformMatrix3fv(m_n_normal_matrix, 1, GL_FALSE, t_camera.p_normal_matrix);
    glUniform3f(m_n_light, float(p_light[0] / f_length), float(p_light[1] / f_length), float(p_light[2] / f_length));
    glUniform1f(m_n_ambient, (preview::f_model_ambient + preview::f_light_ambient) * preview::f_material_grey);
    glUniform1f(m_n_diffuse, preview::f_light_diffuse * preview::f_material_grey);
    glUniform1i(m_n_shaded, b_shaded ? 1 : 0);
    r_draw();
    glUseProgram(0);
    unsigned int n_draw_error = FirstGlError();
    return n_error ? n_error : n_draw_error;
}

} // namespace core_render
