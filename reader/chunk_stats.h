#ifndef BAKE3DS_READER_CHUNK_STATS_H
#define BAKE3DS_READER_CHUNK_STATS_H

// The chunks a load met, by id, for tools that report on a file: what the
// counting walk visited, each chunk once as it lies in the file (the fill
// walk visits the same chunks again and is not counted).

#include <cstdint>
#include <map>

#include "reader/load_error.h"
#include "reader/load_options.h"
#include "scene/scene.h"

namespace bake3ds {

struct TChunkTally {
    bool b_known = false;       // the chunk table has a row for the id
    int64_t n_count = 0;        // chunks of the id visited
    int64_t n_first_offset = 0; // the first one's first byte in the file
};

struct TChunkStats {
    std::map<uint16_t, TChunkTally> chunks;

    void Meet(uint16_t n_id, int64_t n_offset, bool b_known)
    {
        TChunkTally &r = chunks[n_id];
        if(!r.n_count++) {
            r.n_first_offset = n_offset;
            r.b_known = b_known;
        }
    }
};

// The loads of C3dsScene::LoadMemory and C3dsScene::Load that also tally
// into r_stats the chunks the counting walk visits (unknown ids whose
// contents are skipped count once, their contents not at all). r_stats
// keeps what was met up to a failure.
int LoadMemoryCounted(C3dsScene &r_scene, const uint8_t *p_data, size_t n_size, const TLoadOptions &r_options,
    TLoadError *p_error, TChunkStats &r_stats);
int LoadCounted(C3dsScene &r_scene, const char *p_s_path, const TLoadOptions &r_options, TLoadError *p_error,
    TChunkStats &r_stats);

} // namespace bake3ds

#endif
