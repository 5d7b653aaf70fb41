#ifndef BAKE3DS_READER_LOOKUP_H
#define BAKE3DS_READER_LOOKUP_H

#include <vector>

namespace bake3ds {

// The index of the first record, in array order, whose p_s_name equals
// p_s_name exactly (case-sensitive), or -1. Only the n_filled records that
// the fill pass has taken so far are named; the others never match, not even
// an empty name.
template <class TRecord>
int n_FindByName(const std::vector<TRecord> &r_records, int n_filled, const char *p_s_name)
{
    for(size_t i = 0; i < size_t(n_filled) && i < r_records.size(); ++ i) {
        if(r_records[i].p_s_name == p_s_name)
            return int(i);
    }
    return -1;
}

} // namespace bake3ds

#endif
