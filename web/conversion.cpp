#include "web/conversion.h"

#include <chrono>

#include "console/messages.h"

namespace web {

// The command line's run (driver/run.cpp) step for step, with the header
// kept in memory: one load serves the counts, the header and the view, so
// that the time shown is the conversion's alone and a large file is not
// parsed twice. A header path the command line could not have opened does
// not arise: the name has no folder and the output never is the input.
void Convert(const std::string &r_s_name, const void *p_data, size_t n_size, TConversion &r_result)
{
    r_result = TConversion();
    auto t_start = std::chrono::steady_clock::now();
    r_result.s_out = bake3ds::LoadingMessage(r_s_name);
    r_result.s_header_path = bake3ds::header_path_for(r_s_name);
    if(!bake3ds::load_scene(p_data, n_size, r_result.t_scene))
        r_result.s_err = bake3ds::s_load_failed_message;
    else {
        r_result.s_out += bake3ds::CountsMessage(r_result.t_scene);
        r_result.s_out += bake3ds::ExportingMessage(r_result.s_header_path);
        if(r_result.s_header_path.empty())
            r_result.s_err = bake3ds::s_cannot_write_message;
        else if(!bake3ds::write_header(r_result.t_scene, bake3ds::class_name_for(r_result.s_header_path).c_str(),
                    r_s_name.c_str(), r_result.s_header))
            r_result.s_err = bake3ds::s_no_space_message;
        else {
            r_result.s_out += bake3ds::s_done_message;
            r_result.b_converted = true;
        }
    }
    r_result.f_convert_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t_start).count();
    bake3ds::Report t_report;
    if(!bake3ds::report_bytes(p_data, n_size, r_s_name.c_str(), t_report) ||
        !bake3ds::report_text(t_report, r_result.s_report))
        r_result.s_report = bake3ds::s_report_no_memory_message;
}

} // namespace web
