#ifndef BAKE3DS_SCENE_RECORD_ALLOCATOR_H
#define BAKE3DS_SCENE_RECORD_ALLOCATOR_H

// The allocator of the meshes' vertex and face arrays. A large mesh's
// arrays are most of the memory a run touches, all of it fresh: such an
// array comes from the platform's large blocks (whole huge pages, asked for
// at once), anything smaller from operator new as usual.

#include <cstddef>
#include <limits>
#include <new>
#include <vector>

#include "platform/large_block.h"

namespace bake3ds {

template <class T>
struct CRecordAllocator {
    using value_type = T;

    CRecordAllocator() noexcept = default;
    template <class U>
    CRecordAllocator(const CRecordAllocator<U> &) noexcept
    {
    }

    // Throws std::bad_alloc when the memory cannot be had.
    T *allocate(size_t n)
    {
        if(n > std::numeric_limits<size_t>::max() / sizeof(T))
            throw std::bad_alloc();
        return static_cast<T *>(p_AllocateArray(n * sizeof(T)));
    }

    void deallocate(T *p, size_t n) noexcept { FreeArray(p, n * sizeof(T)); }
};

template <class T, class U>
bool operator==(const CRecordAllocator<T> &, const CRecordAllocator<U> &) noexcept
{
    return true;
}

template <class T, class U>
bool operator!=(const CRecordAllocator<T> &, const CRecordAllocator<U> &) noexcept
{
    return false;
}

// A mesh's array of records.
template <class T>
using TRecordArray = std::vector<T, CRecordAllocator<T>>;

} // namespace bake3ds

#endif
