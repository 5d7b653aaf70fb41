#include "web/warm_up.h"

#include <string>
#include <vector>

#include "fixture/chunk_builder.h"
#include "web/conversion.h"

namespace web {

namespace {

// A grid of n_side by n_side vertices (two triangles a cell) in the plane
// z = f_height, its faces split between two materials, with mapping
// coordinates: the work of a real mesh, loop for loop.
fixture::CChunk Grid(const std::string &r_s_name, int n_side, float f_height)
{
    std::vector<fixture::TPoint> points;
    std::vector<std::array<float, 2>> uvs;
    for(int y = 0; y < n_side; ++y) {
        for(int x = 0; x < n_side; ++x) {
            points.push_back({float(x) * 0.25f, float(y) * 0.5f, f_height + float((x * y) % 7) * 0.125f});
            uvs.push_back({float(x) / float(n_side), float(y) / float(n_side)});
        }
    }
    std::vector<fixture::TTriangle> faces;
    std::vector<uint16_t> first_half, second_half;
    for(int y = 0; y + 1 < n_side; ++y) {
        for(int x = 0; x + 1 < n_side; ++x) {
            uint16_t n = uint16_t(y * n_side + x);
            for(const fixture::TTriangle &r_face : {fixture::TTriangle{n, uint16_t(n + 1), uint16_t(n + n_side)},
                    fixture::TTriangle{uint16_t(n + 1), uint16_t(n + n_side + 1), uint16_t(n + n_side)}}) {
                (y < n_side / 2 ? first_half : second_half).push_back(uint16_t(faces.size()));
                faces.push_back(r_face);
            }
        }
    }
    return fixture::MeshObject(r_s_name, points, faces,
        {fixture::MaterialGroup("stone", first_half), fixture::MaterialGroup("wood", second_half)},
        {fixture::MappingCoords(uvs)});
}

} // namespace

void WarmUp()
{
    // enough meshes and vertices that the conversion's busy functions are
    // optimised by the time it is done, a few tens of milliseconds
    std::vector<fixture::CChunk> chunks = {fixture::Material("stone"), fixture::Material("wood")};
    for(int i = 0; i < 6; ++i)
        chunks.push_back(Grid("grid" + std::to_string(i), 56, float(i)));
    fixture::TBytes bytes = fixture::Scene(chunks).Bytes();
    TConversion t_conversion;
    Convert("warm-up.3ds", bytes.data(), bytes.size(), t_conversion);
}

} // namespace web
