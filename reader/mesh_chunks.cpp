// Handlers of the named object, the triangle object and the mesh sub-chunks.
// Sub-chunk handlers fill the current mesh: the one most recently taken in
// the fill pass, wherever the sub-chunk stands. Without a current mesh, and
// in the counting pass, they consume their bytes and store nothing.

#include "reader/fresh_array.h"
#include "reader/handlers.h"

#include "reader/chunk_stats.h"

namespace bake3ds {

namespace {

// The current mesh when this pass stores into it, else null.
TMesh *FillMesh(TLoader &r_ld)
{
    return r_ld.b_counting ? nullptr : r_ld.CurMesh();
}

} // namespace

// Reads the object's name into the current name, whose status does not
// matter: a name cut off by the end of the file keeps what was read.
bool ReadNamedObject(TLoader &r_ld, int64_t)
{
    ReadName(r_ld.s_name, r_ld.t_in);
    return true;
}

// Counts a mesh, or takes the next one and names it after the current name.
// Fails when the fill pass meets more meshes than the counting pass did.
bool ReadTriangleObject(TLoader &r_ld, int64_t)
{
    C3dsScene &r_scene = *r_ld.p_scene;
    TMesh *p_mesh;
    if(!r_ld.TakeNamed(r_scene.p_object, r_scene.n_object_num, r_ld.n_fill_mesh, r_ld.t_mesh_names, p_mesh, "mesh"))
        return false;
    if(p_mesh)
        r_ld.n_cur_mesh = r_ld.n_fill_mesh - 1;
    else if(r_ld.b_counting) // its material ranges: one, one more per group (ReadMaterialGroup), rounded up
        r_ld.n_array_bytes += sizeof(TMatRange) + CSceneArena::n_alignment;
    return true;
}

// Replaces the current mesh's vertices with the list's, positions stored as
// the file's x, z, y. Fails when the new array may not be held.
bool ReadVertexList(TLoader &r_ld, int64_t n_end)
{
    CInput &r_in = r_ld.t_in;
    int n = r_in.U16();
    TMesh *p_mesh = FillMesh(r_ld);
    if(!p_mesh) {
        if(r_ld.b_counting)
            r_ld.NoteArray(n_end, n, 12, sizeof(TVertex));
        r_in.Skip(12 * int64_t(n));
        return true;
    }
    if(!r_ld.Reserve(p_mesh->n_vertex_num, n) || !r_ld.Work(n))
        return false;
    p_mesh->n_vertex_num = n;
    p_mesh->n_mapped_num = 0;
    AssignFresh(p_mesh->p_vertex, size_t(n), TVertex{});
    for(TVertex &r_vertex : p_mesh->p_vertex) {
        float p_xyz[3];
        r_in.ReadFloats(p_xyz, 3);
        r_vertex.p_position[0] = p_xyz[0];
        r_vertex.p_position[1] = p_xyz[2];
        r_vertex.p_position[2] = p_xyz[1];
    }
    return true;
}

// Vertex flags are not kept; the walker skips the chunk's data.
bool ReadVertexFlags(TLoader &, int64_t)
{
    return true;
}

// Replaces the current mesh's faces with the list's, corners stored as the
// file's a, c, b, each face without material. Leaves the input right after
// the last face, where the list's sub-chunks begin, in both passes. The
// corners are checked against the vertex count once the fill pass is over.
bool ReadFaceList(TLoader &r_ld, int64_t n_end)
{
    CInput &r_in = r_ld.t_in;
    int n = r_in.U16();
    TMesh *p_mesh = FillMesh(r_ld);
    if(!p_mesh) {
        if(r_ld.b_counting)
            r_ld.NoteArray(n_end, n, 8, sizeof(TFace)), r_ld.NoteArray(n_end, n, 8, sizeof(int32_t));
        r_in.Skip(8 * int64_t(n));
        return true;
    }
    if(!r_ld.Reserve(p_mesh->n_face_num, n) || !r_ld.Work(n))
        return false;
    if(r_ld.p_error)
        r_ld.NoteFaceList();
    p_mesh->n_face_num = n;
    AssignFresh(p_mesh->p_face, size_t(n), TFace{{0, 0, 0}});
    AssignFresh(p_mesh->p_face_material, size_t(n), int32_t(-1));
    for(TFace &r_face : p_mesh->p_face) {
        uint32_t n_a = r_in.U16(), n_b = r_in.U16(), n_c = r_in.U16();
        r_in.Skip(2); // flags
        r_face.p_corner[0] = n_a;
        r_face.p_corner[1] = n_c;
        r_face.p_corner[2] = n_b;
    }
    return true;
}

// Gives the listed faces of the current mesh the material of that name (-1
// when none of that name has been read yet); indices beyond the face count
// are ignored. Fails, in both passes, when the name is cut off by the end of
// the file.
bool ReadMaterialGroup(TLoader &r_ld, int64_t)
{
    CInput &r_in = r_ld.t_in;
    char s_material[64];
    if(!ReadName(s_material, r_in))
        return r_ld.FailName(s_material);
    TMesh *p_mesh = FillMesh(r_ld);
    int n = r_in.U16();
    if(!p_mesh) {
        if(r_ld.b_counting)
            r_ld.n_array_bytes += sizeof(TMatRange);
        return true;
    }
    if(!r_ld.Work(n))
        return false;
    int n_material = r_ld.t_material_names.Find(s_material);
    for(int i = 0; i < n; ++i) {
        if(r_in.AtEnd()) {
            // every entry left reads as face 0; the last one wins
            if(p_mesh->n_face_num > 0)
                p_mesh->p_face_material[0] = n_material;
            break;
        }
        int n_face = r_in.U16();
        if(n_face < p_mesh->n_face_num)
            p_mesh->p_face_material[size_t(n_face)] = n_material;
    }
    return true;
}

// Sets u, v of the current mesh's vertices in list order; entries beyond the
// vertex count are ignored.
bool ReadMappingCoords(TLoader &r_ld, int64_t)
{
    CInput &r_in = r_ld.t_in;
    int n = r_in.U16();
    TMesh *p_mesh = FillMesh(r_ld);
    if(!p_mesh)
        return true;
    int n_stored = n < p_mesh->n_vertex_num ? n : p_mesh->n_vertex_num;
    if(!r_ld.Work(n_stored))
        return false;
    for(int i = 0; i < n_stored; ++i)
        r_in.ReadFloats(p_mesh->p_vertex[size_t(i)].p_texcoord, 2);
    if(n_stored > p_mesh->n_mapped_num)
        p_mesh->n_mapped_num = n_stored;
    return true;
}

// The smoothing list is not interpreted: normals are smoothed over shared
// positions whatever it says. A counting walk that tallies for a report
// notes the mesh counted last when any face in the list has a group, so
// that the report can say the groups are lost. The walker skips the data.
bool ReadSmoothingList(TLoader &r_ld, int64_t n_end)
{
    if(!r_ld.p_stats || !r_ld.b_counting || r_ld.p_scene->n_object_num < 1)
        return true;
    CInput &r_in = r_ld.t_in;
    int64_t n_stop = n_end < r_in.Size() ? n_end : r_in.Size();
    while(r_in.Pos() + 4 <= n_stop) {
        if(r_in.U32()) {
            r_ld.p_stats->p_smoothed_meshes.push_back(r_ld.p_scene->n_object_num - 1);
            break;
        }
    }
    return true;
}

// Sets the current mesh's transform from the 12 floats, as rows of a 4x4
// matrix whose last column is 0, 0, 0, 1. The file's axes are kept.
bool ReadLocalMatrix(TLoader &r_ld, int64_t)
{
    float p_m[12];
    r_ld.t_in.ReadFloats(p_m, 12);
    TMesh *p_mesh = FillMesh(r_ld);
    if(!p_mesh)
        return true;
    for(int n_row = 0; n_row < 4; ++n_row) {
        for(int n_col = 0; n_col < 3; ++n_col)
            p_mesh->p_transform[4 * n_row + n_col] = p_m[3 * n_row + n_col];
        p_mesh->p_transform[4 * n_row + 3] = n_row == 3 ? 1.0f : 0.0f;
    }
    return true;
}

} // namespace bake3ds
