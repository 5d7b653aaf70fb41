#ifndef BAKE3DS_READER_CHUNK_TABLE_H
#define BAKE3DS_READER_CHUNK_TABLE_H

#include <cstdint>

#include "reader/loader_state.h"

namespace bake3ds {

// What the header makes of a chunk.
enum TChunkUse {
    use_Kept,      // the header shows something read from it
    use_Structure, // a container: what counts is the chunks inside it
    use_ReadPast   // read (or skipped) and not kept
};

// One row of the chunk table: for a chunk id, whether the walker walks the
// rest of the chunk as sub-chunks after the handler, and the handler (or
// none); then its use and a short name, for reports. The table is flat: a
// row applies wherever its id occurs.
struct TChunkInfo {
    uint16_t n_chunk_id;
    bool b_has_children;
    THandler p_handler;
    TChunkUse n_use;
    const char *s_name;
};

extern const TChunkInfo p_chunk_table[];
extern const int n_chunk_table_size;

// The index of the row for n_id, or -1 when no row has it.
int FindChunkIndex(uint16_t n_id);

// The row for n_id, or null.
const TChunkInfo *FindChunkInfo(uint16_t n_id);

} // namespace bake3ds

#endif
