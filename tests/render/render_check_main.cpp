// The render test's program for one generated header (BAKE3DS_SCENE_HEADER,
// class BAKE3DS_SCENE_CLASS), compiled as users compile their code that
// includes a header.

#include <GL/gl.h>

#include BAKE3DS_SCENE_HEADER

#include "render_check.h"

int main(int n_argc, char **p_argv)
{
    return render_check::n_Main(preview::t_SceneViewOf<BAKE3DS_SCENE_CLASS>(), n_argc, p_argv);
}
