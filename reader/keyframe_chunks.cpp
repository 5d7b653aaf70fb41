// Handlers of the key-frame section. A node header is matched to a mesh or
// a camera by name; which lookup it makes depends on the node kind, set by
// the three node chunks that have handlers and carried over from node to
// node, and from the counting pass into the fill pass. Only the position
// tracks of camera and camera target nodes are kept.

#include "reader/handlers.h"

namespace bake3ds {

namespace {

// Sets the node kind; the walker then walks the node's sub-chunks.
bool ReadNode(TLoader &r_ld, TNodeKind n_kind)
{
    r_ld.n_node_kind = n_kind;
    return true;
}

// Reads the 14-byte track header and yields its key count.
int ReadTrackHeader(CInput &r_in)
{
    r_in.Skip(10);
    int n_key_num = r_in.U16();
    r_in.Skip(2);
    return n_key_num;
}

// Reads one key header, with the 4-byte value that each of the flag bits
// 0, 1 and 2 announces, and yields the frame number.
int ReadKeyHeader(CInput &r_in)
{
    int n_frame = r_in.U16();
    r_in.Skip(2);
    int n_flags = r_in.U16();
    for(int n_bit = 0; n_bit < 3; ++n_bit) {
        if(n_flags & (1 << n_bit))
            r_in.Skip(4);
    }
    return n_frame;
}

// Reads a track whose keys are dropped, each key a header and n_payload
// bytes. Keys are read up to the chunk's end only: the walker repositions
// the stream there afterwards, so reading on could change nothing.
bool ReadDroppedTrack(TLoader &r_ld, int64_t n_end, int n_payload)
{
    CInput &r_in = r_ld.t_in;
    int n_key_num = ReadTrackHeader(r_in);
    for(int k = 0; k < n_key_num && r_in.Pos() < n_end; ++k) {
        if(!r_ld.Work(1))
            return false;
        ReadKeyHeader(r_in);
        r_in.Skip(n_payload);
    }
    return true;
}

// The camera track that a position track of the current node fills, or null
// when it is dropped: in the counting pass, outside camera and camera target
// nodes, and while the track target is no camera index.
TTrack *ReceivingTrack(TLoader &r_ld)
{
    if(r_ld.b_counting)
        return nullptr;
    if(r_ld.n_node_kind != node_Camera && r_ld.n_node_kind != node_Target)
        return nullptr;
    C3dsScene &r_scene = *r_ld.p_scene;
    if(r_ld.n_track_target < 0 || r_ld.n_track_target >= r_scene.n_camera_num)
        return nullptr;
    TSceneCamera &r_camera = r_scene.p_camera[size_t(r_ld.n_track_target)];
    return r_ld.n_node_kind == node_Camera ? &r_camera.t_position : &r_camera.t_target;
}

} // namespace

bool ReadObjectNode(TLoader &r_ld, int64_t)
{
    return ReadNode(r_ld, node_Object);
}

bool ReadCameraNode(TLoader &r_ld, int64_t)
{
    return ReadNode(r_ld, node_Camera);
}

bool ReadTargetNode(TLoader &r_ld, int64_t)
{
    return ReadNode(r_ld, node_Target);
}

// The node id stays until the next node id chunk, in either pass.
bool ReadNodeId(TLoader &r_ld, int64_t)
{
    r_ld.n_node_id = r_ld.t_in.U16();
    return true;
}

// Reads the node name, two flag words and the parent. In the fill pass, in
// the node_Object kind, the mesh of that name gets the node id and the
// parent, and the kind becomes node_ObjectHeaderRead; in any other kind the
// camera of that name becomes the track target. Fails when the name is cut
// off by the end of the file.
bool ReadNodeHeader(TLoader &r_ld, int64_t)
{
    CInput &r_in = r_ld.t_in;
    if(!ReadName(r_ld.s_node_name, r_in))
        return r_ld.FailName(r_ld.s_node_name);
    r_in.Skip(4); // flags
    int n_parent = r_in.U16();
    if(r_ld.b_counting)
        return true;
    C3dsScene &r_scene = *r_ld.p_scene;
    if(r_ld.n_node_kind == node_Object) {
        r_ld.n_track_target = r_ld.t_mesh_names.Find(r_ld.s_node_name);
        if(r_ld.n_track_target >= 0) {
            TMesh &r_mesh = r_scene.p_object[size_t(r_ld.n_track_target)];
            r_mesh.n_id = r_ld.n_node_id;
            r_mesh.n_parent = n_parent;
        }
        r_ld.n_node_kind = node_ObjectHeaderRead;
    } else
        r_ld.n_track_target = r_ld.t_camera_names.Find(r_ld.s_node_name);
    return true;
}

// The animation segment and the pivot are not kept; the walker skips their
// data.
bool ReadSegment(TLoader &, int64_t)
{
    return true;
}

bool ReadPivot(TLoader &, int64_t)
{
    return true;
}

// Reads a position track. In a camera or camera target node whose track
// target is a camera, it replaces that camera's position or target track:
// per key the frame as a float and the file's x, z, y. Fails when the
// track's arrays may not be held.
bool ReadPositionTrack(TLoader &r_ld, int64_t n_end)
{
    TTrack *p_track = ReceivingTrack(r_ld);
    if(!p_track)
        return ReadDroppedTrack(r_ld, n_end, 12);
    CInput &r_in = r_ld.t_in;
    int n_key_num = ReadTrackHeader(r_in);
    if(!r_ld.Reserve(p_track->n_key_num, n_key_num) || !r_ld.Work(n_key_num))
        return false;
    p_track->n_key_num = n_key_num;
    for(std::vector<float> *p_array : {&p_track->p_time, &p_track->p_x, &p_track->p_y, &p_track->p_z})
        p_array->assign(size_t(n_key_num), 0.0f);
    r_ld.n_key_counter = 0;
    for(int k = 0; k < n_key_num; ++k) {
        float f_time = float(ReadKeyHeader(r_in));
        float p_xyz[3];
        r_in.ReadFloats(p_xyz, 3);
        size_t n_key = size_t(r_ld.n_key_counter++);
        p_track->p_time[n_key] = f_time;
        p_track->p_x[n_key] = p_xyz[0];
        p_track->p_y[n_key] = p_xyz[2];
        p_track->p_z[n_key] = p_xyz[1];
    }
    return true;
}

bool ReadRotationTrack(TLoader &r_ld, int64_t n_end)
{
    return ReadDroppedTrack(r_ld, n_end, 16);
}

bool ReadScaleTrack(TLoader &r_ld, int64_t n_end)
{
    return ReadDroppedTrack(r_ld, n_end, 4);
}

bool ReadFovTrack(TLoader &r_ld, int64_t n_end)
{
    return ReadDroppedTrack(r_ld, n_end, 4);
}

bool ReadRollTrack(TLoader &r_ld, int64_t n_end)
{
    return ReadDroppedTrack(r_ld, n_end, 4);
}

bool ReadColorTrack(TLoader &r_ld, int64_t n_end)
{
    return ReadDroppedTrack(r_ld, n_end, 12);
}

} // namespace bake3ds
