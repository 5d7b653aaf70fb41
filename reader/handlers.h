#ifndef BAKE3DS_READER_HANDLERS_H
#define BAKE3DS_READER_HANDLERS_H

// Every chunk handler has one form: it is given the loader, with the input
// right after the chunk header, and the chunk's end; it returns 0 to go on
// and anything else to stop the load. A handler reads the same bytes in
// both passes; only the fill pass touches records.

#include "reader/chunk_walker.h"

namespace bake3ds {

// mesh chunks
bool ReadNamedObject(TLoader &r_ld, int64_t n_end);
bool ReadTriangleObject(TLoader &r_ld, int64_t n_end);
bool ReadVertexList(TLoader &r_ld, int64_t n_end);
bool ReadVertexFlags(TLoader &r_ld, int64_t n_end);
bool ReadFaceList(TLoader &r_ld, int64_t n_end);
bool ReadMaterialGroup(TLoader &r_ld, int64_t n_end);
bool ReadMappingCoords(TLoader &r_ld, int64_t n_end);
bool ReadSmoothingList(TLoader &r_ld, int64_t n_end);
bool ReadLocalMatrix(TLoader &r_ld, int64_t n_end);

// light, camera and material chunks
bool ReadLight(TLoader &r_ld, int64_t n_end);
bool ReadSpotLight(TLoader &r_ld, int64_t n_end);
bool ReadLightOff(TLoader &r_ld, int64_t n_end);
bool ReadCastShadows(TLoader &r_ld, int64_t n_end);
bool ReadInnerRange(TLoader &r_ld, int64_t n_end);
bool ReadOuterRange(TLoader &r_ld, int64_t n_end);
bool ReadMultiplier(TLoader &r_ld, int64_t n_end);
bool ReadColorF(TLoader &r_ld, int64_t n_end);
bool ReadCamera(TLoader &r_ld, int64_t n_end);
bool ReadMaterialName(TLoader &r_ld, int64_t n_end);
bool ReadMapName(TLoader &r_ld, int64_t n_end);

// key-frame nodes and tracks
bool ReadObjectNode(TLoader &r_ld, int64_t n_end);
bool ReadCameraNode(TLoader &r_ld, int64_t n_end);
bool ReadTargetNode(TLoader &r_ld, int64_t n_end);
bool ReadNodeId(TLoader &r_ld, int64_t n_end);
bool ReadNodeHeader(TLoader &r_ld, int64_t n_end);
bool ReadSegment(TLoader &r_ld, int64_t n_end);
bool ReadPivot(TLoader &r_ld, int64_t n_end);
bool ReadPositionTrack(TLoader &r_ld, int64_t n_end);
bool ReadRotationTrack(TLoader &r_ld, int64_t n_end);
bool ReadScaleTrack(TLoader &r_ld, int64_t n_end);
bool ReadFovTrack(TLoader &r_ld, int64_t n_end);
bool ReadRollTrack(TLoader &r_ld, int64_t n_end);
bool ReadColorTrack(TLoader &r_ld, int64_t n_end);

} // namespace bake3ds

#endif
