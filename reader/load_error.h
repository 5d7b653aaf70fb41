#ifndef BAKE3DS_READER_LOAD_ERROR_H
#define BAKE3DS_READER_LOAD_ERROR_H

// Why a load failed: the check that failed, where in the file, and the
// figures it compared. The loader records the first failure where it
// happens; what the failure passes through on its way up changes nothing.

#include <cstdint>
#include <string>
#include <vector>

namespace bake3ds {

// Every check that can fail a load. The identifiers of p_s_RuleId are
// stable: tools and scripts may match them.
enum TLoadRule {
    rule_None = 0,         // the load has not failed
    rule_ZeroLengthChunk,  // a chunk header with length 0
    rule_NameCutOff,       // a name that must end before the file does not
    rule_CornerOutOfRange, // a face corner at or beyond its mesh's vertex count
    rule_ElementBound,     // more vertices, faces and track keys than the file's size allows
    rule_RecordBound,      // more meshes, lights, cameras and materials than the file's size allows
    rule_WorkBound,        // more work than the file's size allows
    rule_NestingLimit,     // walks nested deeper than allowed
    rule_FillExceedsCount, // the fill pass met more records than the counting pass counted
    rule_NotRegularFile,   // a directory, a device, a pipe
    rule_Unreadable,       // the file cannot be opened or read
    rule_AllocationFailed, // memory could not be had
    rule_Count
};

// "zero_length_chunk", "name_cut_off", ...; "none" for rule_None.
const char *p_s_RuleId(TLoadRule n_rule);

// The rule whose identifier is r_s_id; rule_None for any other text.
TLoadRule n_RuleFromId(const std::string &r_s_id);

struct TLoadError {
    TLoadRule n_rule = rule_None;
    int n_chunk_id = -1;          // the chunk whose check failed; -1 when no chunk is involved
    int64_t n_offset = -1;        // that chunk's first byte in the file, -1 with no chunk
    std::vector<uint16_t> p_path; // the chunks enclosing it, outermost first
    int64_t n_file_size = -1;     // the size of the file, once known

    // The figures of the check: for the bounds and the nesting limit the
    // most allowed and what the file needed; for a corner the corner and
    // the mesh's vertex count; for a cut name the characters read; for the
    // fill pass the count of the counting pass and the record met.
    int64_t n_limit = 0;
    int64_t n_needed = 0;
    int n_face = -1;    // a corner's face, in the order of the file's face list
    std::string s_name; // a corner's mesh; a cut name as read; the fill pass's kind of record
    std::string s_system_reason; // the system's words for an unreadable file

    // One line of printable ASCII saying all of the above (names escaped).
    std::string s_message;
};

// Writes r_error's message from its other fields.
void ComposeMessage(TLoadError &r_error);

// The text "0x4D4D" for a chunk id.
std::string s_ChunkIdText(int n_id);

// A name in double quotes, printable ASCII: '"' and '\' escaped with '\',
// other bytes outside 0x20..0x7E as \xNN.
std::string s_QuotedName(const std::string &r_s_name);

} // namespace bake3ds

#endif
