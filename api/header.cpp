// The library's header writing, its one-call conversion, the output names,
// and the memory it hands over.

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

#include "api/library.h"
#include "api/output_names.h"
#include "reader/load_failure.h"
#include "writer/header_writer.h"

namespace bake3ds {

namespace {

// A caller's sink as the writer's.
class CCallerSink : public CTextSink {
public:
    CCallerSink(bake3ds_sink p_sink, void *p_user) : m_p_sink(p_sink), m_p_user(p_user) {}

    bool Write(const char *p_text, size_t n_len) override { return m_p_sink(m_p_user, p_text, n_len) != 0; }

private:
    bake3ds_sink m_p_sink;
    void *m_p_user;
};

// Writes the whole header through r_out; true when all of it was taken.
bool WriteAll(CTextOut &r_out, const C3dsScene &r_scene, const char *s_class, const char *s_input_path)
{
    WriteBanner(r_out);
    WriteHeader(r_out, r_scene, s_class, s_input_path);
    return r_out.Finish();
}

// Text gathered in memory that is handed over to the caller whole, for
// bake3ds_free to release: sized for the expected text at once, grown by
// half when that falls short.
class CHandedText : public CTextSink {
public:
    explicit CHandedText(size_t n_expected)
    {
        m_p_text = static_cast<char *>(std::malloc(n_expected + 1));
        m_n_capacity = m_p_text ? n_expected : 0;
    }
    ~CHandedText() { std::free(m_p_text); }
    CHandedText(const CHandedText &) = delete;
    CHandedText &operator=(const CHandedText &) = delete;

    bool Write(const char *p_text, size_t n_len) override
    {
        if(m_n_capacity - m_n_size < n_len) {
            size_t n_needed = m_n_size + n_len, n_capacity = m_n_capacity + m_n_capacity / 2;
            if(n_needed < m_n_size || n_needed == size_t(-1))
                return false;
            if(n_capacity < n_needed || n_capacity == size_t(-1))
                n_capacity = n_needed;
            char *p_grown = static_cast<char *>(std::realloc(m_p_text, n_capacity + 1));
            if(!p_grown)
                return false;
            m_p_text = p_grown;
            m_n_capacity = n_capacity;
        }
        std::memcpy(m_p_text + m_n_size, p_text, n_len);
        m_n_size += n_len;
        return true;
    }

    // The text, terminated, now the caller's; its length in *p_size where set.
    char *Release(size_t *p_size)
    {
        if(!m_p_text) // the expected size's memory could not be had, and nothing was written
            m_p_text = static_cast<char *>(std::malloc(1));
        if(!m_p_text)
            return nullptr;
        m_p_text[m_n_size] = 0;
        if(p_size)
            *p_size = m_n_size;
        char *p = m_p_text;
        m_p_text = nullptr;
        return p;
    }

private:
    char *m_p_text = nullptr;
    size_t m_n_size = 0, m_n_capacity = 0;
};

// The header for the scene into *p_header, as bake3ds_header gives it.
bool HandOverHeader(const C3dsScene &r_scene, const char *s_class, const char *s_input_path, char **p_header,
    size_t *p_size)
{
    CHandedText t_text(HeaderSizeHint(r_scene));
    {
        CTextOut t_out(&t_text, CTextOut::n_memory_capacity);
        if(!WriteAll(t_out, r_scene, s_class, s_input_path))
            return false;
    }
    *p_header = t_text.Release(p_size);
    return *p_header != nullptr;
}

} // namespace

bool HeaderText(const C3dsScene &r_scene, const char *s_class, const char *s_input_path, std::string &r_s_header,
    bool b_printf_floats) noexcept
{
    size_t n_before = r_s_header.size();
    CTextOut t_out(&r_s_header, HeaderSizeHint(r_scene));
    t_out.UsePrintfFloats(b_printf_floats);
    if(WriteAll(t_out, r_scene, s_class, s_input_path))
        return true;
    r_s_header.resize(n_before); // no partial header
    return false;
}

namespace {

// The conversion's load: the bytes' scene, and in r_s_class the name the
// command line gives the class for input_path; null, with the failure, when
// either cannot be had.
bake3ds_scene *LoadToConvert(const uint8_t *p_data, size_t n_size, const char *s_input_path,
    const bake3ds_options *p_options, std::string &r_s_class, bake3ds_failure *p_failure) noexcept
{
    try {
        r_s_class = ClassNameFor(OutputPathFor(s_input_path));
    } catch(const std::bad_alloc &) {
        if(p_failure)
            ClearFailure(*p_failure, int64_t(n_size));
        FailAllocation(p_failure);
        return nullptr;
    }
    return LoadScene(p_data, n_size, p_options, p_failure);
}

} // namespace

bool ConvertText(const uint8_t *p_data, size_t n_size, const char *s_input_path, const bake3ds_options *p_options,
    std::string &r_s_header, bake3ds_failure *p_failure, bool b_printf_floats) noexcept
{
    std::string s_class;
    bake3ds_scene *p_scene = LoadToConvert(p_data, n_size, s_input_path, p_options, s_class, p_failure);
    if(!p_scene)
        return false;
    bool b_written = HeaderText(p_scene->t_records, s_class.c_str(), s_input_path, r_s_header, b_printf_floats);
    bake3ds_scene_free(p_scene);
    if(!b_written)
        FailAllocation(p_failure);
    return b_written;
}

char *HandOver(const char *p_text, size_t n) noexcept
{
    char *p = static_cast<char *>(std::malloc(n + 1));
    if(!p)
        return nullptr;
    if(n)
        std::memcpy(p, p_text, n);
    p[n] = 0;
    return p;
}

} // namespace bake3ds

using namespace bake3ds;

void bake3ds_free(void *memory)
{
    std::free(memory);
}

int bake3ds_write_header(const bake3ds_scene *scene, const char *class_name, const char *input_path, bake3ds_sink sink,
    void *user)
{
    if(!scene || !sink)
        return 0;
    CCallerSink t_sink(sink, user);
    CTextOut t_out(&t_sink);
    return WriteAll(t_out, scene->t_records, class_name, input_path);
}

int bake3ds_header(const bake3ds_scene *scene, const char *class_name, const char *input_path, char **header,
    size_t *size)
{
    if(!header)
        return 0;
    *header = nullptr;
    if(size)
        *size = 0;
    return scene && HandOverHeader(scene->t_records, class_name, input_path, header, size);
}

int bake3ds_convert(const void *data, size_t size, const char *input_path, const bake3ds_options *options,
    char **header, size_t *header_size, bake3ds_failure *failure)
{
    if(!header)
        return 0;
    *header = nullptr;
    if(header_size)
        *header_size = 0;
    std::string s_class;
    bake3ds_scene *p_scene =
        LoadToConvert(static_cast<const uint8_t *>(data), size, input_path, options, s_class, failure);
    if(!p_scene)
        return 0;
    bool b_written = HandOverHeader(p_scene->t_records, s_class.c_str(), input_path, header, header_size);
    bake3ds_scene_free(p_scene);
    if(!b_written)
        FailAllocation(failure);
    return b_written;
}

char *bake3ds_header_path_for(const char *input_path)
{
    try {
        std::string s = OutputPathFor(input_path);
        return HandOver(s.data(), s.size());
    } catch(const std::bad_alloc &) {
        return nullptr;
    }
}

char *bake3ds_class_name_for(const char *header_path)
{
    try {
        std::string s = ClassNameFor(header_path);
        return HandOver(s.data(), s.size());
    } catch(const std::bad_alloc &) {
        return nullptr;
    }
}
