#ifndef BAKE3DS_EXAMPLES_PREVIEW_GL_ERRORS_H
#define BAKE3DS_EXAMPLES_PREVIEW_GL_ERRORS_H

// Included after the OpenGL declarations of the renderer that uses it: the
// fixed-function one's <GL/gl.h> or the core one's.

// Drains OpenGL's error flags and returns the first one raised, 0 when none
// was: a render checks once before it starts and once after it drew.
inline unsigned int FirstGlError()
{
    unsigned int n_first = 0;
    for(GLenum n_error; (n_error = glGetError()) != GL_NO_ERROR;) {
        if(!n_first)
            n_first = n_error;
    }
    return n_first;
}

#endif
