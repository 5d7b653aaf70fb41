#include "replaced_new.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

// atomic: a program may allocate on other threads while a count runs
std::atomic<bool> b_counting(false);
std::atomic<long> n_allocations(0);
std::atomic<long> n_fail_at(0);
std::atomic<bool (*)()> p_b_left_out(nullptr);

// Out of line, in a file of its own, so that the compiler pairs no inlined
// malloc with a delete.
void *Allocate(size_t n_size, size_t n_align, bool b_throw)
{
    bool (*p_b_LeaveOut)() = p_b_left_out;
    if(b_counting && !(p_b_LeaveOut && p_b_LeaveOut()) && ++n_allocations == n_fail_at) {
        if(b_throw)
            throw std::bad_alloc();
        return nullptr;
    }
    if(n_size == 0)
        n_size = 1;
    void *p = n_align > alignof(std::max_align_t)
        ? std::aligned_alloc(n_align, (n_size + n_align - 1) / n_align * n_align)
        : std::malloc(n_size);
    if(!p && b_throw)
        throw std::bad_alloc();
    return p;
}

} // namespace

namespace testing_support {

void StartCountingAllocations(long n_fail)
{
    n_allocations = 0;
    n_fail_at = n_fail;
    b_counting = true;
}

long StopCountingAllocations()
{
    b_counting = false;
    return n_allocations;
}

void LeaveOutAllocationsWhile(bool (*p_b_LeaveOut)())
{
    p_b_left_out = p_b_LeaveOut;
}

} // namespace testing_support

void *operator new(size_t n)
{
    return Allocate(n, 0, true);
}
void *operator new[](size_t n)
{
    return Allocate(n, 0, true);
}
void *operator new(size_t n, const std::nothrow_t &) noexcept
{
    return Allocate(n, 0, false);
}
void *operator new[](size_t n, const std::nothrow_t &) noexcept
{
    return Allocate(n, 0, false);
}
void *operator new(size_t n, std::align_val_t a)
{
    return Allocate(n, size_t(a), true);
}
void *operator new[](size_t n, std::align_val_t a)
{
    return Allocate(n, size_t(a), true);
}
void *operator new(size_t n, std::align_val_t a, const std::nothrow_t &) noexcept
{
    return Allocate(n, size_t(a), false);
}
void *operator new[](size_t n, std::align_val_t a, const std::nothrow_t &) noexcept
{
    return Allocate(n, size_t(a), false);
}
void operator delete(void *p) noexcept
{
    std::free(p);
}
void operator delete[](void *p) noexcept
{
    std::free(p);
}
void operator delete(void *p, size_t) noexcept
{
    std::free(p);
}
void operator delete[](void *p, size_t) noexcept
{
    std::free(p);
}
void operator delete(void *p, const std::nothrow_t &) noexcept
{
    std::free(p);
}
void operator delete[](void *p, const std::nothrow_t &) noexcept
{
    std::free(p);
}
void operator delete(void *p, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete[](void *p, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete(void *p, size_t, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete[](void *p, size_t, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete(void *p, std::align_val_t, const std::nothrow_t &) noexcept
{
    std::free(p);
}
void operator delete[](void *p, std::align_val_t, const std::nothrow_t &) noexcept
{
    std::free(p);
}
