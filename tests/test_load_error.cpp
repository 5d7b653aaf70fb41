// Every check that fails a load records its rule, the chunk and its offset,
// the enclosing chunks and its figures; bake3ds-info reports them, and for
// a file that loads, what its header holds.

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "api/report.h"
#include "bake3ds/bake3ds.hpp"
#include "fixture/adversarial.h"
#include "fixture/sample_scene.h"
#include "reader/load_failure.h"
#include "reader/load_options.h"
#include "reader/loader.h"
#include "test_support.h"

using namespace bake3ds;
using namespace fixture;
using namespace testing_support;

namespace {

bake3ds_failure FailureOf(const TBytes &r_bytes)
{
    bake3ds_failure t_failure;
    bake3ds_scene *p_scene = bake3ds_load(r_bytes.data(), r_bytes.size(), nullptr, &t_failure);
    EXPECT_FALSE(p_scene);
    bake3ds_scene_free(p_scene);
    return t_failure;
}

// The figures a failure holds besides its rule and place, each 0 or empty
// unless its rule names it. A needed of -1 stands for "more than the limit".
struct TFigures {
    int64_t n_limit = 0, n_needed = 0;
    std::string s_mesh;
    int64_t n_face = 0, n_corner = 0, n_vertex_count = 0;
    std::string s_name_read;
};

struct TCase {
    bake3ds_rule n_rule;
    TBytes bytes;
    int n_chunk;
    int64_t n_offset;
    std::vector<uint16_t> path;
    std::string s_in_message;
    TFigures t_figures;
};

TFigures Bound(int64_t n_limit, int64_t n_needed)
{
    TFigures t;
    t.n_limit = n_limit;
    t.n_needed = n_needed;
    return t;
}

void ExpectFigures(const bake3ds_failure &r_failure, const TFigures &r_expected, const std::string &r_s_rule)
{
    EXPECT_EQ(r_failure.limit, r_expected.n_limit) << r_s_rule;
    if(r_expected.n_needed < 0) {
        EXPECT_GT(r_failure.needed, r_failure.limit) << r_s_rule;
    } else {
        EXPECT_EQ(r_failure.needed, r_expected.n_needed) << r_s_rule;
    }
    EXPECT_EQ(std::string(r_failure.mesh), r_expected.s_mesh) << r_s_rule;
    EXPECT_EQ(r_failure.face, r_expected.n_face) << r_s_rule;
    EXPECT_EQ(r_failure.corner, r_expected.n_corner) << r_s_rule;
    EXPECT_EQ(r_failure.vertex_count, r_expected.n_vertex_count) << r_s_rule;
    EXPECT_EQ(std::string(r_failure.name_read), r_expected.s_name_read) << r_s_rule;
    EXPECT_EQ(std::string(r_failure.kind), "") << r_s_rule;
    EXPECT_EQ(r_failure.counted, 0) << r_s_rule;
    EXPECT_EQ(r_failure.met, 0) << r_s_rule;
    EXPECT_EQ(std::string(r_failure.system_reason), "") << r_s_rule;
}

// The library's report on the bytes, and its text and JSON.
Report ReportOf(const TBytes &r_bytes, const char *s_path)
{
    Report t;
    EXPECT_TRUE(report_bytes(r_bytes.data(), r_bytes.size(), s_path, t));
    return t;
}

ReportInfo InfoOf(const Report &r_report)
{
    ReportInfo t;
    std::memset(&t, 0, sizeof(t));
    EXPECT_TRUE(r_report.info(t));
    return t;
}

std::string Text(const Report &r_report)
{
    std::string s;
    EXPECT_TRUE(report_text(r_report, s));
    return s;
}

std::string Json(const Report &r_report)
{
    std::string s;
    EXPECT_TRUE(report_json(r_report, s));
    return s;
}

} // namespace

TEST(LoadError, EachRuleOfAFileGivesItsReasonChunkOffsetPathAndFigures)
{
    TBytes scene_head = fixture::Scene({}).Bytes(); // main 0..5, editor 6..11
    std::vector<TCase> cases;
    cases.push_back({BAKE3DS_RULE_ZERO_LENGTH_CHUNK,
        CChunk(id_Main).Add(CChunk(id_Editor).Raw(ChunkHeader(0x1234, 0))).Bytes(), 0x1234, 12, {0x4D4D, 0x3D3D},
        "a chunk of length 0 (chunk 0x1234 at offset 12)", TFigures()});
    TFigures t_cut;
    t_cut.s_name_read = std::string(20, 'n');
    cases.push_back({BAKE3DS_RULE_NAME_CUT_OFF,
        CChunk(id_Main).Raw(ChunkHeader(id_MaterialName, 100)).Raw(TBytes(20, 'n')).Bytes(), 0xA000, 6, {0x4D4D},
        "after 20 characters", t_cut});
    TFigures t_corner;
    t_corner.s_mesh = "box";
    t_corner.n_corner = 7;
    t_corner.n_vertex_count = 2;
    t_corner.n_face = 1;
    cases.push_back({BAKE3DS_RULE_CORNER_OUT_OF_RANGE,
        fixture::Scene({MeshObject("box", {{0, 0, 0}, {1, 0, 0}}, {{0, 1, 1}, {0, 1, 7}})}).Bytes(), 0x4120, -2,
        {0x4D4D, 0x3D3D, 0x4000, 0x4100},
        "face corner 7 at or beyond vertex count 2 in mesh \"box\" (face 1 of the face list, chunk 0x4120 at offset ",
        t_corner});
    cases.push_back({BAKE3DS_RULE_NESTING_LIMIT, {}, 0x4D4D, -2, {}, "a walk 513 levels deep, more than 512",
        Bound(BAKE3DS_MAX_NESTING, BAKE3DS_MAX_NESTING + 1)});
    for(const TAdversarial &r_file : AdversarialFiles()) {
        if(r_file.s_name == "nesting 174762 deep")
            cases[3].bytes = r_file.p_bytes;
    }
    std::string s_717 =
        FileContents(std::string(BAKE3DS_SOURCE_DIR) + "/fuzz/regressions/re-read-meshes-717-bytes.3ds");
    cases.push_back({BAKE3DS_RULE_RECORD_BOUND, TBytes(s_717.begin(), s_717.end()), 0x4100, 286, {},
        "more than 65655 meshes", Bound(65536 + 717 / 6, 65536 + 717 / 6 + 1)});
    TBytes mesh = CChunk(id_TriObject).Bytes();
    TBytes big_list = CChunk(id_VertexList).U16(65535).Bytes();
    TBytes elements, unit = mesh + big_list;
    while(elements.size() < (1 << 20) - 16)
        elements.insert(elements.end(), unit.begin(), unit.end());
    cases.push_back({BAKE3DS_RULE_ELEMENT_BOUND, elements, 0x4110, -2, {}, "vertices, faces and track keys to hold",
        Bound(1048576 + int64_t(elements.size() / 4), -1)});
    TBytes work = mesh + CChunk(id_VertexList).U16(65535).Bytes();
    while(work.size() < (1 << 20) - 8)
        work.insert(work.end(), {0x40, 0x41, 8, 0, 0, 0, 0xFF, 0xFF});
    cases.push_back({BAKE3DS_RULE_WORK_BOUND, work, 0x4140, -2, {}, "units of work",
        Bound(2 * 1048576 + 4 * int64_t(work.size()), -1)});

    std::set<bake3ds_rule> covered;
    for(const TCase &r_case : cases) {
        bake3ds_failure t = FailureOf(r_case.bytes);
        std::string s_rule = bake3ds_rule_name(r_case.n_rule);
        EXPECT_EQ(t.rule, r_case.n_rule) << s_rule << ": " << t.message;
        EXPECT_EQ(t.chunk, r_case.n_chunk) << s_rule;
        if(r_case.n_offset != -2) {
            EXPECT_EQ(t.offset, r_case.n_offset) << s_rule;
        }
        EXPECT_GE(t.offset, 0) << s_rule;
        EXPECT_EQ(t.file_size, int64_t(r_case.bytes.size())) << s_rule;
        ASSERT_LE(t.path_length, uint32_t(BAKE3DS_MAX_NESTING)) << s_rule;
        if(!r_case.path.empty()) {
            EXPECT_EQ(std::vector<uint16_t>(t.path, t.path + t.path_length), r_case.path) << s_rule;
        }
        ExpectFigures(t, r_case.t_figures, s_rule);
        EXPECT_NE(std::string(t.message).find(r_case.s_in_message), std::string::npos) << s_rule << ": " << t.message;
        covered.insert(t.rule);
    }
    EXPECT_EQ(covered.size(), cases.size());
}

TEST(LoadError, FilesThatCannotBeReadAndARecordFilledWholeOnEveryLoad)
{
    CTempDir t_dir;
    bake3ds_failure t;
    EXPECT_FALSE(bake3ds_load_file(t_dir.Path().c_str(), nullptr, &t));
    EXPECT_STREQ(bake3ds_rule_name(t.rule), "not_regular_file");
    EXPECT_EQ(t.file_size, -1);
    EXPECT_FALSE(bake3ds_load_file(t_dir.FilePath("missing.3ds").c_str(), nullptr, &t));
    EXPECT_STREQ(bake3ds_rule_name(t.rule), "unreadable");
    EXPECT_EQ(t.file_size, -1);
    EXPECT_NE(std::string(t.system_reason).find("No such file"), std::string::npos) << t.system_reason;
    EXPECT_NE(std::string(t.message).find("No such file"), std::string::npos) << t.message;
    // a successful load leaves no rule behind, nor anything else of a record
    // that held garbage
    TBytes ok = fixture::Scene({}).Bytes();
    std::memset(&t, 0x5A, sizeof(t));
    bake3ds_scene *p_scene = bake3ds_load(ok.data(), ok.size(), nullptr, &t);
    EXPECT_TRUE(p_scene);
    bake3ds_scene_free(p_scene);
    EXPECT_EQ(t.rule, BAKE3DS_RULE_NONE);
    EXPECT_EQ(t.chunk, -1);
    EXPECT_EQ(t.offset, -1);
    EXPECT_EQ(t.file_size, int64_t(ok.size()));
    EXPECT_EQ(t.path_length, 0u);
    ExpectFigures(t, TFigures(), "none");
    EXPECT_STREQ(t.message, "");
    EXPECT_STREQ(bake3ds_rule_name(t.rule), "none");
    EXPECT_STREQ(bake3ds_rule_name(bake3ds_rule(BAKE3DS_RULE_ALLOCATION_FAILED + 1)), "none")
        << "a value that is no rule";
}

TEST(LoadError, EveryRefusedAdversarialFileNamesARuleAndTheConverterAgrees)
{
    const bake3ds_options t_defaults = ResolvedOptions(nullptr);
    for(const TAdversarial &r_file : AdversarialFiles()) {
        C3dsScene s, s_plain;
        bake3ds_failure t;
        bool b_with = ReadScene(s, r_file.p_bytes.data(), r_file.p_bytes.size(), t_defaults, &t);
        bool b_plain = ReadScene(s_plain, r_file.p_bytes.data(), r_file.p_bytes.size(), t_defaults);
        EXPECT_EQ(b_with, b_plain) << r_file.s_name;
        EXPECT_EQ(b_with, t.rule == BAKE3DS_RULE_NONE) << r_file.s_name << ": " << t.message;
        if(!b_with) {
            EXPECT_NE(t.message[0], 0) << r_file.s_name;
        }
    }
}

TEST(InfoReport, TextAndJsonEscapeHostileNames)
{
    std::string s_hostile = std::string("a\"b\\c\n\x01\x7f\xe9") + "\"}";
    EXPECT_EQ(JsonString(s_hostile), "\"a\\\"b\\\\c\\u000A\\u0001\\u007F\xc3\xa9\\\"}\"");
    EXPECT_EQ(QuotedName(s_hostile), "\"a\\\"b\\\\c\\x0A\\x01\\x7F\\xE9\\\"}\"");
    TBytes bytes = fixture::Scene({MeshObject(s_hostile, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})}).Bytes();
    Report t = ReportOf(bytes, "x.3ds");
    ASSERT_TRUE(InfoOf(t).loaded);
    std::string s_text = Text(t), s_json = Json(t);
    EXPECT_NE(s_text.find(QuotedName(s_hostile) + ": 3 vertices, 1 faces"), std::string::npos) << s_text;
    EXPECT_NE(s_json.find("\"name\": " + JsonString(s_hostile)), std::string::npos) << s_json;
    for(char c : s_text)
        EXPECT_TRUE(c == '\n' || c == '\t' || (c >= 0x20 && c < 0x7f)) << int(c);
}

// The every-chunk scene holds each kind of entry the report has, so that the
// whole report can be compared with text worked out from the fixture's bytes
// (offsets count the builder's layout: 6-byte headers, data, sub-chunks):
// - "thing", faces 0 and 2 in "everything", 3 in "other", 1 in none: the
//   groups come in material order, the faces without a material first, and
//   each group's name must come from its own index;
// - "plate", mapping coordinates for 2 of its 3 vertices: a count that is
//   not simply the vertex count;
// - the node of "plate" (id 7) has the node of "thing" (id 1) as parent, so
//   that a parent and an id cannot be mistaken for each other;
// - "lamp" is a spotlight that is off, "bulb" an omni light that is off:
//   the spot flag and the off flag differ on "bulb";
// - the camera "eye" has 3 position keys and 2 target keys;
// - colour, percentage and map chunks occur several times, at offsets far
//   from their last ones: counts and first offsets of what is read past;
// - each material has a texture, a reflection and a bump map, with a
//   different name in each, so that a name reported under the wrong kind or
//   material shows; "other"'s names are empty, hostile bytes, and one whose
//   terminator lies past its chunk;
// - "thing"'s smoothing list puts only its last face in a group, "plate"'s
//   puts none in one;
// - 0x2200, which the chunk table does not know, occurs twice, the first one
//   holding a 24-bit colour chunk that must not be counted; 0x4181 once,
//   inside a mesh.
// The program itself reports the same file by its path, with exit status 0.
TEST(InfoTool, TheWholeReportOfTheEveryChunkSceneInTextAndJson)
{
    // each tab of the text report is written \t, so that the literal shows it
    std::string s_text = R"(file: "every_chunk.3ds", 2396 bytes
loads: yes
\t2 lights
\t2 materials
\t2 objects
\t1 cameras

objects, in header order:
\t"thing": 4 vertices, 4 faces, mapping coordinates on 4 of them
\t\tno material: 1 faces
\t\tmaterial 0 "everything": 2 faces
\t\tmaterial 1 "other": 1 faces
\t"plate": 3 vertices, 1 faces, mapping coordinates on 2 of them
\t\tno material: 1 faces

objects with smoothing groups (not used: the header's normals are smoothed over every face that shares a position):
\t"thing"

key-frame nodes, per object:
\t"thing": node id 1, parent -1
\t"plate": node id 7, parent 1

materials:
\t0 "everything"
\t1 "other"

texture maps, in file order:
\t0xA200 texture map "texture.png", material 0 "everything"
\t0xA220 reflection map "reflect.png", material 0 "everything"
\t0xA230 bump map "bumpmap.png", material 0 "everything"
\t0xA200 texture map "", material 1 "other"
\t0xA220 reflection map "\xE9t\xE9\x01\"1\\2\"", material 1 "other"
\t0xA230 bump map "cut" (not terminated within its chunk), material 1 "other"

lights:
\t"lamp": spot, off
\t"bulb": omni, off

cameras:
\t"eye": 3 position keys, 2 target keys

chunks read past (the header keeps nothing of them):
\t0x0002 file version: 1, first at offset 6
\t0x0011 colour, 24-bit: 3, first at offset 134
\t0x0012 colour, 24-bit gamma-corrected: 3, first at offset 143
\t0x0030 percentage, integer: 9, first at offset 260
\t0x0031 percentage, float: 6, first at offset 268
\t0x0100 master scale: 1, first at offset 32
\t0x1200 background colour: 1, first at offset 42
\t0x2100 ambient light: 1, first at offset 66
\t0x3D3E mesh version: 1, first at offset 22
\t0x4111 vertex flags: 1, first at offset 898
\t0x4150 smoothing groups: 2, first at offset 993
\t0x4165 mesh colour: 1, first at offset 1109
\t0x4170 mapping parameters: 1, first at offset 1116
\t0x4190 mesh chunk 0x4190: 1, first at offset 1123
\t0x7001 viewport layout: 1, first at offset 1486
\t0x7020 viewport data: 1, first at offset 1496
\t0xA010 material ambient colour: 1, first at offset 128
\t0xA020 material diffuse colour: 1, first at offset 170
\t0xA030 material highlight colour: 1, first at offset 212
\t0xA040 material shininess: 1, first at offset 254
\t0xA041 material shininess strength: 1, first at offset 278
\t0xA050 material transparency: 1, first at offset 302
\t0xA052 material transparency falloff: 1, first at offset 326
\t0xA053 material reflection blur: 1, first at offset 350
\t0xA081 material two-sided: 1, first at offset 398
\t0xA083 material additive transparency: 1, first at offset 404
\t0xA084 material self-illumination: 1, first at offset 374
\t0xA085 material wireframe: 1, first at offset 410
\t0xA087 material wire thickness: 1, first at offset 422
\t0xA08C material chunk 0xA08C: 1, first at offset 416
\t0xA100 material shading: 1, first at offset 432
\t0xA200 texture map: 2, first at offset 440
\t0xA220 reflection map: 2, first at offset 540
\t0xA230 bump map: 2, first at offset 640
\t0xA252 map chunk 0xA252: 1, first at offset 740
\t0xA300 texture map name: 6, first at offset 454
\t0xA351 map tiling: 4, first at offset 472
\t0xA353 map blur: 3, first at offset 480
\t0xA354 map u scale: 3, first at offset 490
\t0xA356 map v scale: 3, first at offset 500
\t0xA358 map u offset: 3, first at offset 510
\t0xA35A map v offset: 3, first at offset 520
\t0xA35C map rotation: 3, first at offset 530
\t0xB001 ambient node: 1, first at offset 1536
\t0xB005 light node: 1, first at offset 2235
\t0xB006 light target node: 1, first at offset 2322
\t0xB007 spotlight node: 1, first at offset 2353
\t0xB008 animation segment: 1, first at offset 1522
\t0xB011 instance name: 1, first at offset 1678
\t0xB013 pivot: 1, first at offset 1660
\t0xB021 rotation track: 1, first at offset 1757
\t0xB022 scale track: 1, first at offset 1829
\t0xB023 field-of-view track: 1, first at offset 2069
\t0xB024 roll track: 1, first at offset 2109
\t0xB025 colour track: 1, first at offset 1572
\t0xB026 morph track: 1, first at offset 1877
\t0xB029 hide track: 1, first at offset 1887

unknown chunk ids (skipped with their contents):
\t0x2200: 2, first at offset 90
\t0x4181: 1, first at offset 1242
)";
    for(size_t n_at = s_text.find("\\t"); n_at != std::string::npos; n_at = s_text.find("\\t", n_at))
        s_text.replace(n_at, 2, "\t");
    const std::string s_json =
        R"({
  "file": "every_chunk.3ds",
  "size": 2396,
  "loaded": true,
  "looks_like_3ds": true,
  "counts": {"lights": 2, "materials": 2, "objects": 2, "cameras": 1},
  "objects": [
    {"name": "thing", "vertices": 4, "faces": 4, "mapped_vertices": 4, "smoothing_groups": true, "node_id": 1, "parent": -1, "groups": [{"material": -1, "name": null, "faces": 1}, {"material": 0, "name": "everything", "faces": 2}, {"material": 1, "name": "other", "faces": 1}]},
    {"name": "plate", "vertices": 3, "faces": 1, "mapped_vertices": 2, "smoothing_groups": false, "node_id": 7, "parent": 1, "groups": [{"material": -1, "name": null, "faces": 1}]}
  ],
  "materials": ["everything", "other"],
  "texture_maps": [
    {"chunk": "0xA200", "kind": "texture map", "name": "texture.png", "terminated": true, "material": 0, "material_name": "everything"},
    {"chunk": "0xA220", "kind": "reflection map", "name": "reflect.png", "terminated": true, "material": 0, "material_name": "everything"},
    {"chunk": "0xA230", "kind": "bump map", "name": "bumpmap.png", "terminated": true, "material": 0, "material_name": "everything"},
    {"chunk": "0xA200", "kind": "texture map", "name": "", "terminated": true, "material": 1, "material_name": "other"},
    {"chunk": "0xA220", "kind": "reflection map", "name": ")"
        "\xC3\xA9t\xC3\xA9"
        R"(\u0001\"1\\2\"", "terminated": true, "material": 1, "material_name": "other"},
    {"chunk": "0xA230", "kind": "bump map", "name": "cut", "terminated": false, "material": 1, "material_name": "other"}
  ],
  "lights": [{"name": "lamp", "kind": "spot", "off": true}, {"name": "bulb", "kind": "omni", "off": true}],
  "cameras": [{"name": "eye", "position_keys": 3, "target_keys": 2}],
  "read_past": [
    {"chunk": "0x0002", "name": "file version", "count": 1, "first_offset": 6},
    {"chunk": "0x0011", "name": "colour, 24-bit", "count": 3, "first_offset": 134},
    {"chunk": "0x0012", "name": "colour, 24-bit gamma-corrected", "count": 3, "first_offset": 143},
    {"chunk": "0x0030", "name": "percentage, integer", "count": 9, "first_offset": 260},
    {"chunk": "0x0031", "name": "percentage, float", "count": 6, "first_offset": 268},
    {"chunk": "0x0100", "name": "master scale", "count": 1, "first_offset": 32},
    {"chunk": "0x1200", "name": "background colour", "count": 1, "first_offset": 42},
    {"chunk": "0x2100", "name": "ambient light", "count": 1, "first_offset": 66},
    {"chunk": "0x3D3E", "name": "mesh version", "count": 1, "first_offset": 22},
    {"chunk": "0x4111", "name": "vertex flags", "count": 1, "first_offset": 898},
    {"chunk": "0x4150", "name": "smoothing groups", "count": 2, "first_offset": 993},
    {"chunk": "0x4165", "name": "mesh colour", "count": 1, "first_offset": 1109},
    {"chunk": "0x4170", "name": "mapping parameters", "count": 1, "first_offset": 1116},
    {"chunk": "0x4190", "name": "mesh chunk 0x4190", "count": 1, "first_offset": 1123},
    {"chunk": "0x7001", "name": "viewport layout", "count": 1, "first_offset": 1486},
    {"chunk": "0x7020", "name": "viewport data", "count": 1, "first_offset": 1496},
    {"chunk": "0xA010", "name": "material ambient colour", "count": 1, "first_offset": 128},
    {"chunk": "0xA020", "name": "material diffuse colour", "count": 1, "first_offset": 170},
    {"chunk": "0xA030", "name": "material highlight colour", "count": 1, "first_offset": 212},
    {"chunk": "0xA040", "name": "material shininess", "count": 1, "first_offset": 254},
    {"chunk": "0xA041", "name": "material shininess strength", "count": 1, "first_offset": 278},
    {"chunk": "0xA050", "name": "material transparency", "count": 1, "first_offset": 302},
    {"chunk": "0xA052", "name": "material transparency falloff", "count": 1, "first_offset": 326},
    {"chunk": "0xA053", "name": "material reflection blur", "count": 1, "first_offset": 350},
    {"chunk": "0xA081", "name": "material two-sided", "count": 1, "first_offset": 398},
    {"chunk": "0xA083", "name": "material additive transparency", "count": 1, "first_offset": 404},
    {"chunk": "0xA084", "name": "material self-illumination", "count": 1, "first_offset": 374},
    {"chunk": "0xA085", "name": "material wireframe", "count": 1, "first_offset": 410},
    {"chunk": "0xA087", "name": "material wire thickness", "count": 1, "first_offset": 422},
    {"chunk": "0xA08C", "name": "material chunk 0xA08C", "count": 1, "first_offset": 416},
    {"chunk": "0xA100", "name": "material shading", "count": 1, "first_offset": 432},
    {"chunk": "0xA200", "name": "texture map", "count": 2, "first_offset": 440},
    {"chunk": "0xA220", "name": "reflection map", "count": 2, "first_offset": 540},
    {"chunk": "0xA230", "name": "bump map", "count": 2, "first_offset": 640},
    {"chunk": "0xA252", "name": "map chunk 0xA252", "count": 1, "first_offset": 740},
    {"chunk": "0xA300", "name": "texture map name", "count": 6, "first_offset": 454},
    {"chunk": "0xA351", "name": "map tiling", "count": 4, "first_offset": 472},
    {"chunk": "0xA353", "name": "map blur", "count": 3, "first_offset": 480},
    {"chunk": "0xA354", "name": "map u scale", "count": 3, "first_offset": 490},
    {"chunk": "0xA356", "name": "map v scale", "count": 3, "first_offset": 500},
    {"chunk": "0xA358", "name": "map u offset", "count": 3, "first_offset": 510},
    {"chunk": "0xA35A", "name": "map v offset", "count": 3, "first_offset": 520},
    {"chunk": "0xA35C", "name": "map rotation", "count": 3, "first_offset": 530},
    {"chunk": "0xB001", "name": "ambient node", "count": 1, "first_offset": 1536},
    {"chunk": "0xB005", "name": "light node", "count": 1, "first_offset": 2235},
    {"chunk": "0xB006", "name": "light target node", "count": 1, "first_offset": 2322},
    {"chunk": "0xB007", "name": "spotlight node", "count": 1, "first_offset": 2353},
    {"chunk": "0xB008", "name": "animation segment", "count": 1, "first_offset": 1522},
    {"chunk": "0xB011", "name": "instance name", "count": 1, "first_offset": 1678},
    {"chunk": "0xB013", "name": "pivot", "count": 1, "first_offset": 1660},
    {"chunk": "0xB021", "name": "rotation track", "count": 1, "first_offset": 1757},
    {"chunk": "0xB022", "name": "scale track", "count": 1, "first_offset": 1829},
    {"chunk": "0xB023", "name": "field-of-view track", "count": 1, "first_offset": 2069},
    {"chunk": "0xB024", "name": "roll track", "count": 1, "first_offset": 2109},
    {"chunk": "0xB025", "name": "colour track", "count": 1, "first_offset": 1572},
    {"chunk": "0xB026", "name": "morph track", "count": 1, "first_offset": 1877},
    {"chunk": "0xB029", "name": "hide track", "count": 1, "first_offset": 1887}
  ],
  "unknown": [
    {"chunk": "0x2200", "count": 2, "first_offset": 90},
    {"chunk": "0x4181", "count": 1, "first_offset": 1242}
  ],
  "error": null
}
)";
    TBytes bytes = EveryChunkScene();
    Report t = ReportOf(bytes, "every_chunk.3ds");
    EXPECT_EQ(Text(t), s_text);
    EXPECT_EQ(Json(t), s_json);

    CTempDir t_dir;
    WriteFile(t_dir.FilePath("every_chunk.3ds"), bytes);
    std::string s_info = std::string(BAKE3DS_BINARY_DIR) + "/bake3ds-info";
    for(bool b_json : {false, true}) {
        std::vector<std::string> args = {s_info, "every_chunk.3ds"};
        if(b_json)
            args.push_back("--json");
        TRunResult t_run = RunProgram(args, t_dir.Path());
        EXPECT_EQ(t_run.n_status, 0) << t_run.s_err;
        EXPECT_EQ(t_run.s_out, b_json ? s_json : s_text);
        EXPECT_EQ(t_run.s_err, "");
    }
}

TEST(InfoTool, ExitStatusAndReasonOfARefusedFileAndJsonThatParses)
{
    std::string s_info = std::string(BAKE3DS_BINARY_DIR) + "/bake3ds-info";
    std::string s_717 = std::string(BAKE3DS_SOURCE_DIR) + "/fuzz/regressions/re-read-meshes-717-bytes.3ds";
    TRunResult t = RunProgram({s_info, s_717});
    EXPECT_EQ(t.n_status, 1);
    EXPECT_NE(t.s_out.find("\nrefused: the record bound"), std::string::npos) << t.s_out;
    EXPECT_NE(t.s_out.find("\nrule: record_bound\nchunk: 0x4100 at offset 286\n"), std::string::npos) << t.s_out;
    EXPECT_EQ(RunProgram({s_info}).n_status, 2);
    EXPECT_EQ(RunProgram({s_info, "a", "b"}).n_status, 2);
    EXPECT_EQ(RunProgram({s_info, "--bogus", s_717}).n_status, 2);
    CTempDir t_dir;
    WriteFile(t_dir.FilePath("s.3ds"),
        fixture::Scene({MeshObject("m", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})}).Bytes());
    for(const std::string &s_file : {s_717, t_dir.FilePath("s.3ds")}) {
        if(!HaveProgram("python3"))
            break;
        TRunResult t_json = Shell("'" + s_info + "' --json '" + s_file + "' | python3 -m json.tool");
        EXPECT_EQ(t_json.n_status, 0) << t_json.s_err;
    }
    TRunResult t_ok = RunProgram({s_info, t_dir.FilePath("s.3ds"), "--json"});
    EXPECT_EQ(t_ok.n_status, 0);
    EXPECT_NE(t_ok.s_out.find("\"counts\": {\"lights\": 0, \"materials\": 0, \"objects\": 1, \"cameras\": 0}"),
        std::string::npos)
        << t_ok.s_out;

    // a lone --version, and --help or -h anywhere, are answered on standard
    // output; --version beside a file is a usage error, as before
    TRunResult t_version = RunProgram({s_info, "--version"});
    EXPECT_EQ(t_version.n_status, 0);
    EXPECT_EQ(t_version.s_out,
        "bake3ds-info " + std::to_string(BAKE3DS_VERSION_MAJOR) + "." + std::to_string(BAKE3DS_VERSION_MINOR) + "." +
            std::to_string(BAKE3DS_VERSION_PATCH) + "\n");
    for(const char *s_help : {"--help", "-h"}) {
        TRunResult t_help = RunProgram({s_info, s_help});
        EXPECT_EQ(t_help.n_status, 0) << s_help;
        EXPECT_EQ(t_help.s_out.rfind("usage: bake3ds-info FILE [--json]\n", 0), 0u) << s_help << t_help.s_out;
    }
    EXPECT_EQ(RunProgram({s_info, "--version", s_717}).n_status, 2);
}

// A path is shown as the user knows it: its UTF-8 characters in the text,
// and in the JSON a string that opens the file again, also for a byte that
// is no UTF-8 (Python carries it as a lone surrogate). Control characters
// stay escaped.
TEST(InfoTool, APathsCharactersSurviveTheReports)
{
    std::string s_info = std::string(BAKE3DS_BINARY_DIR) + "/bake3ds-info";
    CTempDir t_dir;
    TBytes bytes = fixture::SampleScene();
    struct TCase {
        std::string s_name;  // the file's name, bytes
        std::string s_shown; // as the text report's first line shows it
    } p_case[] = {
        {"t\xC3\xA4nk \xE2\x82\xAC.3ds", "t\xC3\xA4nk \xE2\x82\xAC.3ds"},
        {"bad\xFF\x01\xC2\x85.3ds", "bad\\xFF\\x01\\xC2\\x85.3ds"},
    };
    for(const TCase &r_case : p_case) {
        std::string s_path = t_dir.FilePath(r_case.s_name);
        WriteFile(s_path, bytes);
        TRunResult t_text = RunProgram({s_info, s_path});
        std::string s_first = "file: \"" + t_dir.Path() + "/" + r_case.s_shown + "\", ";
        EXPECT_EQ(t_text.s_out.rfind(s_first, 0), 0u) << t_text.s_out.substr(0, 200);
        if(!HaveProgram("python3"))
            continue;
        // the JSON's file member, read by Python's own json, opens the file
        WriteFile(t_dir.FilePath("report.json"), RunProgram({s_info, "--json", s_path}).s_out);
        TRunResult t_open = RunProgram({"python3", "-c",
            "import json, sys\nwith open(json.load(open(sys.argv[1]))['file'], 'rb') as f: sys.stdout.write(str(len(f.read())))",
            t_dir.FilePath("report.json")});
        EXPECT_EQ(t_open.s_out, std::to_string(bytes.size())) << t_open.s_err;
    }
}

// Whether a file that loads is a 3D Studio scene at all: not when nothing in
// it is a chunk the reader knows, as in a picture, a text or an empty file.
TEST(InfoTool, AFileWithNoChunkOfAScene)
{
    std::string s_png = FileContents(std::string(BAKE3DS_SOURCE_DIR) + "/examples/sample.png");
    const std::string s_line =
        "\nnot a 3D Studio file: no chunk in it has an id of a .3ds scene; the converter writes an "
        "empty scene\n";
    struct TCase {
        const char *s_what;
        TBytes bytes;
        bool b_scene;
    } p_case[] = {
        {"a PNG", TBytes(s_png.begin(), s_png.end()), false},
        {"a text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n'}, false},
        {"an empty file", {}, false},
        {"the sample", fixture::SampleScene(), true},
        {"a bare editor chunk", {0x3D, 0x3D, 6, 0, 0, 0}, true},
    };
    for(const TCase &r_case : p_case) {
        Report t = ReportOf(r_case.bytes, "x.3ds");
        ReportInfo t_info = InfoOf(t);
        ASSERT_TRUE(t_info.loaded) << r_case.s_what;
        EXPECT_EQ(t_info.looks_like_3ds != 0, r_case.b_scene) << r_case.s_what;
        EXPECT_EQ(Text(t).find(s_line) != std::string::npos, !r_case.b_scene) << r_case.s_what;
        EXPECT_NE(Json(t).find(std::string("\n  \"looks_like_3ds\": ") + (r_case.b_scene ? "true" : "false") + ",\n"),
            std::string::npos)
            << r_case.s_what;
    }
}

TEST(InfoTool, EveryCorpusFileLoadsWithTheConvertersCounts)
{
    std::vector<std::string> files = CorpusFiles();
    if(files.empty())
        GTEST_SKIP() << "the corpus folder ../shared/corpus is absent: nothing to check";
    for(const std::string &r_s_file : files) {
        std::string s_bytes = FileContents(r_s_file);
        TBytes bytes(s_bytes.begin(), s_bytes.end());
        Report t = ReportOf(bytes, r_s_file.c_str());
        ReportInfo t_info = InfoOf(t);
        ASSERT_TRUE(t_info.loaded) << r_s_file << ": " << t_info.failure->message;
        // every real file has chunks of a scene; the corpus's empty file has none
        EXPECT_EQ(t_info.looks_like_3ds != 0, !bytes.empty()) << r_s_file;
        ASSERT_TRUE(t_info.scene) << r_s_file;
        size_t n_objects = bake3ds_object_count(t_info.scene);
        std::string s_header = HeaderFor(bytes);
        char p_decl[128];
        std::snprintf(p_decl, sizeof(p_decl), "m_p_object[%zu] = {", n_objects);
        if(n_objects) {
            EXPECT_NE(s_header.find(p_decl), std::string::npos) << r_s_file;
        }
        std::snprintf(p_decl, sizeof(p_decl), "n_Light_Num()\n\t{\n\t\treturn %zu;", bake3ds_light_count(t_info.scene));
        EXPECT_NE(s_header.find(p_decl), std::string::npos) << r_s_file;
        size_t n_at = s_header.find("::m_p_object[");
        for(size_t i = 0; i < n_objects; ++i) {
            Object t_mesh;
            ASSERT_TRUE(bake3ds_get_object(t_info.scene, i, &t_mesh));
            std::string s_counts =
                "}, " + std::to_string(t_mesh.vertex_count) + ", " + std::to_string(t_mesh.face_count) + ",\n";
            n_at = s_header.find(s_counts, n_at);
            ASSERT_NE(n_at, std::string::npos) << r_s_file << " " << t_mesh.name;
        }
    }
}
