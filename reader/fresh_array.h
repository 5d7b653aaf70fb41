#ifndef BAKE3DS_READER_FRESH_ARRAY_H
#define BAKE3DS_READER_FRESH_ARRAY_H

// A record array sized for a list about to be read into it, and filled with
// each record written once.

#include "scene/record_allocator.h"

namespace bake3ds {

// r_records becomes the n records r_make() returns, in order, each written
// once: no zero-fill of what is overwritten at once. The array it held is
// replaced, and kept when large enough. May throw std::bad_alloc before
// r_make is called, leaving r_records as it was.
template <class TRecord, class TMake>
void AssignFresh(TRecordArray<TRecord> &r_records, size_t n, TMake r_make)
{
    if(r_records.capacity() < n) {
        TRecordArray<TRecord> fresh;
        fresh.reserve(n);
        r_records.swap(fresh);
    }
    r_records.clear();
    for(size_t i = 0; i < n; ++ i)
        r_records.push_back(r_make());
}

} // namespace bake3ds

#endif
