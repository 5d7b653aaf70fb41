#ifndef BAKE3DS_PLATFORM_LARGE_BLOCK_H
#define BAKE3DS_PLATFORM_LARGE_BLOCK_H

// Memory for the few large arrays of a run: the input's bytes and a large
// mesh's records, most of the memory a run touches, all of it fresh.

#include <cstddef>
#include <new>

namespace bake3ds {

// From this size on, an array is worth a large block; below it, operator
// new serves it as usual.
inline constexpr size_t n_large_block_bytes = size_t(1) << 20;

// A block of n bytes for one large array about to be written in full,
// straight from the system: on Linux in whole 2 MiB pages where the kernel
// gives them, and asked for at once, which on a virtual machine costs a
// fraction of faulting in small pages one at a time; elsewhere, and under
// the address sanitizer (which then sees overflows), from malloc. Its bytes
// are not set. Returns nullptr when the memory cannot be had.
void *AllocateLarge(size_t n);

// Gives back a block AllocateLarge(n) returned, with the same n.
void FreeLarge(void *p, size_t n);

// n bytes for an array: a large block from n_large_block_bytes on, operator
// new below. Throws std::bad_alloc when the memory cannot be had.
inline void *AllocateArray(size_t n)
{
    if(n < n_large_block_bytes)
        return ::operator new(n);
    void *p = AllocateLarge(n);
    if(!p)
        throw std::bad_alloc();
    return p;
}

// Gives back an array AllocateArray(n) returned, with the same n.
inline void FreeArray(void *p, size_t n) noexcept
{
    if(n < n_large_block_bytes)
        ::operator delete(p);
    else
        FreeLarge(p, n);
}

} // namespace bake3ds

#endif
