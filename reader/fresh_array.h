#ifndef BAKE3DS_READER_FRESH_ARRAY_H
#define BAKE3DS_READER_FRESH_ARRAY_H

// A record array sized for a list about to be read into it.

#include "scene/arena.h"

namespace bake3ds {

// r_records becomes n copies of r_value, as assign does: the array it held
// is replaced, and kept when large enough. A smaller one is given back
// first, so that the arena (scene/arena.h) can hand its room out again when
// it was the last array handed out. May throw std::bad_alloc, leaving
// r_records empty.
template <class TRecord>
void AssignFresh(TRecordArray<TRecord> &r_records, size_t n, const TRecord &r_value)
{
    if(r_records.capacity() < n) {
        TRecordArray<TRecord>(r_records.get_allocator()).swap(r_records);
        r_records.reserve(n);
    }
    // filled first and then overwritten by the reader: measured faster than
    // making each record whole as it is read
    r_records.assign(n, r_value);
}

} // namespace bake3ds

#endif
