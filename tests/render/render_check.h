#ifndef BAKE3DS_TESTS_RENDER_RENDER_CHECK_H
#define BAKE3DS_TESTS_RENDER_RENDER_CHECK_H

// The render test of one generated header: the program built with the
// header runs the test cases over the scene it holds.

#include <functional>
#include <memory>

#include "preview/scene_view.h"

namespace render_check {

// The scene uploaded by bake3ds::GpuScene into the current context (a
// core-profile one): the program built with the header makes it, since
// only that program knows the class.
class CGpuDraws {
public:
    virtual ~CGpuDraws() = default;
    // GpuScene::draw()
    virtual void Draw() const = 0;
    // GpuScene::draw(f), with f counting its calls
    virtual long DrawByRanges() const = 0;
};

using TGpuFactory = std::function<std::unique_ptr<CGpuDraws>()>;

// Command line (after GoogleTest's own flags): SCENE.3ds FAILURE_DIR.
// The factory makes the scene's GpuScene in the current context.
// SCENE.3ds is the file the header was made from, read again by lib3ds;
// the pictures of a failed case go to FAILURE_DIR. Runs the test cases
// in an offscreen context; returns what RUN_ALL_TESTS returns, or 2 after
// a usage error. Where lib3ds was not found, a run whose every other case
// passed returns BAKE3DS_SKIP_STATUS, the status ctest counts as a skip.
int Main(const preview::TSceneView &r_view, const TGpuFactory &r_gpu, int n_argc, char **p_argv);

} // namespace render_check

#endif
