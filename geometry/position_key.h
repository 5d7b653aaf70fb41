#ifndef BAKE3DS_GEOMETRY_POSITION_KEY_H
#define BAKE3DS_GEOMETRY_POSITION_KEY_H

#include <cmath>
#include <cstdint>
#include <cstring>

namespace bake3ds {

// A position as the bits of its three coordinates, -0 folded into 0, so
// that equal bits mean equal floats. Positions with a NaN never get a key.
// The vertex normals group positions by it; its hash only chooses where to
// look, two keys of one hash being told apart by their bits.
struct TPositionKey {
    uint32_t p_bits[3];

    // Fills r_key from the position; false for a position with a NaN.
    static bool Make(const float *p_position, TPositionKey &r_key)
    {
        for(int i = 0; i < 3; ++i) {
            float f = p_position[i];
            if(std::isnan(f))
                return false;
            if(f == 0)
                f = 0; // folds -0
            std::memcpy(&r_key.p_bits[i], &f, sizeof(f));
        }
        return true;
    }

    bool operator==(const TPositionKey &r) const
    {
        return p_bits[0] == r.p_bits[0] && p_bits[1] == r.p_bits[1] && p_bits[2] == r.p_bits[2];
    }

    uint32_t Hash() const
    {
        uint64_t h = p_bits[0] * 0x9E3779B97F4A7C15ull;
        h = (h ^ p_bits[1]) * 0xC2B2AE3D27D4EB4Full;
        h = (h ^ p_bits[2]) * 0x165667B19E3779F9ull;
        return uint32_t(h >> 32);
    }
};

} // namespace bake3ds

#endif
