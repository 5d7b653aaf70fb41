// libFuzzer target: the whole conversion under the converter's own limits,
// exactly as the tool converts a file, then the scene's views read to their
// last element, then bake3ds-info's report of the same bytes in text and
// JSON, whose walk keeps names and smoothing lists the conversion does not.
// Slow where an input claims many elements; run_fuzz.sh gives it a short
// share of the time.

#include <cstdlib>
#include <cstring>

#include "bake3ds/bake3ds.h"
#include "convert_check.h"

namespace {

// Every byte a view points to, read: an array shorter than its count, or a
// name without its terminator, is the address sanitizer's to catch.
float Sum(const float *p_values, size_t n)
{
    float f = 0;
    for(size_t i = 0; i < n; ++i)
        f += p_values[i];
    return f;
}

void ReadTrack(const bake3ds_track &r_track, volatile float &r_f_sink)
{
    size_t n = size_t(r_track.key_count);
    r_f_sink = Sum(r_track.time, n) + Sum(r_track.x, n) + Sum(r_track.y, n) + Sum(r_track.z, n);
}

void ReadViews(const bake3ds_scene *p_scene)
{
    volatile float f_sink = 0;
    volatile size_t n_sink = 0;
    for(size_t i = 0; i < bake3ds_object_count(p_scene); ++i) {
        bake3ds_object t;
        if(!bake3ds_get_object(p_scene, i, &t))
            std::abort();
        n_sink = std::strlen(t.name);
        f_sink = Sum(t.transform, 16) + Sum(t.vertices, 8 * size_t(t.vertex_count));
        int32_t n_indexed = 0;
        for(int32_t r = 0; r < t.material_range_count; ++r)
            n_indexed += t.material_ranges[r].count;
        // the ranges cover the indices, and every index names a vertex
        if(t.material_range_count < 1 || n_indexed != 3 * t.face_count)
            std::abort();
        for(size_t k = 0; k < 3 * size_t(t.face_count); ++k) {
            if(t.indices[k] >= uint32_t(t.vertex_count))
                std::abort();
        }
    }
    for(size_t i = 0; i < bake3ds_light_count(p_scene); ++i) {
        bake3ds_light t;
        if(!bake3ds_get_light(p_scene, i, &t))
            std::abort();
        n_sink = std::strlen(t.name);
    }
    for(size_t i = 0; i < bake3ds_material_count(p_scene); ++i) {
        bake3ds_material t;
        if(!bake3ds_get_material(p_scene, i, &t))
            std::abort();
        n_sink = std::strlen(t.name);
    }
    for(size_t i = 0; i < bake3ds_camera_count(p_scene); ++i) {
        bake3ds_camera t;
        if(!bake3ds_get_camera(p_scene, i, &t))
            std::abort();
        n_sink = std::strlen(t.name);
        ReadTrack(t.position_track, f_sink);
        ReadTrack(t.target_track, f_sink);
    }
    (void)n_sink;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_data, size_t n_size)
{
    fuzz::CheckConversion(p_data, n_size, bake3ds_options());
    if(bake3ds_scene *p_scene = bake3ds_load(p_data, n_size, nullptr, nullptr)) {
        ReadViews(p_scene);
        bake3ds_scene_free(p_scene);
    }
    if(bake3ds_report *p_report = bake3ds_report_bytes(p_data, n_size, "fuzz.3ds")) {
        char *p_text = nullptr;
        if(bake3ds_report_text(p_report, &p_text, nullptr))
            bake3ds_free(p_text);
        if(bake3ds_report_json(p_report, &p_text, nullptr))
            bake3ds_free(p_text);
        bake3ds_report_free(p_report);
    }
    return 0;
}
