// The library's report: one load of the file, as the converter loads it,
// with the counting walk's tally of chunks, and the report's view.

#include "api/report.h"

#include <new>
#include <stdexcept>

#include "reader/chunk_stats.h"
#include "reader/chunk_table.h"
#include "reader/load_failure.h"

namespace bake3ds {

const char *MaterialName(const C3dsScene &r_scene, int n_material)
{
    if(n_material < 0 || n_material >= int(r_scene.p_material.size()))
        return "";
    return r_scene.p_material[size_t(n_material)].s_name.c_str();
}

namespace {

// What the tally adds to a scene that loaded: the texture map names, the
// meshes with smoothing groups, and the chunks read past or unknown.
void Describe(bake3ds_report &r_report, const TChunkStats &r_stats)
{
    const C3dsScene &r_scene = r_report.p_scene->t_records;
    r_report.p_objects.assign(r_scene.p_object.size(), bake3ds_report_object{0});
    for(int n_mesh : r_stats.p_smoothed_meshes) {
        if(n_mesh >= 0 && size_t(n_mesh) < r_report.p_objects.size())
            r_report.p_objects[size_t(n_mesh)].smoothing_groups = 1;
    }
    r_report.p_map_names.reserve(r_stats.p_maps.size()); // the maps point into it: no reallocation
    for(const TMapName &r_map : r_stats.p_maps) {
        const TChunkInfo *p_info = r_map.n_map_chunk < 0 ? nullptr : FindChunkInfo(uint16_t(r_map.n_map_chunk));
        r_report.p_map_names.push_back(r_map.s_name);
        r_report.p_maps.push_back({r_map.n_map_chunk, p_info ? p_info->s_name : "", r_report.p_map_names.back().c_str(),
            r_map.b_terminated, r_map.n_material, MaterialName(r_scene, r_map.n_material)});
    }
    for(const auto &r_entry : r_stats.p_chunks) {
        const TChunkTally &r_tally = r_entry.second;
        if(!r_tally.b_known) {
            r_report.p_unknown.push_back({r_entry.first, "", r_tally.n_count, r_tally.n_first_offset});
            continue;
        }
        const TChunkInfo *p_info = FindChunkInfo(r_entry.first);
        if(p_info && p_info->n_use == use_ReadPast)
            r_report.p_read_past.push_back({r_entry.first, p_info->s_name, r_tally.n_count, r_tally.n_first_offset});
    }
}

// A report under the name s_path, filled by fill(report): the load of
// the bytes, or of a file's bytes. Null when memory ran out.
template <class TFill>
bake3ds_report *NewReport(const char *s_path, TFill fill) noexcept
{
    try {
        std::unique_ptr<bake3ds_report> p_report(new bake3ds_report);
        p_report->s_path = s_path ? s_path : "";
        fill(*p_report);
        return p_report.release();
    } catch(const std::bad_alloc &) {
        return nullptr;
    } catch(const std::length_error &) {
        return nullptr;
    }
}

// The report's load of the n_size bytes at p_data, as the converter loads
// them, with the counting walk's tally. May throw std::bad_alloc.
void Load(bake3ds_report &r_report, const uint8_t *p_data, size_t n_size)
{
    TChunkStats t_stats;
    r_report.p_scene = LoadScene(p_data, n_size, nullptr, &r_report.t_failure, &t_stats);
    for(const auto &r_entry : t_stats.p_chunks)
        r_report.b_looks_like_3ds = r_report.b_looks_like_3ds || r_entry.second.b_known;
    if(r_report.p_scene)
        Describe(r_report, t_stats);
}

// The report's text, made by p_make, into memory bake3ds_free releases.
bool HandOverText(const bake3ds_report *p_report, std::string (*p_make)(const bake3ds_report &), char **p_text,
    size_t *p_size) noexcept
{
    if(!p_text)
        return false;
    *p_text = nullptr;
    if(p_size)
        *p_size = 0;
    if(!p_report)
        return false;
    try {
        std::string s = p_make(*p_report);
        *p_text = HandOver(s.data(), s.size());
        if(*p_text && p_size)
            *p_size = s.size();
        return *p_text != nullptr;
    } catch(const std::bad_alloc &) {
    } catch(const std::length_error &) {
    }
    return false;
}

} // namespace

} // namespace bake3ds

using namespace bake3ds;

bake3ds_report *bake3ds_report_file(const char *path)
{
    if(!path)
        return nullptr;
    return NewReport(path, [path](bake3ds_report &r_report) {
        CFileBytes t_bytes;
        if(ReadInput(path, t_bytes, &r_report.t_failure))
            Load(r_report, t_bytes.Data(), t_bytes.Size());
    });
}

// Kept apart from the file's report, so that a program reporting on bytes
// alone (the web page) links no file reading.
bake3ds_report *bake3ds_report_bytes(const void *data, size_t size, const char *path)
{
    return NewReport(path,
        [data, size](bake3ds_report &r_report) { Load(r_report, static_cast<const uint8_t *>(data), size); });
}

void bake3ds_report_free(bake3ds_report *report)
{
    delete report;
}

int bake3ds_get_report(const bake3ds_report *report, bake3ds_report_info *out)
{
    if(!report || !out)
        return 0;
    out->path = report->s_path.c_str();
    out->file_size = report->t_failure.file_size;
    out->loaded = report->p_scene != nullptr;
    out->failure = &report->t_failure;
    out->scene = report->p_scene;
    out->objects = report->p_objects.data();
    out->map_count = report->p_maps.size();
    out->maps = report->p_maps.data();
    out->read_past_count = report->p_read_past.size();
    out->read_past = report->p_read_past.data();
    out->unknown_count = report->p_unknown.size();
    out->unknown = report->p_unknown.data();
    out->looks_like_3ds = report->b_looks_like_3ds;
    return 1;
}

int bake3ds_report_text(const bake3ds_report *report, char **text, size_t *size)
{
    return HandOverText(report, TextReport, text, size);
}

int bake3ds_report_json(const bake3ds_report *report, char **text, size_t *size)
{
    return HandOverText(report, JsonReport, text, size);
}
