// The preview program of one generated header: built with the header the
// build converted (BAKE3DS_SCENE_HEADER, class BAKE3DS_SCENE_CLASS), it
// renders the scene offscreen into a PNG file. Compiled as users compile
// their code that includes a generated header.

#include <GL/gl.h>

#include BAKE3DS_SCENE_HEADER

#include "preview/preview.h"

int main(int n_argc, char **p_argv)
{
    return preview::PreviewMain(preview::SceneViewOf<BAKE3DS_SCENE_CLASS>(), n_argc, p_argv);
}
