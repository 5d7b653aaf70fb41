#ifndef BAKE3DS_WRITER_SECTIONS_H
#define BAKE3DS_WRITER_SECTIONS_H

// The sections that WriteHeader writes at their places.

#include "scene/scene.h"
#include "writer/text_out.h"

namespace bake3ds {

// "," after every entry of a table but the last, which ends with nothing.
inline const char *p_s_Separator(size_t n_index, size_t n_count)
{
    return n_index + 1 < n_count ? "," : "";
}

// A mesh's parent as the object table writes it: the file's 16-bit value
// read as signed, so 65535 (no parent) is -1.
inline int n_SignedParent(int n_parent)
{
    int n_low = n_parent & 0xFFFF;
    return n_low >= 0x8000 ? n_low - 0x10000 : n_low;
}

// The track arrays of every camera, then the camera table; for a scene with
// at least one camera.
void WriteCameras(CTextOut &r_out, const C3dsScene &r_scene, const char *p_s_class);

// Per mesh its vertex, index and material-range arrays, then the object
// table; for a scene with at least one mesh.
void WriteObjects(CTextOut &r_out, const C3dsScene &r_scene, const char *p_s_class,
    const char *p_s_input_path);

} // namespace bake3ds

#endif
