#ifndef BAKE3DS_READER_HANDLERS_H
#define BAKE3DS_READER_HANDLERS_H

// Every chunk handler has one form: it is given the loader, with the input
// right after the chunk header, and the chunk's end; it returns 0 to go on
// and anything else to stop the load. A handler reads the same bytes in
// both passes; only the fill pass touches records.

#include "reader/chunk_walker.h"

namespace bake3ds {

// mesh chunks
int ReadNamedObject(TLoader &r_ld, int64_t n_end);
int ReadTriangleObject(TLoader &r_ld, int64_t n_end);
int ReadVertexList(TLoader &r_ld, int64_t n_end);
int ReadVertexFlags(TLoader &r_ld, int64_t n_end);
int ReadFaceList(TLoader &r_ld, int64_t n_end);
int ReadMaterialGroup(TLoader &r_ld, int64_t n_end);
int ReadMappingCoords(TLoader &r_ld, int64_t n_end);
int ReadSmoothingList(TLoader &r_ld, int64_t n_end);
int ReadLocalMatrix(TLoader &r_ld, int64_t n_end);

// light, camera and material chunks
int ReadLight(TLoader &r_ld, int64_t n_end);
int ReadSpotLight(TLoader &r_ld, int64_t n_end);
int ReadLightOff(TLoader &r_ld, int64_t n_end);
int ReadCastShadows(TLoader &r_ld, int64_t n_end);
int ReadInnerRange(TLoader &r_ld, int64_t n_end);
int ReadOuterRange(TLoader &r_ld, int64_t n_end);
int ReadMultiplier(TLoader &r_ld, int64_t n_end);
int ReadColorF(TLoader &r_ld, int64_t n_end);
int ReadCamera(TLoader &r_ld, int64_t n_end);
int ReadMaterialName(TLoader &r_ld, int64_t n_end);
int ReadMapName(TLoader &r_ld, int64_t n_end);

// key-frame nodes and tracks
int ReadObjectNode(TLoader &r_ld, int64_t n_end);
int ReadCameraNode(TLoader &r_ld, int64_t n_end);
int ReadTargetNode(TLoader &r_ld, int64_t n_end);
int ReadNodeId(TLoader &r_ld, int64_t n_end);
int ReadNodeHeader(TLoader &r_ld, int64_t n_end);
int ReadSegment(TLoader &r_ld, int64_t n_end);
int ReadPivot(TLoader &r_ld, int64_t n_end);
int ReadPositionTrack(TLoader &r_ld, int64_t n_end);
int ReadRotationTrack(TLoader &r_ld, int64_t n_end);
int ReadScaleTrack(TLoader &r_ld, int64_t n_end);
int ReadFovTrack(TLoader &r_ld, int64_t n_end);
int ReadRollTrack(TLoader &r_ld, int64_t n_end);
int ReadColorTrack(TLoader &r_ld, int64_t n_end);

} // namespace bake3ds

#endif
