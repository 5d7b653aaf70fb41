#include "reader/chunk_walker.h"

#include "reader/chunk_stats.h"
#include "reader/chunk_table.h"

namespace bake3ds {

int ReadChunks(TLoader &r_ld, int64_t n_end, int n_level)
{
    // checked before the position, so that a deep enough nesting fails
    // even where the walk would find nothing to read
    if(n_level >= r_ld.n_walk_level_limit)
        return r_ld.n_FailNesting(n_level);
    CInput &r_in = r_ld.t_in;
    while(r_in.n_Pos() < n_end) {
        int64_t n_start = r_in.n_Pos();
        if(!r_ld.b_Spend(1))
            return r_ld.n_FailWork(n_level, n_start);
        uint8_t p_header[6];
        if(r_in.n_Read(p_header, 6) < 6)
            return 0; // the file ended inside a chunk header
        uint16_t n_id = uint16_t(p_header[0] | p_header[1] << 8);
        uint32_t n_length = uint32_t(p_header[2]) | uint32_t(p_header[3]) << 8 |
            uint32_t(p_header[4]) << 16 | uint32_t(p_header[5]) << 24;
        if(n_length == 0)
            return r_ld.n_FailAt(rule_ZeroLengthChunk, n_level, n_id, n_start);
        int64_t n_chunk_end = n_start + int64_t(n_length);
        const TChunkInfo *p_info = p_FindChunkInfo(n_id);
        if(r_ld.p_stats && r_ld.b_counting)
            r_ld.p_stats->Meet(n_id, n_start, p_info != nullptr);
        if(p_info) {
            if(r_ld.p_error || r_ld.p_stats)
                r_ld.Enter(n_level, n_id, n_start);
            if(p_info->p_handler) {
                r_ld.n_walk_level = n_level;
                int n_status = p_info->p_handler(r_ld, n_chunk_end);
                if(n_status)
                    return n_status;
            }
            if(p_info->b_has_children) {
                int n_status = ReadChunks(r_ld, n_chunk_end, n_level + 1);
                if(n_status)
                    return n_status;
            }
        }
        r_in.Seek(n_chunk_end);
    }
    return 0;
}

int ReadName(char *p_buffer, CInput &r_in)
{
    int n_stored = 0;
    int n_byte = r_in.n_Byte();
    while(n_byte > 0 && n_stored < 63) {
        p_buffer[n_stored ++] = char(n_byte);
        n_byte = r_in.n_Byte();
    }
    p_buffer[n_stored] = 0;
    if(n_stored == 63)
        return 0;
    return n_byte < 0 ? -1 : 0;
}

int IgnoreChunk(TLoader &, int64_t)
{
    return 0;
}

// The skip handlers stand only in rows without sub-chunks, where the walker
// repositions the stream afterwards; what they read cannot matter.
int Skip2Bytes(TLoader &r_ld, int64_t)
{
    r_ld.t_in.Skip(2);
    return 0;
}

int Skip3Bytes(TLoader &r_ld, int64_t)
{
    r_ld.t_in.Skip(3);
    return 0;
}

int Skip4Bytes(TLoader &r_ld, int64_t)
{
    r_ld.t_in.Skip(4);
    return 0;
}

} // namespace bake3ds
