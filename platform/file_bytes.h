#ifndef BAKE3DS_PLATFORM_FILE_BYTES_H
#define BAKE3DS_PLATFORM_FILE_BYTES_H

// The bytes of a file read whole. Its memory is not zero-filled: a read
// overwrites it at once, and only the bytes read are ever shown.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace bake3ds {

class CFileBytes {
public:
    const uint8_t *p_Data() const { return m_p_data.get(); }
    size_t n_Size() const { return m_n_size; }

    // Empties it and makes room for n bytes, the file's size plus one, so
    // that the end of a file that keeps its size shows without growing. May
    // throw std::bad_alloc.
    void Expect(size_t n)
    {
        m_p_data.reset(new uint8_t[n]);
        m_n_capacity = n;
        m_n_size = 0;
    }

    // Where the next bytes read go, and how many fit there (at least one):
    // when full, the file grew while read, and the room grows by half. May
    // throw std::bad_alloc, leaving the bytes held as they were.
    uint8_t *p_Room(size_t &r_n_room)
    {
        if(m_n_size == m_n_capacity) {
            size_t n_capacity = m_n_size + 65536 + m_n_size / 2;
            std::unique_ptr<uint8_t[]> p_grown(new uint8_t[n_capacity]);
            if(m_n_size)
                std::memcpy(p_grown.get(), m_p_data.get(), m_n_size);
            m_p_data.swap(p_grown);
            m_n_capacity = n_capacity;
        }
        r_n_room = m_n_capacity - m_n_size;
        return m_p_data.get() + m_n_size;
    }

    // The n bytes at p_Room were read.
    void Add(size_t n) { m_n_size += n; }

private:
    std::unique_ptr<uint8_t[]> m_p_data;
    size_t m_n_capacity = 0;
    size_t m_n_size = 0;
};

} // namespace bake3ds

#endif
