#ifndef BAKE3DS_EXAMPLES_PREVIEW_RENDER_H
#define BAKE3DS_EXAMPLES_PREVIEW_RENDER_H

// The two ways the preview draws a scene into the current context: shaded
// by one directional light through the exported normals, and as a flat
// silhouette for pixel comparisons. Both set every piece of state they
// depend on, so that the order of renders does not matter.

#include <functional>
#include <vector>

#include "preview/framing.h"
#include "preview/image.h"

namespace preview {

// Clears to the background, sets the viewport to the size, the framing's
// matrices, depth test on and culling off, then lights the scene with a
// white directional light from the viewer's upper left and a grey
// material, and calls draw. Returns the first glGetError() code raised
// during all that, 0 when none.
unsigned int RenderShaded(const TFraming &r_framing, int n_width, int n_height, const std::function<void()> &r_draw);

// The same viewport, matrices, depth test and culling, lighting and
// texturing off, every fragment white; calls draw. Returns the first
// glGetError() code, 0 when none.
unsigned int RenderSilhouette(const TFraming &r_framing, int n_width, int n_height,
    const std::function<void()> &r_draw);

// True where the picture is not the background colour. Neither render
// can draw that colour: shaded pixels are grey, silhouette pixels white.
std::vector<bool> Coverage(const TImage &r_image);

} // namespace preview

#endif
