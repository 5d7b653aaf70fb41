#ifndef BAKE3DS_GL_CORE_H
#define BAKE3DS_GL_CORE_H

// A generated scene's arrays in vertex buffers, for the programs whose
// OpenGL has no fixed-function pipeline: 3.3 core and later, OpenGL ES 3.0,
// WebGL 2. Include it after your OpenGL declarations (glad, epoxy,
// <GLES3/gl3.h>, <GL/glext.h> with prototypes, ...) and after the generated
// header; it includes no OpenGL header itself, so that it works with
// whichever loader the program uses. C++11.
//
//     bake3ds::GpuScene<Cship_3ds> ship; // a context must be current
//     ship.draw(); // all objects, as Cship_3ds::Draw() draws them
//     ship.draw([&](int object_index, int material) { /* uniforms */ });
//
// The vertex shader reads the attributes at the locations below.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bake3ds {

// attribute locations of the three parts of a vertex.
enum {
    position_location = 0, // vec3
    normal_location = 1,   // vec3, as the header writes it
    texcoord_location = 2  // vec2
};

// The generated vertex: 8 floats, GL_T2F_N3F_V3F. Offsets in bytes.
enum {
    vertex_stride = 8 * sizeof(float),
    texcoord_offset = 0,
    normal_offset = 2 * sizeof(float),
    position_offset = 5 * sizeof(float)
};

// The scene GeneratedScene (a generated class C<name>_3ds) uploaded to the current
// context: one vertex array object per object of the scene, each with one
// vertex buffer (the object's vertices, unchanged) and one index buffer (its
// 32-bit indices, in material order). The names belong to the context that
// was current at construction, which must be current again for draw() and
// the destructor. Movable, not copyable; a scene moved from by
// construction draws nothing and deletes nothing.
template <class GeneratedScene>
class GpuScene {
public:
    // Uploads every object; makes its GL calls in the current context and
    // leaves no vertex array and no vertex buffer bound. Allocates the list
    // of names (std::bad_alloc on failure, with nothing created in GL). GL
    // errors, such as one of running out of memory, are left to
    // glGetError() as with any GL call.
    GpuScene() : names_(3 * size_t(GeneratedScene::n_Object_Num() > 0 ? GeneratedScene::n_Object_Num() : 0))
    {
        const GLsizei count = GLsizei(names_.size() / 3);
        if(!count)
            return;
        GLuint *arrays = &names_[0], *buffers = arrays + count;
        glGenVertexArrays(count, arrays);
        glGenBuffers(2 * count, buffers);
        for(GLsizei i = 0; i < count; ++i) {
            const auto &object = GeneratedScene::p_Object()[i];
            glBindVertexArray(arrays[i]);
            glBindBuffer(GL_ARRAY_BUFFER, buffers[2 * size_t(i)]);
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertex_stride) * GLsizeiptr(object.n_vertex_num), object.p_vertex,
                GL_STATIC_DRAW);
            // the element buffer binding is part of the vertex array's state
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[2 * size_t(i) + 1]);
            glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(3 * sizeof(GLuint)) * GLsizeiptr(object.n_face_num),
                object.p_face, GL_STATIC_DRAW);
            attribute(position_location, 3, position_offset);
            attribute(normal_location, 3, normal_offset);
            attribute(texcoord_location, 2, texcoord_offset);
        }
        glBindVertexArray(0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }

    // Deletes the vertex arrays and buffers (none when moved from).
    ~GpuScene() { release(); }

    GpuScene(const GpuScene &) = delete;
    GpuScene &operator=(const GpuScene &) = delete;

    // Takes the other's names; the other is left empty. No GL call.
    GpuScene(GpuScene &&other) noexcept : names_(std::move(other.names_)) { other.names_.clear(); }

    // Exchanges the names with the other's: no GL call here, so that GL is
    // called only while constructing, drawing and destroying; this scene's
    // old names are deleted when the other is destroyed.
    GpuScene &operator=(GpuScene &&other) noexcept
    {
        names_.swap(other.names_);
        return *this;
    }

    // Draws every object with all its indices, one glDrawElements each, as
    // the generated Draw() does; objects without faces are not drawn.
    // Leaves no vertex array bound.
    void draw() const
    {
        const GLsizei count = object_count();
        for(GLsizei i = 0; i < count; ++i) {
            const auto &object = GeneratedScene::p_Object()[i];
            if(object.n_face_num <= 0)
                continue;
            glBindVertexArray(names_[size_t(i)]);
            glDrawElements(GL_TRIANGLES, GLsizei(3 * object.n_face_num), GL_UNSIGNED_INT, nullptr);
        }
        if(count)
            glBindVertexArray(0);
    }

    // Draws every object range by range; before each of an object's
    // material ranges (also an empty one) calls before_range(object_index, material),
    // where material indexes GeneratedScene::p_Material(), or is -1 for the faces
    // of no material. Empty ranges are not drawn. Leaves no vertex array
    // bound.
    template <class BeforeRange>
    void draw(BeforeRange before_range) const
    {
        const GLsizei count = object_count();
        for(GLsizei i = 0; i < count; ++i) {
            const auto &object = GeneratedScene::p_Object()[i];
            glBindVertexArray(names_[size_t(i)]);
            for(int r = 0; r < object.n_mat_range_num; ++r) {
                const auto &range = object.p_mat_ranges[r];
                before_range(int(i), range.n_material);
                if(range.n_count > 0) {
                    glDrawElements(GL_TRIANGLES, GLsizei(range.n_count), GL_UNSIGNED_INT,
                        offset(size_t(range.n_first) * sizeof(GLuint)));
                }
            }
        }
        if(count)
            glBindVertexArray(0);
    }

    // The vertex array object of one object, 0 past the end or when moved
    // from: for programs that draw some objects themselves.
    GLuint vertex_array(int object_index) const
    {
        return object_index >= 0 && object_index < int(object_count()) ? names_[size_t(object_index)] : 0;
    }

private:
    GLsizei object_count() const { return GLsizei(names_.size() / 3); }

    // OpenGL takes an offset into the bound buffer in a pointer's place: there
    // is no object to reach it from, only the integer.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    static const void *offset(size_t bytes) { return reinterpret_cast<const void *>(uintptr_t(bytes)); }

    static void attribute(GLuint location, GLint size, size_t offset_bytes)
    {
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, GLsizei(vertex_stride), offset(offset_bytes));
    }

    void release()
    {
        const GLsizei count = object_count();
        if(!count)
            return;
        glDeleteVertexArrays(count, &names_[0]);
        glDeleteBuffers(2 * count, &names_[size_t(count)]);
        names_.clear();
    }

    // the vertex arrays of all objects, then per object its vertex buffer
    // and its index buffer
    std::vector<GLuint> names_;
};

} // namespace bake3ds

#endif
