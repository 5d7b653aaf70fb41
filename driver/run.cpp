#include "driver/run.h"

#include "driver/output_names.h"
#include "platform/platform.h"
#include "scene/face_order.h"
#include "writer/header_writer.h"

namespace bake3ds {

namespace {

// True when the output path names the input file itself: the same path, or
// the same file reached under another name (links followed).
bool b_IsInput(const char *p_s_input, const std::string &r_s_output)
{
    return r_s_output == p_s_input || b_SameFile(p_s_input, r_s_output.c_str());
}

// Writes the header into the open file and closes it; false when any write,
// the final cut to length or the close failed.
bool b_WriteAndClose(COutputFile &r_file, const C3dsScene &r_scene, const std::string &r_s_class, const char *p_s_input)
{
    bool b_ok;
    uint64_t n_length;
    {
        CTextOut t_out(&r_file);
        WriteBanner(t_out);
        WriteHeader(t_out, r_scene, r_s_class.c_str(), p_s_input);
        b_ok = t_out.b_Finish();
        n_length = t_out.n_Written();
    }
    return r_file.b_Close(n_length) && b_ok;
}

} // namespace

void SortScene(C3dsScene &r_scene)
{
    for(TMesh &r_mesh : r_scene.p_object)
        SortFacesByMaterial(r_mesh);
}

int RunConverter(int n_argc, const char *const *p_argv, FILE *p_out, FILE *p_err)
{
    if(n_argc != 2) {
        std::fprintf(p_err, "error: run with single parameter giving path of your .3ds file\n");
        return -1;
    }
    const char *p_s_input = p_argv[1];
    std::fprintf(p_out, "=== Loading '%s' ===\n", p_s_input);
    C3dsScene t_scene;
    if(!t_scene.Load(p_s_input)) {
        std::fflush(p_out);
        std::fprintf(p_err, "error: unable to load .3ds file\n");
        return -1;
    }
    SortScene(t_scene);
    std::fprintf(p_out, "\t%d lights\n\t%d materials\n\t%d objects\n\t%d cameras\n", t_scene.n_light_num,
        t_scene.n_material_num, t_scene.n_object_num, t_scene.n_camera_num);

    std::string s_output = OutputPathFor(p_s_input);
    std::fprintf(p_out, "\n=== Exporting objects geometry to '%s' ===\n", s_output.c_str());
    std::fflush(p_out);
    COutputFile t_file;
    if(b_IsInput(p_s_input, s_output) || !t_file.b_Open(s_output.c_str())) {
        std::fprintf(p_err, "error: unable to write to file\n");
        return -1;
    }
    if(!b_WriteAndClose(t_file, t_scene, ClassNameFor(s_output), p_s_input)) {
        std::fprintf(p_err, "error: not enough space to write file\n");
        return -1;
    }
    std::fprintf(p_out, "\tDone\n");
    return 0;
}

int ConvertMemory(const uint8_t *p_data, size_t n_size, const char *p_s_class, const char *p_s_input_path,
    std::string &r_s_header, bool b_printf_floats, const TLoadOptions &r_options)
{
    C3dsScene t_scene;
    if(!t_scene.LoadMemory(p_data, n_size, r_options))
        return 0;
    SortScene(t_scene);
    size_t n_before = r_s_header.size();
    CTextOut t_out(&r_s_header);
    t_out.UsePrintfFloats(b_printf_floats);
    WriteBanner(t_out);
    WriteHeader(t_out, t_scene, p_s_class, p_s_input_path);
    if(!t_out.b_Finish()) {
        r_s_header.resize(n_before); // no partial header
        return 0;
    }
    return 1;
}

} // namespace bake3ds
