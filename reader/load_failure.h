#ifndef BAKE3DS_READER_LOAD_FAILURE_H
#define BAKE3DS_READER_LOAD_FAILURE_H

// Why a load failed: the library's bake3ds_failure is the one record of it,
// which the loader writes where the check fails. Its strings are arrays of
// the record's own, so that writing it never asks for memory: a load that
// ran out of memory can still say so.

#include <cstddef>
#include <cstdint>
#include <string>

#include "bake3ds/bake3ds.h"

namespace bake3ds {

// "zero_length_chunk", "name_cut_off", ...; "none" for BAKE3DS_RULE_NONE
// and for a value that is no rule.
const char *RuleName(bake3ds_rule n_rule);

// Makes r_failure say "no failure" for a file of n_file_size bytes (-1 when
// it was not read): every figure 0, every string empty, no chunk.
void ClearFailure(bake3ds_failure &r_failure, int64_t n_file_size);

// Makes *p_failure, where set, the record of a call that could not have its
// memory outside the walk of the chunks (no chunk involved); the file's size
// stays. The message too: nothing here allocates.
void FailAllocation(bake3ds_failure *p_failure) noexcept;

// Writes r_failure's message from its other members.
void ComposeMessage(bake3ds_failure &r_failure) noexcept;

// Copies the string into a record's array, cut to fit, always terminated.
template <size_t N>
void CopyText(char (&r_p_dest)[N], const char *s_text) noexcept
{
    size_t n = 0;
    for(; n + 1 < N && s_text[n]; ++n)
        r_p_dest[n] = s_text[n];
    r_p_dest[n] = 0;
}

// The text "0x4D4D" for a chunk id, into p_text (7 bytes at least); its
// length.
size_t WriteChunkIdText(int n_id, char *p_text) noexcept;
std::string ChunkIdText(int n_id);

// A name in double quotes, printable ASCII: '"' and '\' escaped with '\',
// other bytes outside 0x20..0x7E as \xNN. WriteQuotedName writes it into
// p_dest, which has room for 4 * n + 2 characters, and returns its length.
size_t WriteQuotedName(const char *s_name, size_t n, char *p_dest) noexcept;
std::string QuotedName(const std::string &r_s_name);

} // namespace bake3ds

#endif
