#include "console/messages.h"

namespace bake3ds {

std::string LoadingMessage(const std::string &r_s_input)
{
    return "=== Loading '" + r_s_input + "' ===\n";
}

std::string CountsMessage(const Scene &r_scene)
{
    return "\t" + std::to_string(int(r_scene.light_count())) + " lights\n\t" +
        std::to_string(int(r_scene.material_count())) + " materials\n\t" + std::to_string(int(r_scene.object_count())) +
        " objects\n\t" + std::to_string(int(r_scene.camera_count())) + " cameras\n";
}

std::string ExportingMessage(const std::string &r_s_output)
{
    return "\n=== Exporting objects geometry to '" + r_s_output + "' ===\n";
}

std::string VersionMessage(const char *s_program)
{
    return std::string(s_program) + " " + bake3ds::version() + "\n";
}

const char *const s_converter_help_message =
    "usage: bake3ds FILE.3ds\n"
    "Converts the 3D Studio scene FILE.3ds into a C++ header of static OpenGL data, written\n"
    "next to it as FILE.h (the path up to the file name's last '.', then \".h\"), declaring the\n"
    "class CFILE_3ds. A file whose name starts with '-' is named with its folder: ./-name.3ds\n";
const char *const s_info_help_message =
    "usage: bake3ds-info FILE [--json]\n"
    "Reports what the header bake3ds writes for FILE would hold and what it leaves out, or why\n"
    "the file is refused, as text or, with --json, as JSON. After --, every argument is a file.\n";
const char *const s_done_message = "\tDone\n";
const char *const s_usage_message = "error: run with single parameter giving path of your .3ds file\n";
const char *const s_load_failed_message = "error: unable to load .3ds file\n";
const char *const s_cannot_write_message = "error: unable to write to file\n";
const char *const s_no_space_message = "error: not enough space to write file\n";
const char *const s_report_no_memory_message = "error: not enough memory for the report\n";

} // namespace bake3ds
