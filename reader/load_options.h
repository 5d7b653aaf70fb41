#ifndef BAKE3DS_READER_LOAD_OPTIONS_H
#define BAKE3DS_READER_LOAD_OPTIONS_H

// The limits one load stays within, whatever the input. The converter always
// loads with the defaults; the fuzzer lowers them, so that a few hundred
// bytes cannot claim a million elements and every execution stays cheap.

#include <cstdint>

namespace bake3ds {

// The walk that the loader starts is level 1; each nested walk is one level
// deeper. A walk at this level or deeper fails at once, which bounds the
// recursion whatever the file nests.
const int n_max_walk_level = 513;

// The load may hold this many vertices, faces and track keys in all, plus
// one per four bytes of the file; files whose counts match their chunks
// stay far below it.
const int64_t n_element_allowance = 1048576;

// The load may hold this many meshes, lights, cameras and materials in all,
// plus one per six bytes of the file (a record chunk takes six at least).
// Chunks read again, past their parents' ends, could otherwise make a file of
// a few hundred bytes hold millions of records.
const int64_t n_record_allowance = 65536;

// The load may do twice the element allowance plus this many times the
// file's size in units of work: a unit is a chunk visited or an element
// (vertex, face, mapping or group entry, track key) read into a record. A
// file whose chunks lie within their parents and whose counts match their
// chunks visits each chunk once a pass and reads each byte once, far below
// it; without the bound, chunks that reach past their parents' ends can have
// the same bytes walked again and again, exponentially often.
const int64_t n_work_factor = 4;

// One load's limits; each defaults to the constant above of the same role.
struct TLoadOptions {
    int64_t n_element_base = n_element_allowance; // elements held: this plus one per four bytes
    int64_t n_record_base = n_record_allowance;   // records counted: this plus one per six bytes
    int64_t n_work_per_byte = n_work_factor;      // work: twice n_element_base plus this per byte
    int n_walk_level_limit = n_max_walk_level;    // a walk at this level or deeper fails
};

} // namespace bake3ds

#endif
