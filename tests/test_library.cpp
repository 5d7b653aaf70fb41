// What <bake3ds/bake3ds.h> and <bake3ds/bake3ds.hpp> promise their callers,
// through those headers alone: the failure record of each rule, the
// options and their size, sinks that refuse or throw, views that stay put
// and hold what the header prints, the header as the converter writes it,
// names as the file holds them, the report as data and as text, calls on
// nothing, and the stack a call needs. test_library_c.c makes the C calls.

#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <set>
#include <stdexcept>

#include "bake3ds/bake3ds.hpp"
#include "fixture/adversarial.h"
#include "fixture/sample_scene.h"
#include "test_library_c.h"
#include "test_support.h"
#include "text_sections.h"

using namespace fixture;
using namespace testing_support;

namespace {

std::string TextOf(const TBytes &r_bytes)
{
    return std::string(r_bytes.begin(), r_bytes.end());
}

TBytes Adversarial(const std::string &r_s_name)
{
    for(const TAdversarial &r_file : AdversarialFiles()) {
        if(r_file.s_name == r_s_name)
            return r_file.p_bytes;
    }
    throw std::runtime_error("no adversarial file " + r_s_name);
}

// A mesh of n_side * n_side vertices: its header is several times the
// writer's buffer, so that a sink is called many times.
TBytes GridScene(int n_side)
{
    std::vector<TPoint> points;
    std::vector<TTriangle> faces;
    for(int y = 0; y < n_side; ++y) {
        for(int x = 0; x < n_side; ++x) {
            points.push_back({float(x), float(y), float(x * y % 7) / 8});
            if(x && y) {
                uint16_t n = uint16_t(y * n_side + x);
                faces.push_back({uint16_t(n - n_side - 1), uint16_t(n - n_side), n});
                faces.push_back({uint16_t(n - n_side - 1), n, uint16_t(n - 1)});
            }
        }
    }
    return Scene({MeshObject("grid", points, faces)}).Bytes();
}

// A record's fixed array as text: its bytes up to the NUL, marked when no
// NUL ends it.
template <size_t N>
std::string Field(const char (&r_p_text)[N])
{
    size_t n = strnlen(r_p_text, N);
    return n < N ? std::string(r_p_text, n) : std::string(r_p_text, N) + "(no NUL)";
}

// "0x4D4D", or the number when it is below 0
std::string IdText(int64_t n_id)
{
    char p_text[32];
    if(n_id < 0)
        return std::to_string(n_id);
    std::snprintf(p_text, sizeof(p_text), "0x%04" PRIX64, uint64_t(n_id));
    return p_text;
}

// The whole failure record in one line: the rule, the chunk and its offset,
// the file's size, the path (a run of one id as ID*count), every figure that
// is not 0 or empty, and the message. A figure the rule does not set shows
// as one the row does not expect.
std::string FailureText(const bake3ds_failure &r)
{
    std::string s = std::string(bake3ds_rule_name(r.rule)) + " " + IdText(r.chunk) + " at " + std::to_string(r.offset) +
        ", " + std::to_string(r.file_size) + " bytes, path [";
    uint32_t n_path = r.path_length < BAKE3DS_MAX_NESTING ? r.path_length : BAKE3DS_MAX_NESTING;
    for(uint32_t i = 0, n_run; i < n_path; i += n_run) {
        for(n_run = 1; i + n_run < n_path && r.path[i + n_run] == r.path[i]; ++n_run) {
        }
        s += (i ? " " : "") + IdText(r.path[i]) + (n_run > 1 ? "*" + std::to_string(n_run) : "");
    }
    if(r.path_length > BAKE3DS_MAX_NESTING)
        s += " of " + std::to_string(r.path_length);
    s += "]";
    if(r.limit || r.needed)
        s += ", limit " + std::to_string(r.limit) + " needed " + std::to_string(r.needed);
    if(r.mesh[0] || r.face || r.corner || r.vertex_count) {
        s += ", mesh \"" + Field(r.mesh) + "\" face " + std::to_string(r.face) + " corner " + std::to_string(r.corner) +
            " of " + std::to_string(r.vertex_count);
    }
    if(r.name_read[0])
        s += ", read \"" + Field(r.name_read) + "\"";
    if(r.kind[0] || r.counted || r.met)
        s += ", " + Field(r.kind) + " " + std::to_string(r.met) + " of " + std::to_string(r.counted);
    if(r.system_reason[0])
        s += ", system: " + Field(r.system_reason);
    return s + ": " + Field(r.message);
}

// What a load leaves for a file of n_size bytes that loads.
std::string Loaded(size_t n_size)
{
    return "none -1 at -1, " + std::to_string(n_size) + " bytes, path []: ";
}

// A failure record as a caller may leave it before a call: nothing in it
// may survive the call.
bake3ds_failure Garbage()
{
    bake3ds_failure t;
    std::memset(&t, 0x5A, sizeof(t));
    return t;
}

bake3ds_options Limits(uint32_t n_nesting, int64_t n_element_base, int64_t n_record_base, int64_t n_work_per_byte)
{
    bake3ds_options t;
    std::memset(&t, 0, sizeof(t));
    t.size = sizeof(t);
    t.nesting_limit = n_nesting;
    t.element_base = n_element_base;
    t.record_base = n_record_base;
    t.work_per_byte = n_work_per_byte;
    return t;
}

bool AllZero(const bake3ds_options &r_options)
{
    bake3ds_options t_zero;
    std::memset(&t_zero, 0, sizeof(t_zero));
    return std::memcmp(&r_options, &t_zero, sizeof(t_zero)) == 0;
}

const void *DataOf(const TBytes &r_bytes)
{
    return r_bytes.empty() ? nullptr : r_bytes.data();
}

// The failure bake3ds_load leaves for the bytes within the options.
std::string LoadFailure(const TBytes &r_bytes, const bake3ds_options *p_options)
{
    bake3ds_failure t = Garbage();
    bake3ds_scene *p_scene = bake3ds_load(DataOf(r_bytes), r_bytes.size(), p_options, &t);
    EXPECT_EQ(p_scene != nullptr, t.rule == BAKE3DS_RULE_NONE) << FailureText(t);
    bake3ds_scene_free(p_scene);
    return FailureText(t);
}

enum TSource { source_Bytes, source_Directory, source_Missing };

struct TLoadRow {
    std::string s_what;
    TBytes bytes;
    bake3ds_options t_options; // all 0: the defaults
    std::string s_expected;    // FailureText of what every load leaves
    TSource n_source;
};

} // namespace

// Each rule a file can provoke, with its figures worked out from the bytes
// (the builder writes a chunk's 6-byte header, its data, then its
// sub-chunks), and files that load. Every call that loads leaves the same
// record: bytes and file, C and C++, the conversion, and the report where
// the options are the defaults. fill_exceeds_count has no row: every
// handler of a chunk with sub-chunks reads the same bytes in both passes,
// so the fill pass meets what the counting pass counted. allocation_failed
// is the allocation sweep's (test_allocation_failure.cpp).
TEST(CInterface, EachRuleFillsTheFailureWithItsFiguresAndALoadThatSucceedsClearsIt)
{
    bake3ds_options t_defaults;
    std::memset(&t_defaults, 0, sizeof(t_defaults));
    TBytes sample = SampleScene();
    // a mesh named "big" whose vertex list claims 5000 vertices: main 0,
    // editor 6, named object 12 ("big" and its NUL at 18), triangle object
    // 22, vertex list 28, 36 bytes
    TBytes big =
        Scene({CChunk(id_NamedObject).Name("big").Add(CChunk(id_TriObject).Add(CChunk(id_VertexList).U16(5000)))})
            .Bytes();
    // triangle objects of lengths 5 and 6, the second's header starting in
    // the first's: two meshes per 11 bytes, beyond one per six
    TBytes pairs = {};
    for(int i = 0; i < 13; ++i)
        pairs = pairs + ChunkHeader(id_TriObject, 5) + TBytes{0x41, 6, 0, 0, 0};
    // a mesh "w" (name at 18) with three vertex lists claiming 1000 vertices
    // each, at 26, 34 and 42: 50 bytes
    CChunk t_tri(id_TriObject);
    for(int i = 0; i < 3; ++i)
        t_tri.Add(CChunk(id_VertexList).U16(1000));
    TBytes work = Scene({CChunk(id_NamedObject).Name("w").Add(t_tri)}).Bytes();

    std::vector<TLoadRow> rows = {
        {"a chunk of length 0 inside main 0..18 and editor 6..18",
            CChunk(id_Main).Add(CChunk(id_Editor).Add(CChunk(0x1234).Length(0))).Bytes(), t_defaults,
            "zero_length_chunk 0x1234 at 12, 18 bytes, path [0x4D4D 0x3D3D]: a chunk of length 0 (chunk 0x1234 at offset 12)",
            source_Bytes},
        {"a material name at 6 that the end of the file cuts after 7 characters",
            CChunk(id_Main).Add(CChunk(id_MaterialName).Length(100).Raw({'c', 'u', 't', '"', 'o', 'f', 'f'})).Bytes(),
            t_defaults,
            "name_cut_off 0xA000 at 6, 19 bytes, path [0x4D4D], read \"cut\"off\": a name cut off by the end of the file "
            "after 7 characters, \"cut\\\"off\" (chunk 0xA000 at offset 6)",
            source_Bytes},
        // named object 12, "box" 18, triangle object 22, vertex list 28 (3
        // vertices, 44 bytes), face list 72; faces are stored a, c, b
        {"corner 7 of face 1 in mesh \"box\" of 3 vertices",
            Scene({MeshObject("box", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}, {0, 2, 7}})}).Bytes(), t_defaults,
            "corner_out_of_range 0x4120 at 72, 96 bytes, path [0x4D4D 0x3D3D 0x4000 0x4100], mesh \"box\" face 1 corner 7 "
            "of 3: face corner 7 at or beyond vertex count 3 in mesh \"box\" (face 1 of the face list, chunk 0x4120 at offset 72)",
            source_Bytes},
        {"5000 vertices where element_base 100 allows 100 + 36 / 4", big, Limits(0, 100, 0, 0),
            "element_bound 0x4110 at 28, 36 bytes, path [0x4D4D 0x3D3D 0x4000 0x4100], limit 109 needed 5000: the element "
            "bound: 5000 vertices, faces and track keys to hold, more than 109, the most a file of 36 bytes allows "
            "(chunk 0x4110 at offset 28)",
            source_Bytes},
        {"the same mesh within the default element bound", big, t_defaults, Loaded(big.size()), source_Bytes},
        // inside main: the pair k's meshes are records 2k - 1 and 2k, the
        // second at 6 + 11 (k - 1) + 5; the 26th is pair 13's second, at 143
        {"26 meshes where record_base 1 allows 1 + 149 / 6", CChunk(id_Main).Raw(pairs).Bytes(), Limits(0, 0, 1, 0),
            "record_bound 0x4100 at 143, 149 bytes, path [0x4D4D], limit 25 needed 26: the record bound: more than 25 "
            "meshes, lights, cameras and materials, the most a file of 149 bytes allows (chunk 0x4100 at offset 143)",
            source_Bytes},
        // each pass visits 7 chunks; the fill pass reads 1000 vertices per
        // list: 7 + 7 + 1000 + 1000 + 1000, past 2 * 1000 + 1 * 50 at the third
        {"work past 2 * element_base 1000 + work_per_byte 1 * 50", work, Limits(0, 1000, 0, 1),
            "work_bound 0x4110 at 42, 50 bytes, path [0x4D4D 0x3D3D 0x4000 0x4100], limit 2050 needed 3014: the work bound: "
            "more than 2050 units of work (chunks visited and elements read), the most a file of 50 bytes allows (chunk "
            "0x4110 at offset 42)",
            source_Bytes},
        {"the same lists within the default work bound", work, t_defaults, Loaded(work.size()), source_Bytes},
        // main 1, editor 2, named object 3: its contents would be walked at 4
        {"a named object's contents below nesting_limit 3",
            Scene({CChunk(id_NamedObject).Name("n").Add(CChunk(id_TriObject))}).Bytes(), Limits(3, 0, 0, 0),
            "nesting_limit 0x4000 at 12, 26 bytes, path [0x4D4D 0x3D3D], limit 3 needed 4: the nesting limit: a walk 4 "
            "levels deep, more than 3 (chunk 0x4000 at offset 12)",
            source_Bytes},
        // 174761 main chunks, each 6 bytes into the one before, and a
        // triangle object: the main at level 512 starts at 6 * 511
        {"nesting 174762 deep", Adversarial("nesting 174762 deep"), t_defaults,
            "nesting_limit 0x4D4D at 3066, 1048572 bytes, path [0x4D4D*511], limit 512 needed 513: the nesting limit: a "
            "walk 513 levels deep, more than 512 (chunk 0x4D4D at offset 3066)",
            source_Bytes},
        // a triangle object and 74897 more, each followed by a vertex list of
        // 65535: 14 bytes each, 1048572 in all; the 21st list, at 20 * 14 + 6,
        // passes 1048576 + 1048572 / 4
        {"the default element bound", Adversarial("1 MiB of meshes of 65535 vertices"), t_defaults,
            "element_bound 0x4110 at 286, 1048572 bytes, path [], limit 1310719 needed 1376235: the element bound: 1376235 "
            "vertices, faces and track keys to hold, more than 1310719, the most a file of 1048572 bytes allows (chunk "
            "0x4110 at offset 286)",
            source_Bytes},
        // a triangle object, then 131071 lists of 65535 vertices, 8 bytes
        // each: 131072 visits counting, then per list a visit and 65535
        // vertices, past 2 * 1048576 + 4 * 1048574 at the 94th, 6 + 93 * 8
        {"the default work bound", Adversarial("1 MiB of vertex lists of 65535"), t_defaults,
            "work_bound 0x4110 at 750, 1048574 bytes, path [], limit 6291448 needed 6291457: the work bound: more than "
            "6291448 units of work (chunks visited and elements read), the most a file of 1048574 bytes allows (chunk "
            "0x4110 at offset 750)",
            source_Bytes},
        {"a folder", {}, t_defaults, "not_regular_file -1 at -1, -1 bytes, path []: not a regular file",
            source_Directory},
        {"a path to nothing", {}, t_defaults,
            "unreadable -1 at -1, -1 bytes, path [], system: No such file or directory: not readable: No such file or "
            "directory",
            source_Missing},
        {"the sample scene", sample, t_defaults, Loaded(sample.size()), source_Bytes},
        {"an empty file", {}, t_defaults, Loaded(0), source_Bytes},
    };

    CTempDir t_dir;
    std::set<std::string> rules;
    for(const TLoadRow &r_row : rows) {
        SCOPED_TRACE(r_row.s_what);
        bool b_loads = r_row.s_expected.rfind("none ", 0) == 0;
        rules.insert(r_row.s_expected.substr(0, r_row.s_expected.find(' ')));
        bool b_defaults = AllZero(r_row.t_options);
        // a zeroed struct is the defaults, as NULL is
        std::vector<const bake3ds_options *> options = {&r_row.t_options};
        if(b_defaults)
            options.push_back(nullptr);
        std::string s_path = t_dir.FilePath("row.3ds");
        if(r_row.n_source == source_Directory)
            s_path = t_dir.Path();
        else if(r_row.n_source == source_Missing)
            s_path = t_dir.FilePath("missing.3ds");
        else
            WriteFile(s_path, r_row.bytes);

        for(const bake3ds_options *p_options : options) {
            bake3ds_failure t = Garbage();
            if(r_row.n_source == source_Bytes) {
                EXPECT_EQ(LoadFailure(r_row.bytes, p_options), r_row.s_expected) << "bake3ds_load";
                char c_before = 'x', *p_header = &c_before;
                size_t n_size = 1;
                EXPECT_EQ(bake3ds_convert(DataOf(r_row.bytes), r_row.bytes.size(), "row.3ds", p_options, &p_header,
                              &n_size, &t),
                    int(b_loads));
                EXPECT_EQ(p_header != nullptr, b_loads);
                EXPECT_EQ(n_size != 0, b_loads);
                bake3ds_free(p_header);
                EXPECT_EQ(FailureText(t), r_row.s_expected) << "bake3ds_convert";
            }
            t = Garbage();
            bake3ds_scene *p_scene = bake3ds_load_file(s_path.c_str(), p_options, &t);
            EXPECT_EQ(p_scene != nullptr, b_loads);
            bake3ds_scene_free(p_scene);
            EXPECT_EQ(FailureText(t), r_row.s_expected) << "bake3ds_load_file";
        }

        // the C++ Scene holds another scene before each load, and none after
        // a load that fails
        for(bool b_file : {false, true}) {
            if(!b_file && r_row.n_source != source_Bytes)
                continue;
            bake3ds::Scene t_scene;
            ASSERT_TRUE(bake3ds::load_scene(sample.data(), sample.size(), t_scene));
            bake3ds::Failure t = Garbage();
            bool b_loaded = b_file
                ? bake3ds::load_scene_file(s_path.c_str(), t_scene, &t, r_row.t_options)
                : bake3ds::load_scene(DataOf(r_row.bytes), r_row.bytes.size(), t_scene, &t, r_row.t_options);
            EXPECT_EQ(b_loaded, b_loads) << (b_file ? "load_scene_file" : "load_scene");
            EXPECT_EQ(bool(t_scene), b_loads);
            if(!b_loads) {
                EXPECT_EQ(t_scene.get(), nullptr);
                EXPECT_EQ(t_scene.object_count(), 0u);
            }
            EXPECT_EQ(FailureText(t), r_row.s_expected) << (b_file ? "load_scene_file" : "load_scene");
        }

        // the report loads as the converter does, with the defaults
        if(!b_defaults)
            continue;
        for(bool b_file : {false, true}) {
            if(!b_file && r_row.n_source != source_Bytes)
                continue;
            bake3ds::Report t_report;
            ASSERT_TRUE(b_file ? bake3ds::report_file(s_path.c_str(), t_report)
                               : bake3ds::report_bytes(DataOf(r_row.bytes), r_row.bytes.size(), "row.3ds", t_report));
            bake3ds::ReportInfo t_info;
            ASSERT_TRUE(t_report.info(t_info));
            EXPECT_EQ(t_info.loaded, int(b_loads));
            EXPECT_EQ(t_info.scene != nullptr, b_loads);
            EXPECT_EQ(FailureText(*t_info.failure), r_row.s_expected) << "report";
            EXPECT_EQ(t_info.file_size, t_info.failure->file_size);
            std::string s_text;
            ASSERT_TRUE(bake3ds::report_text(t_report, s_text));
            std::string s_says = b_loads
                ? "\nloads: yes\n"
                : "\nrefused: " + std::string(t_info.failure->message) +
                    "\nrule: " + bake3ds_rule_name(t_info.failure->rule) + "\n";
            EXPECT_NE(s_text.find(s_says), std::string::npos) << s_text;
        }
    }
    EXPECT_EQ(rules.size(), 10u) << "every rule but fill_exceeds_count and allocation_failed, and none";
}

// A zeroed struct, Options() and NULL are the defaults, each written out
// gives the same; a value of 0 or below is the default; a nesting limit
// above the most is the most; and the library reads no member past size.
TEST(CInterface, OptionsPastTheirSizeOrAtZeroAreTheDefaults)
{
    const std::string s_same = "(as with NULL)";
    // four vertex lists claiming 20 vertices each in a mesh "w": 58 bytes,
    // the fourth list at 50; 8 visits a pass and 80 vertices: 96 units of
    // work, more than 2 * 10 + 1 * 58, not more than 2 * 10 + 4 * 58
    CChunk t_tri(id_TriObject);
    for(int i = 0; i < 4; ++i)
        t_tri.Add(CChunk(id_VertexList).U16(20));
    TBytes lists = Scene({CChunk(id_NamedObject).Name("w").Add(t_tri)}).Bytes();
    const std::string s_work_refused =
        "work_bound 0x4110 at 50, 58 bytes, path [0x4D4D 0x3D3D 0x4000 0x4100], limit 78 needed 96: the work bound: "
        "more than 78 units of work (chunks visited and elements read), the most a file of 58 bytes allows (chunk "
        "0x4110 at offset 50)";
    const std::string s_nesting_refused =
        "nesting_limit 0x4000 at 12, 58 bytes, path [0x4D4D 0x3D3D], limit 3 needed 4: the nesting limit: a walk 4 "
        "levels deep, more than 3 (chunk 0x4000 at offset 12)";
    // a caller's struct of n_size bytes, with values past them that refuse
    // the load where read: a nesting limit of 3 where n_nesting is, element
    // base 10 and 1 unit of work per byte
    auto sized = [](uint32_t n_size, uint32_t n_nesting) {
        bake3ds_options t = Limits(n_nesting, 10, -1, 1);
        t.size = n_size;
        return t;
    };
    TBytes deep = Adversarial("nesting 174762 deep"), at_most = Adversarial("nesting 510 deep");
    TBytes elements = Adversarial("1 MiB of meshes of 65535 vertices"),
           work = Adversarial("1 MiB of vertex lists of 65535");
    std::string s_717 =
        FileContents(std::string(BAKE3DS_SOURCE_DIR) + "/fuzz/regressions/re-read-meshes-717-bytes.3ds");
    ASSERT_EQ(s_717.size(), 717u);
    TBytes records(s_717.begin(), s_717.end());

    struct TRow {
        std::string s_what;
        const TBytes &r_bytes;
        bake3ds_options t_options;
        std::string s_expected; // s_same: what NULL options give
    };
    std::vector<TRow> rows = {
        {"the defaults written out: nesting", deep, Limits(512, 0, 0, 0), s_same},
        {"the defaults written out: elements", elements, Limits(0, 1048576, 0, 0), s_same},
        {"the defaults written out: records", records, Limits(0, 0, 65536, 0), s_same},
        {"the defaults written out: work", work, Limits(0, 1048576, 0, 4), s_same},
        {"below 0 is the default", work, Limits(0, -1, -5, INT64_MIN), s_same},
        {"a nesting limit above the most is the most", deep, Limits(UINT32_MAX, 0, 0, 0), s_same},
        {"513 is above the most too", deep, Limits(513, 0, 0, 0), s_same},
        {"the deepest walk a file can have at the most", at_most, Limits(UINT32_MAX, 0, 0, 0), Loaded(at_most.size())},
        // 510 main chunks and a triangle object at 6 * 510 on level 511,
        // whose contents the walk at level 512 reads
        {"one level less", at_most, Limits(511, 0, 0, 0),
            "nesting_limit 0x4100 at 3060, 3066 bytes, path [0x4D4D*510], limit 511 needed 512: the nesting limit: a walk "
            "512 levels deep, more than 511 (chunk 0x4100 at offset 3060)"},
        {"every member read", lists, sized(sizeof(bake3ds_options), 3), s_nesting_refused},
        {"size 0 is the first version's size: every member read", lists, sized(0, 3), s_nesting_refused},
        {"work_per_byte read", lists, sized(sizeof(bake3ds_options), 0), s_work_refused},
        {"the struct of a caller that knows no work_per_byte", lists,
            sized(offsetof(bake3ds_options, work_per_byte), 0), Loaded(lists.size())},
        {"the struct of a caller that knows only size", lists, sized(offsetof(bake3ds_options, nesting_limit), 3),
            Loaded(lists.size())},
        {"the struct of a caller that knows nesting_limit", lists, sized(offsetof(bake3ds_options, element_base), 3),
            s_nesting_refused},
    };
    for(const TRow &r_row : rows) {
        SCOPED_TRACE(r_row.s_what);
        std::string s_expected = r_row.s_expected == s_same ? LoadFailure(r_row.r_bytes, nullptr) : r_row.s_expected;
        EXPECT_EQ(LoadFailure(r_row.r_bytes, &r_row.t_options), s_expected);
        bake3ds::Scene t_scene;
        bake3ds::Failure t = Garbage();
        bake3ds::load_scene(r_row.r_bytes.data(), r_row.r_bytes.size(), t_scene, &t, r_row.t_options);
        EXPECT_EQ(FailureText(t), s_expected) << "load_scene";
    }
    // the record bound's figures of a file whose records are read again
    bake3ds_failure t = Garbage();
    EXPECT_EQ(bake3ds_load(records.data(), records.size(), nullptr, &t), nullptr);
    EXPECT_EQ(t.rule, BAKE3DS_RULE_RECORD_BOUND);
    EXPECT_EQ(t.limit, 65536 + 717 / 6);
    EXPECT_EQ(t.needed, t.limit + 1);
}

namespace {

// A C sink that takes everything until its n_refuse_at-th call, which it
// refuses.
struct TCountingSink {
    int n_calls = 0;
    int n_refuse_at = 0;
    std::string s_text;
};

int CountingSink(void *p_user, const char *p_text, size_t n_size)
{
    TCountingSink &r = *static_cast<TCountingSink *>(p_user);
    if(++r.n_calls == r.n_refuse_at)
        return 0;
    r.s_text.append(p_text, n_size);
    return 1;
}

// The same as the C++ layer's sink, refusing or throwing.
class CCountingSink : public bake3ds::HeaderSink {
public:
    CCountingSink(int n_stop_at, bool b_throw) : m_n_stop_at(n_stop_at), m_b_throw(b_throw) {}

    bool write(const char *p_text, size_t n_size) override
    {
        if(++n_calls == m_n_stop_at) {
            if(m_b_throw)
                throw std::runtime_error("the disk is gone");
            return false;
        }
        s_text.append(p_text, n_size);
        return true;
    }

    int n_calls = 0;
    std::string s_text;

private:
    int m_n_stop_at;
    bool m_b_throw;
};

} // namespace

// A sink that refuses the k-th piece, or throws at it, stops the writing:
// the call fails and the sink hears nothing more.
TEST(CInterface, ASinkThatRefusesOrThrowsStopsTheWriting)
{
    TBytes grid = GridScene(100);
    bake3ds::Scene t_scene;
    ASSERT_TRUE(bake3ds::load_scene(grid.data(), grid.size(), t_scene));
    std::string s_whole;
    ASSERT_TRUE(bake3ds::write_header(t_scene, "grid", "grid.3ds", s_whole));
    TCountingSink t_all;
    ASSERT_EQ(bake3ds_write_header(t_scene.get(), "grid", "grid.3ds", CountingSink, &t_all), 1);
    EXPECT_TRUE(t_all.s_text == s_whole);
    int n_pieces = t_all.n_calls;
    ASSERT_GE(n_pieces, 3) << "the header should come in several pieces";

    enum TSink { sink_C, sink_False, sink_Throw };
    for(TSink n_sink : {sink_C, sink_False, sink_Throw}) {
        for(int n_at : {1, 2, n_pieces}) {
            SCOPED_TRACE("sink " + std::to_string(n_sink) + " stopping at piece " + std::to_string(n_at) + " of " +
                std::to_string(n_pieces));
            int n_calls;
            if(n_sink == sink_C) {
                TCountingSink t;
                t.n_refuse_at = n_at;
                EXPECT_EQ(bake3ds_write_header(t_scene.get(), "grid", "grid.3ds", CountingSink, &t), 0);
                n_calls = t.n_calls;
            } else {
                CCountingSink t(n_at, n_sink == sink_Throw);
                EXPECT_FALSE(bake3ds::write_header(t_scene, "grid", "grid.3ds", t));
                n_calls = t.n_calls;
            }
            EXPECT_EQ(n_calls, n_at);
        }
    }
}

namespace {

// A view's struct as the caller left it before a call that must not
// change it: every byte, padding too, 0xA5. Scribbled in place, since a
// copy need not keep the padding.
template <class TView>
void Scribble(TView &r_view)
{
    std::memset(static_cast<void *>(&r_view), 0xA5, sizeof(r_view));
}

template <class TView>
bool Unchanged(const TView &r_view)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(&r_view);
    return std::all_of(p, p + sizeof(r_view), [](unsigned char c) { return c == 0xA5; });
}

// Calls one bake3ds_get_* for an index past the records; true when it
// returned 0 and left the view as it was.
template <class TView>
bool Refused(int (*p_get)(const bake3ds_scene *, size_t, TView *), const bake3ds_scene *p_scene, size_t n_index)
{
    TView t;
    Scribble(t);
    return p_get(p_scene, n_index, &t) == 0 && Unchanged(t);
}

} // namespace

// Past the last record, and on a NULL scene or report, every call returns 0
// (or NULL, or false), hands nothing over and leaves what the caller gave
// as it was.
TEST(CInterface, CallsPastTheRecordsOrOnNothingChangeNothing)
{
    TBytes sample = SampleScene();
    bake3ds::Scene t_scene;
    ASSERT_TRUE(bake3ds::load_scene(sample.data(), sample.size(), t_scene));
    struct TKind {
        const char *s_kind;
        size_t (*p_count)(const bake3ds_scene *);
        bool (*p_refused)(const bake3ds_scene *, size_t);
    };
    const TKind p_kinds[] = {
        {"object", bake3ds_object_count,
            [](const bake3ds_scene *p, size_t n) { return Refused(bake3ds_get_object, p, n); }},
        {"light", bake3ds_light_count,
            [](const bake3ds_scene *p, size_t n) { return Refused(bake3ds_get_light, p, n); }},
        {"material", bake3ds_material_count,
            [](const bake3ds_scene *p, size_t n) { return Refused(bake3ds_get_material, p, n); }},
        {"camera", bake3ds_camera_count,
            [](const bake3ds_scene *p, size_t n) { return Refused(bake3ds_get_camera, p, n); }},
    };
    for(const TKind &r_kind : p_kinds) {
        size_t n_count = r_kind.p_count(t_scene.get());
        ASSERT_GT(n_count, 0u) << r_kind.s_kind;
        for(size_t n_index : {n_count, n_count + 1, size_t(SIZE_MAX)})
            EXPECT_TRUE(r_kind.p_refused(t_scene.get(), n_index)) << r_kind.s_kind << " " << n_index;
        EXPECT_FALSE(r_kind.p_refused(t_scene.get(), n_count - 1)) << r_kind.s_kind << ": the last one is there";
        EXPECT_EQ(r_kind.p_count(nullptr), 0u) << r_kind.s_kind;
        EXPECT_TRUE(r_kind.p_refused(nullptr, 0)) << r_kind.s_kind << " of no scene";
    }

    char c_before = 'x';
    const std::pair<const char *, std::function<bool()>> calls[] = {
        {"Scene::object past the last",
            [&] {
                bake3ds::Object t;
                Scribble(t);
                return !t_scene.object(t_scene.object_count(), t) && Unchanged(t);
            }},
        {"an empty Scene",
            [] {
                bake3ds::Scene t_empty;
                bake3ds::Object t;
                Scribble(t);
                return !t_empty.object(0, t) && Unchanged(t) &&
                    t_empty.object_count() + t_empty.light_count() + t_empty.material_count() +
                        t_empty.camera_count() ==
                    0;
            }},
        {"bake3ds_write_header",
            [] {
                TCountingSink t;
                return bake3ds_write_header(nullptr, "c", "c.3ds", CountingSink, &t) == 0 && t.n_calls == 0;
            }},
        {"bake3ds_header",
            [&] {
                char *p_text = &c_before;
                return bake3ds_header(nullptr, "c", "c.3ds", &p_text, nullptr) == 0 && !p_text;
            }},
        {"write_header to a sink",
            [] {
                CCountingSink t(0, false);
                return !bake3ds::write_header(bake3ds::Scene(), "c", "c.3ds", t) && t.n_calls == 0;
            }},
        {"write_header to a string",
            [] {
                std::string s = "kept";
                return !bake3ds::write_header(bake3ds::Scene(), "c", "c.3ds", s) && s == "kept";
            }},
        {"bake3ds_get_report",
            [] {
                bake3ds_report_info t;
                Scribble(t);
                return bake3ds_get_report(nullptr, &t) == 0 && Unchanged(t);
            }},
        {"bake3ds_report_text",
            [&] {
                char *p_text = &c_before;
                return bake3ds_report_text(nullptr, &p_text, nullptr) == 0 && !p_text;
            }},
        {"bake3ds_report_json",
            [&] {
                char *p_text = &c_before;
                return bake3ds_report_json(nullptr, &p_text, nullptr) == 0 && !p_text;
            }},
        {"an empty Report",
            [] {
                bake3ds::Report t_empty;
                bake3ds::ReportInfo t;
                Scribble(t);
                std::string s_text = "kept", s_json = "kept";
                return !t_empty.info(t) && Unchanged(t) && !bake3ds::report_text(t_empty, s_text) &&
                    !bake3ds::report_json(t_empty, s_json) && s_text == "kept" && s_json == "kept";
            }},
        {"the frees",
            [] {
                bake3ds_scene_free(nullptr);
                bake3ds_report_free(nullptr);
                bake3ds_free(nullptr);
                return true;
            }},
    };
    for(const auto &r_call : calls)
        EXPECT_TRUE(r_call.second()) << r_call.first;
}

namespace {

// The values of the header's definition that starts with r_s_start, up to
// its "};": numbers and string literals as written, true and false as 1 and
// 0; names and punctuation left out.
std::vector<std::string> HeaderValues(const std::string &r_s_header, const std::string &r_s_start)
{
    size_t n_at = r_s_header.find(r_s_start);
    if(n_at == std::string::npos)
        return {"(no " + r_s_start + ")"};
    size_t n_end = r_s_header.find("};", n_at);
    std::vector<std::string> values;
    auto b_word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    for(size_t i = n_at + r_s_start.size(), j; i < n_end; i = j) {
        char c = r_s_header[i];
        j = i + 1;
        if(c == '"') {
            while(j < n_end && r_s_header[j] != '"')
                j += r_s_header[j] == '\\' ? 2 : 1;
            values.push_back(r_s_header.substr(i, ++j - i));
        } else if(std::isdigit(static_cast<unsigned char>(c)) || c == '-') {
            while(j < n_end && (std::isdigit(static_cast<unsigned char>(r_s_header[j])) || r_s_header[j] == '.'))
                ++j;
            values.push_back(r_s_header.substr(i, j - i));
        } else if(b_word(c)) {
            while(j < n_end && b_word(r_s_header[j]))
                ++j;
            std::string s_word = r_s_header.substr(i, j - i);
            if(s_word == "true" || s_word == "false")
                values.push_back(s_word == "true" ? "1" : "0");
        }
    }
    return values;
}

std::string FloatText(float f)
{
    char p_text[64];
    std::snprintf(p_text, sizeof(p_text), "%f", double(f));
    return p_text;
}

// Every view of a scene.
struct TViews {
    std::vector<bake3ds_object> objects;
    std::vector<bake3ds_light> lights;
    std::vector<bake3ds_material> materials;
    std::vector<bake3ds_camera> cameras;
};

TViews ViewsOf(const bake3ds_scene *p_scene)
{
    TViews t;
    t.objects.resize(bake3ds_object_count(p_scene));
    for(size_t i = 0; i < t.objects.size(); ++i)
        EXPECT_TRUE(bake3ds_get_object(p_scene, i, &t.objects[i]));
    t.lights.resize(bake3ds_light_count(p_scene));
    for(size_t i = 0; i < t.lights.size(); ++i)
        EXPECT_TRUE(bake3ds_get_light(p_scene, i, &t.lights[i]));
    t.materials.resize(bake3ds_material_count(p_scene));
    for(size_t i = 0; i < t.materials.size(); ++i)
        EXPECT_TRUE(bake3ds_get_material(p_scene, i, &t.materials[i]));
    t.cameras.resize(bake3ds_camera_count(p_scene));
    for(size_t i = 0; i < t.cameras.size(); ++i)
        EXPECT_TRUE(bake3ds_get_camera(p_scene, i, &t.cameras[i]));
    return t;
}

// What the views hold, as HeaderValues reads it from the header of class
// C<class>_3ds: per definition the header's start of it and its values.
std::deque<std::pair<std::string, std::vector<std::string>>> ViewedValues(const TViews &r_views,
    const std::string &r_s_class)
{
    std::string s_c = "C" + r_s_class + "_3ds::";
    std::deque<std::pair<std::string, std::vector<std::string>>> out; // references to its elements stay valid
    auto add = [&](const std::string &r_s_start) -> std::vector<std::string> & {
        out.push_back({r_s_start, {}});
        return out.back().second;
    };
    auto add_floats = [](std::vector<std::string> &r_to, const float *p, size_t n) {
        for(size_t i = 0; i < n; ++i)
            r_to.push_back(FloatText(p[i]));
    };
    auto add_point = [&](std::vector<std::string> &r_to, const float *p) {
        add_floats(r_to, p, 3);
        r_to.push_back(FloatText(1));
    };
    std::vector<std::string> &r_table = add(s_c + "m_p_object[" + std::to_string(r_views.objects.size()) + "] = {");
    for(size_t i = 0; i < r_views.objects.size(); ++i) {
        const bake3ds_object &r = r_views.objects[i];
        std::string s_i = std::to_string(i);
        if(r.vertex_count) {
            add_floats(add(s_c + "p_object_" + s_i + "_vertices[8 * " + std::to_string(r.vertex_count) + "] = {"),
                r.vertices, 8 * size_t(r.vertex_count));
        }
        if(r.face_count) {
            std::vector<std::string> &r_indices =
                add(s_c + "p_object_" + s_i + "_indices[3 * " + std::to_string(r.face_count) + "] = {");
            for(int k = 0; k < 3 * r.face_count; ++k)
                r_indices.push_back(std::to_string(r.indices[k]));
        }
        std::vector<std::string> &r_ranges =
            add(s_c + "p_object_" + s_i + "_materials[" + std::to_string(r.material_range_count) + "] = {");
        for(int k = 0; k < r.material_range_count; ++k) {
            const bake3ds_material_range &r_range = r.material_ranges[k];
            for(int32_t n : {r_range.material, r_range.first, r_range.count})
                r_ranges.push_back(std::to_string(n));
        }
        r_table.insert(r_table.end(),
            {"\"" + std::string(r.name) + "\"", std::to_string(r.id), std::to_string(r.parent)});
        add_floats(r_table, r.transform, 16);
        r_table.insert(r_table.end(), {std::to_string(r.vertex_count), std::to_string(r.face_count)});
        if(!r.vertices)
            r_table.push_back("0");
        if(!r.indices)
            r_table.push_back("0");
        r_table.push_back(std::to_string(r.material_range_count));
    }
    if(!r_views.lights.empty()) {
        std::vector<std::string> &r_lights = add(s_c + "m_p_light[" + std::to_string(r_views.lights.size()) + "] = {");
        for(const bake3ds_light &r : r_views.lights) {
            r_lights.insert(r_lights.end(),
                {"\"" + std::string(r.name) + "\"", std::to_string(r.spot), std::to_string(r.off),
                    std::to_string(r.cast_shadows)});
            add_point(r_lights, r.position);
            add_point(r_lights, r.target);
            add_floats(r_lights, &r.hotspot, 1);
            add_floats(r_lights, &r.falloff, 1);
            add_floats(r_lights, &r.inner_range, 1);
            add_floats(r_lights, &r.outer_range, 1);
            add_floats(r_lights, &r.multiplier, 1);
            add_point(r_lights, r.color);
        }
    }
    if(!r_views.materials.empty()) {
        std::vector<std::string> &r_materials =
            add(s_c + "m_p_material[" + std::to_string(r_views.materials.size()) + "] = {");
        for(const bake3ds_material &r : r_views.materials)
            r_materials.insert(r_materials.end(), {"\"" + std::string(r.name) + "\"", std::to_string(r.id)});
    }
    if(!r_views.cameras.empty()) {
        std::vector<std::string> &r_cameras =
            add(s_c + "m_p_camera[" + std::to_string(r_views.cameras.size()) + "] = {");
        for(size_t i = 0; i < r_views.cameras.size(); ++i) {
            const bake3ds_camera &r = r_views.cameras[i];
            r_cameras.insert(r_cameras.end(), {"\"" + std::string(r.name) + "\"", std::to_string(r.id)});
            add_floats(r_cameras, r.position, 3);
            add_floats(r_cameras, r.target, 3);
            add_floats(r_cameras, &r.bank_angle, 1);
            add_floats(r_cameras, &r.focus, 1);
            r_cameras.insert(r_cameras.end(),
                {std::to_string(r.position_track.key_count), std::to_string(r.target_track.key_count)});
            for(const auto &r_track :
                {std::make_pair("_pos_track", &r.position_track), std::make_pair("_tar_track", &r.target_track)}) {
                int n = r_track.second->key_count;
                if(!n) {
                    r_cameras.insert(r_cameras.end(), 4, "0");
                    continue;
                }
                for(int k = 1; k < 4; ++k)
                    r_cameras.push_back(std::to_string(k * n));
                std::vector<std::string> &r_keys =
                    add(s_c + "p_camera_" + std::to_string(i) + r_track.first + "[4 * " + std::to_string(n) + "] = {");
                for(const float *p : {r_track.second->time, r_track.second->x, r_track.second->y, r_track.second->z})
                    add_floats(r_keys, p, size_t(n));
            }
        }
    }
    return out;
}

std::string HeaderOf(const bake3ds_scene *p_scene, const char *s_class)
{
    char *p_text = nullptr;
    size_t n_size = 0;
    EXPECT_EQ(bake3ds_header(p_scene, s_class, "in.3ds", &p_text, &n_size), 1);
    std::string s = p_text ? std::string(p_text, n_size) : "";
    bake3ds_free(p_text);
    return s;
}

void ExpectHeaderHolds(const std::string &r_s_header, const TViews &r_views, const char *s_class)
{
    for(const auto &r_definition : ViewedValues(r_views, s_class))
        EXPECT_EQ(HeaderValues(r_s_header, r_definition.first), r_definition.second) << r_definition.first;
}

} // namespace

// The views hold the values the header prints, in its order, and they stay
// as they were while other scenes are loaded and freed, and while the C++
// Scene that holds theirs is moved.
TEST(CInterface, ViewsHoldWhatTheHeaderPrintsAndStayPut)
{
    TBytes sample = SampleScene(), every = EveryChunkScene(), grid = GridScene(30);
    bake3ds_scene *p_first = bake3ds_load(sample.data(), sample.size(), nullptr, nullptr);
    ASSERT_NE(p_first, nullptr);
    bake3ds::Scene t_second;
    ASSERT_TRUE(bake3ds::load_scene(every.data(), every.size(), t_second));
    TViews t_first_views = ViewsOf(p_first), t_second_views = ViewsOf(t_second.get());
    ASSERT_EQ(t_first_views.objects.size(), 3u);
    ASSERT_EQ(t_first_views.cameras.size(), 1u);
    ASSERT_GT(t_first_views.cameras[0].position_track.key_count, 0);
    ExpectHeaderHolds(HeaderOf(p_first, "first"), t_first_views, "first");
    ExpectHeaderHolds(HeaderOf(t_second.get(), "second"), t_second_views, "second");
    // a mesh without vertices or faces: null arrays, one range of no faces
    TBytes empty =
        Scene({MeshObject("empty", {}, {}), MeshObject("one", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})}).Bytes();
    bake3ds::Scene t_empty;
    ASSERT_TRUE(bake3ds::load_scene(empty.data(), empty.size(), t_empty));
    ExpectHeaderHolds(HeaderOf(t_empty.get(), "empty"), ViewsOf(t_empty.get()), "empty");
    auto first_values = ViewedValues(t_first_views, "first"), second_values = ViewedValues(t_second_views, "second");

    for(int i = 0; i < 3; ++i) {
        for(const TBytes *p_bytes : {&sample, &every, &grid}) {
            bake3ds_scene *p_other = bake3ds_load(p_bytes->data(), p_bytes->size(), nullptr, nullptr);
            TViews t_other = ViewsOf(p_other);
            HeaderOf(p_other, "other");
            bake3ds_scene_free(p_other);
            std::string s_header;
            bake3ds::convert(p_bytes->data(), p_bytes->size(), "other.3ds", s_header);
        }
    }
    bake3ds::Scene t_moved(std::move(t_second));
    bake3ds::Scene t_third;
    ASSERT_TRUE(bake3ds::load_scene(grid.data(), grid.size(), t_third));
    t_third = std::move(t_moved);
    EXPECT_FALSE(t_second);
    EXPECT_FALSE(t_moved);
    EXPECT_TRUE(ViewedValues(t_first_views, "first") == first_values) << "the first scene's views changed";
    EXPECT_TRUE(ViewedValues(t_second_views, "second") == second_values) << "the moved scene's views changed";
    TViews t_after = ViewsOf(t_third.get());
    ASSERT_EQ(t_after.objects.size(), t_second_views.objects.size());
    for(size_t i = 0; i < t_after.objects.size(); ++i) {
        EXPECT_EQ(t_after.objects[i].name, t_second_views.objects[i].name);
        EXPECT_EQ(t_after.objects[i].vertices, t_second_views.objects[i].vertices);
        EXPECT_EQ(t_after.objects[i].indices, t_second_views.objects[i].indices);
    }
    bake3ds_scene_free(p_first);
}

namespace {

// Every way the library writes the header for the bytes of the file at
// r_s_input inside r_s_dir, as `bake3ds r_s_input` names it there: each
// way's name and its text, "(failed)" where it failed.
std::vector<std::pair<std::string, std::string>> HeadersOfEveryWay(const std::string &r_s_dir,
    const std::string &r_s_input)
{
    const std::string s_failed = "(failed)", s_before = "before";
    std::string s_bytes = FileContents(r_s_dir + "/" + r_s_input), s_path = r_s_dir + "/" + r_s_input;
    const void *p_data = s_bytes.empty() ? nullptr : s_bytes.data();
    const char *s_input = r_s_input.c_str();
    std::string s_class = bake3ds::class_name_for(bake3ds::header_path_for(r_s_input));
    std::vector<std::pair<std::string, std::string>> out;
    char *p_text = nullptr;
    size_t n_size = 0;
    // the text a call handed over, after the call
    auto take = [&](const char *s_way, int n_ok) {
        out.push_back({s_way, n_ok && p_text && !p_text[n_size] ? std::string(p_text, n_size) : s_failed});
        bake3ds_free(p_text);
        p_text = nullptr;
    };
    take("bake3ds_convert", bake3ds_convert(p_data, s_bytes.size(), s_input, nullptr, &p_text, &n_size, nullptr));
    bake3ds_scene *p_scene = bake3ds_load(p_data, s_bytes.size(), nullptr, nullptr);
    take("bake3ds_header", bake3ds_header(p_scene, s_class.c_str(), s_input, &p_text, &n_size));
    TCountingSink t_sink;
    int n_ok = bake3ds_write_header(p_scene, s_class.c_str(), s_input, CountingSink, &t_sink);
    out.push_back({"bake3ds_write_header", n_ok ? t_sink.s_text : s_failed});
    bake3ds_scene_free(p_scene);
    p_scene = bake3ds_load_file(s_path.c_str(), nullptr, nullptr);
    take("bake3ds_load_file and bake3ds_header", bake3ds_header(p_scene, s_class.c_str(), s_input, &p_text, &n_size));
    size_t n_vertices = 0;
    int n_rule = -1;
    p_text = CHeaderThroughSink(p_data, s_bytes.size(), s_input, &n_size, &n_rule, &n_vertices);
    size_t n_viewed = 0;
    for(size_t i = 0; i < bake3ds_object_count(p_scene); ++i) {
        bake3ds_object t_object;
        bake3ds_get_object(p_scene, i, &t_object);
        n_viewed += size_t(t_object.vertex_count);
    }
    out.push_back({"C", p_text && n_vertices == n_viewed ? std::string(p_text, n_size) : s_failed});
    std::free(p_text);
    bake3ds_scene_free(p_scene);

    // the C++ layer appends
    std::string s_header = s_before;
    bool b_ok = bake3ds::convert(p_data, s_bytes.size(), s_input, s_header);
    out.push_back({"convert", b_ok && s_header.compare(0, 6, s_before) == 0 ? s_header.substr(6) : s_failed});
    bake3ds::Scene t_scene;
    bake3ds::load_scene_file(s_path.c_str(), t_scene);
    s_header = s_before;
    b_ok = bake3ds::write_header(t_scene, s_class.c_str(), s_input, s_header);
    out.push_back(
        {"write_header to a string", b_ok && s_header.compare(0, 6, s_before) == 0 ? s_header.substr(6) : s_failed});
    CCountingSink t_cpp_sink(0, false);
    b_ok = bake3ds::write_header(t_scene, s_class.c_str(), s_input, t_cpp_sink);
    out.push_back({"write_header to a HeaderSink", b_ok ? t_cpp_sink.s_text : s_failed});
    return out;
}

// The converter's header for the bytes, written as the file r_s_input
// inside a fresh folder, against every way of the library's.
void ExpectTheConvertersBytes(const std::string &r_s_bytes, const std::string &r_s_input)
{
    CTempDir t_dir;
    std::filesystem::create_directories(std::filesystem::path(t_dir.FilePath(r_s_input)).parent_path());
    WriteFile(t_dir.FilePath(r_s_input), r_s_bytes);
    TRunResult t_run = RunTool({r_s_input}, t_dir.Path());
    std::string s_output = t_dir.FilePath(bake3ds::header_path_for(r_s_input));
    std::string s_expected = t_run.n_status == 0 ? FileContents(s_output) : "(failed)";
    ASSERT_TRUE(t_run.n_status == 0 || !FileExists(s_output)) << t_run.s_err;
    for(const auto &r_way : HeadersOfEveryWay(t_dir.Path(), r_s_input))
        EXPECT_TRUE(r_way.second == s_expected)
            << r_s_input << " through " << r_way.first << ": " << r_way.second.size() << " bytes, the converter's "
            << s_expected.size();
}

} // namespace

// Each way of writing the header gives the bytes the converter writes:
// scenes of each kind of record, a header of many sink pieces, a file the
// converter refuses and an empty one.
TEST(CInterface, EveryWayOfWritingTheHeaderGivesTheConvertersBytes)
{
    ExpectTheConvertersBytes(TextOf(SampleScene()), "models/sample.3ds");
    ExpectTheConvertersBytes(TextOf(EveryChunkScene()), "every chunk.3ds");
    ExpectTheConvertersBytes(TextOf(GridScene(100)), "grid");
    ExpectTheConvertersBytes(TextOf(Adversarial("nesting 174762 deep")), "deep.3ds");
    ExpectTheConvertersBytes("", "empty.3ds");
}

// The same over the corpus; the test is skipped (exit status 77, which
// CMake reads as skipped) when the corpus is absent.
TEST(CInterfaceCorpus, EveryWayOfWritingTheHeaderGivesTheConvertersBytes)
{
    std::vector<std::string> files = CorpusFiles();
    if(files.empty()) {
        std::printf("skipped: the corpus folder ../shared/corpus is absent\n");
        std::fflush(stdout);
        std::_Exit(77);
    }
    for(const std::string &r_s_file : files)
        ExpectTheConvertersBytes(FileContents(r_s_file), "models/" + r_s_file.substr(r_s_file.find_last_of('/') + 1));
}

namespace {

// A name as bake3ds-info writes it: in double quotes, '"' and '\' escaped,
// bytes outside printable ASCII as \xNN.
std::string Quoted(const std::string &r_s_name)
{
    std::string s = "\"";
    for(unsigned char c : r_s_name) {
        char p_escape[8];
        std::snprintf(p_escape, sizeof(p_escape),
            c == '"' || c == '\\'       ? "\\%c"
                : c >= 0x20 && c < 0x7F ? "%c"
                                        : "\\x%02X",
            c);
        s += p_escape;
    }
    return s + "\"";
}

} // namespace

// A name is the file's bytes: 63 characters that fill their chunk, with or
// without the NUL the end of the file leaves no room for; a name the end of
// the file cuts; bytes outside ASCII. A map's name is cut where its chunk
// ends. The views give the bytes, the report's text quotes them.
TEST(CInterface, NamesAreTheBytesTheFileHolds)
{
    const std::string s_63(63, 'n'), s_hostile = "\xE9t\x01\"\\q";
    const TBytes bytes_63(s_63.begin(), s_63.end());
    TBytes maps =
        Scene({Material("m",
                  {CChunk(id_TextureMap).Add(CChunk(id_MapName).Raw({'c', 'u', 't'})).Add(CChunk(0xA351).U16(1)),
                      CChunk(0xA230).Add(CChunk(id_MapName).Name("bump.png"))})})
            .Bytes();
    enum TKind { kind_Object, kind_Material, kind_Map };
    struct TRow {
        std::string s_what;
        TBytes bytes;
        TKind n_kind;
        size_t n_index;
        std::string s_name, s_report_line;
    };
    const std::vector<TRow> rows = {
        {"63 characters and a NUL filling the named object's data",
            Scene({MeshObject(s_63, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})}).Bytes(), kind_Object, 0, s_63,
            "\t\"" + s_63 + "\": 3 vertices, 1 faces, no mapping coordinates\n"},
        {"63 characters ending the file without a NUL",
            Scene({CChunk(id_Material).Add(CChunk(id_MaterialName).Raw(bytes_63))}).Bytes(), kind_Material, 0, s_63,
            "\t0 \"" + s_63 + "\"\n"},
        {"an object's name that the end of the file cuts",
            CChunk(id_TriObject).Bytes() + ChunkHeader(id_NamedObject, 100) + TBytes{'a', 'b'}, kind_Object, 0, "ab",
            "\t\"ab\": 0 vertices, 0 faces, no mapping coordinates\n"},
        {"bytes outside ASCII", Scene({MeshObject(s_hostile, {}, {})}).Bytes(), kind_Object, 0, s_hostile,
            "\t" + Quoted(s_hostile) + ": 0 vertices, 0 faces, no mapping coordinates\n"},
        {"a map name running on past its chunk", maps, kind_Map, 0, "cut",
            "\t0xA200 texture map \"cut\" (not terminated within its chunk), material 0 \"m\"\n"},
        {"a map name filling its chunk", maps, kind_Map, 1, "bump.png",
            "\t0xA230 bump map \"bump.png\", material 0 \"m\"\n"},
    };
    for(const TRow &r_row : rows) {
        SCOPED_TRACE(r_row.s_what);
        bake3ds::Report t_report;
        ASSERT_TRUE(bake3ds::report_bytes(r_row.bytes.data(), r_row.bytes.size(), "names.3ds", t_report));
        bake3ds::ReportInfo t_info;
        ASSERT_TRUE(t_report.info(t_info));
        ASSERT_TRUE(t_info.loaded) << t_info.failure->message;
        const char *s_name = nullptr;
        bake3ds_object t_object;
        bake3ds_material t_material;
        if(r_row.n_kind == kind_Object && bake3ds_get_object(t_info.scene, r_row.n_index, &t_object))
            s_name = t_object.name;
        else if(r_row.n_kind == kind_Material && bake3ds_get_material(t_info.scene, r_row.n_index, &t_material))
            s_name = t_material.name;
        else if(r_row.n_kind == kind_Map && r_row.n_index < t_info.map_count) {
            s_name = t_info.maps[r_row.n_index].name;
            EXPECT_EQ(t_info.maps[r_row.n_index].terminated,
                int(r_row.s_report_line.find("not terminated") == std::string::npos));
        }
        ASSERT_NE(s_name, nullptr);
        EXPECT_EQ(std::string(s_name), r_row.s_name);
        std::string s_text;
        ASSERT_TRUE(bake3ds::report_text(t_report, s_text));
        EXPECT_NE(s_text.find(r_row.s_report_line), std::string::npos) << s_text;
    }
}

// The header's and output names of an input path, the version, and the
// rules' names, which scripts match.
TEST(CInterface, OutputNamesVersionAndRuleNames)
{
    struct TRow {
        const char *s_input, *s_header, *s_class;
    };
    const TRow p_rows[] = {
        {"models/ship.3ds", "models/ship.h", "ship"}, {"ship", "ship.h", "ship"}, {"a.b/c", "a.b/c.h", "c"},
        {"dir\\my scene.v2.3DS", "dir\\my scene.v2.h", "my_scene_v2"}, {"/x/.3ds", "/x/.h", ""},
        {"sc\xC3\xA9ne.3ds", "sc\xC3\xA9ne.h", "sc__ne"},
#ifndef _WIN32
        {"C:ship.3ds", "C:ship.h", "C_ship"}, // a drive only on Windows
#endif
    };
    for(const TRow &r_row : p_rows) {
        char *s_header = bake3ds_header_path_for(r_row.s_input);
        char *s_class = bake3ds_class_name_for(s_header);
        ASSERT_TRUE(s_header && s_class);
        EXPECT_STREQ(s_header, r_row.s_header) << r_row.s_input;
        EXPECT_STREQ(s_class, r_row.s_class) << r_row.s_input;
        EXPECT_EQ(bake3ds::header_path_for(r_row.s_input), s_header);
        EXPECT_EQ(bake3ds::class_name_for(r_row.s_header), s_class);
        bake3ds_free(s_header);
        bake3ds_free(s_class);
    }

    std::string s_version = std::to_string(BAKE3DS_VERSION_MAJOR) + "." + std::to_string(BAKE3DS_VERSION_MINOR) + "." +
        std::to_string(BAKE3DS_VERSION_PATCH);
    EXPECT_EQ(bake3ds_version(), s_version);
    EXPECT_EQ(bake3ds::version(), s_version);
    EXPECT_EQ(s_version, BAKE3DS_PROJECT_VERSION) << "CMake's project version";

    const char *const p_rule_names[] = {
        "none",
        "zero_length_chunk",
        "name_cut_off",
        "corner_out_of_range",
        "element_bound",
        "record_bound",
        "work_bound",
        "nesting_limit",
        "fill_exceeds_count",
        "not_regular_file",
        "unreadable",
        "allocation_failed",
    };
    for(int i = 0; i < 12; ++i) {
        EXPECT_STREQ(bake3ds_rule_name(bake3ds_rule(i)), p_rule_names[i]);
        EXPECT_STREQ(bake3ds::rule_name(bake3ds_rule(i)), p_rule_names[i]);
    }
    EXPECT_EQ(BAKE3DS_RULE_ALLOCATION_FAILED, 11);
    EXPECT_STREQ(bake3ds_rule_name(bake3ds_rule(12)), "none");
    EXPECT_STREQ(bake3ds_rule_name(bake3ds_rule(-1)), "none");
}

namespace {

std::string ChunkLine(const bake3ds_report_chunk &r)
{
    return "\t" + IdText(r.id) + (*r.name ? " " + std::string(r.name) : "") + ": " + std::to_string(r.count) +
        ", first at offset " + std::to_string(r.first_offset) + "\n";
}

} // namespace

// The report as data holds what the every-chunk scene was built to hold
// (see InfoTool's whole report of it) and what the report's text says.
TEST(CInterface, TheReportAsDataIsWhatItsTextSays)
{
    TBytes every = EveryChunkScene();
    bake3ds::Report t_report;
    ASSERT_TRUE(bake3ds::report_bytes(every.data(), every.size(), "every_chunk.3ds", t_report));
    bake3ds::ReportInfo t;
    ASSERT_TRUE(t_report.info(t));
    std::string s_text;
    ASSERT_TRUE(bake3ds::report_text(t_report, s_text));
    EXPECT_STREQ(t.path, "every_chunk.3ds");
    EXPECT_EQ(t.file_size, int64_t(every.size()));
    EXPECT_EQ(t.loaded, 1);
    EXPECT_EQ(FailureText(*t.failure), Loaded(every.size()));
    ASSERT_EQ(bake3ds_object_count(t.scene), 2u);
    // "thing"'s smoothing list puts a face in a group, "plate"'s none
    EXPECT_EQ(t.objects[0].smoothing_groups, 1);
    EXPECT_EQ(t.objects[1].smoothing_groups, 0);
    ASSERT_EQ(t.map_count, 6u);
    const bake3ds_report_map &r_cut = t.maps[5];
    EXPECT_EQ(IdText(r_cut.chunk) + " " + r_cut.kind + " " + r_cut.name + " " + std::to_string(r_cut.terminated) + " " +
            std::to_string(r_cut.material) + " " + r_cut.material_name,
        "0xA230 bump map cut 0 1 other");
    ASSERT_EQ(t.unknown_count, 2u);
    EXPECT_EQ(ChunkLine(t.unknown[0]) + ChunkLine(t.unknown[1]),
        "\t0x2200: 2, first at offset 90\n\t0x4181: 1, first at offset 1242\n");
    EXPECT_EQ(t.read_past_count, 57u);

    std::string s_smoothed, s_maps, s_read_past, s_unknown;
    for(size_t i = 0; i < bake3ds_object_count(t.scene); ++i) {
        bake3ds_object t_object;
        ASSERT_TRUE(bake3ds_get_object(t.scene, i, &t_object));
        if(t.objects[i].smoothing_groups)
            s_smoothed += "\t" + Quoted(t_object.name) + "\n";
    }
    for(size_t i = 0; i < t.map_count; ++i) {
        const bake3ds_report_map &r = t.maps[i];
        s_maps += "\t" + IdText(r.chunk) + " " + r.kind + " " + Quoted(r.name) +
            (r.terminated ? "" : " (not terminated within its chunk)") + ", " +
            (r.material < 0 ? std::string("no material")
                            : "material " + std::to_string(r.material) + " " + Quoted(r.material_name)) +
            "\n";
    }
    for(size_t i = 0; i < t.read_past_count; ++i)
        s_read_past += ChunkLine(t.read_past[i]);
    for(size_t i = 0; i < t.unknown_count; ++i)
        s_unknown += ChunkLine(t.unknown[i]);
    EXPECT_EQ(ReportSection(s_text, "objects with smoothing groups"), s_smoothed);
    EXPECT_EQ(ReportSection(s_text, "texture maps"), s_maps);
    EXPECT_EQ(ReportSection(s_text, "chunks read past"), s_read_past);
    EXPECT_EQ(ReportSection(s_text, "unknown chunk ids"), s_unknown);
}

// A call needs no more than 16 KiB of its thread's stack, whatever the
// file: measured on a thread of its own against an empty body, for the
// deepest walk a file can ask for, the deepest one allowed, a header of
// many pieces, the report, and reading a file.
TEST(CInterface, NoCallNeedsMoreThan16KiBOfStack)
{
    TBytes deep = Adversarial("nesting 174762 deep"), at_most = Adversarial("nesting 510 deep");
    TBytes every = EveryChunkScene(), grid = GridScene(60);
    CTempDir t_dir;
    std::string s_sample = t_dir.FilePath("sample.3ds");
    WriteFile(s_sample, SampleScene());
    const std::pair<const char *, std::function<void()>> calls[] = {
        {"a load refused 513 levels deep",
            [&] {
                bake3ds_failure t;
                bake3ds_scene_free(bake3ds_load(deep.data(), deep.size(), nullptr, &t));
            }},
        {"converting a walk 512 levels deep",
            [&] {
                char *p_text = nullptr;
                bake3ds_convert(at_most.data(), at_most.size(), "in.3ds", nullptr, &p_text, nullptr, nullptr);
                bake3ds_free(p_text);
            }},
        {"a file loaded and its header written to a sink",
            [&] {
                bake3ds_scene *p_scene = bake3ds_load_file(s_sample.c_str(), nullptr, nullptr);
                TCountingSink t_sink;
                bake3ds_write_header(p_scene, "sample", "sample.3ds", CountingSink, &t_sink);
                bake3ds_scene_free(p_scene);
            }},
        {"a large mesh's header in memory",
            [&] {
                std::string s_header;
                bake3ds::convert(grid.data(), grid.size(), "grid.3ds", s_header);
            }},
        {"the report's text and JSON",
            [&] {
                bake3ds::Report t_report;
                std::string s_text;
                bake3ds::report_bytes(every.data(), every.size(), "every.3ds", t_report);
                bake3ds::report_text(t_report, s_text);
                bake3ds::report_json(t_report, s_text);
            }},
    };
    const size_t n_stack = 1 << 20;
    size_t n_start = StackTouched(n_stack, [] {});
    for(const auto &r_call : calls) {
        size_t n_used = StackTouched(n_stack, r_call.second) - n_start;
        std::printf("%s: %zu bytes of stack\n", r_call.first, n_used);
        EXPECT_LE(n_used, 16384u) << r_call.first;
    }
}
