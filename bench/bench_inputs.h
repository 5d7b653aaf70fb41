#ifndef BAKE3DS_BENCH_BENCH_INPUTS_H
#define BAKE3DS_BENCH_BENCH_INPUTS_H

#include <string>
#include <vector>

#include "fixture/chunk_builder.h"

namespace bench {

// A mesh of 65535 vertices and 65535 faces on a cylinder whose seam column
// repeats the first column's positions, faces in three materials.
fixture::TBytes LargeGrid();

// A closed sphere of 24,002 vertices and 48,000 faces.
fixture::TBytes Sphere();

// 200 small meshes, four lights and three cameras with animated tracks.
fixture::TBytes BusyScene();

// Stands for the 2-3 MB scenes of many textured parts that modellers export.
fixture::TBytes ManyMeshes();

// A fresh folder for a benchmark's files, in the temporary folder, named
// after the prefix and this process.
std::string MakeScratchDir(const std::string &r_s_prefix);

// Writes the bytes to the file at the path.
void WriteBytes(const std::string &r_s_path, const fixture::TBytes &r_bytes);

// One of the scenes above, written as a file.
struct TWrittenInput {
    std::string s_name; // what it is, for a table
    std::string s_path;
};

// The corpus's .3ds files (either case of the ending) below the folder,
// in path order.
std::vector<std::string> CorpusFiles(const std::string &r_s_corpus);

// Writes the four scenes above into the folder as grid.3ds, meshes.3ds,
// sphere.3ds and 200.3ds.
std::vector<TWrittenInput> WriteGeneratedInputs(const std::string &r_s_dir);

} // namespace bench

#endif
