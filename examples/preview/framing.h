#ifndef BAKE3DS_EXAMPLES_PREVIEW_FRAMING_H
#define BAKE3DS_EXAMPLES_PREVIEW_FRAMING_H

// The camera of a preview: the whole bounding box in view, seen from one
// fixed direction (from the right, above and in front, in the header's
// axes: y is up), so that pictures of different scenes compare.

namespace preview {

struct TBox {
    bool b_empty = true;
    float p_min[3] = {0, 0, 0}, p_max[3] = {0, 0, 0};
};

// Grows the box to hold the point; points with a coordinate that is not
// finite are left out.
void ExtendBox(TBox &r_box, const float p_point[3]);

// Grows the box to hold the positions (floats 5..7 of each GL_T2F_N3F_V3F
// vertex) of the vertices the faces name: the parts of a mesh that are
// drawn. An index past the vertex count is left out.
void ExtendBoxByFaces(TBox &r_box, const float *p_vertex, int n_vertex_num, const unsigned int *p_face,
    long n_face_num);

// The sphere a preview frames: the box's centre and half-extents, and the
// half-diagonal as radius. An empty box, or one of a single point, or one
// that is not finite, is the box of half-size 1 around its centre.
struct TBoxSphere {
    double p_centre[3], p_half[3], f_radius;
};
TBoxSphere SphereOf(const TBox &r_box);

// The matrices, column-major as glLoadMatrixd takes them.
struct TFraming {
    double p_projection[16];
    double p_modelview[16];
};

// A perspective camera looking at the box's centre from the fixed
// direction, far enough that all eight corners fit a picture of that size,
// with the near and far planes just around them. An empty box, or one of
// a single point, is framed as the box of half-size 1 around its centre.
TFraming FrameBox(const TBox &r_box, int n_width, int n_height);

} // namespace preview

#endif
