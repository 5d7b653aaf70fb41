#ifndef BAKE3DS_WRITER_HEADER_WRITER_H
#define BAKE3DS_WRITER_HEADER_WRITER_H

#include "scene/scene.h"
#include "writer/text_out.h"

namespace bake3ds {

// The comment that opens every generated header.
void WriteBanner(CTextOut &r_out);

// Writes everything after the banner: the class C<class name>_3ds with its
// nested types, static member declarations, accessors and Draw(), then the
// material, light, camera and object definitions and the trailer. The faces
// must be in material order. The class name holds only letters, digits and
// '_'; the input path appears in the object section's comments. Detects no
// write error: the sink keeps it.
void WriteHeader(CTextOut &r_out, const C3dsScene &r_scene, const char *s_class, const char *s_input_path);

// About how many characters WriteHeader writes for the scene, from its
// counts alone: typical vertex and index lines and a margin for the rest.
// A hint for sizing memory the header is written to in one allocation,
// instead of an array that grows and copies itself; the header may be
// longer.
size_t HeaderSizeHint(const C3dsScene &r_scene);

} // namespace bake3ds

#endif
