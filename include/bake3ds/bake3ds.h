#ifndef BAKE3DS_BAKE3DS_H
#define BAKE3DS_BAKE3DS_H

// The bake3ds library: loads a 3D Studio scene (.3ds) from bytes, gives
// read access to it as the generated header holds it, writes that header,
// and reports on a file as bake3ds-info does. C++17.
//
// Every call works on its own objects only: no state outlives a call or is
// shared between calls, so that two threads may load and convert at once.
// No exception leaves a call; a call that could not have the memory it
// needs fails as the load failure "allocation_failed" or returns false.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bake3ds/export.h"

namespace bake3ds {

// The limits one load stays within, whatever the bytes claim; a file that
// would need more is refused. The defaults are the converter's own.
struct BAKE3DS_API Limits {
    Limits();
    int64_t element_base;  // vertices, faces and track keys held: this plus one per four bytes
    int64_t record_base;   // meshes, lights, cameras and materials: this plus one per six bytes
    int64_t work_per_byte; // chunks visited and elements read: twice element_base plus this per byte
    int walk_level_limit;  // chunks nested this deep or deeper are refused
};

// Why a load failed: the check, where in the file, and its figures.
struct LoadFailure {
    const char *rule = "none";  // "zero_length_chunk", "corner_out_of_range", ..., "allocation_failed"; static text
    int chunk = -1;             // the chunk whose check failed, -1 when none is involved
    int64_t offset = -1;        // that chunk's first byte in the file, -1 with no chunk
    std::vector<uint16_t> path; // the chunks enclosing it, outermost first
    int64_t file_size = -1;     // -1 when the file could not be read
    int64_t limit = 0, needed = 0; // a bound's most allowed and what the file needed; a corner and its vertex count
    int face = -1;              // a corner's face, in the file's order
    std::string name;           // a corner's mesh; a cut name as read; the fill pass's kind of record
    std::string system_reason;  // the system's words for a file that could not be read
    std::string message;        // one line of printable ASCII saying all of the above
};

// A run of faces of one material: indices first .. first + count - 1.
struct MaterialRange {
    int material; // index into the materials, -1 for faces without one
    int first, count;
};

// One mesh as the header's object table and arrays hold it.
struct Object {
    std::string name;
    int id = 0, parent = 0;     // key-frame node id; parent node, -1 for none
    float transform[16] = {};   // the local matrix, as the header prints it
    int vertex_count = 0, face_count = 0;
    std::vector<float> vertices;        // 8 per vertex: u, v, normal x, y, z, position x, y, z (GL_T2F_N3F_V3F)
    std::vector<unsigned int> indices;  // 3 per face, faces in material order
    std::vector<MaterialRange> material_ranges;
};

struct Light {
    std::string name;
    bool spot = false, off = false, cast_shadows = false;
    float position[3] = {}, target[3] = {};
    float hotspot = 0, falloff = 0, inner_range = 0, outer_range = 0, multiplier = 0;
    float color[3] = {};
};

struct Material {
    std::string name;
    int id = 0;
};

// A camera's key-frame track: one time and one point per key.
struct Track {
    std::vector<float> time, x, y, z;
};

struct Camera {
    std::string name;
    int id = 0;
    float position[3] = {}, target[3] = {};
    float bank_angle = 0, focus = 0;
    Track position_track, target_track;
};

// A loaded scene: records in the file's order, normals derived, each mesh's
// faces in material order. Moves, does not copy.
class BAKE3DS_API Scene {
public:
    Scene() noexcept;
    ~Scene();
    Scene(Scene &&) noexcept;
    Scene &operator=(Scene &&) noexcept;
    Scene(const Scene &) = delete;
    Scene &operator=(const Scene &) = delete;

    size_t object_count() const noexcept;
    size_t light_count() const noexcept;
    size_t material_count() const noexcept;
    size_t camera_count() const noexcept;

    // Copies record i into out, the values the header prints; false when i
    // is out of range or the copy could not have its memory (out is then
    // unspecified).
    bool object(size_t i, Object &out) const noexcept;
    bool light(size_t i, Light &out) const noexcept;
    bool material(size_t i, Material &out) const noexcept;
    bool camera(size_t i, Camera &out) const noexcept;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
    friend struct SceneAccess;
};

// Loads the bytes (data may be null when size is 0; they are not kept) into
// scene, replacing what it held. True on success; false on failure, with
// the reason in *failure when failure is set, and scene then empty.
BAKE3DS_API bool load_scene(const void *data, size_t size, Scene &scene, LoadFailure *failure = nullptr,
    const Limits &limits = Limits()) noexcept;

// The same for the regular file at path (UTF-8 on Windows).
BAKE3DS_API bool load_scene_file(const char *path, Scene &scene, LoadFailure *failure = nullptr,
    const Limits &limits = Limits()) noexcept;

// Where the header's text goes. write returns false when the text could not
// be taken; the writer then stops trying and reports the failure.
class BAKE3DS_API HeaderSink {
public:
    virtual ~HeaderSink();
    virtual bool write(const char *text, size_t size) = 0;
};

// The header for the scene, banner to trailer, declaring class
// C<class_name>_3ds; input_path appears in its comments as given. True when
// the sink took all of it. class_name should hold only letters, digits and
// '_': class_name_for gives such a name.
BAKE3DS_API bool write_header(const Scene &scene, const char *class_name, const char *input_path,
    HeaderSink &sink) noexcept;

// The same, appended to header; on failure header is as it was.
BAKE3DS_API bool write_header(const Scene &scene, const char *class_name, const char *input_path,
    std::string &header) noexcept;

// The command line's conversion without files: the bytes of the file at
// input_path to the header the converter writes for it (the class named from
// input_path as header_path_for and class_name_for name it), appended to
// header. False, header as it was, when the load fails (reason in *failure)
// or the text could not have its memory (failure "allocation_failed").
BAKE3DS_API bool convert(const void *data, size_t size, const char *input_path, std::string &header,
    LoadFailure *failure = nullptr, const Limits &limits = Limits()) noexcept;

// The header's path for an input path: up to the last '.' of the file
// name, then ".h" ("models/ship.3ds" gives "models/ship.h"). On Windows a
// leading drive ("C:") ends the folder part as '\' and '/' do. Empty when
// memory runs out.
BAKE3DS_API std::string header_path_for(const std::string &input_path) noexcept;

// The name in "C<name>_3ds" for a header's path: its file name without
// ".h", every byte other than an ASCII letter, digit or '_' made '_'.
BAKE3DS_API std::string class_name_for(const std::string &header_path) noexcept;

// What bake3ds-info tells about a file.
struct ReportGroup {
    int material;         // -1 for faces without one
    std::string material_name;
    int face_count;
};

struct ReportMesh {
    std::string name;
    int vertex_count = 0, face_count = 0;
    int mapped_count = 0;              // vertices with mapping coordinates from the file
    std::vector<ReportGroup> groups;   // the header's material ranges, in its order
    int node_id = 0, parent = 0;       // as the object table shows them
    bool smoothing_groups = false;     // a smoothing list puts a face in a group, which the normals ignore
};

struct ReportLight {
    std::string name;
    bool spot = false, off = false;
};

struct ReportCamera {
    std::string name;
    int position_key_count = 0, target_key_count = 0;
};

// A texture map's file name, as the reader meets it inside a material.
struct ReportMap {
    int chunk;                 // the map chunk it stands in (0xA200 texture map, ...), -1 for none
    std::string kind;          // that chunk's name, empty with none
    std::string name;          // the bytes up to the terminator, cut at the end of the name's chunk
    bool terminated;           // false when no zero byte ended the name inside its chunk
    int material;              // the material read last before it, -1 for none
    std::string material_name;
};

struct ReportChunk {
    uint16_t id;
    std::string name; // empty for an id the reader does not know
    int64_t count;
    int64_t first_offset;
};

struct Report {
    std::string path;
    int64_t file_size = -1; // -1 when the file could not be read
    bool loaded = false;
    LoadFailure failure;    // for a refused file
    int light_count = 0, material_count = 0, object_count = 0, camera_count = 0;
    std::vector<ReportMesh> meshes;     // in header order
    std::vector<std::string> materials;
    std::vector<ReportLight> lights;
    std::vector<ReportCamera> cameras;
    std::vector<ReportChunk> read_past; // known ids the header keeps nothing of, by id
    std::vector<ReportChunk> unknown;   // ids the reader does not know, by id
    std::vector<ReportMap> maps;        // texture map names, in file order
};

// The report on the file at path, or on bytes shown under the name path.
// False only when memory for the report ran out.
BAKE3DS_API bool report_file(const char *path, Report &report) noexcept;
BAKE3DS_API bool report_bytes(const void *data, size_t size, const char *path, Report &report) noexcept;

// The report as bake3ds-info prints it, as text or as JSON, appended to
// out; false when memory ran out (out then as it was).
BAKE3DS_API bool report_text(const Report &report, std::string &out) noexcept;
BAKE3DS_API bool report_json(const Report &report, std::string &out) noexcept;

} // namespace bake3ds

#endif
