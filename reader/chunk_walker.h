#ifndef BAKE3DS_READER_CHUNK_WALKER_H
#define BAKE3DS_READER_CHUNK_WALKER_H

#include "reader/loader_state.h"

namespace bake3ds {

// Walks the chunks of the input from its position up to n_end, one pass of
// the load: each known id is handled through the chunk table, and the
// contents of a chunk whose row says it has sub-chunks are walked in turn,
// one level deeper, from where its handler left the input. The stream is
// set to each chunk's end after it, whatever its handler read; a walk that
// meets the end of the file inside a chunk header ends there. False for a
// chunk of length 0, a walk at the load's walk-level limit or deeper, too
// much work, or a handler that stops the load. The nesting is kept on the
// heap (TLoader::p_walk_end), not in calls, so the stack a load needs does
// not grow with what the file nests.
bool WalkChunks(TLoader &r_ld, int64_t n_end);

// Reads a zero-terminated name of at most 63 characters into p_buffer,
// always leaving it terminated; consumes at most 64 bytes (63 characters and
// the byte after them). False when the file ended before a zero byte and
// before 63 characters were stored.
bool ReadName(char *p_buffer, CInput &r_in);

// Handlers for chunks whose data nothing needs.
bool IgnoreChunk(TLoader &r_ld, int64_t n_end);
bool Skip2Bytes(TLoader &r_ld, int64_t n_end);
bool Skip3Bytes(TLoader &r_ld, int64_t n_end);
bool Skip4Bytes(TLoader &r_ld, int64_t n_end);

} // namespace bake3ds

#endif
