#ifndef BAKE3DS_TESTS_SUPPORT_REPLACED_NEW_H
#define BAKE3DS_TESTS_SUPPORT_REPLACED_NEW_H

// Counting, and failing on purpose, the allocations of a program that links
// replaced_new.cpp: it replaces operator new and delete (every form), which
// holds for the whole program, so only a program of its own may link it.

namespace testing_support {

// Starts a count of the allocations from zero, the n_fail_at-th of them
// failing as allocations fail (counted from 1; 0 fails none).
void StartCountingAllocations(long n_fail_at = 0);

// Ends the count; the allocations it counted.
long StopCountingAllocations();

// While the function returns true, an allocation is neither counted nor
// failed: a stand-in's own bookkeeping, which is not the code under test.
// Null leaves none out.
void LeaveOutAllocationsWhile(bool (*p_b_LeaveOut)());

} // namespace testing_support

#endif
