#include "lib3ds_triangles.h"

#include <lib3ds/file.h>
#include <lib3ds/mesh.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace render_check {

namespace {

double Det(const double a[3], const double b[3], const double c[3])
{
    return a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) + a[2] * (b[0] * c[1] - b[1] * c[0]);
}

// The value the header holds for a float of the file: its "%f" text, read
// back as a float.
float ThroughText(double f_value)
{
    char p_text[512];
    std::snprintf(p_text, sizeof(p_text), "%f", double(float(f_value)));
    return std::strtof(p_text, nullptr);
}

// lib3ds replaced each point p of a mesh with a negative determinant by
// A S A^-1 p, with A the mesh's matrix and S the mirror x -> -x. That map
// is its own inverse: applied again, in double precision, it gives the
// file's point back up to the float rounding of lib3ds's own arithmetic.
// With L the axes (columns 0..2) and t the translation, the local x of a
// point w is det(w - t, L1, L2) / det(L), and A S A^-1 w = w - 2 x L0.
void Unmirror(const Lib3dsMatrix &r_matrix, double p_point[3])
{
    double p_axis[3][3], p_local[3];
    for(int i = 0; i < 3; ++i) {
        for(int j = 0; j < 3; ++j)
            p_axis[i][j] = r_matrix[i][j];
        p_local[i] = p_point[i] - double(r_matrix[3][i]);
    }
    double f_x = Det(p_local, p_axis[1], p_axis[2]) / Det(p_axis[0], p_axis[1], p_axis[2]);
    for(int i = 0; i < 3; ++i)
        p_point[i] -= 2 * f_x * p_axis[0][i];
}

bool Mirrored(const Lib3dsMatrix &r_matrix)
{
    double p_axis[3][3];
    for(int i = 0; i < 3; ++i) {
        for(int j = 0; j < 3; ++j)
            p_axis[i][j] = r_matrix[i][j];
    }
    return Det(p_axis[0], p_axis[1], p_axis[2]) < 0;
}

} // namespace

TLib3dsScene LoadWithLib3ds(const std::string &r_s_path)
{
    TLib3dsScene t_scene;
    std::unique_ptr<Lib3dsFile, void (*)(Lib3dsFile *)> p_file(lib3ds_file_load(r_s_path.c_str()), lib3ds_file_free);
    if(!p_file) {
        t_scene.s_error = "lib3ds cannot load " + r_s_path;
        return t_scene;
    }
    for(const Lib3dsMesh *p_mesh = p_file->meshes; p_mesh; p_mesh = p_mesh->next) {
        TLib3dsMesh t_mesh;
        t_mesh.s_name = p_mesh->name;
        t_mesh.b_unmirrored = Mirrored(p_mesh->matrix);
        for(Lib3dsDword i = 0; i < p_mesh->points; ++i) {
            double p_point[3] = {p_mesh->pointL[i].pos[0], p_mesh->pointL[i].pos[1], p_mesh->pointL[i].pos[2]};
            if(t_mesh.b_unmirrored)
                Unmirror(p_mesh->matrix, p_point);
            // the header's axes: the file's x, z, y
            for(int n_axis : {0, 2, 1})
                t_mesh.p_position.push_back(ThroughText(p_point[n_axis]));
        }
        for(Lib3dsDword i = 0; i < p_mesh->faces; ++i) {
            for(int c = 0; c < 3; ++c) {
                unsigned int n_point = p_mesh->faceL[i].points[c];
                if(n_point >= p_mesh->points) {
                    t_scene.s_error = "mesh '" + t_mesh.s_name + "' face " + std::to_string(i) + " names point " +
                        std::to_string(n_point) + " of " + std::to_string(p_mesh->points);
                    return t_scene;
                }
                t_mesh.p_index.push_back(n_point);
            }
        }
        t_scene.n_face_num += int(p_mesh->faces);
        t_scene.n_unmirrored_num += t_mesh.b_unmirrored;
        t_scene.meshes.push_back(std::move(t_mesh));
    }
    return t_scene;
}

} // namespace render_check
