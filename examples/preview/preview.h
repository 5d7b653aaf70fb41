#ifndef BAKE3DS_EXAMPLES_PREVIEW_PREVIEW_H
#define BAKE3DS_EXAMPLES_PREVIEW_PREVIEW_H

// The preview program's run: one generated scene, rendered shaded into a
// PNG file.

#include <functional>
#include <string>

#include "preview/offscreen_context.h"
#include "preview/scene_view.h"

namespace preview {

// What draws a preview's picture: the profile of the context it needs, and
// the render, called once with that context current and the framing and
// size of the picture; it returns an empty string, or why it failed.
struct TRenderer {
    TProfile n_profile = TProfile::profile_Compatibility;
    std::function<std::string(const TFraming &r_framing, int n_width, int n_height)> t_render;
};

// The renderer of the fixed-function preview: RenderShaded with the
// scene's own Draw().
TRenderer FixedFunctionRenderer(const TSceneView &r_view);

// Command line: OUT.png [WIDTH HEIGHT] (640 x 480 by default). Renders the
// scene framed by its bounding box and writes the picture. Prints a line
// of figures on standard output; returns 0 when the picture was written
// with no OpenGL error, 2 after a usage error, 1 after any other failure
// (each said on standard error). A scene with faces of which none reaches
// a pixel is written all the same, with a warning.
int PreviewMain(const TSceneView &r_view, int n_argc, char **p_argv);

// The same with the picture drawn by the renderer, in a context of its
// profile.
int PreviewMain(const TSceneView &r_view, int n_argc, char **p_argv, const TRenderer &r_renderer);

} // namespace preview

#endif
