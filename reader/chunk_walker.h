#ifndef BAKE3DS_READER_CHUNK_WALKER_H
#define BAKE3DS_READER_CHUNK_WALKER_H

#include "reader/loader_state.h"

namespace bake3ds {

// Walks the chunks that follow one another from the input's position up to
// n_end, handling each known id through the chunk table, and returns 0 at
// n_end or when the file ends inside a chunk header, -1 for a chunk of
// length 0 or a walk at the load's walk-level limit or deeper, or the first
// non-zero status of a handler or nested walk. The stream is set to each
// chunk's end after it, whatever its handler read.
int ReadChunks(TLoader &r_ld, int64_t n_end, int n_level);

// Reads a zero-terminated name of at most 63 characters into p_buffer,
// always leaving it terminated; consumes at most 64 bytes (63 characters and
// the byte after them). Returns -1 when the file ended before a zero byte and
// before 63 characters were stored, 0 otherwise.
int ReadName(char *p_buffer, CInput &r_in);

// Handlers for chunks whose data nothing needs.
int IgnoreChunk(TLoader &r_ld, int64_t n_end);
int Skip2Bytes(TLoader &r_ld, int64_t n_end);
int Skip3Bytes(TLoader &r_ld, int64_t n_end);
int Skip4Bytes(TLoader &r_ld, int64_t n_end);

} // namespace bake3ds

#endif
