#include "reader/chunk_table.h"

#include <vector>

#include "reader/handlers.h"

namespace bake3ds {

// Rows in the order of the format's reference table; no id occurs twice.
const TChunkInfo p_chunk_table[] = {
    {0x0002, 0, Skip2Bytes},
    {0x0010, 0, ReadColorF},
    {0x0011, 0, Skip3Bytes},
    {0x0012, 0, Skip3Bytes},
    {0x0013, 0, ReadColorF},
    {0x0030, 0, Skip2Bytes},
    {0x0031, 0, Skip4Bytes},
    {0x0100, 0, Skip4Bytes},
    {0xC23D, 1, nullptr},
    {0x3DAA, 1, nullptr},
    {0x3D3E, 0, Skip2Bytes},
    {0x4D4D, 1, nullptr},
    {0x3D3D, 1, nullptr},
    {0x1200, 1, nullptr},
    {0x2100, 1, nullptr},
    {0x4000, 1, ReadNamedObject},
    {0x4100, 1, ReadTriangleObject},
    {0x4110, 0, ReadVertexList},
    {0x4111, 0, ReadVertexFlags},
    {0x4120, 1, ReadFaceList},
    {0x4130, 0, ReadMaterialGroup},
    {0x4140, 0, ReadMappingCoords},
    {0x4150, 0, ReadSmoothingList},
    {0x4160, 0, ReadLocalMatrix},
    {0x4165, 0, IgnoreChunk},
    {0x4170, 0, IgnoreChunk},
    {0x4190, 0, nullptr},
    {0x4600, 1, ReadLight},
    {0x4610, 0, ReadSpotLight},
    {0x4700, 0, ReadCamera},
    {0x4F00, 1, nullptr},
    {0x7001, 0, IgnoreChunk},
    {0x7020, 0, IgnoreChunk},
    {0xAFFF, 1, nullptr},
    {0xA000, 0, ReadMaterialName},
    {0xA010, 1, nullptr},
    {0xA020, 1, nullptr},
    {0xA030, 1, nullptr},
    {0xA040, 1, nullptr},
    {0xA041, 1, nullptr},
    {0xA050, 1, nullptr},
    {0xA052, 1, nullptr},
    {0xA053, 1, nullptr},
    {0xA084, 1, nullptr},
    {0xA081, 0, IgnoreChunk},
    {0xA083, 0, IgnoreChunk},
    {0xA085, 0, IgnoreChunk},
    {0xA087, 0, Skip4Bytes},
    {0xA08C, 0, IgnoreChunk},
    {0xA100, 0, Skip2Bytes},
    {0xA200, 1, IgnoreChunk},
    {0xA220, 1, IgnoreChunk},
    {0xA230, 1, IgnoreChunk},
    {0xA252, 0, Skip2Bytes},
    {0xA300, 0, ReadMapName},
    {0xA351, 0, Skip2Bytes},
    {0xA353, 0, Skip4Bytes},
    {0xA354, 0, Skip4Bytes},
    {0xA356, 0, Skip4Bytes},
    {0xA358, 0, Skip4Bytes},
    {0xA35A, 0, Skip4Bytes},
    {0xA35C, 0, Skip4Bytes},
    {0xB000, 1, nullptr},
    {0xB001, 1, nullptr},
    {0xB002, 1, ReadObjectNode},
    {0xB008, 0, ReadSegment},
    {0xB010, 0, ReadNodeHeader},
    {0xB011, 0, nullptr},
    {0xB013, 0, ReadPivot},
    {0xB020, 0, ReadPositionTrack},
    {0xB025, 0, ReadColorTrack},
    {0xB021, 0, ReadRotationTrack},
    {0xB022, 0, ReadScaleTrack},
    {0xB026, 0, nullptr},
    {0xB029, 0, nullptr},
    {0xB030, 0, ReadNodeId},
    {0xB003, 1, ReadCameraNode},
    {0xB004, 1, ReadTargetNode},
    {0xB005, 1, nullptr},
    {0xB006, 1, nullptr},
    {0xB007, 1, nullptr},
    {0xB023, 0, ReadFovTrack},
    {0xB024, 0, ReadRollTrack},
    {0x4659, 0, ReadInnerRange},
    {0x465A, 0, ReadOuterRange},
    {0x465B, 0, ReadMultiplier},
    {0x4620, 0, ReadLightOff},
    {0x4627, 0, ReadCastShadows},
};

const int n_chunk_table_size = int(sizeof(p_chunk_table) / sizeof(p_chunk_table[0]));

int n_FindChunkInfo(uint16_t n_id)
{
    // every chunk the walker visits is looked up: one row number (plus one)
    // per possible id, built once from the table, answers in constant time
    static const std::vector<uint8_t> row_of_id = [] {
        std::vector<uint8_t> rows(65536, 0);
        for(int i = n_chunk_table_size - 1; i >= 0; -- i)
            rows[p_chunk_table[i].n_chunk_id] = uint8_t(i + 1);
        return rows;
    }();
    return int(row_of_id[n_id]) - 1;
}

const TChunkInfo *p_FindChunkInfo(uint16_t n_id)
{
    int n_row = n_FindChunkInfo(n_id);
    return n_row < 0 ? nullptr : &p_chunk_table[n_row];
}

} // namespace bake3ds
