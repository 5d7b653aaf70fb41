#include "writer/text_out.h"

#include <new>
#include <stdexcept>

#include "writer/digits.h"

namespace bake3ds {

CTextOut::CTextOut(std::string *p_dest, size_t n_expected) : m_p_dest(p_dest)
{
    AllocateBuffer(n_memory_capacity);
    try {
        p_dest->reserve(p_dest->size() + n_expected);
    } catch(const std::bad_alloc &) {
        // only a hint: the string grows as it must, and reports what fails then
    } catch(const std::length_error &) {
    }
}

void CTextOut::Emit(const char *p_text, size_t n_len)
{
    m_n_written += n_len;
    if(m_p_dest) {
        // memory that runs out is this sink's full disk
        if(!m_b_error) {
            try {
                m_p_dest->append(p_text, n_len);
            } catch(const std::bad_alloc &) {
                m_b_error = true;
            } catch(const std::length_error &) {
                m_b_error = true;
            }
        }
        return;
    }
    // after the first failure nothing more is tried: the header is lost
    if(n_len && !m_b_error && !m_p_sink->Write(p_text, n_len))
        m_b_error = true;
}

void CTextOut::PutInt(long long n_value)
{
    char *p_start = Room(24), *p = p_start;
    unsigned long long n_abs = (unsigned long long)n_value;
    if(n_value < 0) {
        *p++ = '-';
        n_abs = 0 - n_abs;
    }
    Commit(size_t(PutUnsigned(p, n_abs) - p_start));
}

void CTextOut::PutQuoted(const std::string &r_s_name)
{
    unsigned char c_prev = 0;
    for(unsigned char c : r_s_name) {
        if(c == '\\' || c == '"' || (c == '?' && c_prev == '?')) {
            Put('\\');
            Put(char(c));
        } else if(c < 0x20 || c >= 0x7F) {
            char p_escape[4] = {'\\', char('0' + (c >> 6)), char('0' + (c >> 3 & 7)), char('0' + (c & 7))};
            Put(p_escape, 4);
        } else
            Put(char(c));
        c_prev = c;
    }
}

void CTextOut::PutCommented(const char *s_text)
{
    char c_prev = 0;
    for(const char *p = s_text; *p; ++p) {
        if((*p == '*' && c_prev == '/') || (*p == '/' && c_prev == '*'))
            Put('\\');
        Put(*p);
        c_prev = *p;
    }
}

} // namespace bake3ds
