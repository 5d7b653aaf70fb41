// bake3ds-info: what a .3ds scene holds, what its header leaves out, and
// why the converter refuses a file. Exit status 0 when the file loads, 1
// when the converter would refuse it, 2 for a usage error or a report that
// could not be written.

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "bake3ds/bake3ds.hpp"
#include "console/messages.h"
#include "platform/program_start.h"

namespace {

const char *const s_usage = "usage: bake3ds-info FILE [--json]\n";

// Writes all of r_s to p_file; false when any of it could not be written.
bool Write(FILE *p_file, const std::string &r_s)
{
    bool b_ok = std::fwrite(r_s.data(), 1, r_s.size(), p_file) == r_s.size();
    return std::fflush(p_file) == 0 && b_ok && !std::ferror(p_file);
}

} // namespace

int main(int n_argc, char **p_argv)
{
    std::vector<std::string> p_args;
    try {
        p_args = bake3ds::ProgramStart(n_argc, p_argv);
    } catch(const std::bad_alloc &) {
        std::fputs(bake3ds::s_report_no_memory_message, stderr);
        return 2;
    }
    if(p_args.size() == 2 && p_args[1] == "--version") {
        std::fputs(bake3ds::VersionMessage("bake3ds-info").c_str(), stdout);
        return 0;
    }
    const char *s_path = nullptr;
    bool b_json = false, b_options = true;
    for(size_t i = 1; i < p_args.size(); ++i) {
        const std::string &r_s_arg = p_args[i];
        if(b_options && r_s_arg == "--json")
            b_json = true;
        else if(b_options && r_s_arg == "--")
            b_options = false;
        else if(b_options && (r_s_arg == "--help" || r_s_arg == "-h")) {
            std::fputs(bake3ds::s_info_help_message, stdout);
            return 0;
        } else if((b_options && r_s_arg.size() > 1 && r_s_arg[0] == '-') || s_path) {
            std::fputs(s_usage, stderr);
            return 2;
        } else
            s_path = r_s_arg.c_str();
    }
    if(!s_path) {
        std::fputs(s_usage, stderr);
        return 2;
    }
    bake3ds::Report t_report;
    std::string s_out;
    if(!bake3ds::report_file(s_path, t_report) ||
        !(b_json ? bake3ds::report_json(t_report, s_out) : bake3ds::report_text(t_report, s_out))) {
        std::fputs(bake3ds::s_report_no_memory_message, stderr);
        return 2;
    }
    if(!Write(stdout, s_out)) {
        std::fputs("error: the report could not be written\n", stderr);
        return 2;
    }
    bake3ds::ReportInfo t_info;
    return t_report.info(t_info) && t_info.loaded ? 0 : 1;
}
