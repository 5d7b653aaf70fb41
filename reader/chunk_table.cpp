#include "reader/chunk_table.h"

#include <vector>

#include "reader/handlers.h"

namespace bake3ds {

// Rows in the order of the format's reference table; no id occurs twice.
// Each row also says what the header makes of the chunk and names it, for
// reports on a file. Float colours are kept because lights take theirs;
// inside a material, the background or the ambient light they reach a light
// of the same name only, so those containers count as read past.
const TChunkInfo p_chunk_table[] = {
    {0x0002, false, Skip2Bytes, use_ReadPast, "file version"},
    {0x0010, false, ReadColorF, use_Kept, "colour, float"},
    {0x0011, false, Skip3Bytes, use_ReadPast, "colour, 24-bit"},
    {0x0012, false, Skip3Bytes, use_ReadPast, "colour, 24-bit gamma-corrected"},
    {0x0013, false, ReadColorF, use_Kept, "colour, float gamma-corrected"},
    {0x0030, false, Skip2Bytes, use_ReadPast, "percentage, integer"},
    {0x0031, false, Skip4Bytes, use_ReadPast, "percentage, float"},
    {0x0100, false, Skip4Bytes, use_ReadPast, "master scale"},
    {0xC23D, true, nullptr, use_Structure, "container 0xC23D"},
    {0x3DAA, true, nullptr, use_Structure, "container 0x3DAA"},
    {0x3D3E, false, Skip2Bytes, use_ReadPast, "mesh version"},
    {0x4D4D, true, nullptr, use_Structure, "main"},
    {0x3D3D, true, nullptr, use_Structure, "editor"},
    {0x1200, true, nullptr, use_ReadPast, "background colour"},
    {0x2100, true, nullptr, use_ReadPast, "ambient light"},
    {0x4000, true, ReadNamedObject, use_Kept, "named object"},
    {0x4100, true, ReadTriangleObject, use_Kept, "triangle object"},
    {0x4110, false, ReadVertexList, use_Kept, "vertex list"},
    {0x4111, false, ReadVertexFlags, use_ReadPast, "vertex flags"},
    {0x4120, true, ReadFaceList, use_Kept, "face list"},
    {0x4130, false, ReadMaterialGroup, use_Kept, "material group"},
    {0x4140, false, ReadMappingCoords, use_Kept, "mapping coordinates"},
    {0x4150, false, ReadSmoothingList, use_ReadPast, "smoothing groups"},
    {0x4160, false, ReadLocalMatrix, use_Kept, "local matrix"},
    {0x4165, false, IgnoreChunk, use_ReadPast, "mesh colour"},
    {0x4170, false, IgnoreChunk, use_ReadPast, "mapping parameters"},
    {0x4190, false, nullptr, use_ReadPast, "mesh chunk 0x4190"},
    {0x4600, true, ReadLight, use_Kept, "light"},
    {0x4610, false, ReadSpotLight, use_Kept, "spotlight"},
    {0x4700, false, ReadCamera, use_Kept, "camera"},
    {0x4F00, true, nullptr, use_Structure, "container 0x4F00"},
    {0x7001, false, IgnoreChunk, use_ReadPast, "viewport layout"},
    {0x7020, false, IgnoreChunk, use_ReadPast, "viewport data"},
    {0xAFFF, true, nullptr, use_Structure, "material"},
    {0xA000, false, ReadMaterialName, use_Kept, "material name"},
    {0xA010, true, nullptr, use_ReadPast, "material ambient colour"},
    {0xA020, true, nullptr, use_ReadPast, "material diffuse colour"},
    {0xA030, true, nullptr, use_ReadPast, "material highlight colour"},
    {0xA040, true, nullptr, use_ReadPast, "material shininess"},
    {0xA041, true, nullptr, use_ReadPast, "material shininess strength"},
    {0xA050, true, nullptr, use_ReadPast, "material transparency"},
    {0xA052, true, nullptr, use_ReadPast, "material transparency falloff"},
    {0xA053, true, nullptr, use_ReadPast, "material reflection blur"},
    {0xA084, true, nullptr, use_ReadPast, "material self-illumination"},
    {0xA081, false, IgnoreChunk, use_ReadPast, "material two-sided"},
    {0xA083, false, IgnoreChunk, use_ReadPast, "material additive transparency"},
    {0xA085, false, IgnoreChunk, use_ReadPast, "material wireframe"},
    {0xA087, false, Skip4Bytes, use_ReadPast, "material wire thickness"},
    {0xA08C, false, IgnoreChunk, use_ReadPast, "material chunk 0xA08C"},
    {0xA100, false, Skip2Bytes, use_ReadPast, "material shading"},
    {0xA200, true, IgnoreChunk, use_ReadPast, "texture map"},
    {0xA220, true, IgnoreChunk, use_ReadPast, "reflection map"},
    {0xA230, true, IgnoreChunk, use_ReadPast, "bump map"},
    {0xA252, false, Skip2Bytes, use_ReadPast, "map chunk 0xA252"},
    {0xA300, false, ReadMapName, use_ReadPast, "texture map name"},
    {0xA351, false, Skip2Bytes, use_ReadPast, "map tiling"},
    {0xA353, false, Skip4Bytes, use_ReadPast, "map blur"},
    {0xA354, false, Skip4Bytes, use_ReadPast, "map u scale"},
    {0xA356, false, Skip4Bytes, use_ReadPast, "map v scale"},
    {0xA358, false, Skip4Bytes, use_ReadPast, "map u offset"},
    {0xA35A, false, Skip4Bytes, use_ReadPast, "map v offset"},
    {0xA35C, false, Skip4Bytes, use_ReadPast, "map rotation"},
    {0xB000, true, nullptr, use_Structure, "key-frame section"},
    {0xB001, true, nullptr, use_ReadPast, "ambient node"},
    {0xB002, true, ReadObjectNode, use_Kept, "object node"},
    {0xB008, false, ReadSegment, use_ReadPast, "animation segment"},
    {0xB010, false, ReadNodeHeader, use_Kept, "node header"},
    {0xB011, false, nullptr, use_ReadPast, "instance name"},
    {0xB013, false, ReadPivot, use_ReadPast, "pivot"},
    {0xB020, false, ReadPositionTrack, use_Kept, "position track"},
    {0xB025, false, ReadColorTrack, use_ReadPast, "colour track"},
    {0xB021, false, ReadRotationTrack, use_ReadPast, "rotation track"},
    {0xB022, false, ReadScaleTrack, use_ReadPast, "scale track"},
    {0xB026, false, nullptr, use_ReadPast, "morph track"},
    {0xB029, false, nullptr, use_ReadPast, "hide track"},
    {0xB030, false, ReadNodeId, use_Kept, "node id"},
    {0xB003, true, ReadCameraNode, use_Kept, "camera node"},
    {0xB004, true, ReadTargetNode, use_Kept, "camera target node"},
    {0xB005, true, nullptr, use_ReadPast, "light node"},
    {0xB006, true, nullptr, use_ReadPast, "light target node"},
    {0xB007, true, nullptr, use_ReadPast, "spotlight node"},
    {0xB023, false, ReadFovTrack, use_ReadPast, "field-of-view track"},
    {0xB024, false, ReadRollTrack, use_ReadPast, "roll track"},
    {0x4659, false, ReadInnerRange, use_Kept, "light inner range"},
    {0x465A, false, ReadOuterRange, use_Kept, "light outer range"},
    {0x465B, false, ReadMultiplier, use_Kept, "light multiplier"},
    {0x4620, false, ReadLightOff, use_Kept, "light off"},
    {0x4627, false, ReadCastShadows, use_Kept, "light casts shadows"},
};

const int n_chunk_table_size = int(sizeof(p_chunk_table) / sizeof(p_chunk_table[0]));

int FindChunkIndex(uint16_t n_id)
{
    // every chunk the walker visits is looked up: one row number (plus one)
    // per possible id, built once from the table, answers in constant time
    static const std::vector<uint8_t> p_row_of_id = [] {
        std::vector<uint8_t> p_rows(65536, 0);
        for(int i = n_chunk_table_size - 1; i >= 0; --i)
            p_rows[p_chunk_table[i].n_chunk_id] = uint8_t(i + 1);
        return p_rows;
    }();
    return int(p_row_of_id[n_id]) - 1;
}

const TChunkInfo *FindChunkInfo(uint16_t n_id)
{
    int n_row = FindChunkIndex(n_id);
    return n_row < 0 ? nullptr : &p_chunk_table[n_row];
}

} // namespace bake3ds
