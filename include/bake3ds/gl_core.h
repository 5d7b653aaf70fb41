#ifndef BAKE3DS_GL_CORE_H
#define BAKE3DS_GL_CORE_H

// A generated scene's arrays in vertex buffers, for the programs whose
// OpenGL has no fixed-function pipeline: 3.3 core and later, OpenGL ES 3.0,
// WebGL 2. Include it after your OpenGL declarations (glad, epoxy,
// <GLES3/gl3.h>, <GL/glext.h> with prototypes, ...) and after the generated
// header; it includes no OpenGL header itself, so that it works with
// whichever loader the program uses. C++11.
//
//     bake3ds::CGpuScene<Cship_3ds> t_ship; // a context must be current
//     t_ship.Draw(); // all objects, as Cship_3ds::Draw() draws them
//     t_ship.Draw([&](int n_object, int n_material) { /* uniforms */ });
//
// The vertex shader reads the attributes at the locations below.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bake3ds {

// Attribute locations of the three parts of a vertex.
enum {
    n_position_location = 0, // vec3
    n_normal_location = 1,   // vec3, as the header writes it
    n_texcoord_location = 2  // vec2
};

// The generated vertex: 8 floats, GL_T2F_N3F_V3F. Offsets in bytes.
enum {
    n_vertex_stride = 8 * sizeof(float),
    n_texcoord_offset = 0,
    n_normal_offset = 2 * sizeof(float),
    n_position_offset = 5 * sizeof(float)
};

// The scene CScene (a generated class C<name>_3ds) uploaded to the current
// context: one vertex array object per object of the scene, each with one
// vertex buffer (the object's vertices, unchanged) and one index buffer (its
// 32-bit indices, in material order). The names belong to the context that
// was current at construction, which must be current again for Draw() and
// the destructor. Movable, not copyable; a scene moved from by
// construction draws nothing and deletes nothing.
template <class CScene>
class CGpuScene {
public:
    // Uploads every object; makes its GL calls in the current context and
    // leaves no vertex array and no vertex buffer bound. Allocates the list
    // of names (std::bad_alloc on failure, with nothing created in GL). GL
    // errors, such as one of running out of memory, are left to
    // glGetError() as with any GL call.
    CGpuScene()
        : m_p_names(3 * size_t(CScene::n_Object_Num() > 0 ? CScene::n_Object_Num() : 0))
    {
        const GLsizei n_object_num = GLsizei(m_p_names.size() / 3);
        if(!n_object_num)
            return;
        GLuint *p_array = &m_p_names[0], *p_buffer = p_array + n_object_num;
        glGenVertexArrays(n_object_num, p_array);
        glGenBuffers(2 * n_object_num, p_buffer);
        for(GLsizei i = 0; i < n_object_num; ++ i) {
            const auto &r_object = CScene::p_Object()[i];
            glBindVertexArray(p_array[i]);
            glBindBuffer(GL_ARRAY_BUFFER, p_buffer[2 * i]);
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(n_vertex_stride) * GLsizeiptr(r_object.n_vertex_num),
                r_object.p_vertex, GL_STATIC_DRAW);
            // the element buffer binding is part of the vertex array's state
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, p_buffer[2 * i + 1]);
            glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(3 * sizeof(GLuint)) * GLsizeiptr(r_object.n_face_num),
                r_object.p_face, GL_STATIC_DRAW);
            Attribute(n_position_location, 3, n_position_offset);
            Attribute(n_normal_location, 3, n_normal_offset);
            Attribute(n_texcoord_location, 2, n_texcoord_offset);
        }
        glBindVertexArray(0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }

    // Deletes the vertex arrays and buffers (none when moved from).
    ~CGpuScene() { Release(); }

    CGpuScene(const CGpuScene &) = delete;
    CGpuScene &operator=(const CGpuScene &) = delete;

    // Takes the other's names; the other is left empty. No GL call.
    CGpuScene(CGpuScene &&r_other) noexcept
        : m_p_names(std::move(r_other.m_p_names))
    {
        r_other.m_p_names.clear();
    }

    // Exchanges the names with the other's: no GL call here, so that GL is
    // called only while constructing, drawing and destroying; this scene's
    // old names are deleted when the other is destroyed.
    CGpuScene &operator=(CGpuScene &&r_other) noexcept
    {
        m_p_names.swap(r_other.m_p_names);
        return *this;
    }

    // Draws every object with all its indices, one glDrawElements each, as
    // the generated Draw() does; objects without faces are not drawn.
    // Leaves no vertex array bound.
    void Draw() const
    {
        const GLsizei n_object_num = ObjectNum();
        for(GLsizei i = 0; i < n_object_num; ++ i) {
            const auto &r_object = CScene::p_Object()[i];
            if(r_object.n_face_num <= 0)
                continue;
            glBindVertexArray(m_p_names[size_t(i)]);
            glDrawElements(GL_TRIANGLES, GLsizei(3 * r_object.n_face_num), GL_UNSIGNED_INT, nullptr);
        }
        if(n_object_num)
            glBindVertexArray(0);
    }

    // Draws every object range by range; before each of an object's
    // material ranges (also an empty one) calls f(n_object, n_material),
    // where n_material indexes CScene::p_Material(), or is -1 for the faces
    // of no material. Empty ranges are not drawn. Leaves no vertex array
    // bound.
    template <class CBeforeRange>
    void Draw(CBeforeRange f) const
    {
        const GLsizei n_object_num = ObjectNum();
        for(GLsizei i = 0; i < n_object_num; ++ i) {
            const auto &r_object = CScene::p_Object()[i];
            glBindVertexArray(m_p_names[size_t(i)]);
            for(int n_range = 0; n_range < r_object.n_mat_range_num; ++ n_range) {
                const auto &r_range = r_object.p_mat_ranges[n_range];
                f(int(i), r_range.n_material);
                if(r_range.n_count > 0) {
                    glDrawElements(GL_TRIANGLES, GLsizei(r_range.n_count), GL_UNSIGNED_INT,
                        Offset(size_t(r_range.n_first) * sizeof(GLuint)));
                }
            }
        }
        if(n_object_num)
            glBindVertexArray(0);
    }

    // The vertex array object of one object, 0 past the end or when moved
    // from: for programs that draw some objects themselves.
    GLuint VertexArray(int n_object) const
    {
        return n_object >= 0 && n_object < int(ObjectNum()) ? m_p_names[size_t(n_object)] : 0;
    }

private:
    GLsizei ObjectNum() const { return GLsizei(m_p_names.size() / 3); }

    static const void *Offset(size_t n_bytes) { return reinterpret_cast<const void *>(uintptr_t(n_bytes)); }

    static void Attribute(GLuint n_location, GLint n_size, size_t n_offset)
    {
        glEnableVertexAttribArray(n_location);
        glVertexAttribPointer(n_location, n_size, GL_FLOAT, GL_FALSE, GLsizei(n_vertex_stride), Offset(n_offset));
    }

    void Release()
    {
        const GLsizei n_object_num = ObjectNum();
        if(!n_object_num)
            return;
        glDeleteVertexArrays(n_object_num, &m_p_names[0]);
        glDeleteBuffers(2 * n_object_num, &m_p_names[size_t(n_object_num)]);
        m_p_names.clear();
    }

    // the vertex arrays of all objects, then per object its vertex buffer
    // and its index buffer
    std::vector<GLuint> m_p_names;
};

} // namespace bake3ds

#endif
