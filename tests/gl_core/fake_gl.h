#ifndef BAKE3DS_TESTS_GL_CORE_FAKE_GL_H
#define BAKE3DS_TESTS_GL_CORE_FAKE_GL_H

// A recording stand-in for the OpenGL entry points that bake3ds::GpuScene
// calls, defined under their real names with the system's declarations:
// the test program links it instead of an OpenGL library. It keeps the
// state those calls change (names, buffer contents, each vertex array's
// attributes and index buffer, the bindings), logs every call and records
// the draws, and notes every call that real OpenGL would refuse or that
// would draw from outside a buffer.

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace fake_gl {

struct TAttribute {
    bool b_enabled = false;
    GLuint n_buffer = 0;
    GLint n_size = 0;
    GLenum n_type = 0;
    bool b_normalized = false;
    GLsizei n_stride = 0;
    uintptr_t n_offset = 0;
};

struct TVertexArray {
    GLuint n_element_buffer = 0;
    TAttribute p_attribute[16];
};

struct TDraw {
    GLuint n_vertex_array;
    GLsizei n_count;
    uintptr_t n_offset;          // in bytes
    std::vector<GLuint> indices; // read from the bound index buffer
};

struct TState {
    GLuint n_next_name = 1;
    std::map<GLuint, std::vector<uint8_t>> buffers; // live buffers and their data
    std::map<GLuint, TVertexArray> vertex_arrays;   // live vertex arrays
    GLuint n_array_buffer = 0, n_vertex_array = 0;  // bindings
    std::vector<std::string> calls;                 // "glName" of each call, and what the test adds
    std::vector<TDraw> draws;
    std::vector<std::string> faults; // what OpenGL would refuse
};

// The one state all entry points share, as a context's.
TState &State();

// Forgets everything: a fresh context.
void Reset();

// True while an entry point runs: the stand-in's own bookkeeping
// allocates, which the caller's allocation count leaves out.
bool Inside();

class CInside {
public:
    CInside();
    ~CInside();
    CInside(const CInside &) = delete;
    CInside &operator=(const CInside &) = delete;
};

} // namespace fake_gl

#endif
