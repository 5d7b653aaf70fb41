// Prints the position tracks of the camera and camera target nodes of a
// .3ds file as lib3ds, an independent reader, reads them: a line
// "position|target NAME KEYS", then "FRAME X Y Z" per key, in the file's axes.

#include <lib3ds/file.h>
#include <lib3ds/node.h>

#include <cstdio>

namespace {

void PrintTrack(const char *s_kind, const Lib3dsNode *p_node, const Lib3dsLin3Track &r_track)
{
    int n_keys = 0;
    for(const Lib3dsLin3Key *p_key = r_track.keyL; p_key; p_key = p_key->next)
        ++n_keys;
    std::printf("%s %s %d\n", s_kind, p_node->name, n_keys);
    for(const Lib3dsLin3Key *p_key = r_track.keyL; p_key; p_key = p_key->next) {
        std::printf("%d %f %f %f\n", int(p_key->tcb.frame), double(p_key->value[0]), double(p_key->value[1]),
            double(p_key->value[2]));
    }
}

void PrintNodes(const Lib3dsNode *p_node)
{
    for(; p_node; p_node = p_node->next) {
        if(p_node->type == LIB3DS_CAMERA_NODE)
            PrintTrack("position", p_node, p_node->data.camera.pos_track);
        else if(p_node->type == LIB3DS_TARGET_NODE)
            PrintTrack("target", p_node, p_node->data.target.pos_track);
        PrintNodes(p_node->childs);
    }
}

} // namespace

int main(int n_argc, char **p_argv)
{
    if(n_argc != 2)
        return 2;
    Lib3dsFile *p_file = lib3ds_file_load(p_argv[1]);
    if(!p_file)
        return 1;
    PrintNodes(p_file->nodes);
    lib3ds_file_free(p_file);
    return 0;
}
