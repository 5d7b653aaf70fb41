// Every check that fails a load records its rule, the chunk and its offset,
// the enclosing chunks and its figures; bake3ds-info reports them, and for
// a file that loads, what its header holds.

#include <gtest/gtest.h>

#include <set>

#include "fixture/adversarial.h"
#include "info/json_report.h"
#include "info/text_report.h"
#include "reader/load_error.h"
#include "test_support.h"

using namespace bake3ds;
using namespace fixture;
using namespace testing_support;

namespace {

TLoadError t_ErrorOf(const TBytes &r_bytes)
{
    C3dsScene s;
    TLoadError t_error;
    EXPECT_EQ(s.LoadMemory(r_bytes.data(), r_bytes.size(), TLoadOptions(), &t_error), 0);
    return t_error;
}

struct TCase {
    TLoadRule n_rule;
    TBytes bytes;
    int n_chunk;
    int64_t n_offset;
    std::vector<uint16_t> path;
    std::string s_in_message;
};

TBytes Header(uint16_t n_id, uint32_t n_length)
{
    return CChunk(n_id).Length(n_length).Bytes();
}

} // namespace

TEST(LoadError, EachRuleOfAFileGivesItsReasonChunkOffsetAndPath)
{
    TBytes scene_head = Scene({}).Bytes(); // main 0..5, editor 6..11
    std::vector<TCase> cases;
    cases.push_back({rule_ZeroLengthChunk, CChunk(id_Main).Add(CChunk(id_Editor).Raw(Header(0x1234, 0))).Bytes(),
        0x1234, 12, {0x4D4D, 0x3D3D}, "a chunk of length 0 (chunk 0x1234 at offset 12)"});
    cases.push_back({rule_NameCutOff, CChunk(id_Main).Raw(Header(id_MaterialName, 100)).Raw(TBytes(20, 'n')).Bytes(),
        0xA000, 6, {0x4D4D}, "after 20 characters"});
    cases.push_back({rule_CornerOutOfRange, Scene({MeshObject("box", {{0, 0, 0}, {1, 0, 0}}, {{0, 1, 7}})}).Bytes(),
        0x4120, -2, {0x4D4D, 0x3D3D, 0x4000, 0x4100}, "face corner 7 at or beyond vertex count 2 in mesh \"box\""});
    cases.push_back({rule_NestingLimit, {}, 0x4D4D, -2, {}, "a walk 513 levels deep, more than 512"});
    for(const TAdversarial &r_file : AdversarialFiles()) {
        if(r_file.s_name == "nesting 174762 deep")
            cases[3].bytes = r_file.bytes;
    }
    std::string s_717 = s_ReadFile(std::string(BAKE3DS_SOURCE_DIR) + "/fuzz/regressions/re-read-meshes-717-bytes.3ds");
    cases.push_back({rule_RecordBound, TBytes(s_717.begin(), s_717.end()), 0x4100, 286, {}, "more than 65655 meshes"});
    TBytes mesh = CChunk(id_TriObject).Bytes();
    TBytes big_list = CChunk(id_VertexList).U16(65535).Bytes();
    TBytes elements, unit = mesh + big_list;
    while(elements.size() < (1 << 20) - 16)
        elements.insert(elements.end(), unit.begin(), unit.end());
    cases.push_back({rule_ElementBound, elements, 0x4110, -2, {}, "vertices, faces and track keys to hold"});
    TBytes work = mesh + CChunk(id_VertexList).U16(65535).Bytes();
    while(work.size() < (1 << 20) - 8)
        work.insert(work.end(), {0x40, 0x41, 8, 0, 0, 0, 0xFF, 0xFF});
    cases.push_back({rule_WorkBound, work, 0x4140, -2, {}, "units of work"});

    std::set<TLoadRule> covered;
    for(const TCase &r_case : cases) {
        TLoadError t = t_ErrorOf(r_case.bytes);
        std::string s_rule = p_s_RuleId(r_case.n_rule);
        EXPECT_EQ(t.n_rule, r_case.n_rule) << s_rule << ": " << t.s_message;
        EXPECT_EQ(t.n_chunk_id, r_case.n_chunk) << s_rule;
        if(r_case.n_offset != -2) {
            EXPECT_EQ(t.n_offset, r_case.n_offset) << s_rule;
        }
        EXPECT_GE(t.n_offset, 0) << s_rule;
        if(!r_case.path.empty()) {
            EXPECT_EQ(t.p_path, r_case.path) << s_rule;
        }
        EXPECT_NE(t.s_message.find(r_case.s_in_message), std::string::npos) << s_rule << ": " << t.s_message;
        covered.insert(t.n_rule);
    }
    EXPECT_EQ(covered.size(), cases.size());
}

TEST(LoadError, FilesThatCannotBeReadAndTheFirstFailureIsKept)
{
    CTempDir t_dir;
    C3dsScene s;
    TLoadError t;
    EXPECT_EQ(s.Load(t_dir.s_Path().c_str(), TLoadOptions(), &t), 0);
    EXPECT_EQ(std::string(p_s_RuleId(t.n_rule)), "not_regular_file");
    EXPECT_EQ(s.Load(t_dir.s_File("missing.3ds").c_str(), TLoadOptions(), &t), 0);
    EXPECT_EQ(std::string(p_s_RuleId(t.n_rule)), "unreadable");
    EXPECT_NE(t.s_message.find("No such file"), std::string::npos) << t.s_message;
    // a successful load leaves no rule behind
    TBytes ok = Scene({}).Bytes();
    EXPECT_EQ(s.LoadMemory(ok.data(), ok.size(), TLoadOptions(), &t), 1);
    EXPECT_EQ(t.n_rule, rule_None);
}

TEST(LoadError, EveryRefusedAdversarialFileNamesARuleAndTheConverterAgrees)
{
    for(const TAdversarial &r_file : AdversarialFiles()) {
        C3dsScene s, s_plain;
        TLoadError t;
        int n_with = s.LoadMemory(r_file.bytes.data(), r_file.bytes.size(), TLoadOptions(), &t);
        int n_plain = s_plain.LoadMemory(r_file.bytes.data(), r_file.bytes.size());
        EXPECT_EQ(n_with, n_plain) << r_file.s_name;
        EXPECT_EQ(n_with != 0, t.n_rule == rule_None) << r_file.s_name << ": " << t.s_message;
        if(!n_with) {
            EXPECT_FALSE(t.s_message.empty()) << r_file.s_name;
        }
    }
}

TEST(InfoReport, TextAndJsonEscapeHostileNames)
{
    std::string s_hostile = std::string("a\"b\\c\n\x01\x7f\xe9") + "\"}";
    EXPECT_EQ(s_JsonString(s_hostile), "\"a\\\"b\\\\c\\u000A\\u0001\\u007F\xc3\xa9\\\"}\"");
    EXPECT_EQ(s_QuotedName(s_hostile), "\"a\\\"b\\\\c\\x0A\\x01\\x7F\\xE9\\\"}\"");
    TBytes bytes = Scene({MeshObject(s_hostile, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})}).Bytes();
    TReport t = t_ReportMemory(bytes.data(), bytes.size(), "x.3ds");
    ASSERT_TRUE(t.b_loaded);
    std::string s_text = s_TextReport(t), s_json = s_JsonReport(t);
    EXPECT_NE(s_text.find(s_QuotedName(s_hostile) + ": 3 vertices, 1 faces"), std::string::npos) << s_text;
    EXPECT_NE(s_json.find("\"name\": " + s_JsonString(s_hostile)), std::string::npos) << s_json;
    for(char c : s_text)
        EXPECT_TRUE(c == '\n' || c == '\t' || (c >= 0x20 && c < 0x7f)) << int(c);
}

TEST(InfoTool, ExitStatusAndReasonOfARefusedFileAndJsonThatParses)
{
    std::string s_info = std::string(BAKE3DS_BINARY_DIR) + "/bake3ds-info";
    std::string s_717 = std::string(BAKE3DS_SOURCE_DIR) + "/fuzz/regressions/re-read-meshes-717-bytes.3ds";
    TRunResult t = t_Run({s_info, s_717});
    EXPECT_EQ(t.n_status, 1);
    EXPECT_NE(t.s_out.find("\nrefused: the record bound"), std::string::npos) << t.s_out;
    EXPECT_NE(t.s_out.find("\nrule: record_bound\nchunk: 0x4100 at offset 286\n"), std::string::npos) << t.s_out;
    EXPECT_EQ(t_Run({s_info}).n_status, 2);
    EXPECT_EQ(t_Run({s_info, "a", "b"}).n_status, 2);
    EXPECT_EQ(t_Run({s_info, "--bogus", s_717}).n_status, 2);
    CTempDir t_dir;
    WriteFile(t_dir.s_File("s.3ds"), Scene({MeshObject("m", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})}).Bytes());
    for(const std::string &s_file : {s_717, t_dir.s_File("s.3ds")}) {
        if(!b_HaveProgram("python3"))
            break;
        TRunResult t_json = t_Shell("'" + s_info + "' --json '" + s_file + "' | python3 -m json.tool");
        EXPECT_EQ(t_json.n_status, 0) << t_json.s_err;
    }
    TRunResult t_ok = t_Run({s_info, t_dir.s_File("s.3ds"), "--json"});
    EXPECT_EQ(t_ok.n_status, 0);
    EXPECT_NE(t_ok.s_out.find("\"counts\": {\"lights\": 0, \"materials\": 0, \"objects\": 1, \"cameras\": 0}"),
        std::string::npos) << t_ok.s_out;
}

TEST(InfoTool, EveryCorpusFileLoadsWithTheConvertersCounts)
{
    std::vector<std::string> files = CorpusFiles();
    if(files.empty())
        GTEST_SKIP() << "the corpus folder ../shared/corpus is absent: nothing to check";
    for(const std::string &r_s_file : files) {
        std::string s_bytes = s_ReadFile(r_s_file);
        TBytes bytes(s_bytes.begin(), s_bytes.end());
        TReport t = t_ReportMemory(bytes.data(), bytes.size(), r_s_file.c_str());
        ASSERT_TRUE(t.b_loaded) << r_s_file << ": " << t.t_error.s_message;
        std::string s_header = s_HeaderFor(bytes);
        char p_decl[128];
        std::snprintf(p_decl, sizeof(p_decl), "m_p_object[%d] = {", t.n_object_num);
        if(t.n_object_num) {
            EXPECT_NE(s_header.find(p_decl), std::string::npos) << r_s_file;
        }
        std::snprintf(p_decl, sizeof(p_decl), "n_Light_Num()\n\t{\n\t\treturn %d;", t.n_light_num);
        EXPECT_NE(s_header.find(p_decl), std::string::npos) << r_s_file;
        size_t n_at = s_header.find("::m_p_object[");
        for(const TMeshReport &r_mesh : t.meshes) {
            std::string s_counts = "}, " + std::to_string(r_mesh.n_vertex_num) + ", " + std::to_string(r_mesh.n_face_num) +
                ",\n";
            n_at = s_header.find(s_counts, n_at);
            ASSERT_NE(n_at, std::string::npos) << r_s_file << " " << r_mesh.s_name;
        }
    }
}
