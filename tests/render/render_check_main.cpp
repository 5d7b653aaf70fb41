// The render test's program for one generated header (BAKE3DS_SCENE_HEADER,
// class BAKE3DS_SCENE_CLASS), compiled as users compile their code that
// includes a header: once for the fixed-function Draw(), and with
// <bake3ds/gl_core.h> for the core profile.

#include "core/gl_api.h"

#include BAKE3DS_SCENE_HEADER

#include <bake3ds/gl_core.h>

#include "render_check.h"

namespace {

class CSceneDraws : public render_check::CGpuDraws {
public:
    void Draw() const override { m_t_scene.draw(); }

    long DrawByRanges() const override
    {
        long n_call_num = 0;
        m_t_scene.draw([&n_call_num](int, int) { ++n_call_num; });
        return n_call_num;
    }

private:
    bake3ds::GpuScene<BAKE3DS_SCENE_CLASS> m_t_scene;
};

} // namespace

int main(int n_argc, char **p_argv)
{
    return render_check::Main(
        preview::SceneViewOf<BAKE3DS_SCENE_CLASS>(),
        [] { return std::unique_ptr<render_check::CGpuDraws>(new CSceneDraws); }, n_argc, p_argv);
}
