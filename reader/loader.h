#ifndef BAKE3DS_READER_LOADER_H
#define BAKE3DS_READER_LOADER_H

#include <cstddef>
#include <cstdint>

#include "bake3ds/bake3ds.h"
#include "scene/scene.h"

namespace bake3ds {

struct TChunkStats;

// Reads the n_size bytes at p_data (null when n_size is 0; not kept) into
// r_scene, a scene as constructed, in two passes: a counting walk sizes the
// record arrays and the arena, a fill walk over the same bytes fills them
// in file order. The load stays within r_options' limits (resolved:
// ResolvedOptions); a file that would need more fails it. True when the
// file was read completely and every corner is in range; false otherwise,
// with the check that failed and where in *p_failure where it is set (which
// a load that succeeds leaves holding no failure and the size). r_scene
// then holds whatever the steps that ran left in it; the normals and the
// face order are the geometry's to add. Chunks the counting walk visits are
// tallied into *p_stats where it is set. Memory that runs out fails the
// load as allocation_failed at the chunk being read; nothing is thrown.
bool ReadScene(C3dsScene &r_scene, const uint8_t *p_data, size_t n_size, const bake3ds_options &r_options,
    bake3ds_failure *p_failure = nullptr, TChunkStats *p_stats = nullptr) noexcept;

} // namespace bake3ds

#endif
