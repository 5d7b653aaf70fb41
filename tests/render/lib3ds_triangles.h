#ifndef BAKE3DS_TESTS_RENDER_LIB3DS_TRIANGLES_H
#define BAKE3DS_TESTS_RENDER_LIB3DS_TRIANGLES_H

// The triangles of a .3ds file as lib3ds, an independent reader, reads
// them, in the form the generated header gives its own: positions in the
// header's axes (the file's x, z, y), each coordinate through the same
// "%f" text the header holds.

#include <string>
#include <vector>

namespace render_check {

struct TLib3dsMesh {
    std::string s_name;
    std::vector<float> p_position;     // 3 per point
    std::vector<unsigned int> p_index; // 3 per face: the file's corners a, b, c
    bool b_unmirrored = false;
};

struct TLib3dsScene {
    std::string s_error; // empty when the file was read
    std::vector<TLib3dsMesh> meshes;
    int n_face_num = 0;
    int n_unmirrored_num = 0; // meshes whose points were mirrored back
};

// Loads the file with lib3ds. lib3ds mirrors, as it loads, the points of
// every mesh whose local matrix has a negative determinant (across the
// plane x = 0 of the mesh's own frame); those are mirrored back here, so
// that the points are the file's again. Fails (s_error set) when lib3ds
// cannot load the file or a face names a point the mesh does not have.
TLib3dsScene LoadWithLib3ds(const std::string &r_s_path);

} // namespace render_check

#endif
