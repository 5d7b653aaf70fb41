#ifndef BAKE3DS_GEOMETRY_VECTOR3_H
#define BAKE3DS_GEOMETRY_VECTOR3_H

// Three single-precision floats. Every operation is plain float arithmetic
// in the order written here: the generated normals depend on it bit for bit.

#include <cfloat>
#include <cmath>

// The arithmetic below is meant to round to float after every operation.
// Excess precision (the x87 unit of 32-bit x86) changes results in the last
// bits and with them the header's normals.
static_assert(FLT_EVAL_METHOD == 0,
    "floats are computed with excess precision (FLT_EVAL_METHOD != 0): on 32-bit x86 "
    "compile with -msse2 -mfpmath=sse (the project's CMakeLists.txt adds them for GCC and Clang)");

namespace bake3ds {

struct TVector3 {
    float x, y, z;

    TVector3() : x(0), y(0), z(0) {}
    TVector3(float f_x, float f_y, float f_z) : x(f_x), y(f_y), z(f_z) {}
    explicit TVector3(const float *p) : x(p[0]), y(p[1]), z(p[2]) {}

    TVector3 operator-(const TVector3 &r) const { return TVector3(x - r.x, y - r.y, z - r.z); }
    void operator+=(const TVector3 &r)
    {
        x += r.x;
        y += r.y;
        z += r.z;
    }
    void Store(float *p) const
    {
        p[0] = x;
        p[1] = y;
        p[2] = z;
    }
};

inline float Length(const TVector3 &v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// Leaves a vector of length exactly 0 unchanged; otherwise multiplies by
// the reciprocal, computed once, rather than dividing three times.
inline void Normalize(TVector3 &v)
{
    float f_len = Length(v);
    if(f_len == 0)
        return;
    float r = 1 / f_len;
    v.x *= r;
    v.y *= r;
    v.z *= r;
}

inline TVector3 Cross(const TVector3 &u, const TVector3 &v)
{
    return TVector3(u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x);
}

} // namespace bake3ds

#endif
