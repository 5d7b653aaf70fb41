#ifndef BAKE3DS_READER_FRESH_ARRAY_H
#define BAKE3DS_READER_FRESH_ARRAY_H

// A record array sized for a list about to be read into it. The memory of
// a large mesh's arrays is mostly fresh from the system, and asking for its
// pages in one call costs far less than faulting them in one at a time.

#include <vector>

#include "platform/platform.h"

namespace bake3ds {

// r_records becomes n copies of r_value, as assign does: the array it held
// is replaced, and kept when large enough. May throw std::bad_alloc, leaving
// r_records as it was.
template <class TRecord>
void AssignFresh(std::vector<TRecord> &r_records, size_t n, const TRecord &r_value)
{
    if(r_records.capacity() >= n) {
        r_records.assign(n, r_value);
        return;
    }
    std::vector<TRecord> fresh;
    fresh.reserve(n);
    PrefaultForWrite(fresh.data(), n * sizeof(TRecord));
    fresh.assign(n, r_value);
    r_records.swap(fresh);
}

} // namespace bake3ds

#endif
