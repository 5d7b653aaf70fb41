// The two-pass load: a counting walk sizes the record arrays, a fill walk
// over the same bytes fills them in file order, then every mesh gets its
// normals.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <stdexcept>
#include <vector>

#include "reader/chunk_walker.h"
#include "scene/normals.h"

namespace bake3ds {

namespace {

// True when every corner of every face refers to a vertex of its own mesh.
// Corners keep the indices read, so a vertex list may follow its face list;
// the check waits for the end of the fill pass.
bool b_CornersInRange(const C3dsScene &r_scene)
{
    for(const TMesh &r_mesh : r_scene.p_object) {
        for(const TFace &r_face : r_mesh.p_face) {
            for(int n_corner : r_face.p_corner) {
                if(n_corner >= r_mesh.n_vertex_num)
                    return false;
            }
        }
    }
    return true;
}

int n_Load(C3dsScene &r_scene, const uint8_t *p_data, size_t n_size, const TLoadOptions &r_options)
{
    r_scene = C3dsScene();
    TLoader t_ld(p_data, n_size, r_scene, r_options);
    if(ReadChunks(t_ld, int64_t(n_size), 1))
        return 0;

    r_scene.p_material.resize(size_t(r_scene.n_material_num));
    r_scene.p_object.resize(size_t(r_scene.n_object_num));
    r_scene.p_camera.resize(size_t(r_scene.n_camera_num));
    r_scene.p_light.resize(size_t(r_scene.n_light_num));

    // names and key-frame state stay as the counting pass left them
    t_ld.b_counting = false;
    t_ld.t_in.Seek(0);
    if(ReadChunks(t_ld, int64_t(n_size), 1))
        return 0;

    if(!b_CornersInRange(r_scene))
        return 0;
    for(TMesh &r_mesh : r_scene.p_object) {
        CalcFaceNormals(r_mesh);
        CalcVertexNormals(r_mesh);
    }
    return 1;
}

// Reads the whole of a regular file; false for anything else (a directory,
// a device, a pipe, which is opened without waiting for a writer) and on a
// read error.
bool b_ReadRegularFile(const char *p_s_path, std::vector<uint8_t> &r_bytes)
{
    int n_fd = open(p_s_path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if(n_fd < 0)
        return false;
    struct stat t_stat;
    bool b_ok = fstat(n_fd, &t_stat) == 0 && S_ISREG(t_stat.st_mode);
    if(b_ok) {
        // one byte more than the size, so that the end shows without growing
        r_bytes.resize(size_t(t_stat.st_size) + 1);
        size_t n_got = 0;
        for(;;) {
            if(n_got == r_bytes.size())
                r_bytes.resize(n_got + 65536 + n_got / 2); // the file grew while read
            ssize_t n_read = read(n_fd, r_bytes.data() + n_got, r_bytes.size() - n_got);
            if(n_read < 0 && errno == EINTR)
                continue;
            if(n_read <= 0) {
                b_ok = n_read == 0;
                break;
            }
            n_got += size_t(n_read);
        }
        r_bytes.resize(n_got);
    }
    close(n_fd);
    return b_ok;
}

} // namespace

int C3dsScene::LoadMemory(const uint8_t *p_data, size_t n_size, const TLoadOptions &r_options)
{
    try {
        return n_Load(*this, p_data, n_size, r_options);
    } catch(const std::bad_alloc &) {
        return 0;
    } catch(const std::length_error &) {
        return 0;
    }
}

int C3dsScene::Load(const char *p_s_path, const TLoadOptions &r_options)
{
    *this = C3dsScene();
    std::vector<uint8_t> bytes;
    try {
        if(!b_ReadRegularFile(p_s_path, bytes))
            return 0;
    } catch(const std::bad_alloc &) {
        return 0;
    }
    return LoadMemory(bytes.data(), bytes.size(), r_options);
}

} // namespace bake3ds
