#ifndef BAKE3DS_EXAMPLES_PREVIEW_SCENE_VIEW_H
#define BAKE3DS_EXAMPLES_PREVIEW_SCENE_VIEW_H

// What the preview needs of a generated scene class, read through the
// class's public accessors only: include this after the generated header.

#include <cstddef>

#include "preview/framing.h"

namespace preview {

struct TSceneView {
    int n_object_num = 0;
    int n_face_num = 0;         // of all objects
    long n_range_num = 0;       // material ranges of all objects
    TBox t_box;                 // of the vertices that faces use
    void (*p_draw)() = nullptr; // the class's Draw()
};

// Reads the class's objects: their face counts and the box of the vertices
// their faces name (ExtendBoxByFaces).
// p_draw stays null: programs whose OpenGL has no fixed-function pipeline
// must not make the compiler keep the class's Draw().
template <class CScene>
TSceneView SceneShapeOf()
{
    TSceneView t_view;
    t_view.n_object_num = CScene::n_Object_Num();
    for(int i = 0; i < t_view.n_object_num; ++i) {
        const auto &r_object = CScene::p_Object()[i];
        t_view.n_face_num += r_object.n_face_num;
        t_view.n_range_num += r_object.n_mat_range_num;
        ExtendBoxByFaces(t_view.t_box, r_object.p_vertex, r_object.n_vertex_num, r_object.p_face, r_object.n_face_num);
    }
    return t_view;
}

// The same with p_draw set to the class's Draw().
template <class CScene>
TSceneView SceneViewOf()
{
    TSceneView t_view = SceneShapeOf<CScene>();
    t_view.p_draw = &CScene::Draw;
    return t_view;
}

} // namespace preview

#endif
