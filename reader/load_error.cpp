#include "reader/load_error.h"

#include <cstdio>

namespace bake3ds {

namespace {

const char *const p_rule_id[rule_Count] = {
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

std::string s_Number(int64_t n)
{
    return std::to_string(static_cast<long long>(n));
}

// "chunk 0x4120 at offset 40"; empty when no chunk is involved.
std::string s_Chunk(const TLoadError &r_error)
{
    if(r_error.n_chunk_id < 0)
        return "";
    return "chunk " + s_ChunkIdText(r_error.n_chunk_id) + " at offset " + s_Number(r_error.n_offset);
}

// " (chunk 0x4120 at offset 40)", or nothing when no chunk is involved.
std::string s_Where(const TLoadError &r_error)
{
    return r_error.n_chunk_id < 0 ? "" : " (" + s_Chunk(r_error) + ")";
}

std::string s_ForFileOf(const TLoadError &r_error)
{
    return "the most a file of " + s_Number(r_error.n_file_size) + " bytes allows";
}

} // namespace

const char *p_s_RuleId(TLoadRule n_rule)
{
    return n_rule >= rule_None && n_rule < rule_Count ? p_rule_id[n_rule] : "none";
}

TLoadRule n_RuleFromId(const std::string &r_s_id)
{
    for(int n_rule = rule_None; n_rule < rule_Count; ++ n_rule) {
        if(r_s_id == p_rule_id[n_rule])
            return TLoadRule(n_rule);
    }
    return rule_None;
}

std::string s_ChunkIdText(int n_id)
{
    char p_text[8];
    std::snprintf(p_text, sizeof(p_text), "0x%04X", unsigned(n_id) & 0xFFFFu);
    return p_text;
}

std::string s_QuotedName(const std::string &r_s_name)
{
    std::string s = "\"";
    for(char c : r_s_name) {
        unsigned char n = static_cast<unsigned char>(c);
        if(n == '"' || n == '\\') {
            s += '\\';
            s += c;
        } else if(n >= 0x20 && n <= 0x7E)
            s += c;
        else {
            char p_hex[8];
            std::snprintf(p_hex, sizeof(p_hex), "\\x%02X", unsigned(n));
            s += p_hex;
        }
    }
    return s + "\"";
}

void ComposeMessage(TLoadError &r_error)
{
    const TLoadError &e = r_error;
    std::string s;
    switch(e.n_rule) {
    case rule_None:
        break;
    case rule_ZeroLengthChunk:
        s = "a chunk of length 0" + s_Where(e);
        break;
    case rule_NameCutOff:
        s = "a name cut off by the end of the file after " + s_Number(e.n_needed) + " characters, " +
            s_QuotedName(e.s_name) + s_Where(e);
        break;
    case rule_CornerOutOfRange:
        s = "face corner " + s_Number(e.n_needed) + " at or beyond vertex count " + s_Number(e.n_limit) +
            " in mesh " + s_QuotedName(e.s_name) + " (face " + std::to_string(e.n_face) + " of the face list" +
            (e.n_chunk_id < 0 ? "" : ", " + s_Chunk(e)) + ")";
        break;
    case rule_ElementBound:
        s = "the element bound: " + s_Number(e.n_needed) + " vertices, faces and track keys to hold, more than " +
            s_Number(e.n_limit) + ", " + s_ForFileOf(e) + s_Where(e);
        break;
    case rule_RecordBound:
        s = "the record bound: more than " + s_Number(e.n_limit) + " meshes, lights, cameras and materials, " +
            s_ForFileOf(e) + s_Where(e);
        break;
    case rule_WorkBound:
        s = "the work bound: more than " + s_Number(e.n_limit) +
            " units of work (chunks visited and elements read), " + s_ForFileOf(e) + s_Where(e);
        break;
    case rule_NestingLimit:
        s = "the nesting limit: a walk " + s_Number(e.n_needed) + " levels deep, more than " +
            s_Number(e.n_limit) + s_Where(e);
        break;
    case rule_FillExceedsCount:
        s = "the fill pass met more records than the counting pass counted: " + e.s_name + " " +
            s_Number(e.n_needed) + " of " + s_Number(e.n_limit) + s_Where(e);
        break;
    case rule_NotRegularFile:
        s = "not a regular file";
        break;
    case rule_Unreadable:
        s = "not readable";
        if(!e.s_system_reason.empty())
            s += ": " + e.s_system_reason;
        break;
    case rule_AllocationFailed:
        s = "memory could not be allocated" + s_Where(e);
        break;
    case rule_Count:
        break;
    }
    r_error.s_message = s;
}

} // namespace bake3ds
