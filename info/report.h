#ifndef BAKE3DS_INFO_REPORT_H
#define BAKE3DS_INFO_REPORT_H

// What bake3ds-info tells about one file: for a file that loads, what the
// header holds and what it leaves out; for a file the converter refuses,
// why and where. Built from the same load the converter runs.

#include <cstdint>
#include <string>
#include <vector>

#include "reader/load_error.h"

namespace bake3ds {

struct TGroupReport {
    int n_material;         // index into the materials, -1 for none
    std::string s_material; // its name; empty for none
    int n_face_num;
};

struct TMeshReport {
    std::string s_name;
    int n_vertex_num = 0, n_face_num = 0;
    int n_mapped_num = 0;              // vertices with mapping coordinates from the file
    std::vector<TGroupReport> groups;  // the header's material ranges, in its order
    int n_node_id = 0, n_parent = 0;   // as the object table shows them
};

struct TLightReport {
    std::string s_name;
    bool b_spot = false, b_off = false;
};

struct TCameraReport {
    std::string s_name;
    int n_position_key_num = 0, n_target_key_num = 0;
};

struct TChunkReport {
    uint16_t n_id;
    std::string s_name; // empty for an unknown id
    int64_t n_count;
    int64_t n_first_offset;
};

struct TReport {
    std::string s_path;
    int64_t n_file_size = -1; // -1 when the file could not be read
    bool b_loaded = false;
    TLoadError t_error;       // for a refused file

    int n_light_num = 0, n_material_num = 0, n_object_num = 0, n_camera_num = 0;
    std::vector<TMeshReport> meshes; // in header order
    std::vector<std::string> materials;
    std::vector<TLightReport> lights;
    std::vector<TCameraReport> cameras;
    std::vector<TChunkReport> read_past; // known ids the header keeps nothing of, by id
    std::vector<TChunkReport> unknown;   // ids the chunk table does not know, by id
};

// Loads the file at p_s_path as the converter does (faces put into material
// order), and reports on it. Throws nothing the load does not: a failed
// allocation while reporting is std::bad_alloc.
TReport t_ReportFile(const char *p_s_path);

// The same for bytes in memory, reported under the name p_s_path.
TReport t_ReportMemory(const uint8_t *p_data, size_t n_size, const char *p_s_path);

} // namespace bake3ds

#endif
