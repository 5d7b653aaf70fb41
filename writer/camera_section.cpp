#include "writer/sections.h"

namespace bake3ds {

namespace {

// One track array of n keys: its times, x, y and z values, each of the four
// starting on a line of its own, at most eight to a line, every value
// followed by a comma; the last z value ends its line without the tab, so
// that the closing brace starts the next one.
void WriteTrack(CTextOut &r_out, const TTrack &r_track, const char *s_head, const char *s_class, int n_camera)
{
    int n = r_track.n_key_num;
    r_out.Format(s_head, s_class, n_camera, n);
    const std::vector<float> *p_arrays[4] = {&r_track.p_time, &r_track.p_x, &r_track.p_y, &r_track.p_z};
    for(int n_array = 0; n_array < 4; ++n_array) {
        for(int k = 0; k < n; ++k) {
            const char *s_after = (k == n - 1) ? (n_array == 3 ? "\n" : "\n\t") : (k % 8 == 7 ? "\n\t" : " ");
            r_out.Format("%ff,%s", (*p_arrays[n_array])[size_t(k)], s_after);
        }
    }
    r_out.Put("};\n\n");
}

} // namespace

void WriteCameras(CTextOut &r_out, const C3dsScene &r_scene, const char *s_class)
{
    for(int i = 0; i < r_scene.n_camera_num; ++i) {
        const TSceneCamera &r_camera = r_scene.p_camera[size_t(i)];
        if(r_camera.t_position.n_key_num) {
            WriteTrack(r_out, r_camera.t_position, "const float C%s_3ds::p_camera_%d_pos_track[4 * %d] = {\n\t",
                s_class, i);
        }
        if(r_camera.t_target.n_key_num) {
            WriteTrack(r_out, r_camera.t_target, "const float C%s_3ds::p_camera_%d_tar_track[4 * %d] = {\n\t", s_class,
                i);
        }
    }

    r_out.Format("const C%s_3ds::TCamera C%s_3ds::m_p_camera[%d] = {\n", s_class, s_class, r_scene.n_camera_num);
    for(int i = 0; i < r_scene.n_camera_num; ++i) {
        const TSceneCamera &r_camera = r_scene.p_camera[size_t(i)];
        int n_pos = r_camera.t_position.n_key_num, n_tar = r_camera.t_target.n_key_num;
        r_out.Format("\t{\"%s\", %d, %ff, %ff, %ff, %ff,\n\t%ff, %ff, %ff, %ff, %d, %d,", TQuoted{r_camera.s_name},
            r_camera.n_id, r_camera.p_position[0], r_camera.p_position[1], r_camera.p_position[2], r_camera.p_target[0],
            r_camera.p_target[1], r_camera.p_target[2], r_camera.f_bank_angle, r_camera.f_focus, n_pos, n_tar);
        if(n_pos) {
            r_out.Format("\n\tp_camera_%d_pos_track, p_camera_%d_pos_track + %d,\n"
                         "\tp_camera_%d_pos_track + %d, p_camera_%d_pos_track + %d,\n\t",
                i, i, n_pos, i, 2 * n_pos, i, 3 * n_pos);
        } else
            r_out.Put("0, 0, 0, 0,");
        if(n_tar) {
            r_out.Format("p_camera_%d_tar_track, p_camera_%d_tar_track + %d,\n"
                         "\tp_camera_%d_tar_track + %d, p_camera_%d_tar_track + %d",
                i, i, n_tar, i, 2 * n_tar, i, 3 * n_tar);
        } else
            r_out.Put("0, 0, 0, 0");
        r_out.Format("}%s\n", Separator(size_t(i), size_t(r_scene.n_camera_num)));
    }
    r_out.Put("};\n\n");
}

} // namespace bake3ds
