#include "reader/chunk_walker.h"

#include "reader/chunk_stats.h"
#include "reader/chunk_table.h"

namespace bake3ds {

bool WalkChunks(TLoader &r_ld, int64_t n_end)
{
    CInput &r_in = r_ld.t_in;
    std::vector<int64_t> &r_ends = r_ld.p_walk_end;
    r_ends.assign(1, n_end);
    while(!r_ends.empty()) {
        int n_level = int(r_ends.size());
        int64_t n_walk_end = r_ends.back();
        int64_t n_start = r_in.Pos();
        uint8_t p_header[6];
        // a walk ends at its end, or where the file ends inside a chunk
        // header; the enclosing walk goes on after the chunk it was in
        bool b_ends = n_start >= n_walk_end;
        if(!b_ends) {
            if(!r_ld.Spend(1))
                return r_ld.FailWork(n_level, n_start);
            b_ends = r_in.Read(p_header, 6) < 6;
        }
        if(b_ends) {
            r_ends.pop_back();
            r_in.Seek(n_walk_end);
            continue;
        }
        uint16_t n_id = uint16_t(p_header[0] | p_header[1] << 8);
        uint32_t n_length = uint32_t(p_header[2]) | uint32_t(p_header[3]) << 8 | uint32_t(p_header[4]) << 16 |
            uint32_t(p_header[5]) << 24;
        if(n_length == 0)
            return r_ld.FailAt(BAKE3DS_RULE_ZERO_LENGTH_CHUNK, n_level, n_id, n_start);
        int64_t n_chunk_end = n_start + int64_t(n_length);
        const TChunkInfo *p_info = FindChunkInfo(n_id);
        if(r_ld.p_stats && r_ld.b_counting)
            r_ld.p_stats->Meet(n_id, n_start, p_info != nullptr);
        if(p_info) {
            if(r_ld.p_error || r_ld.p_stats)
                r_ld.Enter(n_level, n_id, n_start);
            if(p_info->p_handler) {
                r_ld.n_walk_level = n_level;
                if(!p_info->p_handler(r_ld, n_chunk_end))
                    return false;
            }
            if(p_info->b_has_children) {
                // checked before the position, so that a deep enough
                // nesting fails even where the walk would find nothing
                if(n_level + 1 >= r_ld.n_walk_level_limit)
                    return r_ld.FailNesting(n_level + 1);
                r_ends.push_back(n_chunk_end);
                continue;
            }
        }
        r_in.Seek(n_chunk_end);
    }
    return true;
}

bool ReadName(char *p_buffer, CInput &r_in)
{
    int n_stored = 0;
    int n_byte = r_in.Byte();
    while(n_byte > 0 && n_stored < 63) {
        p_buffer[n_stored++] = char(n_byte);
        n_byte = r_in.Byte();
    }
    p_buffer[n_stored] = 0;
    return n_stored == 63 || n_byte >= 0;
}

bool IgnoreChunk(TLoader &, int64_t)
{
    return true;
}

// The skip handlers stand only in rows without sub-chunks, where the walker
// repositions the stream afterwards; what they read cannot matter.
bool Skip2Bytes(TLoader &r_ld, int64_t)
{
    r_ld.t_in.Skip(2);
    return true;
}

bool Skip3Bytes(TLoader &r_ld, int64_t)
{
    r_ld.t_in.Skip(3);
    return true;
}

bool Skip4Bytes(TLoader &r_ld, int64_t)
{
    r_ld.t_in.Skip(4);
    return true;
}

} // namespace bake3ds
