#ifndef BAKE3DS_API_LOAD_FAILURE_H
#define BAKE3DS_API_LOAD_FAILURE_H

// The library's limits and failure records in the reader's own terms.

#include "bake3ds/bake3ds.h"
#include "reader/load_error.h"
#include "reader/load_options.h"

namespace bake3ds {

TLoadOptions t_LoadOptions(const Limits &r_limits);

// May throw std::bad_alloc.
LoadFailure t_LoadFailure(const TLoadError &r_error);

// Makes *p_failure (where set) the record of a call that could not have
// its memory; its message only where memory for it can be had.
void FailAllocation(LoadFailure *p_failure) noexcept;

} // namespace bake3ds

#endif
