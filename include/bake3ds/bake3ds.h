/*
 * bake3ds: loads a 3D Studio scene (.3ds), gives read access to it exactly
 * as the generated C++ header holds it, writes that header, and reports on
 * a file as bake3ds-info does. C99; the same header serves C++ callers
 * (<bake3ds/bake3ds.hpp> adds an owning C++ layer on top).
 *
 * Conventions of every call:
 * - A call that can fail returns 1 on success and 0 on failure, or a pointer
 *   that is NULL on failure. Nothing is thrown or unwinds through a call.
 * - Memory the library hands over (a header, a report's text, an output
 *   name) is released with bake3ds_free; a scene with bake3ds_scene_free, a
 *   report with bake3ds_report_free. NULL may be passed to each.
 * - Views: the structs the bake3ds_get_* calls fill hold counts, values and
 *   const pointers into the scene's (or report's) own arrays, nothing
 *   copied; they stay valid until the scene (or report) is freed.
 * - Strings are NUL-terminated bytes. Paths are UTF-8 on Windows and bytes
 *   elsewhere. Names from inside a file are its bytes as read.
 * - Compatibility: within one major version a program built against an
 *   older header keeps working with a newer library. bake3ds_options may
 *   gain members at its end (its `size` member tells which a caller knows);
 *   the other structs keep their layout, and what a later minor version adds
 *   comes with calls of its own.
 *
 * Threads: a load and everything on its result keeps its state in that
 * result; nothing is shared between calls. Threads may load, convert and
 * report at once, and any number of threads may read one scene or report at
 * once (every call on them takes them const). A call needs no more than
 * 16 KiB of the calling thread's stack, whatever the file: the loader's walk
 * keeps its nesting on the heap and the writer's buffer is allocated, so a
 * thread with a 64 KiB stack (musl's and emscripten's small defaults, say)
 * is enough.
 */
#ifndef BAKE3DS_BAKE3DS_H
#define BAKE3DS_BAKE3DS_H

#include <stddef.h>
#include <stdint.h>

/* BAKE3DS_API marks the library's functions: a shared build exports these
 * and nothing else. Users of a Windows DLL define BAKE3DS_SHARED (the CMake
 * package and bake3ds.pc do). */
#if defined(_WIN32) && defined(BAKE3DS_SHARED)
#if defined(BAKE3DS_BUILDING)
#define BAKE3DS_API __declspec(dllexport)
#else
#define BAKE3DS_API __declspec(dllimport)
#endif
#elif defined(__GNUC__) && !defined(_WIN32)
#define BAKE3DS_API __attribute__((visibility("default")))
#else
#define BAKE3DS_API
#endif

#define BAKE3DS_VERSION_MAJOR 2
#define BAKE3DS_VERSION_MINOR 0
#define BAKE3DS_VERSION_PATCH 0

#ifdef __cplusplus
extern "C" {
#endif

/* "MAJOR.MINOR.PATCH" of the library as built: the macros above, which the
 * CMake package's version is read from too, and the number `bake3ds
 * --version` prints. Static text. */
BAKE3DS_API const char *bake3ds_version(void);

/* Releases memory the library handed over (headers, texts, names). */
BAKE3DS_API void bake3ds_free(void *memory);

/* ------------------------------------------------------------------------
 * Loading
 */

/* The limits one load stays within, whatever the bytes claim; a file that
 * would need more is refused. A member that is 0 (or below) means the
 * default, which is the converter's own, so a zeroed struct, or a NULL
 * pointer, loads as the converter does. */
typedef struct bake3ds_options {
    /* sizeof(bake3ds_options) as the caller was compiled with it: the library
     * reads no member past it, so that an older caller's shorter struct
     * stays valid. 0 reads as the size of this first version. */
    uint32_t size;
    /* Chunks nested deeper than this refuse the load (nesting_limit).
     * Default and most: BAKE3DS_MAX_NESTING. */
    uint32_t nesting_limit;
    /* Vertices, faces and track keys held at once: this plus one per four
     * bytes of the file (element_bound). Default 1048576. */
    int64_t element_base;
    /* Meshes, lights, cameras and materials: this plus one per six bytes
     * (record_bound). Default 65536. */
    int64_t record_base;
    /* Units of work (chunks visited, elements read): twice element_base plus
     * this many per byte (work_bound). Default 4. */
    int64_t work_per_byte;
} bake3ds_options;

/* The deepest nesting of chunks a load walks, and the most a failure's path
 * holds. */
#define BAKE3DS_MAX_NESTING 512

/* Every check that can refuse a load. The values and the names
 * bake3ds_rule_name gives are stable: scripts may match them. */
typedef enum bake3ds_rule {
    BAKE3DS_RULE_NONE = 0,            /* "none": no failure */
    BAKE3DS_RULE_ZERO_LENGTH_CHUNK,   /* "zero_length_chunk": a chunk header with length 0 */
    BAKE3DS_RULE_NAME_CUT_OFF,        /* "name_cut_off": a name the end of the file cuts off */
    BAKE3DS_RULE_CORNER_OUT_OF_RANGE, /* "corner_out_of_range": a face corner at or beyond its mesh's vertex count */
    BAKE3DS_RULE_ELEMENT_BOUND,       /* "element_bound": more vertices, faces and keys than the size allows */
    BAKE3DS_RULE_RECORD_BOUND,        /* "record_bound": more meshes, lights, cameras, materials than allowed */
    BAKE3DS_RULE_WORK_BOUND,          /* "work_bound": more work than the size allows */
    BAKE3DS_RULE_NESTING_LIMIT,       /* "nesting_limit": chunks nested deeper than allowed */
    BAKE3DS_RULE_FILL_EXCEEDS_COUNT, /* "fill_exceeds_count": the second pass met more records than the first counted */
    BAKE3DS_RULE_NOT_REGULAR_FILE,   /* "not_regular_file": a directory, a device, a pipe */
    BAKE3DS_RULE_UNREADABLE,         /* "unreadable": the file cannot be opened or read */
    BAKE3DS_RULE_ALLOCATION_FAILED   /* "allocation_failed": memory could not be had */
} bake3ds_rule;

/* The rule's identifier ("zero_length_chunk", ...); "none" for
 * BAKE3DS_RULE_NONE and for a value that is no rule. Static text. */
BAKE3DS_API const char *bake3ds_rule_name(bake3ds_rule rule);

/* The longest name a .3ds file holds, with its terminating NUL. */
#define BAKE3DS_NAME_SIZE 64

/* Why a load failed: the check, where in the file, and its figures. The
 * caller owns it; the library fills it whole on every load, successful or
 * not. Each rule sets the figures its comment names; the others are 0 (the
 * strings empty). */
typedef struct bake3ds_failure {
    bake3ds_rule rule;                  /* BAKE3DS_RULE_NONE after a load that succeeded */
    int32_t chunk;                      /* the chunk whose check failed, -1 when no chunk is involved */
    int64_t offset;                     /* that chunk's first byte in the file, -1 with no chunk */
    int64_t file_size;                  /* the file's size; -1 when it could not be read */
    uint32_t path_length;               /* how many chunks enclose it */
    uint16_t path[BAKE3DS_MAX_NESTING]; /* their ids, outermost first */

    /* element_bound, record_bound, work_bound, nesting_limit: the most the
     * load allows, and what the file needed (elements, records, units of
     * work, the depth of the walk) */
    int64_t limit;
    int64_t needed;
    /* corner_out_of_range: the mesh, the face in the file's face list, the
     * corner's vertex index and the mesh's vertex count */
    char mesh[BAKE3DS_NAME_SIZE];
    int64_t face;
    int64_t corner;
    int64_t vertex_count;
    /* name_cut_off: the characters read before the file ended */
    char name_read[BAKE3DS_NAME_SIZE];
    /* fill_exceeds_count: the kind of record ("mesh", "light", "camera",
     * "material"), how many the counting pass counted, and which one the
     * fill pass met (1 for the first) */
    char kind[16];
    int64_t counted;
    int64_t met;
    /* unreadable: the system's words for it */
    char system_reason[256];

    /* One line of printable ASCII saying all of the above (names escaped),
     * as bake3ds-info prints it after "refused: ". Empty for no failure. */
    char message[512];
} bake3ds_failure;

/* A loaded scene: records in the file's order, normals derived, each mesh's
 * faces in material order. Opaque; read through the calls below. */
typedef struct bake3ds_scene bake3ds_scene;

/* Loads size bytes at data (NULL when size is 0; not kept) within options
 * (NULL: the defaults). Returns the scene, or NULL when the load failed;
 * *failure (when failure is not NULL) then says why, and after a load that
 * succeeded holds BAKE3DS_RULE_NONE and the file's size. */
BAKE3DS_API bake3ds_scene *bake3ds_load(const void *data, size_t size, const bake3ds_options *options,
    bake3ds_failure *failure);

/* The same for the regular file at path. Fails with not_regular_file for
 * anything else, unreadable when it cannot be read. */
BAKE3DS_API bake3ds_scene *bake3ds_load_file(const char *path, const bake3ds_options *options,
    bake3ds_failure *failure);

BAKE3DS_API void bake3ds_scene_free(bake3ds_scene *scene);

/* ------------------------------------------------------------------------
 * Reading a scene: what the header's tables and arrays hold, in its order.
 */

BAKE3DS_API size_t bake3ds_object_count(const bake3ds_scene *scene);
BAKE3DS_API size_t bake3ds_light_count(const bake3ds_scene *scene);
BAKE3DS_API size_t bake3ds_material_count(const bake3ds_scene *scene);
BAKE3DS_API size_t bake3ds_camera_count(const bake3ds_scene *scene);

/* A run of faces of one material: indices first .. first + count - 1 (three
 * per face). The header's TObject::TMatRange. */
typedef struct bake3ds_material_range {
    int32_t material; /* index into the materials, -1 for faces without one */
    int32_t first;
    int32_t count;
} bake3ds_material_range;

/* One mesh, as the header's object table and arrays hold it. */
typedef struct bake3ds_object {
    const char *name;
    int32_t id;             /* key-frame node id */
    int32_t parent;         /* the parent node, -1 for none; id and parent are 0 where no node names the mesh */
    const float *transform; /* 16 floats: the local matrix, as the header prints it */
    int32_t vertex_count;
    int32_t face_count;
    int32_t mapped_vertex_count; /* vertices the file gave mapping coordinates; the rest have 0, 0 */
    /* 8 floats a vertex, GL_T2F_N3F_V3F: u, v, normal x, y, z, position x,
     * y, z; NULL when vertex_count is 0 */
    const float *vertices;
    /* 3 a face, the faces in material order; NULL when face_count is 0 */
    const uint32_t *indices;
    int32_t material_range_count; /* at least 1: a mesh without faces has (-1, 0, 0) */
    const bake3ds_material_range *material_ranges;
} bake3ds_object;

typedef struct bake3ds_light {
    const char *name;
    int32_t spot;         /* 1 for a spotlight */
    int32_t off;          /* 1 when switched off */
    int32_t cast_shadows; /* 1 when it casts shadows */
    float position[3];
    float target[3]; /* a spotlight's */
    float hotspot;   /* a spotlight's cones, degrees */
    float falloff;
    float inner_range;
    float outer_range;
    float multiplier;
    float color[3];
} bake3ds_light;

typedef struct bake3ds_material {
    const char *name;
    int32_t id; /* as the header's material table holds it: always 0, the file gives none */
} bake3ds_material;

/* A camera's key-frame track: key_count keys, each a time and a point;
 * the arrays are NULL when key_count is 0. */
typedef struct bake3ds_track {
    int32_t key_count;
    const float *time;
    const float *x;
    const float *y;
    const float *z;
} bake3ds_track;

typedef struct bake3ds_camera {
    const char *name;
    int32_t id; /* as the header's camera table holds it: always 0, the file gives none */
    float position[3];
    float target[3];
    float bank_angle;
    float focus;
    bake3ds_track position_track;
    bake3ds_track target_track;
} bake3ds_camera;

/* Each fills *out with record `index` and returns 1; returns 0, leaving *out
 * as it was, when scene is NULL or index is not below the count. */
BAKE3DS_API int bake3ds_get_object(const bake3ds_scene *scene, size_t index, bake3ds_object *out);
BAKE3DS_API int bake3ds_get_light(const bake3ds_scene *scene, size_t index, bake3ds_light *out);
BAKE3DS_API int bake3ds_get_material(const bake3ds_scene *scene, size_t index, bake3ds_material *out);
BAKE3DS_API int bake3ds_get_camera(const bake3ds_scene *scene, size_t index, bake3ds_camera *out);

/* ------------------------------------------------------------------------
 * Writing the header
 */

/* Where the header's text goes, piece by piece: return 1 when all `size`
 * bytes were taken, 0 to stop the writing. */
typedef int (*bake3ds_sink)(void *user, const char *text, size_t size);

/* The header for the scene, banner to trailer, declaring class
 * C<class_name>_3ds; input_path appears in its comments as given.
 * class_name should hold only ASCII letters, digits and '_' (as
 * bake3ds_class_name_for gives). Returns 1 when the sink took all of it; 0
 * when the sink refused some, or the scene is NULL. */
BAKE3DS_API int bake3ds_write_header(const bake3ds_scene *scene, const char *class_name, const char *input_path,
    bake3ds_sink sink, void *user);

/* The same into memory the library allocates: *header (NUL-terminated, to
 * release with bake3ds_free) and its length in *size (size may be NULL).
 * Returns 0, *header NULL, when memory ran out or the scene is NULL. */
BAKE3DS_API int bake3ds_header(const bake3ds_scene *scene, const char *class_name, const char *input_path,
    char **header, size_t *size);

/* The command line's conversion without files: the bytes of the file at
 * input_path to the header `bake3ds input_path` writes (its class named as
 * bake3ds_header_path_for and bake3ds_class_name_for name it), into memory
 * as bake3ds_header gives it. Returns 0, *header NULL, when the load fails
 * or memory runs out (allocation_failed); *failure as for bake3ds_load. */
BAKE3DS_API int bake3ds_convert(const void *data, size_t size, const char *input_path, const bake3ds_options *options,
    char **header, size_t *header_size, bake3ds_failure *failure);

/* The header's path for an input path: up to the last '.' of the file name,
 * then ".h" ("models/ship.3ds" gives "models/ship.h"). On Windows a leading
 * drive ("C:") ends the folder part as '\' and '/' do. To release with
 * bake3ds_free; NULL when memory ran out. */
BAKE3DS_API char *bake3ds_header_path_for(const char *input_path);

/* The name in "C<name>_3ds" for a header's path: its file name without
 * ".h", every byte other than an ASCII letter, digit or '_' made '_'. To
 * release with bake3ds_free; NULL when memory ran out. */
BAKE3DS_API char *bake3ds_class_name_for(const char *header_path);

/* ------------------------------------------------------------------------
 * Reporting: what bake3ds-info tells about a file
 */

typedef struct bake3ds_report bake3ds_report;

/* Per object of the report's scene: what the header does not show. */
typedef struct bake3ds_report_object {
    int32_t smoothing_groups; /* 1 when a smoothing list puts a face in a group (the normals ignore groups) */
} bake3ds_report_object;

/* A texture map's file name, as the reader meets it inside a material. */
typedef struct bake3ds_report_map {
    int32_t chunk;             /* the map chunk it stands in (0xA200 texture map, ...), -1 for none */
    const char *kind;          /* that chunk's name, "" with none */
    const char *name;          /* the bytes up to the terminator, cut at the end of the name's chunk */
    int32_t terminated;        /* 0 when no zero byte ended the name inside its chunk */
    int32_t material;          /* the material read last before it, -1 for none */
    const char *material_name; /* "" for none */
} bake3ds_report_map;

/* The chunks of one id the reader met. */
typedef struct bake3ds_report_chunk {
    uint16_t id;
    const char *name; /* "" for an id the reader does not know */
    int64_t count;
    int64_t first_offset;
} bake3ds_report_chunk;

typedef struct bake3ds_report_info {
    const char *path;                     /* as given */
    int64_t file_size;                    /* -1 when the file could not be read */
    int32_t loaded;                       /* 1 when the file loads, 0 when the converter refuses it */
    const bake3ds_failure *failure;       /* why it is refused; rule BAKE3DS_RULE_NONE when it loads */
    const bake3ds_scene *scene;           /* the scene the header would hold; NULL for a refused file */
    const bake3ds_report_object *objects; /* one per object of scene */
    size_t map_count;                     /* texture map names, in file order */
    const bake3ds_report_map *maps;
    size_t read_past_count; /* known ids the header keeps nothing of, by id */
    const bake3ds_report_chunk *read_past;
    size_t unknown_count; /* ids the reader does not know, by id */
    const bake3ds_report_chunk *unknown;
    /* 1 when the reader met a chunk whose id it knows; 0 when nothing in
     * the file is a chunk of a 3D Studio scene (an empty file, a picture, a
     * text), which the converter still turns into an empty scene's header */
    int32_t looks_like_3ds;
} bake3ds_report_info;

/* The report on the file at path, or on size bytes at data shown under the
 * name path, loaded as the converter loads (default options). NULL only
 * when memory for the report ran out; a refused file gives a report. */
BAKE3DS_API bake3ds_report *bake3ds_report_file(const char *path);
BAKE3DS_API bake3ds_report *bake3ds_report_bytes(const void *data, size_t size, const char *path);
BAKE3DS_API void bake3ds_report_free(bake3ds_report *report);

/* Fills *out with the report's view and returns 1; 0 for a NULL report. */
BAKE3DS_API int bake3ds_get_report(const bake3ds_report *report, bake3ds_report_info *out);

/* The report as bake3ds-info prints it, as lines of text or as one JSON
 * document, into memory as bake3ds_header gives it. 0, *text NULL, when
 * memory ran out or the report is NULL. */
BAKE3DS_API int bake3ds_report_text(const bake3ds_report *report, char **text, size_t *size);
BAKE3DS_API int bake3ds_report_json(const bake3ds_report *report, char **text, size_t *size);

#ifdef __cplusplus
}
#endif

#endif
