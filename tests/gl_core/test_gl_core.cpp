// bake3ds::GpuScene against a recording stand-in for OpenGL: what it
// uploads into which vertex array, the draws it makes range by range with
// the materials it reports, and that moving a scene hands its names over
// without a GL call. Three generated headers: the sample, a scene of edge
// cases, a scene without objects.

#include "fake_gl.h"
#include "replaced_new.h"

#include "edges.h"
#include "nothing.h"
#include "sample.h"

#include <bake3ds/gl_core.h>

#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>
#include <utility>

namespace {

using fake_gl::State;

static_assert(!std::is_copy_constructible<bake3ds::GpuScene<Csample_3ds>>::value, "not copyable");
static_assert(!std::is_copy_assignable<bake3ds::GpuScene<Csample_3ds>>::value, "not copyable");
static_assert(std::is_nothrow_move_constructible<bake3ds::GpuScene<Csample_3ds>>::value, "movable");
static_assert(std::is_nothrow_move_assignable<bake3ds::GpuScene<Csample_3ds>>::value, "movable");

std::string Faults()
{
    std::string s;
    for(const std::string &r_s : State().faults)
        s += "\n  " + r_s;
    return s;
}

template <class CScene>
class GpuScene : public ::testing::Test {
protected:
    void SetUp() override { fake_gl::Reset(); }
};

typedef ::testing::Types<Csample_3ds, Cedges_3ds, Cnothing_3ds> TScenes;
TYPED_TEST_SUITE(GpuScene, TScenes);

TYPED_TEST(GpuScene, UploadsEachObjectIntoItsOwnVertexArrayAtTheAttributeLocations)
{
    typedef TypeParam CScene;
    {
        bake3ds::GpuScene<CScene> t_scene;
        const fake_gl::TState &s = State();
        EXPECT_EQ(s.faults.size(), 0u) << Faults();
        ASSERT_EQ(s.vertex_arrays.size(), size_t(CScene::n_Object_Num()));
        EXPECT_EQ(s.buffers.size(), 2 * size_t(CScene::n_Object_Num()));
        EXPECT_EQ(s.n_vertex_array, 0u) << "a vertex array left bound";
        EXPECT_EQ(s.n_array_buffer, 0u) << "a vertex buffer left bound";
        std::vector<GLuint> buffers_seen;
        for(int i = 0; i < CScene::n_Object_Num(); ++i) {
            SCOPED_TRACE("object " + std::to_string(i));
            const auto &r_object = CScene::p_Object()[i];
            auto p_found = s.vertex_arrays.find(t_scene.vertex_array(i));
            ASSERT_TRUE(p_found != s.vertex_arrays.end());
            const fake_gl::TVertexArray &r_array = p_found->second;
            const std::vector<uint8_t> &r_indices = s.buffers.at(r_array.n_element_buffer);
            ASSERT_EQ(r_indices.size(), 12 * size_t(r_object.n_face_num));
            EXPECT_TRUE(!r_object.n_face_num || !std::memcmp(r_indices.data(), r_object.p_face, r_indices.size()));
            const struct {
                int n_size;
                uintptr_t n_offset;
            } p_expected[3] = {{3, 20}, {3, 8}, {2, 0}}; // position, normal, texture coordinates
            GLuint n_vertex_buffer = r_array.p_attribute[0].n_buffer;
            for(int n_location = 0; n_location < 16; ++n_location) {
                const fake_gl::TAttribute &r = r_array.p_attribute[n_location];
                if(n_location >= 3) {
                    EXPECT_FALSE(r.b_enabled) << "location " << n_location;
                    continue;
                }
                EXPECT_TRUE(r.b_enabled) << "location " << n_location;
                EXPECT_EQ(r.n_buffer, n_vertex_buffer) << "location " << n_location;
                EXPECT_EQ(r.n_size, p_expected[n_location].n_size) << "location " << n_location;
                EXPECT_EQ(r.n_offset, p_expected[n_location].n_offset) << "location " << n_location;
                EXPECT_EQ(r.n_type, unsigned(GL_FLOAT));
                EXPECT_FALSE(r.b_normalized);
                EXPECT_EQ(r.n_stride, 32);
            }
            const std::vector<uint8_t> &r_vertices = s.buffers.at(n_vertex_buffer);
            ASSERT_EQ(r_vertices.size(), 32 * size_t(r_object.n_vertex_num));
            EXPECT_TRUE(
                !r_object.n_vertex_num || !std::memcmp(r_vertices.data(), r_object.p_vertex, r_vertices.size()));
            for(GLuint n_seen : buffers_seen)
                EXPECT_TRUE(n_seen != n_vertex_buffer && n_seen != r_array.n_element_buffer) << "a buffer shared";
            buffers_seen.push_back(n_vertex_buffer);
            buffers_seen.push_back(r_array.n_element_buffer);
            EXPECT_NE(n_vertex_buffer, r_array.n_element_buffer);
        }
        EXPECT_EQ(t_scene.vertex_array(CScene::n_Object_Num()), 0u);
        EXPECT_EQ(t_scene.vertex_array(-1), 0u);
    }
    EXPECT_EQ(State().faults.size(), 0u) << Faults();
    EXPECT_TRUE(State().vertex_arrays.empty()) << "vertex arrays left after the destructor";
    EXPECT_TRUE(State().buffers.empty()) << "buffers left after the destructor";
}

TYPED_TEST(GpuScene, DrawDrawsEveryObjectWithFacesWholeAndAllocatesNothing)
{
    typedef TypeParam CScene;
    bake3ds::GpuScene<CScene> t_scene;
    State().calls.clear();
    // the program links the counting operator new; the stand-in's own
    // bookkeeping is not the drawing's
    testing_support::LeaveOutAllocationsWhile(fake_gl::Inside);
    testing_support::StartCountingAllocations();
    t_scene.draw();
    EXPECT_EQ(testing_support::StopCountingAllocations(), 0) << "draw() allocated";
    const fake_gl::TState &s = State();
    std::vector<fake_gl::TDraw> draws = s.draws;
    long n_range_num = 0;
    testing_support::StartCountingAllocations();
    t_scene.draw([&n_range_num](int, int) { ++n_range_num; });
    EXPECT_EQ(testing_support::StopCountingAllocations(), 0) << "draw(f) allocated";
    long n_expected_range_num = 0;
    for(int i = 0; i < CScene::n_Object_Num(); ++i)
        n_expected_range_num += CScene::p_Object()[i].n_mat_range_num;
    EXPECT_EQ(n_range_num, n_expected_range_num);
    EXPECT_EQ(s.faults.size(), 0u) << Faults();
    size_t n_draw = 0;
    for(int i = 0; i < CScene::n_Object_Num(); ++i) {
        const auto &r_object = CScene::p_Object()[i];
        if(!r_object.n_face_num)
            continue;
        ASSERT_LT(n_draw, draws.size());
        const fake_gl::TDraw &r_draw = draws[n_draw++];
        EXPECT_EQ(r_draw.n_vertex_array, t_scene.vertex_array(i));
        EXPECT_EQ(r_draw.n_offset, 0u);
        EXPECT_EQ(r_draw.indices, std::vector<GLuint>(r_object.p_face, r_object.p_face + 3 * r_object.n_face_num));
    }
    EXPECT_EQ(draws.size(), n_draw);
    EXPECT_EQ(s.n_vertex_array, 0u) << "a vertex array left bound";
}

// One line per call and per callback, "f(object, material)" for these.
std::string Log()
{
    std::string s;
    for(const std::string &r_s : State().calls)
        s += r_s + "\n";
    return s;
}

template <class CScene>
std::string LogOfDrawByRanges(const bake3ds::GpuScene<CScene> &r_scene)
{
    State().calls.clear();
    State().draws.clear();
    auto f = [](int n_object, int n_material) {
        State().calls.push_back("f(" + std::to_string(n_object) + ", " + std::to_string(n_material) + ")");
    };
    r_scene.draw(f);
    return Log();
}

TEST(GpuSceneRanges, TheSampleIsDrawnRangeByRangeWithTheIndexOfEachMaterial)
{
    fake_gl::Reset();
    bake3ds::GpuScene<Csample_3ds> t_scene;
    // ground: "Grass"; box: its top "Grass", the rest "Red paint"; pyramid: no material
    ASSERT_STREQ(Csample_3ds::p_Material()[0].p_s_name, "Grass");
    ASSERT_STREQ(Csample_3ds::p_Material()[1].p_s_name, "Red paint");
    EXPECT_EQ(LogOfDrawByRanges(t_scene),
        "glBindVertexArray\nf(0, 0)\nglDrawElements\n"
        "glBindVertexArray\nf(1, 0)\nglDrawElements\nf(1, 1)\nglDrawElements\n"
        "glBindVertexArray\nf(2, -1)\nglDrawElements\n"
        "glBindVertexArray\n");
    const fake_gl::TState &s = State();
    EXPECT_EQ(s.faults.size(), 0u) << Faults();
    ASSERT_EQ(s.draws.size(), 4u);
    const struct {
        int n_object;
        GLsizei n_count;
        uintptr_t n_offset;
    } p_expected[4] = {{0, 6, 0}, {1, 6, 0}, {1, 30, 24}, {2, 18, 0}};
    for(int i = 0; i < 4; ++i) {
        const fake_gl::TDraw &r_draw = s.draws[size_t(i)];
        EXPECT_EQ(r_draw.n_vertex_array, t_scene.vertex_array(p_expected[i].n_object)) << "draw " << i;
        EXPECT_EQ(r_draw.n_count, p_expected[i].n_count) << "draw " << i;
        EXPECT_EQ(r_draw.n_offset, p_expected[i].n_offset) << "draw " << i;
        const auto &r_object = Csample_3ds::p_Object()[p_expected[i].n_object];
        const unsigned int *p_first = r_object.p_face + p_expected[i].n_offset / 4;
        EXPECT_EQ(r_draw.indices, std::vector<GLuint>(p_first, p_first + p_expected[i].n_count)) << "draw " << i;
    }
    EXPECT_EQ(s.n_vertex_array, 0u);
}

TEST(GpuSceneRanges, RangesWithoutFacesGetTheCallbackButNoDraw)
{
    fake_gl::Reset();
    bake3ds::GpuScene<Cedges_3ds> t_scene;
    // "Void" and "Points" have no faces: one empty range of no material
    // each; "Quads": faces 0 and 2 in no material, 1 and 3 in "Blue"
    EXPECT_EQ(LogOfDrawByRanges(t_scene),
        "glBindVertexArray\nf(0, -1)\n"
        "glBindVertexArray\nf(1, -1)\n"
        "glBindVertexArray\nf(2, -1)\nglDrawElements\nf(2, 0)\nglDrawElements\n"
        "glBindVertexArray\n");
    const fake_gl::TState &s = State();
    EXPECT_EQ(s.faults.size(), 0u) << Faults();
    ASSERT_EQ(s.draws.size(), 2u);
    EXPECT_EQ(s.draws[0].n_offset, 0u);
    EXPECT_EQ(s.draws[1].n_offset, 24u);
    EXPECT_EQ(s.draws[0].n_count + s.draws[1].n_count, 12);
}

TEST(GpuSceneRanges, ASceneWithoutObjectsMakesNoCallAtAll)
{
    fake_gl::Reset();
    {
        bake3ds::GpuScene<Cnothing_3ds> t_scene;
        t_scene.draw();
        EXPECT_EQ(LogOfDrawByRanges(t_scene), "");
    }
    EXPECT_EQ(Log(), "") << "the destructor called OpenGL";
}

TEST(GpuSceneMoves, AMoveHandsTheNamesOverWithoutAnyCall)
{
    fake_gl::Reset();
    bake3ds::GpuScene<Csample_3ds> t_first;
    GLuint n_box_array = t_first.vertex_array(1);
    State().calls.clear();
    bake3ds::GpuScene<Csample_3ds> t_second(std::move(t_first));
    EXPECT_EQ(Log(), "") << "moving called OpenGL";
    EXPECT_EQ(t_second.vertex_array(1), n_box_array);
    EXPECT_EQ(t_first.vertex_array(1), 0u);
    // the moved-from scene draws nothing and calls no callback
    t_first.draw();
    EXPECT_EQ(LogOfDrawByRanges(t_first), "");
    t_second.draw();
    EXPECT_EQ(State().draws.size(), 3u);
    EXPECT_EQ(State().faults.size(), 0u) << Faults();
}

TEST(GpuSceneMoves, AMoveAssignmentExchangesTheNamesAndEachIsDeletedOnceByItsLastHolder)
{
    fake_gl::Reset();
    {
        bake3ds::GpuScene<Csample_3ds> t_old;
        GLuint n_old_array = t_old.vertex_array(0);
        {
            bake3ds::GpuScene<Csample_3ds> t_new;
            GLuint n_new_array = t_new.vertex_array(0);
            EXPECT_EQ(State().vertex_arrays.size(), 6u);
            State().calls.clear();
            t_old = std::move(t_new);
            EXPECT_EQ(Log(), "") << "the assignment called OpenGL";
            EXPECT_EQ(t_old.vertex_array(0), n_new_array);
            EXPECT_EQ(t_new.vertex_array(0), n_old_array);

            // assigned to itself, a scene keeps its names
            bake3ds::GpuScene<Csample_3ds> &r_same = t_old;
            t_old = std::move(r_same);
            EXPECT_EQ(Log(), "");
            EXPECT_EQ(t_old.vertex_array(0), n_new_array);
        }
        // the moved-from scene took the old names with it
        EXPECT_EQ(Log(), "glDeleteVertexArrays\nglDeleteBuffers\n");
        EXPECT_EQ(State().vertex_arrays.count(n_old_array), 0u) << "the old vertex arrays live on";
        EXPECT_EQ(State().vertex_arrays.size(), 3u);
        EXPECT_EQ(State().buffers.size(), 6u);
        State().draws.clear();
        t_old.draw();
        EXPECT_EQ(State().draws.size(), 3u);
        State().calls.clear();
    }
    EXPECT_EQ(Log(), "glDeleteVertexArrays\nglDeleteBuffers\n");
    EXPECT_TRUE(State().vertex_arrays.empty());
    EXPECT_TRUE(State().buffers.empty());
    EXPECT_EQ(State().faults.size(), 0u) << Faults();
}

} // namespace
