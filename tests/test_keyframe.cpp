// The key-frame section: node ids and parents of meshes, camera tracks, the
// node kind carried from node to node and from the counting pass into the
// fill pass.

#include <gtest/gtest.h>

#include <memory>

#include "test_support.h"

using namespace bake3ds;
using namespace fixture;
using testing_support::LoadBytes;

namespace {

// A scene of meshes "m0", "m1" and cameras "cam0", "cam1", and then the
// key-frame section with the given nodes.
TBytes SceneWithNodes(std::initializer_list<CChunk> nodes)
{
    CChunk keyframer(id_Keyframer);
    for(const CChunk &r_node : nodes)
        keyframer.Add(r_node);
    return CChunk(id_Main)
        .Add(CChunk(id_Editor)
                 .Add(MeshObject("m0", {}, {}))
                 .Add(MeshObject("m1", {}, {}))
                 .Add(CameraObject("cam0", {0, 0, 0}, {0, 0, 0}, 0, 50))
                 .Add(CameraObject("cam1", {0, 0, 0}, {0, 0, 0}, 0, 50)))
        .Add(keyframer)
        .Bytes();
}

// The scene of the bytes, which must load.
std::unique_ptr<C3dsScene> Load(const TBytes &r_bytes)
{
    std::unique_ptr<C3dsScene> p_scene;
    EXPECT_TRUE(LoadBytes(r_bytes, p_scene));
    return p_scene;
}

void ExpectTrack(const TTrack &r_track, const std::vector<std::array<float, 4>> &keys, const std::string &r_s_what)
{
    ASSERT_EQ(r_track.n_key_num, int(keys.size())) << r_s_what;
    ASSERT_EQ(r_track.p_time.size(), keys.size()) << r_s_what;
    for(size_t k = 0; k < keys.size(); ++k) {
        EXPECT_EQ(r_track.p_time[k], keys[k][0]) << r_s_what << " key " << k;
        EXPECT_EQ(r_track.p_x[k], keys[k][1]) << r_s_what << " key " << k;
        EXPECT_EQ(r_track.p_y[k], keys[k][2]) << r_s_what << " key " << k;
        EXPECT_EQ(r_track.p_z[k], keys[k][3]) << r_s_what << " key " << k;
    }
}

CChunk ObjectNode(uint16_t n_id, const std::string &r_s_name, uint16_t n_parent)
{
    return Node(id_ObjectNode, {NodeId(n_id), NodeHeader(r_s_name, n_parent)});
}

} // namespace

TEST(Keyframes, CameraAndTargetTracks)
{
    auto s = Load(SceneWithNodes({
        Node(id_CameraNode,
            {NodeId(5), NodeHeader("cam1", 0xFFFF), PositionTrack({{0, 0, {1, 2, 3}}, {10, 0, {4, 5, 6}}})}),
        Node(id_TargetNode, {NodeId(6), NodeHeader("cam1", 0xFFFF), PositionTrack({{5, 0, {7, 8, 9}}})}),
    }));
    ExpectTrack(s->p_camera[1].t_position, {{0, 1, 3, 2}, {10, 4, 6, 5}}, "position track, y and z exchanged");
    ExpectTrack(s->p_camera[1].t_target, {{5, 7, 9, 8}}, "target track");
    ExpectTrack(s->p_camera[0].t_position, {}, "a camera no node names");
    ExpectTrack(s->p_camera[0].t_target, {}, "a camera no node names");
    EXPECT_EQ(s->p_object[0].n_id, 0);
    EXPECT_EQ(s->p_object[0].n_parent, 0);
}

TEST(Keyframes, KeyHeaderSizesAndFrames)
{
    // flags 0x0007 announce three 4-byte values (an 18-byte key header),
    // 0x0018 none (6 bytes); the second key is found only if both are right
    CChunk track = PositionTrack({{1, 0x0007, {1, 1, 1}}, {2, 0x0018, {2, 2, 2}}, {3, 0x0005, {3, 3, 3}}});
    // a key whose 32-bit frame field holds 70000: only the low 16 bits count
    CChunk wide(id_PositionTrack);
    wide.U16(0).U32(0).U32(0).U16(1).U16(0).U32(70000).U16(0).Floats({9, 9, 9});
    CChunk empty = PositionTrack({});
    auto s = Load(SceneWithNodes({Node(id_CameraNode, {NodeHeader("cam0", 0), track}),
        Node(id_TargetNode, {NodeHeader("cam0", 0), wide}), Node(id_CameraNode, {NodeHeader("cam1", 0), empty})}));
    ExpectTrack(s->p_camera[0].t_position, {{1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}}, "keys with extra values");
    ExpectTrack(s->p_camera[0].t_target, {{4464, 9, 9, 9}}, "a 32-bit frame field");
    ExpectTrack(s->p_camera[1].t_position, {}, "a track of 0 keys");
}

TEST(Keyframes, LaterTracksReplaceAndOtherTracksChangeNothing)
{
    CChunk rotation(id_RotationTrack);
    rotation.U16(0).U32(0).U32(0).U16(1).U16(0).U16(0).U16(0).U16(0).Floats({1, 0, 0, 1});
    auto s = Load(SceneWithNodes({Node(id_CameraNode,
        {NodeHeader("cam0", 0), PositionTrack({{0, 0, {1, 1, 1}}, {1, 0, {2, 2, 2}}}), rotation,
            CChunk(id_FovTrack).Raw(TBytes(30, 0)), CChunk(id_RollTrack).Raw(TBytes(30, 1)),
            CChunk(id_ScaleTrack).Raw(TBytes(30, 2)), CChunk(id_ColorTrack).Raw(TBytes(30, 3)),
            PositionTrack({{7, 0, {3, 4, 5}}})})}));
    ExpectTrack(s->p_camera[0].t_position, {{7, 3, 5, 4}}, "the second position track replaces the first");
    ExpectTrack(s->p_camera[0].t_target, {}, "nothing else stored");
}

TEST(Keyframes, MeshIdsAndParents)
{
    auto s = Load(SceneWithNodes(
        {ObjectNode(3, "m1", 0xFFFF), ObjectNode(4, "m0", 1), ObjectNode(9, "m0", 2), ObjectNode(11, "nobody", 5)}));
    EXPECT_EQ(s->p_object[1].n_id, 3);
    EXPECT_EQ(s->p_object[1].n_parent, 65535) << "the parent is zero-extended";
    EXPECT_EQ(s->p_object[0].n_id, 9) << "a later node of the same mesh (an instance) wins";
    EXPECT_EQ(s->p_object[0].n_parent, 2);

    // the node id is never cleared: a node without one, or with one after its
    // header, gives its mesh the id read before
    s = Load(SceneWithNodes({ObjectNode(21, "m0", 0), Node(id_ObjectNode, {NodeHeader("m1", 0), NodeId(22)})}));
    EXPECT_EQ(s->p_object[1].n_id, 21);
}

TEST(Keyframes, NodeKindCarriesFromTheCountingPass)
{
    // the counting pass ends in an object node, so the fill pass handles the
    // first node, an ambient node, as node_Object: an object lookup
    auto s = Load(SceneWithNodes({Node(id_AmbientNode, {NodeId(30), NodeHeader("m1", 7)}), ObjectNode(31, "m0", 0)}));
    EXPECT_EQ(s->p_object[1].n_id, 30);
    EXPECT_EQ(s->p_object[1].n_parent, 7);

    // the counting pass ends in a camera node: the first node of the fill
    // pass, an ambient node, makes a camera lookup and its track is kept
    s = Load(SceneWithNodes({Node(id_AmbientNode, {NodeHeader("cam1", 0), PositionTrack({{1, 0, {1, 2, 3}}})}),
        Node(id_CameraNode, {NodeHeader("cam0", 0)})}));
    ExpectTrack(s->p_camera[1].t_position, {{1, 1, 3, 2}}, "an ambient node read as a camera node");
    EXPECT_EQ(s->p_object[1].n_id, 0);

    // an ambient node named like no mesh, first in the fill pass: no mesh
    // changes, and the kind moves on, so the next node's header, a light
    // node's named like mesh m0, makes no mesh lookup: m0 keeps id 0
    s = Load(SceneWithNodes({Node(id_AmbientNode, {NodeId(40), NodeHeader("$AMBIENT$", 0)}),
        Node(id_LightNode, {NodeHeader("m0", 0)}), Node(id_ObjectNode, {})}));
    EXPECT_EQ(s->p_object[0].n_id, 0);
    EXPECT_EQ(s->p_object[1].n_id, 0);

    // what it makes is a camera lookup: named like camera 1, the light node
    // makes that camera the track target, and the camera node after it,
    // which has no header of its own, fills camera 1's track
    s = Load(SceneWithNodes({Node(id_AmbientNode, {NodeId(40), NodeHeader("$AMBIENT$", 0)}),
        Node(id_LightNode, {NodeHeader("cam1", 0)}), Node(id_CameraNode, {PositionTrack({{5, 0, {9, 8, 7}}})}),
        Node(id_ObjectNode, {})}));
    ExpectTrack(s->p_camera[1].t_position, {{5, 9, 7, 8}}, "the track of the camera the light node looked up");
    EXPECT_EQ(s->p_camera[0].t_position.n_key_num, 0);
}

TEST(Keyframes, LightNodesAfterCameraNodes)
{
    CChunk camera_node = Node(id_CameraNode, {NodeHeader("cam0", 0), PositionTrack({{0, 0, {1, 1, 1}}})});
    // a light named unlike every camera: its track is dropped
    auto s = Load(SceneWithNodes(
        {camera_node, Node(id_LightNode, {NodeHeader("Omni01", 0), PositionTrack({{5, 0, {9, 9, 9}}})})}));
    ExpectTrack(s->p_camera[0].t_position, {{0, 1, 1, 1}}, "the camera keeps its track");

    // a light node named like a camera, in the camera kind: it fills that camera's position track
    s = Load(
        SceneWithNodes({camera_node, Node(id_SpotNode, {NodeHeader("cam1", 0), PositionTrack({{5, 0, {9, 8, 7}}})})}));
    ExpectTrack(s->p_camera[1].t_position, {{5, 9, 7, 8}}, "a spotlight node in the camera kind");

    // after an object node whose header was handled, a light node's camera
    // lookup finds the camera but its track goes nowhere
    s = Load(SceneWithNodes(
        {ObjectNode(1, "m0", 0), Node(id_LightNode, {NodeHeader("cam1", 0), PositionTrack({{5, 0, {9, 8, 7}}})})}));
    ExpectTrack(s->p_camera[1].t_position, {}, "kind node_ObjectHeaderRead keeps no track");
    ExpectTrack(s->p_camera[1].t_target, {}, "kind node_ObjectHeaderRead keeps no track");
}

TEST(Keyframes, TrackBeforeItsHeaderUsesTheTargetLeftBefore)
{
    // the object lookup of m1 leaves the track target 1; a camera node whose
    // track comes before its header stores it into camera 1
    auto s = Load(SceneWithNodes(
        {ObjectNode(0, "m1", 0), Node(id_CameraNode, {PositionTrack({{2, 0, {1, 2, 3}}}), NodeHeader("cam0", 0)})}));
    ExpectTrack(s->p_camera[1].t_position, {{2, 1, 3, 2}}, "track target left by the object lookup");
    ExpectTrack(s->p_camera[0].t_position, {}, "the header comes too late");

    // without cameras the target 0 from before any header is no camera
    TBytes bytes = CChunk(id_Keyframer).Add(Node(id_CameraNode, {PositionTrack({{2, 0, {1, 2, 3}}})})).Bytes();
    auto t = Load(bytes);
    EXPECT_EQ(t->n_camera_num, 0);
}

TEST(Keyframes, NodeHeaderNames)
{
    // a name of 64 characters or more: flags and parent come from the bytes after what ReadName consumed
    // (the name's terminator and the flags shift the parent by one byte)
    std::string s_63(63, 'n');
    CChunk header(id_NodeHeader);
    header.Name(s_63 + "X").U16(0).U16(0).U16(0x1234);
    auto s = Load(
        Scene({MeshObject(s_63, {}, {})}).Bytes() + CChunk(id_Keyframer).Add(Node(id_ObjectNode, {header})).Bytes());
    EXPECT_EQ(s->p_object[0].n_parent, 0x3400);

    // a name cut off by the end of the file fails the load
    TBytes cut = SceneWithNodes({}) + CChunk(id_NodeHeader).Length(40).Bytes() + TBytes{'m', '0'};
    std::unique_ptr<C3dsScene> t;
    EXPECT_FALSE(LoadBytes(cut, t));
}
