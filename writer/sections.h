#ifndef BAKE3DS_WRITER_SECTIONS_H
#define BAKE3DS_WRITER_SECTIONS_H

// The sections that WriteHeader writes at their places.

#include "scene/scene.h"
#include "writer/header_values.h"
#include "writer/text_out.h"

namespace bake3ds {

// "," after every entry of a table but the last, which ends with nothing.
inline const char *Separator(size_t n_index, size_t n_count)
{
    return n_index + 1 < n_count ? "," : "";
}

// The track arrays of every camera, then the camera table; for a scene with
// at least one camera.
void WriteCameras(CTextOut &r_out, const C3dsScene &r_scene, const char *s_class);

// Per mesh its vertex, index and material-range arrays, then the object
// table; for a scene with at least one mesh.
void WriteObjects(CTextOut &r_out, const C3dsScene &r_scene, const char *s_class, const char *s_input_path);

} // namespace bake3ds

#endif
