#ifndef BAKE3DS_SCENE_ARENA_H
#define BAKE3DS_SCENE_ARENA_H

// The memory of one scene's mesh arrays: vertices, faces, face materials and
// material ranges. The load's counting pass learns how much the file's lists
// need; the scene takes that as one block (a large one in whole huge pages,
// asked for at once) and hands its arrays out of it in order, so that a file
// of many meshes costs one allocation and one populating call rather than
// one of each per array. An array that does not fit (a list claiming more
// than its chunk holds, say), and every array of a scene without a block,
// comes from AllocateArray as before. An array given back returns to the
// block only when it was the last handed out; a replaced array's room is
// otherwise left unused until the scene is freed, which the block's size,
// taken from what the chunks hold, bounds.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <type_traits>
#include <vector>

#include "platform/large_block.h"

namespace bake3ds {

class CSceneArena {
public:
    // Arrays are handed out on this boundary.
    static constexpr size_t n_alignment = 16;

    CSceneArena() = default;
    CSceneArena(const CSceneArena &) = delete;
    CSceneArena &operator=(const CSceneArena &) = delete;
    ~CSceneArena()
    {
        if(m_p_block)
            FreeArray(m_p_block, m_n_capacity);
    }

    // Room for n bytes of arrays (each rounded up to n_alignment) in one
    // block, replacing a block that holds no array yet. Throws std::bad_alloc.
    void Reserve(size_t n)
    {
        if(m_n_used || !n)
            return;
        uint8_t *p = static_cast<uint8_t *>(AllocateArray(n));
        if(m_p_block)
            FreeArray(m_p_block, m_n_capacity);
        m_p_block = p;
        m_n_capacity = n;
    }

    // n bytes (n > 0), from the block when they fit there. Throws
    // std::bad_alloc.
    void *Allocate(size_t n)
    {
        size_t n_rounded = Rounded(n);
        if(m_p_block && n_rounded >= n && n_rounded <= m_n_capacity - m_n_used) {
            void *p = m_p_block + m_n_used;
            m_n_used += n_rounded;
            return p;
        }
        return AllocateArray(n);
    }

    // Gives back the n bytes at p, which Allocate(n) returned.
    void Free(void *p, size_t n) noexcept
    {
        uint8_t *p_bytes = static_cast<uint8_t *>(p);
        if(!m_p_block || p_bytes < m_p_block || p_bytes >= m_p_block + m_n_capacity) {
            FreeArray(p, n);
            return;
        }
        if(p_bytes + Rounded(n) == m_p_block + m_n_used)
            m_n_used = size_t(p_bytes - m_p_block);
    }

    // The bytes the block holds, and how many of them arrays use.
    size_t Capacity() const { return m_n_capacity; }
    size_t Used() const { return m_n_used; }

    // n rounded up to the boundary arrays are handed out on; 0 when that
    // would overflow.
    static size_t Rounded(size_t n) { return (n + n_alignment - 1) & ~(n_alignment - 1); }

private:
    uint8_t *m_p_block = nullptr;
    size_t m_n_capacity = 0;
    size_t m_n_used = 0;
};

// The allocator of a scene's mesh arrays: from its arena, or, without one
// (a record made outside a load), straight from AllocateArray.
// The lower-case names are those of the standard allocator's protocol, which
// the containers look for: the naming check is told so at each.
template <class T>
class CArenaAllocator {
public:
    using value_type = T; // NOLINT(readability-identifier-naming)
    // an array moves or swaps with the arena its memory came from
    using propagate_on_container_move_assignment = std::true_type; // NOLINT(readability-identifier-naming)
    using propagate_on_container_swap = std::true_type;            // NOLINT(readability-identifier-naming)

    CArenaAllocator() noexcept = default;
    explicit CArenaAllocator(CSceneArena *p_arena) noexcept : p_arena(p_arena) {}
    template <class U>
    CArenaAllocator(const CArenaAllocator<U> &r_other) noexcept : p_arena(r_other.p_arena)
    {}

    // Throws std::bad_alloc when the memory cannot be had.
    T *allocate(size_t n) // NOLINT(readability-identifier-naming)
    {
        if(n > std::numeric_limits<size_t>::max() / sizeof(T))
            throw std::bad_alloc();
        size_t n_bytes = n * sizeof(T);
        return static_cast<T *>(p_arena ? p_arena->Allocate(n_bytes) : AllocateArray(n_bytes));
    }

    void deallocate(T *p, size_t n) noexcept // NOLINT(readability-identifier-naming)
    {
        if(p_arena)
            p_arena->Free(p, n * sizeof(T));
        else
            FreeArray(p, n * sizeof(T));
    }

    CSceneArena *p_arena = nullptr;
};

template <class T, class U>
bool operator==(const CArenaAllocator<T> &r_a, const CArenaAllocator<U> &r_b) noexcept
{
    return r_a.p_arena == r_b.p_arena;
}

template <class T, class U>
bool operator!=(const CArenaAllocator<T> &r_a, const CArenaAllocator<U> &r_b) noexcept
{
    return r_a.p_arena != r_b.p_arena;
}

// A mesh's array of records.
template <class T>
using TRecordArray = std::vector<T, CArenaAllocator<T>>;

} // namespace bake3ds

#endif
