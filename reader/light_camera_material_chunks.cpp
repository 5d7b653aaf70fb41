// Handlers of lights and their attributes, cameras, and material and map
// names. Light attributes fill the current light: the one most recently
// taken in the fill pass. Float colours go to a light found by the current
// name instead, whatever chunk holds them.

#include "reader/handlers.h"

#include <cstring>

#include "reader/chunk_stats.h"

namespace bake3ds {

namespace {

// The current light when this pass stores into it, else null.
TSceneLight *FillLight(TLoader &r_ld)
{
    return r_ld.b_counting ? nullptr : r_ld.CurLight();
}

// A point of the file stored as x, z, y.
void StoreExchanged(float *p_dest, const float *p_xyz)
{
    p_dest[0] = p_xyz[0];
    p_dest[1] = p_xyz[2];
    p_dest[2] = p_xyz[1];
}

} // namespace

// Reads the position, then counts a light or takes the next one, names it
// after the current name and makes it the current light. The light's
// sub-chunks follow the 12 bytes read. Fails when the fill pass meets more
// lights than were counted.
bool ReadLight(TLoader &r_ld, int64_t)
{
    float p_xyz[3];
    r_ld.t_in.ReadFloats(p_xyz, 3);
    C3dsScene &r_scene = *r_ld.p_scene;
    TSceneLight *p_light;
    if(!r_ld.TakeNamed(r_scene.p_light, r_scene.n_light_num, r_ld.n_fill_light, r_ld.t_light_names, p_light, "light"))
        return false;
    if(!p_light)
        return true;
    r_ld.n_cur_light = r_ld.n_fill_light - 1;
    StoreExchanged(p_light->p_position, p_xyz);
    p_light->b_spot = false;
    return true;
}

// Makes the current light a spotlight: target (exchanged axes), hotspot and
// falloff.
bool ReadSpotLight(TLoader &r_ld, int64_t)
{
    float p_data[5];
    r_ld.t_in.ReadFloats(p_data, 5);
    if(TSceneLight *p_light = FillLight(r_ld)) {
        p_light->b_spot = true;
        StoreExchanged(p_light->p_target, p_data);
        p_light->f_hotspot = p_data[3];
        p_light->f_falloff = p_data[4];
    }
    return true;
}

bool ReadLightOff(TLoader &r_ld, int64_t)
{
    if(TSceneLight *p_light = FillLight(r_ld))
        p_light->b_off = true;
    return true;
}

bool ReadCastShadows(TLoader &r_ld, int64_t)
{
    if(TSceneLight *p_light = FillLight(r_ld))
        p_light->b_cast_shadows = true;
    return true;
}

namespace {

// Reads one float into a field of the current light, if any.
bool ReadLightFloat(TLoader &r_ld, float TSceneLight::*p_field)
{
    float f = r_ld.t_in.F32();
    if(TSceneLight *p_light = FillLight(r_ld))
        p_light->*p_field = f;
    return true;
}

} // namespace

bool ReadInnerRange(TLoader &r_ld, int64_t)
{
    return ReadLightFloat(r_ld, &TSceneLight::f_inner_range);
}

bool ReadOuterRange(TLoader &r_ld, int64_t)
{
    return ReadLightFloat(r_ld, &TSceneLight::f_outer_range);
}

bool ReadMultiplier(TLoader &r_ld, int64_t)
{
    return ReadLightFloat(r_ld, &TSceneLight::f_multiplier);
}

// Gives red, green, blue to the first light named like the current name,
// replacing its colour; dropped when no light taken so far has that name.
// So a colour inside a material, the background or the ambient light also
// reaches a light of the same name.
bool ReadColorF(TLoader &r_ld, int64_t)
{
    float p_rgb[3];
    r_ld.t_in.ReadFloats(p_rgb, 3);
    if(r_ld.b_counting)
        return true;
    C3dsScene &r_scene = *r_ld.p_scene;
    int n_light = r_ld.t_light_names.Find(r_ld.s_name);
    if(n_light >= 0) {
        for(int i = 0; i < 3; ++i)
            r_scene.p_light[size_t(n_light)].p_color[i] = p_rgb[i];
    }
    return true;
}

// Reads position, target, bank angle and focus, then counts a camera or takes
// the next one and names it after the current name. The camera's values
// keep the file's axes. Fails when the fill pass meets more cameras than
// were counted.
bool ReadCamera(TLoader &r_ld, int64_t)
{
    float p_data[8];
    r_ld.t_in.ReadFloats(p_data, 8);
    C3dsScene &r_scene = *r_ld.p_scene;
    TSceneCamera *p_camera;
    if(!r_ld.TakeNamed(r_scene.p_camera, r_scene.n_camera_num, r_ld.n_fill_camera, r_ld.t_camera_names, p_camera,
           "camera"))
        return false;
    if(!p_camera)
        return true;
    float *p_fields[8] = {&p_camera->p_position[0], &p_camera->p_position[1], &p_camera->p_position[2],
        &p_camera->p_target[0], &p_camera->p_target[1], &p_camera->p_target[2], &p_camera->f_bank_angle,
        &p_camera->f_focus};
    for(int i = 0; i < 8; ++i)
        *p_fields[i] = p_data[i];
    return true;
}

// Reads the name into the current name, then counts a material or takes the
// next one and names it. Fails, in both passes, when the name is cut off by
// the end of the file, and when the fill pass meets more materials than were
// counted.
bool ReadMaterialName(TLoader &r_ld, int64_t)
{
    if(!ReadName(r_ld.s_name, r_ld.t_in))
        return r_ld.FailName(r_ld.s_name);
    C3dsScene &r_scene = *r_ld.p_scene;
    TSceneMaterial *p_material;
    return r_ld.TakeNamed(r_scene.p_material, r_scene.n_material_num, r_ld.n_fill_material, r_ld.t_material_names,
        p_material, "material");
}

// Map file names are read and dropped, whatever ReadName reports; a
// counting walk that tallies for a report keeps each one for it, with the
// material counted last, as sub-chunks elsewhere go to the current record.
bool ReadMapName(TLoader &r_ld, int64_t n_end)
{
    char s_scratch[64];
    CInput &r_in = r_ld.t_in;
    int64_t n_start = r_in.Pos();
    ReadName(s_scratch, r_in);
    if(r_ld.p_stats && r_ld.b_counting) {
        // the report shows the chunk's own bytes: a name that runs on into
        // the next chunk is cut where its chunk ends
        int64_t n_read = int64_t(std::strlen(s_scratch));
        // a chunk shorter than its header holds none of it
        int64_t n_room = n_end > n_start ? n_end - n_start : 0;
        int64_t n_inside = n_room < n_read ? n_room : n_read;
        int64_t n_after = r_in.Pos();
        r_in.Seek(n_start + n_read);
        bool b_terminated = n_inside == n_read && n_start + n_read < n_end && r_in.Byte() == 0;
        r_in.Seek(n_after);
        r_ld.p_stats->p_maps.push_back({r_ld.EnclosingId(), r_ld.p_scene->n_material_num - 1,
            std::string(s_scratch, size_t(n_inside)), b_terminated});
    }
    return true;
}

} // namespace bake3ds
