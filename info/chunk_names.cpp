#include "info/chunk_names.h"

namespace bake3ds {

namespace {

// One entry per row of the chunk table. Float colours are kept because
// lights take theirs; inside a material, the background or the ambient
// light they reach a light of the same name only, so those containers count
// as read past.
const TChunkName p_names[] = {
    {0x0002, use_ReadPast, "file version"},
    {0x0010, use_Kept, "colour, float"},
    {0x0011, use_ReadPast, "colour, 24-bit"},
    {0x0012, use_ReadPast, "colour, 24-bit gamma-corrected"},
    {0x0013, use_Kept, "colour, float gamma-corrected"},
    {0x0030, use_ReadPast, "percentage, integer"},
    {0x0031, use_ReadPast, "percentage, float"},
    {0x0100, use_ReadPast, "master scale"},
    {0xC23D, use_Structure, "container 0xC23D"},
    {0x3DAA, use_Structure, "container 0x3DAA"},
    {0x3D3E, use_ReadPast, "mesh version"},
    {0x4D4D, use_Structure, "main"},
    {0x3D3D, use_Structure, "editor"},
    {0x1200, use_ReadPast, "background colour"},
    {0x2100, use_ReadPast, "ambient light"},
    {0x4000, use_Kept, "named object"},
    {0x4100, use_Kept, "triangle object"},
    {0x4110, use_Kept, "vertex list"},
    {0x4111, use_ReadPast, "vertex flags"},
    {0x4120, use_Kept, "face list"},
    {0x4130, use_Kept, "material group"},
    {0x4140, use_Kept, "mapping coordinates"},
    {0x4150, use_ReadPast, "smoothing groups"},
    {0x4160, use_Kept, "local matrix"},
    {0x4165, use_ReadPast, "mesh colour"},
    {0x4170, use_ReadPast, "mapping parameters"},
    {0x4190, use_ReadPast, "mesh chunk 0x4190"},
    {0x4600, use_Kept, "light"},
    {0x4610, use_Kept, "spotlight"},
    {0x4700, use_Kept, "camera"},
    {0x4F00, use_Structure, "container 0x4F00"},
    {0x7001, use_ReadPast, "viewport layout"},
    {0x7020, use_ReadPast, "viewport data"},
    {0xAFFF, use_Structure, "material"},
    {0xA000, use_Kept, "material name"},
    {0xA010, use_ReadPast, "material ambient colour"},
    {0xA020, use_ReadPast, "material diffuse colour"},
    {0xA030, use_ReadPast, "material highlight colour"},
    {0xA040, use_ReadPast, "material shininess"},
    {0xA041, use_ReadPast, "material shininess strength"},
    {0xA050, use_ReadPast, "material transparency"},
    {0xA052, use_ReadPast, "material transparency falloff"},
    {0xA053, use_ReadPast, "material reflection blur"},
    {0xA084, use_ReadPast, "material self-illumination"},
    {0xA081, use_ReadPast, "material two-sided"},
    {0xA083, use_ReadPast, "material additive transparency"},
    {0xA085, use_ReadPast, "material wireframe"},
    {0xA087, use_ReadPast, "material wire thickness"},
    {0xA08C, use_ReadPast, "material chunk 0xA08C"},
    {0xA100, use_ReadPast, "material shading"},
    {0xA200, use_ReadPast, "texture map"},
    {0xA220, use_ReadPast, "reflection map"},
    {0xA230, use_ReadPast, "bump map"},
    {0xA252, use_ReadPast, "map chunk 0xA252"},
    {0xA300, use_ReadPast, "texture map name"},
    {0xA351, use_ReadPast, "map tiling"},
    {0xA353, use_ReadPast, "map blur"},
    {0xA354, use_ReadPast, "map u scale"},
    {0xA356, use_ReadPast, "map v scale"},
    {0xA358, use_ReadPast, "map u offset"},
    {0xA35A, use_ReadPast, "map v offset"},
    {0xA35C, use_ReadPast, "map rotation"},
    {0xB000, use_Structure, "key-frame section"},
    {0xB001, use_ReadPast, "ambient node"},
    {0xB002, use_Kept, "object node"},
    {0xB008, use_ReadPast, "animation segment"},
    {0xB010, use_Kept, "node header"},
    {0xB011, use_ReadPast, "instance name"},
    {0xB013, use_ReadPast, "pivot"},
    {0xB020, use_Kept, "position track"},
    {0xB025, use_ReadPast, "colour track"},
    {0xB021, use_ReadPast, "rotation track"},
    {0xB022, use_ReadPast, "scale track"},
    {0xB026, use_ReadPast, "morph track"},
    {0xB029, use_ReadPast, "hide track"},
    {0xB030, use_Kept, "node id"},
    {0xB003, use_Kept, "camera node"},
    {0xB004, use_Kept, "camera target node"},
    {0xB005, use_ReadPast, "light node"},
    {0xB006, use_ReadPast, "light target node"},
    {0xB007, use_ReadPast, "spotlight node"},
    {0xB023, use_ReadPast, "field-of-view track"},
    {0xB024, use_ReadPast, "roll track"},
    {0x4659, use_Kept, "light inner range"},
    {0x465A, use_Kept, "light outer range"},
    {0x465B, use_Kept, "light multiplier"},
    {0x4620, use_Kept, "light off"},
    {0x4627, use_Kept, "light casts shadows"},
};

} // namespace

const TChunkName *p_FindChunkName(uint16_t n_id)
{
    for(const TChunkName &r_name : p_names) {
        if(r_name.n_id == n_id)
            return &r_name;
    }
    return nullptr;
}

} // namespace bake3ds
