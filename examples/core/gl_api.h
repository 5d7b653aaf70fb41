#ifndef BAKE3DS_EXAMPLES_CORE_GL_API_H
#define BAKE3DS_EXAMPLES_CORE_GL_API_H

// The OpenGL declarations of the shader renders: WebGL 2 (OpenGL ES 3.0)
// under emscripten, otherwise desktop OpenGL with the prototypes of the
// core functions, which Mesa's libraries export.

#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>
#else
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#endif

#endif
