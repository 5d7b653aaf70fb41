#include "preview/offscreen_context.h"

#include <GL/osmesa.h>

#include <cstring>

namespace preview {

COffscreenContext::COffscreenContext(int n_width, int n_height, TProfile n_profile)
    : m_n_width(n_width), m_n_height(n_height)
{
    // Mesa's software renderers take up to 16384 pixels a side
    const int n_max_side = 16384;
    if(n_width <= 0 || n_height <= 0 || n_width > n_max_side || n_height > n_max_side) {
        m_s_error = "the picture size " + std::to_string(n_width) + "x" + std::to_string(n_height) + " is out of range";
        return;
    }
    m_p_buffer.assign(4 * size_t(n_width) * size_t(n_height), 0);
    if(n_profile == TProfile::profile_Core) {
        // the oldest core version whose programs the examples' shaders are
        // written for; Mesa gives the newest it has
        const int p_attribs[] = {OSMESA_FORMAT, OSMESA_RGBA, OSMESA_DEPTH_BITS, 24, OSMESA_STENCIL_BITS, 0,
            OSMESA_ACCUM_BITS, 0, OSMESA_PROFILE, OSMESA_CORE_PROFILE, OSMESA_CONTEXT_MAJOR_VERSION, 3,
            OSMESA_CONTEXT_MINOR_VERSION, 3, 0};
        m_p_context = OSMesaCreateContextAttribs(p_attribs, nullptr);
    } else
        m_p_context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    if(!m_p_context) {
        m_s_error = n_profile == TProfile::profile_Core
            ? "OSMesa could not create a core-profile context"
            : "OSMesa could not create a context";
        return;
    }
    if(!MakeCurrent())
        m_s_error = "OSMesa could not make its context current";
}

bool COffscreenContext::MakeCurrent()
{
    return m_p_context && OSMesaMakeCurrent(m_p_context, m_p_buffer.data(), GL_UNSIGNED_BYTE, m_n_width, m_n_height);
}

COffscreenContext::~COffscreenContext()
{
    if(m_p_context) {
        OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
        OSMesaDestroyContext(m_p_context);
    }
}

TImage COffscreenContext::Read() const
{
    TImage t_image;
    if(!Ready())
        return t_image;
    glFinish();
    t_image.n_width = m_n_width;
    t_image.n_height = m_n_height;
    t_image.p_rgba.resize(m_p_buffer.size());
    size_t n_row = 4 * size_t(m_n_width);
    for(int y = 0; y < m_n_height; ++y)
        std::memcpy(&t_image.p_rgba[size_t(y) * n_row], &m_p_buffer[size_t(m_n_height - 1 - y) * n_row], n_row);
    return t_image;
}

} // namespace preview
