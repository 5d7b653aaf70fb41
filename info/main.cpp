// bake3ds-info: what a .3ds scene holds, what its header leaves out, and
// why the converter refuses a file. Exit status 0 when the file loads, 1
// when the converter would refuse it, 2 for a usage error or a report that
// could not be written.

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "info/json_report.h"
#include "info/text_report.h"
#include "platform/platform.h"

namespace {

const char *const p_s_usage = "usage: bake3ds-info FILE [--json]\n";

// Writes all of r_s to p_file; false when any of it could not be written.
bool b_Write(FILE *p_file, const std::string &r_s)
{
    bool b_ok = std::fwrite(r_s.data(), 1, r_s.size(), p_file) == r_s.size();
    return std::fflush(p_file) == 0 && b_ok && !std::ferror(p_file);
}

} // namespace

int main(int n_argc, char **p_argv)
{
    try {
        // as the converter takes them: on Windows from the wide command
        // line, so that a path outside the ANSI code page arrives whole
        std::vector<std::string> args = bake3ds::CommandLineArguments(n_argc, p_argv);
        const char *p_s_path = nullptr;
        bool b_json = false, b_options = true;
        for(size_t i = 1; i < args.size(); ++ i) {
            const char *p_s_arg = args[i].c_str();
            if(b_options && !std::strcmp(p_s_arg, "--json"))
                b_json = true;
            else if(b_options && !std::strcmp(p_s_arg, "--"))
                b_options = false;
            else if(b_options && (!std::strcmp(p_s_arg, "--help") || !std::strcmp(p_s_arg, "-h"))) {
                std::fputs(p_s_usage, stdout);
                return 0;
            } else if((b_options && p_s_arg[0] == '-' && p_s_arg[1]) || p_s_path) {
                std::fputs(p_s_usage, stderr);
                return 2;
            } else
                p_s_path = p_s_arg;
        }
        if(!p_s_path) {
            std::fputs(p_s_usage, stderr);
            return 2;
        }
        bake3ds::TReport t_report = bake3ds::t_ReportFile(p_s_path);
        std::string s_out = b_json ? bake3ds::s_JsonReport(t_report) : bake3ds::s_TextReport(t_report);
        if(!b_Write(stdout, s_out)) {
            std::fputs("error: the report could not be written\n", stderr);
            return 2;
        }
        return t_report.b_loaded ? 0 : 1;
    } catch(const std::bad_alloc &) {
        std::fputs("error: not enough memory for the report\n", stderr);
        return 2;
    }
}
