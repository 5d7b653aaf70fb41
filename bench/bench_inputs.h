#ifndef BAKE3DS_BENCH_INPUTS_H
#define BAKE3DS_BENCH_INPUTS_H

#include "fixture/chunk_builder.h"

namespace bench {

// A mesh of 65535 vertices and 65535 faces on a cylinder whose seam column
// repeats the first column's positions, faces in three materials.
fixture::TBytes LargeGrid();

// A closed sphere of 24,002 vertices and 48,000 faces.
fixture::TBytes Sphere();

// 200 small meshes, four lights and three cameras with animated tracks.
fixture::TBytes BusyScene();

} // namespace bench

#endif
