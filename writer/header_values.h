#ifndef BAKE3DS_WRITER_HEADER_VALUES_H
#define BAKE3DS_WRITER_HEADER_VALUES_H

// Values as the generated header holds them, where they differ from the
// scene's records: the writer prints these, and the library's read access
// gives the same.

#include "scene/scene.h"

namespace bake3ds {

// A mesh's parent as the object table writes it: the file's 16-bit value
// read as signed, so 65535 (no parent) is -1.
inline int n_SignedParent(int n_parent)
{
    int n_low = n_parent & 0xFFFF;
    return n_low >= 0x8000 ? n_low - 0x10000 : n_low;
}

// One vertex's 8 floats in the interleaved order GL_T2F_N3F_V3F names:
// u, v, the negated normal and the position.
inline void HeaderVertex(const TVertex &r_v, float *p_values)
{
    p_values[0] = r_v.p_texcoord[0];
    p_values[1] = r_v.p_texcoord[1];
    p_values[2] = -r_v.p_normal[0];
    p_values[3] = -r_v.p_normal[1];
    p_values[4] = -r_v.p_normal[2];
    p_values[5] = r_v.p_position[0];
    p_values[6] = r_v.p_position[1];
    p_values[7] = r_v.p_position[2];
}

} // namespace bake3ds

#endif
