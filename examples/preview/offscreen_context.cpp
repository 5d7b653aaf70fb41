#include "preview/offscreen_context.h"

#include <GL/osmesa.h>

#include <cstring>

namespace preview {

COffscreenContext::COffscreenContext(int n_width, int n_height)
    : m_n_width(n_width), m_n_height(n_height)
{
    // Mesa's software renderers take up to 16384 pixels a side
    const int n_max_side = 16384;
    if(n_width <= 0 || n_height <= 0 || n_width > n_max_side || n_height > n_max_side) {
        m_s_error = "the picture size " + std::to_string(n_width) + "x" + std::to_string(n_height) + " is out of range";
        return;
    }
    m_p_buffer.assign(4 * size_t(n_width) * size_t(n_height), 0);
    m_p_context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    if(!m_p_context) {
        m_s_error = "OSMesa could not create a context";
        return;
    }
    if(!OSMesaMakeCurrent(m_p_context, m_p_buffer.data(), GL_UNSIGNED_BYTE, n_width, n_height))
        m_s_error = "OSMesa could not make its context current";
}

COffscreenContext::~COffscreenContext()
{
    if(m_p_context) {
        OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
        OSMesaDestroyContext(m_p_context);
    }
}

TImage COffscreenContext::t_Read() const
{
    TImage t_image;
    if(!b_Ready())
        return t_image;
    glFinish();
    t_image.n_width = m_n_width;
    t_image.n_height = m_n_height;
    t_image.p_rgba.resize(m_p_buffer.size());
    size_t n_row = 4 * size_t(m_n_width);
    for(int y = 0; y < m_n_height; ++ y)
        std::memcpy(&t_image.p_rgba[size_t(y) * n_row], &m_p_buffer[size_t(m_n_height - 1 - y) * n_row], n_row);
    return t_image;
}

} // namespace preview
