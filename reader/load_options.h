#ifndef BAKE3DS_READER_LOAD_OPTIONS_H
#define BAKE3DS_READER_LOAD_OPTIONS_H

// The limits one load stays within, whatever the input: bake3ds_options,
// whose members left 0 take the defaults below. The converter always loads
// with the defaults; the fuzzer lowers them, so that a few hundred bytes
// cannot claim a million elements and every execution stays cheap.

#include <cstdint>

#include "bake3ds/bake3ds.h"

namespace bake3ds {

// The load may hold this many vertices, faces and track keys in all, plus
// one per four bytes of the file; files whose counts match their chunks
// stay far below it.
inline constexpr int64_t n_default_element_base = 1048576;

// The load may hold this many meshes, lights, cameras and materials in all,
// plus one per six bytes of the file (a record chunk takes six at least).
// Chunks read again, past their parents' ends, could otherwise make a file of
// a few hundred bytes hold millions of records.
inline constexpr int64_t n_default_record_base = 65536;

// The load may do twice the element allowance plus this many times the
// file's size in units of work: a unit is a chunk visited or an element
// (vertex, face, mapping or group entry, track key) read into a record. A
// file whose chunks lie within their parents and whose counts match their
// chunks visits each chunk once a pass and reads each byte once, far below
// it; without the bound, chunks that reach past their parents' ends can have
// the same bytes walked again and again, exponentially often.
inline constexpr int64_t n_default_work_per_byte = 4;

// The walk the loader starts meets the chunks at depth 1; a chunk's
// contents are walked one deeper. The walk keeps its nesting on the heap,
// and this bound keeps that, and a failure's path, small whatever the file
// nests: BAKE3DS_MAX_NESTING, the default and the most.

// The options a caller gave, whole: members the caller's struct does not
// have (its size says which) and members of 0 or below take the defaults,
// a nesting limit above the most takes the most. p_options may be null.
bake3ds_options ResolvedOptions(const bake3ds_options *p_options);

} // namespace bake3ds

#endif
