#ifndef BAKE3DS_PLATFORM_FILE_BYTES_H
#define BAKE3DS_PLATFORM_FILE_BYTES_H

// The bytes of a file read whole. Its memory is not zero-filled: a read
// overwrites it at once, and only the bytes read are ever shown.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/large_block.h"

namespace bake3ds {

class CFileBytes {
public:
    CFileBytes() = default;
    CFileBytes(const CFileBytes &) = delete;
    CFileBytes &operator=(const CFileBytes &) = delete;
    ~CFileBytes() { Release(); }

    const uint8_t *Data() const { return m_p_data; }
    size_t Size() const { return m_n_size; }

    // Empties it and makes room for n bytes, the file's size plus one, so
    // that the end of a file that keeps its size shows without growing. May
    // throw std::bad_alloc.
    void Expect(size_t n)
    {
        uint8_t *p = Allocate(n);
        Release();
        m_p_data = p;
        m_n_capacity = n;
        m_n_size = 0;
    }

    // Where the next bytes read go, and how many fit there (at least one):
    // when full, the file grew while read, and the room grows by half. May
    // throw std::bad_alloc, leaving the bytes held as they were.
    uint8_t *Room(size_t &r_n_room)
    {
        if(m_n_size == m_n_capacity) {
            size_t n_capacity = m_n_size + 65536 + m_n_size / 2;
            uint8_t *p_grown = Allocate(n_capacity);
            if(m_n_size)
                std::memcpy(p_grown, m_p_data, m_n_size);
            Release();
            m_p_data = p_grown;
            m_n_capacity = n_capacity;
        }
        r_n_room = m_n_capacity - m_n_size;
        return m_p_data + m_n_size;
    }

    // The n bytes at Room were read.
    void Add(size_t n) { m_n_size += n; }

private:
    static uint8_t *Allocate(size_t n) { return static_cast<uint8_t *>(AllocateArray(n)); }

    void Release()
    {
        FreeArray(m_p_data, m_n_capacity);
        m_p_data = nullptr;
        m_n_capacity = 0;
    }

    uint8_t *m_p_data = nullptr;
    size_t m_n_capacity = 0;
    size_t m_n_size = 0;
};

} // namespace bake3ds

#endif
