#ifndef BAKE3DS_EXAMPLES_PREVIEW_LIGHTING_H
#define BAKE3DS_EXAMPLES_PREVIEW_LIGHTING_H

// The look of every shaded preview, in one place: the fixed-function render
// sets these as OpenGL state, the shader renders (core profile, WebGL) as
// uniforms, so that their pictures compare.

namespace preview {

// Clear colour; no render draws it (shaded pixels are grey, silhouettes white).
const unsigned char p_background[4] = {46, 52, 64, 255};

// The one directional light, in eye space (it stays with the viewer): the
// direction towards it, from the upper left.
const float p_light_direction[3] = {-0.45f, 0.65f, 0.62f};
const float f_light_diffuse = 0.85f; // white
const float f_light_ambient = 0.1f;
// OpenGL's default ambient of the light model, which adds to the light's
const float f_model_ambient = 0.2f;
// The grey of every surface, its ambient and diffuse colour; no specular,
// no emission.
const float f_material_grey = 0.75f;

} // namespace preview

#endif
