// Lights with their attributes, cameras and materials: what each chunk
// stores, and where a float colour goes.

#include <gtest/gtest.h>

#include <memory>

#include "test_support.h"

using namespace bake3ds;
using namespace fixture;
using testing_support::LoadBytes;

namespace {

// The scene of the bytes, which must load.
std::unique_ptr<C3dsScene> Load(const TBytes &r_bytes)
{
    std::unique_ptr<C3dsScene> p_scene;
    EXPECT_TRUE(LoadBytes(r_bytes, p_scene));
    return p_scene;
}

void ExpectTriple(const float *p, float a, float b, float c, const std::string &r_s_what)
{
    EXPECT_EQ(p[0], a) << r_s_what;
    EXPECT_EQ(p[1], b) << r_s_what;
    EXPECT_EQ(p[2], c) << r_s_what;
}

} // namespace

TEST(Lights, PositionSpotlightAndAttributes)
{
    auto s = Load(Scene(
        {LightObject("omni", {1, 2, 3}),
            LightObject("spot", {1, 2, 3},
                {SpotLight({4, 5, 6}, 20, 35), CChunk(id_LightOff), CChunk(id_CastShadows),
                    CChunk(id_InnerRange).F32(5), CChunk(id_OuterRange).F32(50), CChunk(id_Multiplier).F32(0.5f)})})
                      .Bytes());
    ASSERT_EQ(s->n_light_num, 2);
    const TSceneLight &r_omni = s->p_light[0], &r_spot = s->p_light[1];
    EXPECT_EQ(r_omni.s_name, "omni");
    ExpectTriple(r_omni.p_position, 1, 3, 2, "position, y and z exchanged");
    EXPECT_FALSE(r_omni.b_spot);
    ExpectTriple(r_omni.p_target, 0, 0, 0, "no spotlight chunk");
    EXPECT_EQ(r_omni.f_hotspot, 0.0f);
    EXPECT_FALSE(r_omni.b_off + r_omni.b_cast_shadows);
    ExpectTriple(r_omni.p_color, 0, 0, 0, "no colour chunk");

    EXPECT_TRUE(r_spot.b_spot);
    ExpectTriple(r_spot.p_target, 4, 6, 5, "target, y and z exchanged");
    EXPECT_EQ(r_spot.f_hotspot, 20.0f);
    EXPECT_EQ(r_spot.f_falloff, 35.0f);
    EXPECT_TRUE(r_spot.b_off);
    EXPECT_TRUE(r_spot.b_cast_shadows);
    EXPECT_EQ(r_spot.f_inner_range, 5.0f);
    EXPECT_EQ(r_spot.f_outer_range, 50.0f);
    EXPECT_EQ(r_spot.f_multiplier, 0.5f);
}

TEST(Lights, AttributesFillTheLastLightTaken)
{
    // attribute chunks before any light change nothing; after the light
    // chunk has ended they still reach it
    TBytes bytes = SpotLight({1, 1, 1}, 1, 1).Bytes() + CChunk(id_LightOff).Bytes() +
        Scene({LightObject("l", {0, 0, 0})}).Bytes() + CChunk(id_Multiplier).F32(7).Bytes() +
        CChunk(id_CastShadows).Bytes();
    auto s = Load(bytes);
    ASSERT_EQ(s->n_light_num, 1);
    EXPECT_FALSE(s->p_light[0].b_spot);
    EXPECT_FALSE(s->p_light[0].b_off);
    EXPECT_EQ(s->p_light[0].f_multiplier, 7.0f);
    EXPECT_TRUE(s->p_light[0].b_cast_shadows);
}

TEST(Lights, FloatColoursGoToTheLightOfTheCurrentName)
{
    auto s = Load(
        Scene({LightObject("a", {0, 0, 0}, {ColorF(0.25f, 0.5f, 0.75f)}),
                  LightObject("b", {0, 0, 0}, {CChunk(id_Color24).U8(255).U8(0).U8(0)}),
                  LightObject("c", {0, 0, 0}, {ColorF(1, 1, 1), CChunk(id_LinColorF).Floats({0.1f, 0.2f, 0.3f})})})
            .Bytes());
    ExpectTriple(s->p_light[0].p_color, 0.25f, 0.5f, 0.75f, "float colour");
    ExpectTriple(s->p_light[1].p_color, 0, 0, 0, "a 24-bit colour is not kept");
    ExpectTriple(s->p_light[2].p_color, 0.1f, 0.2f, 0.3f, "the colour read last wins");

    // two lights of one name: the second one's colour lands in the first
    s = Load(
        Scene({LightObject("twin", {0, 0, 0}, {ColorF(1, 0, 0)}), LightObject("twin", {0, 0, 0}, {ColorF(0, 1, 0)})})
            .Bytes());
    ExpectTriple(s->p_light[0].p_color, 0, 1, 0, "first of the name");
    ExpectTriple(s->p_light[1].p_color, 0, 0, 0, "second of the name");

    // a material, the ambient light or the background named like a light already taken
    s = Load(Scene({LightObject("lamp", {0, 0, 0}, {ColorF(1, 1, 1)}),
                       Material("lamp", {CChunk(id_DiffuseColor).Add(ColorF(0.5f, 0, 0))})})
                 .Bytes());
    ExpectTriple(s->p_light[0].p_color, 0.5f, 0, 0, "colour of a material named like the light");
    s = Load(Scene({LightObject("lamp", {0, 0, 0}), CChunk(id_Ambient).Add(ColorF(0, 0, 0.5f)),
                       CChunk(id_Background).Add(ColorF(0, 0.5f, 0))})
                 .Bytes());
    ExpectTriple(s->p_light[0].p_color, 0, 0.5f, 0, "ambient, then background, while the current name is the light's");

    // a colour met before the light it names has been taken is dropped
    s = Load(Scene({CChunk(id_NamedObject).Name("late").Add(CChunk(id_Ambient).Add(ColorF(1, 1, 1))),
                       LightObject("late", {0, 0, 0})})
                 .Bytes());
    ExpectTriple(s->p_light[0].p_color, 0, 0, 0, "colour before the light");
}

TEST(Cameras, FloatsAndSkippedSubChunks)
{
    CChunk camera(id_Camera);
    camera.Floats({1, 2, 3, 4, 5, 6, 7, 8}).Add(CChunk(id_TriObject)); // a sub-chunk that must not be walked
    auto s =
        Load(Scene({CChunk(id_NamedObject).Name("cam").Add(camera), CameraObject("two", {0, 0, 0}, {0, 0, 0}, 0, 0)})
                 .Bytes());
    ASSERT_EQ(s->n_camera_num, 2);
    EXPECT_EQ(s->n_object_num, 0) << "the camera's sub-chunks are skipped";
    const TSceneCamera &c = s->p_camera[0];
    EXPECT_EQ(c.s_name, "cam");
    float p_got[8] = {c.p_position[0], c.p_position[1], c.p_position[2], c.p_target[0], c.p_target[1], c.p_target[2],
        c.f_bank_angle, c.f_focus};
    for(int i = 0; i < 8; ++i)
        EXPECT_EQ(p_got[i], float(i + 1)) << "camera values keep the file's axes";
    EXPECT_EQ(c.n_id, 0);
    EXPECT_EQ(c.t_position.n_key_num + c.t_target.n_key_num, 0);
    EXPECT_EQ(s->p_camera[1].s_name, "two");
}

TEST(Materials, NamesAndFailures)
{
    std::string s_long(70, 'm');
    auto s = Load(
        Scene({Material("first"), Material(s_long, {CChunk(id_TextureMap).Add(CChunk(id_MapName).Name("wood.png"))})})
            .Bytes());
    ASSERT_EQ(s->n_material_num, 2);
    EXPECT_EQ(s->p_material[0].s_name, "first");
    EXPECT_EQ(s->p_material[1].s_name, std::string(63, 'm')) << "cut to 63 characters";
    EXPECT_EQ(s->p_material[0].n_id, 0);

    // a map name cut off by the end of the file is no failure, a material name is
    std::unique_ptr<C3dsScene> t;
    EXPECT_TRUE(LoadBytes(Material("m").Bytes() + CChunk(id_MapName).Length(20).Bytes() + TBytes{'a'}, t));
    EXPECT_FALSE(LoadBytes(Material("m").Bytes() + CChunk(id_MaterialName).Length(20).Bytes() + TBytes{'a'}, t));
}

TEST(Records, NamedObjectsNameLightsAndCameras)
{
    // a named object holding a light: its name is the light's; a later named
    // object's camera takes that object's name
    auto s = Load(Scene({LightObject("Lamp01", {0, 0, 0}), CameraObject("Camera01", {0, 0, 0}, {0, 0, 0}, 0, 0),
                            MeshObject("Box01", {}, {})})
                      .Bytes());
    EXPECT_EQ(s->p_light[0].s_name, "Lamp01");
    EXPECT_EQ(s->p_camera[0].s_name, "Camera01");
    EXPECT_EQ(s->p_object[0].s_name, "Box01");
}
