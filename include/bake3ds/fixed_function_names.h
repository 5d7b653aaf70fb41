#ifndef BAKE3DS_FIXED_FUNCTION_NAMES_H
#define BAKE3DS_FIXED_FUNCTION_NAMES_H

// For OpenGL ES and WebGL programs: a generated header's Draw() names
// fixed-function entry points and constants that their headers lack
// (glInterleavedArrays, glDisableClientState, GL_T2F_N3F_V3F and the client
// array names), so the header would not compile there. Include this after
// <GLES3/gl3.h> and before the generated header; it declares those names
// and defines none of them. The header then compiles, and links as long as
// nothing calls or takes the address of its Draw(): draw through
// <bake3ds/gl_core.h> instead. Desktop OpenGL headers declare these names
// themselves; do not include this with them.

#ifndef GL_T2F_N3F_V3F
#define GL_T2F_N3F_V3F 0x2A2B
#endif
#ifndef GL_VERTEX_ARRAY
#define GL_VERTEX_ARRAY 0x8074
#endif
#ifndef GL_NORMAL_ARRAY
#define GL_NORMAL_ARRAY 0x8075
#endif
#ifndef GL_TEXTURE_COORD_ARRAY
#define GL_TEXTURE_COORD_ARRAY 0x8078
#endif

extern "C" {
void glInterleavedArrays(GLenum n_format, GLsizei n_stride, const void *p_pointer);
void glDisableClientState(GLenum n_array);
}

#endif
