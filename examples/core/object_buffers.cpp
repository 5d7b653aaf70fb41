#include "core/object_buffers.h"

#include <cstdint>

#include "core/gl_api.h"

#include <bake3ds/gl_core.h>

namespace core_render {

namespace {

// OpenGL takes an offset into the bound buffer in a pointer's place: there
// is no object to reach it from, only the integer.
const void *Offset(size_t n_bytes)
{
    return reinterpret_cast<const void *>(uintptr_t(n_bytes)); // NOLINT(performance-no-int-to-ptr)
}

void Attribute(GLuint n_location, GLint n_size, size_t n_offset)
{
    glEnableVertexAttribArray(n_location);
    glVertexAttribPointer(n_location, n_size, GL_FLOAT, GL_FALSE, GLsizei(bake3ds::vertex_stride), Offset(n_offset));
}

} // namespace

CObjectBuffers::CObjectBuffers(const std::vector<bake3ds::Object> &r_objects)
    : m_p_arrays(r_objects.size()), m_p_buffers(2 * r_objects.size())
{
    if(r_objects.empty())
        return;
    glGenVertexArrays(GLsizei(m_p_arrays.size()), m_p_arrays.data());
    glGenBuffers(GLsizei(m_p_buffers.size()), m_p_buffers.data());
    for(size_t i = 0; i < r_objects.size(); ++i) {
        const bake3ds::Object &r_object = r_objects[i];
        glBindVertexArray(m_p_arrays[i]);
        glBindBuffer(GL_ARRAY_BUFFER, m_p_buffers[2 * i]);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(8 * size_t(r_object.vertex_count) * sizeof(float)), r_object.vertices,
            GL_STATIC_DRAW);
        // the element buffer binding is part of the vertex array's state
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_p_buffers[2 * i + 1]);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(3 * size_t(r_object.face_count) * sizeof(GLuint)),
            r_object.indices, GL_STATIC_DRAW);
        Attribute(bake3ds::position_location, 3, bake3ds::position_offset);
        Attribute(bake3ds::normal_location, 3, bake3ds::normal_offset);
        Attribute(bake3ds::texcoord_location, 2, bake3ds::texcoord_offset);
        m_p_index_num.push_back(3 * r_object.face_count);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

CObjectBuffers::~CObjectBuffers()
{
    if(m_p_arrays.empty())
        return;
    glDeleteVertexArrays(GLsizei(m_p_arrays.size()), m_p_arrays.data());
    glDeleteBuffers(GLsizei(m_p_buffers.size()), m_p_buffers.data());
}

void CObjectBuffers::Draw() const
{
    for(size_t i = 0; i < m_p_arrays.size(); ++i) {
        if(m_p_index_num[i] <= 0)
            continue;
        glBindVertexArray(m_p_arrays[i]);
        glDrawElements(GL_TRIANGLES, GLsizei(m_p_index_num[i]), GL_UNSIGNED_INT, nullptr);
    }
    if(!m_p_arrays.empty())
        glBindVertexArray(0);
}

preview::TBox BoxOf(const std::vector<bake3ds::Object> &r_objects)
{
    preview::TBox t_box;
    for(const bake3ds::Object &r_object : r_objects) {
        preview::ExtendBoxByFaces(t_box, r_object.vertices, r_object.vertex_count, r_object.indices,
            long(r_object.face_count));
    }
    return t_box;
}

std::vector<bake3ds::Object> ObjectsOf(const bake3ds::Scene &r_scene)
{
    std::vector<bake3ds::Object> p_objects(r_scene.object_count());
    for(size_t i = 0; i < p_objects.size(); ++i)
        r_scene.object(i, p_objects[i]);
    return p_objects;
}

} // namespace core_render
