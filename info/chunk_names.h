#ifndef BAKE3DS_INFO_CHUNK_NAMES_H
#define BAKE3DS_INFO_CHUNK_NAMES_H

// What the header makes of each chunk id the chunk table knows, for the
// report on a file: a short name, and whether the header keeps anything of
// it.

#include <cstdint>

namespace bake3ds {

enum TChunkUse {
    use_Kept,      // the header shows something read from it
    use_Structure, // a container: what counts is the chunks inside it
    use_ReadPast   // read (or skipped) and not kept
};

struct TChunkName {
    uint16_t n_id;
    TChunkUse n_use;
    const char *p_s_name;
};

// The entry for a known id; null for an id the chunk table does not know.
const TChunkName *p_FindChunkName(uint16_t n_id);

} // namespace bake3ds

#endif
