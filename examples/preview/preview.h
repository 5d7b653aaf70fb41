#ifndef BAKE3DS_PREVIEW_PREVIEW_H
#define BAKE3DS_PREVIEW_PREVIEW_H

// The preview program's run: one generated scene, rendered shaded into a
// PNG file.

#include "preview/scene_view.h"

namespace preview {

// Command line: OUT.png [WIDTH HEIGHT] (640 x 480 by default). Renders the
// scene framed by its bounding box and writes the picture. Prints a line
// of figures on standard output; returns 0 when the picture was written
// with no OpenGL error, 2 after a usage error, 1 after any other failure
// (each said on standard error). A scene with faces of which none reaches
// a pixel is written all the same, with a warning.
int n_PreviewMain(const TSceneView &r_view, int n_argc, char **p_argv);

} // namespace preview

#endif
