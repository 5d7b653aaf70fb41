#ifndef BAKE3DS_READER_INPUT_H
#define BAKE3DS_READER_INPUT_H

// The bytes of one .3ds file with a read position. The position may be set
// anywhere, also past the end of the file. A value whose bytes lie partly or
// wholly past the end keeps the bytes that exist and takes 0 for the rest,
// so that what a handler stores is always defined.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace bake3ds {

class CInput {
public:
    CInput(const uint8_t *p_data, size_t n_size) : m_p_data(p_data), m_n_size(int64_t(n_size)) {}

    int64_t Size() const { return m_n_size; }
    int64_t Pos() const { return m_n_pos; }
    void Seek(int64_t n_pos) { m_n_pos = n_pos; }
    void Skip(int64_t n_bytes) { m_n_pos += n_bytes; }
    bool AtEnd() const { return m_n_pos >= m_n_size; }

    // Copies n bytes from the position into p_dest, zeros for those past the
    // end, and advances; returns how many bytes existed.
    size_t Read(void *p_dest, size_t n)
    {
        size_t n_avail = 0;
        if(m_n_pos < m_n_size)
            n_avail = size_t(m_n_size - m_n_pos) < n ? size_t(m_n_size - m_n_pos) : n;
        if(n_avail)
            std::memcpy(p_dest, m_p_data + m_n_pos, n_avail);
        if(n_avail < n)
            std::memset(static_cast<uint8_t *>(p_dest) + n_avail, 0, n - n_avail);
        m_n_pos += int64_t(n);
        return n_avail;
    }

    // One byte, or -1 at the end of the file (which does not advance).
    int Byte()
    {
        if(m_n_pos >= m_n_size)
            return -1;
        return m_p_data[m_n_pos++];
    }

    uint16_t U16()
    {
        uint8_t p[2];
        if(m_n_pos >= 0 && m_n_size - m_n_pos >= 2) {
            std::memcpy(p, m_p_data + m_n_pos, 2);
            m_n_pos += 2;
        } else
            Read(p, 2);
        return uint16_t(p[0] | p[1] << 8);
    }

    uint32_t U32()
    {
        uint8_t p[4];
        if(m_n_pos >= 0 && m_n_size - m_n_pos >= 4) {
            std::memcpy(p, m_p_data + m_n_pos, 4);
            m_n_pos += 4;
        } else
            Read(p, 4);
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }

    float F32()
    {
        uint32_t n_bits = U32();
        float f;
        std::memcpy(&f, &n_bits, sizeof(f));
        return f;
    }

    void ReadFloats(float *p_dest, int n)
    {
        for(int i = 0; i < n; ++i)
            p_dest[i] = F32();
    }

private:
    const uint8_t *m_p_data;
    int64_t m_n_size;
    int64_t m_n_pos = 0;
};

} // namespace bake3ds

#endif
