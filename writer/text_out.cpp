#include "writer/text_out.h"

namespace bake3ds {

void CTextOut::Emit(const char *p_text, size_t n_len)
{
    if(!n_len)
        return;
    if(m_p_dest) {
        m_p_dest->append(p_text, n_len);
        return;
    }
    if(std::fwrite(p_text, 1, n_len, m_p_stream) != n_len)
        m_b_error = true;
}

void CTextOut::PutInt(long long n_value)
{
    char p_digits[24];
    size_t n_len = 0;
    unsigned long long n_abs = n_value < 0 ? 0ull - (unsigned long long)n_value : (unsigned long long)n_value;
    do {
        p_digits[sizeof(p_digits) - 1 - n_len ++] = char('0' + n_abs % 10);
        n_abs /= 10;
    } while(n_abs);
    if(n_value < 0)
        p_digits[sizeof(p_digits) - 1 - n_len ++] = '-';
    Put(p_digits + sizeof(p_digits) - n_len, n_len);
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

void CTextOut::PutCommented(const char *p_s_text)
{
    char c_prev = 0;
    for(const char *p = p_s_text; *p; ++ p) {
        if((*p == '*' && c_prev == '/') || (*p == '/' && c_prev == '*'))
            Put('\\');
        Put(*p);
        c_prev = *p;
    }
}

} // namespace bake3ds
