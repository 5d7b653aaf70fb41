#include "api/output_names.h"

namespace bake3ds {

size_t FileNameStart(const std::string &r_s_path, bool b_drives)
{
    size_t n_cut = r_s_path.find_last_of("/\\");
    if(n_cut != std::string::npos)
        return n_cut + 1;
    bool b_drive = b_drives && r_s_path.size() >= 2 && r_s_path[1] == ':' &&
        ((r_s_path[0] >= 'a' && r_s_path[0] <= 'z') || (r_s_path[0] >= 'A' && r_s_path[0] <= 'Z'));
    return b_drive ? 2 : 0;
}

std::string OutputPathFor(const std::string &r_s_input, bool b_drives)
{
    size_t n_name = FileNameStart(r_s_input, b_drives);
    size_t n_dot = r_s_input.rfind('.');
    if(n_dot == std::string::npos || n_dot < n_name)
        return r_s_input + ".h";
    return r_s_input.substr(0, n_dot) + ".h";
}

std::string ClassNameFor(const std::string &r_s_output, bool b_drives)
{
    std::string s_name = r_s_output.substr(FileNameStart(r_s_output, b_drives));
    s_name.resize(s_name.size() >= 2 ? s_name.size() - 2 : 0);
    for(char &r_c : s_name) {
        bool b_keep = (r_c >= 'a' && r_c <= 'z') || (r_c >= 'A' && r_c <= 'Z') || (r_c >= '0' && r_c <= '9') ||
            r_c == '_';
        if(!b_keep)
            r_c = '_';
    }
    return s_name;
}

} // namespace bake3ds
