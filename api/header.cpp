// The library's header writing and its one-call conversion.

#include <new>

#include "api/convert_memory.h"
#include "api/load_failure.h"
#include "api/output_names.h"
#include "api/scene_impl.h"
#include "writer/header_writer.h"

namespace bake3ds {

namespace {

// A caller's sink as the writer's: a sink that throws has failed.
class CCallerSink : public CTextSink {
public:
    explicit CCallerSink(HeaderSink &r_sink) : m_r_sink(r_sink) {}

    bool b_Write(const char *p_text, size_t n_len) override
    {
        try {
            return m_r_sink.write(p_text, n_len);
        } catch(...) {
            return false;
        }
    }

private:
    HeaderSink &m_r_sink;
};

// Writes the whole header through r_out; true when the sink took it all.
bool b_WriteAll(CTextOut &r_out, const Scene &r_scene, const char *p_s_class, const char *p_s_input_path)
{
    WriteBanner(r_out);
    WriteHeader(r_out, SceneAccess::r_Records(r_scene), p_s_class, p_s_input_path);
    return r_out.b_Finish();
}

} // namespace

HeaderSink::~HeaderSink() = default;

bool write_header(const Scene &scene, const char *class_name, const char *input_path, HeaderSink &sink) noexcept
{
    CCallerSink t_sink(sink);
    CTextOut t_out(&t_sink);
    return b_WriteAll(t_out, scene, class_name, input_path);
}

bool write_header(const Scene &scene, const char *class_name, const char *input_path, std::string &header) noexcept
{
    size_t n_before = header.size();
    CTextOut t_out(&header, n_HeaderSizeHint(SceneAccess::r_Records(scene)));
    if(b_WriteAll(t_out, scene, class_name, input_path))
        return true;
    header.resize(n_before); // no partial header
    return false;
}

bool convert(const void *data, size_t size, const char *input_path, std::string &header, LoadFailure *failure,
    const Limits &limits) noexcept
{
    try {
        std::string s_class = ClassNameFor(OutputPathFor(input_path));
        TLoadError t_error;
        if(ConvertMemory(static_cast<const uint8_t *>(data), size, s_class.c_str(), input_path, header, false,
               t_LoadOptions(limits), &t_error)) {
            if(failure)
                *failure = LoadFailure();
            return true;
        }
        if(failure)
            *failure = t_LoadFailure(t_error);
    } catch(const std::bad_alloc &) {
        FailAllocation(failure);
    }
    return false;
}

std::string header_path_for(const std::string &input_path) noexcept
{
    try {
        return OutputPathFor(input_path);
    } catch(const std::bad_alloc &) {
        return std::string();
    }
}

std::string class_name_for(const std::string &header_path) noexcept
{
    try {
        return ClassNameFor(header_path);
    } catch(const std::bad_alloc &) {
        return std::string();
    }
}

} // namespace bake3ds
