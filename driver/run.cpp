#include "driver/run.h"

#include "bake3ds/bake3ds.hpp"
#include "console/messages.h"
#include "platform/platform.h"

namespace bake3ds {

namespace {

// The header file as the library's sink, counting what it took for the cut
// to length at the end.
class CFileSink : public HeaderSink {
public:
    explicit CFileSink(COutputFile &r_file) : m_r_file(r_file) {}

    bool write(const char *p_text, size_t n_len) override
    {
        m_n_written += n_len;
        return m_r_file.Write(p_text, n_len);
    }

    uint64_t Written() const { return m_n_written; }

private:
    COutputFile &m_r_file;
    uint64_t m_n_written = 0;
};

// True when the output path names the input file itself: the same path, or
// the same file reached under another name (links followed).
bool IsInput(const char *s_input, const std::string &r_s_output)
{
    return r_s_output == s_input || SameFile(s_input, r_s_output.c_str());
}

} // namespace

int RunConverter(const std::vector<std::string> &p_args, FILE *p_out, FILE *p_err)
{
    if(p_args.size() != 2) {
        std::fputs(s_usage_message, p_err);
        return -1;
    }
    // a lone --help, -h or --version is the first thing a user types: it is
    // answered, not looked for as a file (./--help converts such a file)
    if(p_args[1] == "--help" || p_args[1] == "-h") {
        std::fputs(s_converter_help_message, p_out);
        return 0;
    }
    if(p_args[1] == "--version") {
        std::fputs(VersionMessage("bake3ds").c_str(), p_out);
        return 0;
    }
    const char *s_input = p_args[1].c_str();
    std::fputs(LoadingMessage(p_args[1]).c_str(), p_out);
    Scene t_scene;
    if(!load_scene_file(s_input, t_scene)) {
        std::fflush(p_out);
        std::fputs(s_load_failed_message, p_err);
        return -1;
    }
    std::fputs(CountsMessage(t_scene).c_str(), p_out);

    std::string s_output = header_path_for(p_args[1]);
    std::fputs(ExportingMessage(s_output).c_str(), p_out);
    std::fflush(p_out);
    COutputFile t_file;
    if(s_output.empty() || IsInput(s_input, s_output) || !t_file.Open(s_output.c_str())) {
        std::fputs(s_cannot_write_message, p_err);
        return -1;
    }
    CFileSink t_sink(t_file);
    bool b_written = write_header(t_scene, class_name_for(s_output).c_str(), s_input, t_sink);
    if(!t_file.Close(t_sink.Written()) || !b_written) {
        std::fputs(s_no_space_message, p_err);
        return -1;
    }
    std::fputs(s_done_message, p_out);
    return 0;
}

} // namespace bake3ds
