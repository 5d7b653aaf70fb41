#include "driver/output_names.h"

namespace bake3ds {

std::string OutputPathFor(const std::string &r_s_input)
{
    size_t n_name = r_s_input.find_last_of("/\\");
    n_name = n_name == std::string::npos ? 0 : n_name + 1;
    size_t n_dot = r_s_input.rfind('.');
    if(n_dot == std::string::npos || n_dot < n_name)
        return r_s_input + ".h";
    return r_s_input.substr(0, n_dot) + ".h";
}

std::string ClassNameFor(const std::string &r_s_output)
{
    std::string s_name = r_s_output;
    size_t n_cut = s_name.rfind('\\');
    if(n_cut != std::string::npos)
        s_name.erase(0, n_cut + 1);
    n_cut = s_name.rfind('/');
    if(n_cut != std::string::npos)
        s_name.erase(0, n_cut + 1);
    s_name.resize(s_name.size() >= 2 ? s_name.size() - 2 : 0);
    for(char &r_c : s_name) {
        bool b_keep = (r_c >= 'a' && r_c <= 'z') || (r_c >= 'A' && r_c <= 'Z') ||
            (r_c >= '0' && r_c <= '9') || r_c == '_';
        if(!b_keep)
            r_c = '_';
    }
    return s_name;
}

} // namespace bake3ds
