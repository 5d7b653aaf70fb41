#ifndef BAKE3DS_READER_CHUNK_STATS_H
#define BAKE3DS_READER_CHUNK_STATS_H

// The chunks a load met, by id, for tools that report on a file: what the
// counting walk visited, each chunk once as it lies in the file (the fill
// walk visits the same chunks again and is not counted). Unknown ids whose
// contents are skipped count once, their contents not at all; a failed load
// keeps what was met up to the failure.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace bake3ds {

struct TChunkTally {
    bool b_known = false;       // the chunk table has a row for the id
    int64_t n_count = 0;        // chunks of the id visited
    int64_t n_first_offset = 0; // the first one's first byte in the file
};

// A map file name as the counting walk read it: the chunk it stands in (the
// kind of map), the material counted last before it, and the name's bytes
// up to its terminator, cut at the end of its chunk.
struct TMapName {
    int n_map_chunk; // the enclosing chunk's id, -1 at the top of the file
    int n_material;  // -1 before any material
    std::string s_name;
    bool b_terminated; // a zero byte ended the name inside its chunk
};

struct TChunkStats {
    std::map<uint16_t, TChunkTally> p_chunks;
    std::vector<TMapName> p_maps;       // in file order
    std::vector<int> p_smoothed_meshes; // meshes, by index, given a smoothing list with a group

    void Meet(uint16_t n_id, int64_t n_offset, bool b_known)
    {
        TChunkTally &r = p_chunks[n_id];
        if(!r.n_count++) {
            r.n_first_offset = n_offset;
            r.b_known = b_known;
        }
    }
};

} // namespace bake3ds

#endif
