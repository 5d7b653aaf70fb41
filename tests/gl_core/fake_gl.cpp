#include "fake_gl.h"

#include <cstring>

namespace fake_gl {

TState &State()
{
    static TState t_state;
    return t_state;
}

void Reset()
{
    State() = TState();
}

namespace {

int n_inside_depth = 0;

} // namespace

bool Inside()
{
    return n_inside_depth > 0;
}

CInside::CInside()
{
    ++n_inside_depth;
}

CInside::~CInside()
{
    --n_inside_depth;
}

namespace {

void Fault(const std::string &r_s_what)
{
    State().faults.push_back(r_s_what);
}

void Generate(const char *s_call, GLsizei n, GLuint *p_names, bool b_arrays)
{
    TState &s = State();
    s.calls.push_back(s_call);
    if(n < 0 || (n && !p_names))
        return Fault(std::string(s_call) + ": bad count or no array");
    for(GLsizei i = 0; i < n; ++i) {
        GLuint n_name = s.n_next_name++;
        p_names[i] = n_name;
        if(b_arrays)
            s.vertex_arrays[n_name] = TVertexArray();
        else
            s.buffers[n_name] = std::vector<uint8_t>();
    }
}

TVertexArray *BoundArray(const char *s_call)
{
    TState &s = State();
    auto p_found = s.vertex_arrays.find(s.n_vertex_array);
    if(!s.n_vertex_array || p_found == s.vertex_arrays.end()) {
        Fault(std::string(s_call) + " without a vertex array bound (core profile)");
        return nullptr;
    }
    return &p_found->second;
}

} // namespace

} // namespace fake_gl

using fake_gl::State;

extern "C" {

void glGenVertexArrays(GLsizei n, GLuint *p_arrays)
{
    fake_gl::CInside t_inside;
    fake_gl::Generate("glGenVertexArrays", n, p_arrays, true);
}

void glGenBuffers(GLsizei n, GLuint *p_buffers)
{
    fake_gl::CInside t_inside;
    fake_gl::Generate("glGenBuffers", n, p_buffers, false);
}

void glBindVertexArray(GLuint n_array)
{
    fake_gl::CInside t_inside;
    fake_gl::TState &s = State();
    s.calls.push_back("glBindVertexArray");
    if(n_array && !s.vertex_arrays.count(n_array))
        return fake_gl::Fault("glBindVertexArray of a name that is not a live vertex array");
    s.n_vertex_array = n_array;
}

void glBindBuffer(GLenum n_target, GLuint n_buffer)
{
    fake_gl::CInside t_inside;
    fake_gl::TState &s = State();
    s.calls.push_back("glBindBuffer");
    if(n_buffer && !s.buffers.count(n_buffer))
        return fake_gl::Fault("glBindBuffer of a name that is not a live buffer");
    if(n_target == GL_ARRAY_BUFFER)
        s.n_array_buffer = n_buffer;
    else if(n_target == GL_ELEMENT_ARRAY_BUFFER) {
        if(fake_gl::TVertexArray *p_array = fake_gl::BoundArray("glBindBuffer(GL_ELEMENT_ARRAY_BUFFER)"))
            p_array->n_element_buffer = n_buffer;
    } else
        fake_gl::Fault("glBindBuffer of an unexpected target");
}

void glBufferData(GLenum n_target, GLsizeiptr n_size, const void *p_data, GLenum n_usage)
{
    fake_gl::CInside t_inside;
    fake_gl::TState &s = State();
    s.calls.push_back("glBufferData");
    GLuint n_buffer = 0;
    if(n_target == GL_ARRAY_BUFFER)
        n_buffer = s.n_array_buffer;
    else if(n_target == GL_ELEMENT_ARRAY_BUFFER) {
        fake_gl::TVertexArray *p_array = fake_gl::BoundArray("glBufferData(GL_ELEMENT_ARRAY_BUFFER)");
        n_buffer = p_array ? p_array->n_element_buffer : 0;
    }
    if(!n_buffer || n_size < 0 || n_usage != GL_STATIC_DRAW)
        return fake_gl::Fault("glBufferData with no buffer bound, a negative size or not GL_STATIC_DRAW");
    std::vector<uint8_t> &r_data = s.buffers[n_buffer];
    r_data.assign(size_t(n_size), 0);
    if(n_size && !p_data)
        return fake_gl::Fault("glBufferData of a size without data");
    if(n_size)
        std::memcpy(r_data.data(), p_data, size_t(n_size));
}

void glEnableVertexAttribArray(GLuint n_index)
{
    fake_gl::CInside t_inside;
    State().calls.push_back("glEnableVertexAttribArray");
    if(n_index >= 16)
        return fake_gl::Fault("glEnableVertexAttribArray past the attributes");
    if(fake_gl::TVertexArray *p_array = fake_gl::BoundArray("glEnableVertexAttribArray"))
        p_array->p_attribute[n_index].b_enabled = true;
}

void glVertexAttribPointer(GLuint n_index, GLint n_size, GLenum n_type, GLboolean b_normalized, GLsizei n_stride,
    const void *p_pointer)
{
    fake_gl::CInside t_inside;
    fake_gl::TState &s = State();
    s.calls.push_back("glVertexAttribPointer");
    if(n_index >= 16 || !s.n_array_buffer)
        return fake_gl::Fault("glVertexAttribPointer past the attributes or with no vertex buffer bound");
    if(fake_gl::TVertexArray *p_array = fake_gl::BoundArray("glVertexAttribPointer")) {
        fake_gl::TAttribute &r = p_array->p_attribute[n_index];
        r.n_buffer = s.n_array_buffer;
        r.n_size = n_size;
        r.n_type = n_type;
        r.b_normalized = b_normalized != GL_FALSE;
        r.n_stride = n_stride;
        r.n_offset = reinterpret_cast<uintptr_t>(p_pointer);
    }
}

void glDrawElements(GLenum n_mode, GLsizei n_count, GLenum n_type, const void *p_indices)
{
    fake_gl::CInside t_inside;
    fake_gl::TState &s = State();
    s.calls.push_back("glDrawElements");
    fake_gl::TVertexArray *p_array = fake_gl::BoundArray("glDrawElements");
    if(!p_array)
        return;
    if(n_mode != GL_TRIANGLES || n_type != GL_UNSIGNED_INT || n_count <= 0)
        return fake_gl::Fault("glDrawElements not of GL_TRIANGLES and GL_UNSIGNED_INT, or of no index");
    fake_gl::TDraw t_draw = {s.n_vertex_array, n_count, reinterpret_cast<uintptr_t>(p_indices), {}};
    const std::vector<uint8_t> &r_data = s.buffers[p_array->n_element_buffer];
    if(!p_array->n_element_buffer || t_draw.n_offset % 4 || t_draw.n_offset + 4 * uintptr_t(n_count) > r_data.size())
        return fake_gl::Fault("glDrawElements outside its index buffer, or at an unaligned offset");
    t_draw.indices.resize(size_t(n_count));
    std::memcpy(t_draw.indices.data(), r_data.data() + t_draw.n_offset, 4 * size_t(n_count));
    s.draws.push_back(t_draw);
}

void glDeleteVertexArrays(GLsizei n, const GLuint *p_arrays)
{
    fake_gl::CInside t_inside;
    fake_gl::TState &s = State();
    s.calls.push_back("glDeleteVertexArrays");
    for(GLsizei i = 0; i < n; ++i) {
        if(!s.vertex_arrays.erase(p_arrays[i]))
            fake_gl::Fault("glDeleteVertexArrays of a name that is not a live vertex array");
        if(s.n_vertex_array == p_arrays[i])
            s.n_vertex_array = 0;
    }
}

void glDeleteBuffers(GLsizei n, const GLuint *p_buffers)
{
    fake_gl::CInside t_inside;
    fake_gl::TState &s = State();
    s.calls.push_back("glDeleteBuffers");
    for(GLsizei i = 0; i < n; ++i) {
        if(!s.buffers.erase(p_buffers[i]))
            fake_gl::Fault("glDeleteBuffers of a name that is not a live buffer");
        if(s.n_array_buffer == p_buffers[i])
            s.n_array_buffer = 0;
    }
}

} // extern "C"
