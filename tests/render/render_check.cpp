// Renders one generated scene through real OpenGL and checks the picture:
// no OpenGL error, something drawn wherever the scene has faces, and the
// same silhouette, pixel for pixel, as the file's triangles read by lib3ds
// and drawn with the same camera. Then draws it through bake3ds::GpuScene
// and a shader in a core-profile context: the same silhouette again, and
// the same shading up to a small mean difference.

#include "render_check.h"

#include "core/gl_api.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/core_render.h"
#include "lib3ds_triangles.h"
#include "preview/offscreen_context.h"
#include "preview/png_file.h"
#include "preview/render.h"
#include "silhouette_diff.h"

namespace render_check {

namespace {

const int n_width = 512, n_height = 384;

// The core profile's shading against the fixed-function pipeline's, in
// grey levels (0..255) over the pixels both draw: the mean difference and
// the largest. Both light per vertex with the same constants; they may
// round the interpolated colour differently, by a level here and there
// (on llvmpipe: at most 1 level, a mean below 0.001).
const double f_max_mean_shading_difference = 0.05;
const int n_max_shading_difference = 3;

struct TRun {
    preview::TSceneView t_view;
    TGpuFactory gpu;
    std::string s_scene, s_failure_dir;
    preview::TFraming t_framing;
    std::unique_ptr<preview::COffscreenContext> p_context;
};

TRun &ThisRun()
{
    static TRun t_run;
    return t_run;
}

long CoveredNum(const preview::TImage &r_image)
{
    long n = 0;
    for(bool b : preview::Coverage(r_image))
        n += b;
    return n;
}

// Writes the picture into the failure folder; the path written, for the
// failure message.
std::string Keep(const std::string &r_s_name, const preview::TImage &r_image)
{
    std::filesystem::create_directories(ThisRun().s_failure_dir);
    std::string s_path = ThisRun().s_failure_dir + "/" + r_s_name;
    std::string s_error = preview::WritePng(s_path, r_image);
    return s_error.empty() ? s_path : s_path + " (not written: " + s_error + ")";
}

// The lib3ds triangles, drawn mesh by mesh the way the generated Draw()
// draws its objects: from client-side arrays, with 32-bit indices.
void DrawLib3ds(const TLib3dsScene &r_scene)
{
    glEnableClientState(GL_VERTEX_ARRAY);
    for(const TLib3dsMesh &r_mesh : r_scene.meshes) {
        if(r_mesh.p_index.empty())
            continue;
        glVertexPointer(3, GL_FLOAT, 0, r_mesh.p_position.data());
        glDrawElements(GL_TRIANGLES, GLsizei(r_mesh.p_index.size()), GL_UNSIGNED_INT, r_mesh.p_index.data());
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}

} // namespace

TEST(Preview, DrawsWithoutOpenGlErrorsAndCoversWhereTheSceneHasFaces)
{
    const TRun &r_run = ThisRun();
    ASSERT_TRUE(r_run.p_context->Ready()) << r_run.p_context->Error();
    ASSERT_TRUE(r_run.p_context->MakeCurrent());
    unsigned int n_error = preview::RenderShaded(r_run.t_framing, n_width, n_height, r_run.t_view.p_draw);
    preview::TImage t_shaded = r_run.p_context->Read();
    EXPECT_EQ(n_error, 0u) << "OpenGL error while drawing the shaded scene";
    long n_covered = CoveredNum(t_shaded);
    if(r_run.t_view.n_face_num > 0)
        EXPECT_GT(n_covered, 0) << r_run.t_view.n_face_num << " faces, nothing drawn: " << Keep("shaded.png", t_shaded);
    else
        EXPECT_EQ(n_covered, 0) << "no faces, yet something was drawn: " << Keep("shaded.png", t_shaded);

    // lighting changes colours, never which pixels are drawn
    n_error = preview::RenderSilhouette(r_run.t_framing, n_width, n_height, r_run.t_view.p_draw);
    preview::TImage t_flat = r_run.p_context->Read();
    EXPECT_EQ(n_error, 0u) << "OpenGL error while drawing the silhouette";
    EXPECT_TRUE(preview::Coverage(t_shaded) == preview::Coverage(t_flat))
        << "the shaded picture and the silhouette cover different pixels: " << Keep("shaded.png", t_shaded) << ", "
        << Keep("silhouette.png", t_flat);
    std::cout << r_run.t_view.n_object_num << " objects, " << r_run.t_view.n_face_num << " faces, " << n_covered
              << " pixels drawn\n";
}

TEST(Silhouette, MatchesTheFileReadByLib3dsPixelForPixel)
{
    const TRun &r_run = ThisRun();
    ASSERT_TRUE(r_run.p_context->Ready()) << r_run.p_context->Error();
    ASSERT_TRUE(r_run.p_context->MakeCurrent());
#if !BAKE3DS_HAVE_LIB3DS
    GTEST_SKIP() << "lib3ds (Debian lib3ds-dev) was not found when the tests were configured: no silhouette comparison";
#endif
    TLib3dsScene t_theirs;
    if(std::filesystem::file_size(r_run.s_scene) == 0) {
        // lib3ds refuses a file without a single chunk; ours reads it as
        // an empty scene, which must then draw nothing
        std::cout << "lib3ds refuses an empty file: compared with an empty picture\n";
    } else {
#if BAKE3DS_HAVE_LIB3DS
        t_theirs = LoadWithLib3ds(r_run.s_scene);
#endif
        ASSERT_EQ(t_theirs.s_error, "");
    }
    EXPECT_EQ(t_theirs.n_face_num, r_run.t_view.n_face_num) << "the readers disagree on the number of faces";

    ASSERT_EQ(preview::RenderSilhouette(r_run.t_framing, n_width, n_height, r_run.t_view.p_draw), 0u);
    preview::TImage t_ours = r_run.p_context->Read();
    ASSERT_EQ(preview::RenderSilhouette(r_run.t_framing, n_width, n_height, [&] { DrawLib3ds(t_theirs); }), 0u);
    preview::TImage t_lib3ds = r_run.p_context->Read();

    TSilhouetteDiff t_diff = DiffSilhouettes(t_ours, t_lib3ds);
    if(t_diff.n_only_ours || t_diff.n_only_theirs) {
        std::string s_pixels;
        for(const std::string &r_s : t_diff.first_pixels)
            s_pixels += "\n  " + r_s;
        ADD_FAILURE() << t_diff.n_only_ours << " pixels drawn by ours only, " << t_diff.n_only_theirs
                      << " by lib3ds only; first ones (x, y from the top left):" << s_pixels
                      << "\npictures: " << Keep("ours.png", t_ours) << ", " << Keep("lib3ds.png", t_lib3ds) << ", "
                      << Keep("difference.png", t_diff.t_picture);
    }
    std::cout << CoveredNum(t_ours) << " pixels in both silhouettes; " << t_theirs.meshes.size() << " lib3ds meshes, "
              << t_theirs.n_unmirrored_num << " of them mirrored back\n";
}

namespace {

// The mean and the largest difference of the red levels (the pictures are
// grey) over the pixels both pictures cover, and their number.
struct TShadingDiff {
    double f_mean = 0;
    int n_max = 0;
    long n_pixel_num = 0;
};

TShadingDiff DiffShading(const preview::TImage &r_a, const preview::TImage &r_b)
{
    TShadingDiff t_diff;
    std::vector<bool> a = preview::Coverage(r_a), b = preview::Coverage(r_b);
    double f_sum = 0;
    for(size_t i = 0; i < a.size(); ++i) {
        if(!a[i] || !b[i])
            continue;
        int n = std::abs(int(r_a.p_rgba[4 * i]) - int(r_b.p_rgba[4 * i]));
        f_sum += n;
        t_diff.n_max = std::max(t_diff.n_max, n);
        ++t_diff.n_pixel_num;
    }
    t_diff.f_mean = t_diff.n_pixel_num ? f_sum / double(t_diff.n_pixel_num) : 0;
    return t_diff;
}

std::string Differences(const TSilhouetteDiff &r_diff)
{
    std::string s_pixels;
    for(const std::string &r_s : r_diff.first_pixels)
        s_pixels += "\n  " + r_s;
    return std::to_string(r_diff.n_only_ours) + " pixels drawn by the fixed-function pipeline only, " +
        std::to_string(r_diff.n_only_theirs) +
        " by the core profile only; first ones (x, y from the top left):" + s_pixels;
}

} // namespace

TEST(CoreProfile, DrawsTheSameSilhouetteAndShadingAsTheFixedFunctionDraw)
{
    const TRun &r_run = ThisRun();
    ASSERT_TRUE(r_run.p_context->Ready()) << r_run.p_context->Error();
    ASSERT_TRUE(r_run.p_context->MakeCurrent());
    ASSERT_EQ(preview::RenderSilhouette(r_run.t_framing, n_width, n_height, r_run.t_view.p_draw), 0u);
    preview::TImage t_fixed_flat = r_run.p_context->Read();
    ASSERT_EQ(preview::RenderShaded(r_run.t_framing, n_width, n_height, r_run.t_view.p_draw), 0u);
    preview::TImage t_fixed_shaded = r_run.p_context->Read();

    preview::TImage t_core_flat, t_core_ranges, t_core_shaded;
    {
        preview::COffscreenContext t_core(n_width, n_height, preview::TProfile::profile_Core);
        ASSERT_TRUE(t_core.Ready()) << t_core.Error();
        const char *s_version = reinterpret_cast<const char *>(glGetString(GL_VERSION));
        ASSERT_NE(s_version, nullptr);
        EXPECT_GE(std::atoi(s_version), 4) << "a core profile of version " << s_version;
        core_render::CShaderRenderer t_shader;
        ASSERT_TRUE(t_shader.Ready()) << t_shader.Error();
        std::unique_ptr<CGpuDraws> p_gpu = r_run.gpu();
        const CGpuDraws &r_gpu = *p_gpu;
        ASSERT_EQ(t_shader.RenderSilhouette(r_run.t_framing, n_width, n_height, [&] { r_gpu.Draw(); }), 0u);
        t_core_flat = t_core.Read();
        long n_call_num = -1;
        ASSERT_EQ(t_shader.RenderSilhouette(r_run.t_framing, n_width, n_height,
                      [&] { n_call_num = r_gpu.DrawByRanges(); }),
            0u);
        t_core_ranges = t_core.Read();
        EXPECT_EQ(n_call_num, r_run.t_view.n_range_num) << "Draw(f) called f once per material range";
        ASSERT_EQ(t_shader.RenderShaded(r_run.t_framing, n_width, n_height, [&] { r_gpu.Draw(); }), 0u);
        t_core_shaded = t_core.Read();
        p_gpu.reset(); // its buffers belong to the core context
    }

    TSilhouetteDiff t_diff = DiffSilhouettes(t_fixed_flat, t_core_flat);
    long n_differing = t_diff.n_only_ours + t_diff.n_only_theirs;
    if(n_differing) {
        ADD_FAILURE() << Differences(t_diff) << "\npictures: " << Keep("fixed.png", t_fixed_flat) << ", "
                      << Keep("core.png", t_core_flat) << ", " << Keep("core-difference.png", t_diff.t_picture);
    }
    EXPECT_TRUE(t_core_ranges.p_rgba == t_core_flat.p_rgba)
        << "drawn range by range, the core profile's silhouette differs from one draw per object: "
        << Keep("core-ranges.png", t_core_ranges);
    TShadingDiff t_shading = DiffShading(t_fixed_shaded, t_core_shaded);
    if(t_shading.f_mean > f_max_mean_shading_difference || t_shading.n_max > n_max_shading_difference) {
        ADD_FAILURE() << "shading differs by " << t_shading.f_mean << " levels on average (at most "
                      << f_max_mean_shading_difference << "), by " << t_shading.n_max << " at most (at most "
                      << n_max_shading_difference << "): " << Keep("fixed-shaded.png", t_fixed_shaded) << ", "
                      << Keep("core-shaded.png", t_core_shaded);
    }
    std::printf("core profile against fixed function: %ld of %d silhouette pixels differ; shading differs by %.4f "
                "levels on average (at most %d) over %ld pixels\n",
        n_differing, n_width * n_height, t_shading.f_mean, t_shading.n_max, t_shading.n_pixel_num);
}

int Main(const preview::TSceneView &r_view, const TGpuFactory &r_gpu, int n_argc, char **p_argv)
{
    ::testing::InitGoogleTest(&n_argc, p_argv);
    if(n_argc != 3) {
        std::fprintf(stderr, "usage: %s [gtest flags] SCENE.3ds FAILURE_DIR\n", p_argv[0]);
        return 2;
    }
    TRun &r_run = ThisRun();
    r_run.t_view = r_view;
    r_run.gpu = r_gpu;
    r_run.s_scene = p_argv[1];
    r_run.s_failure_dir = p_argv[2];
    std::error_code t_error;
    std::filesystem::remove_all(r_run.s_failure_dir, t_error); // pictures of an earlier run's failures
    r_run.t_framing = preview::FrameBox(r_view.t_box, n_width, n_height);
    r_run.p_context = std::make_unique<preview::COffscreenContext>(n_width, n_height);
    int n_result = RUN_ALL_TESTS();
    r_run.p_context.reset(); // before the exit: Mesa's own teardown runs at exit
    if(n_result == 0 && !BAKE3DS_HAVE_LIB3DS) {
        // every check that could run passed; the comparison with lib3ds could not
        std::printf("skipped: lib3ds is not installed\n");
        return BAKE3DS_SKIP_STATUS;
    }
    return n_result;
}

} // namespace render_check
