#ifndef BAKE3DS_API_NO_THROW_H
#define BAKE3DS_API_NO_THROW_H

#include <new>

namespace bake3ds {

// Runs work, whose only exception is std::bad_alloc, behind the library's
// promise that nothing leaves a call: false when memory ran out.
template <class TWork>
bool b_WithoutThrow(TWork work) noexcept
{
    try {
        work();
        return true;
    } catch(const std::bad_alloc &) {
        return false;
    }
}

} // namespace bake3ds

#endif
