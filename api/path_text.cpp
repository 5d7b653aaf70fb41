#include "api/path_text.h"

#include <cstdio>

namespace bake3ds {

namespace {

// U+0080 to U+009F, the C1 control characters: C2 80 to C2 9F.
bool b_C1Control(const unsigned char *p, size_t n_len)
{
    return n_len == 2 && p[0] == 0xC2 && p[1] < 0xA0;
}

void Escape(std::string &r_s, const char *p_s_format, unsigned n)
{
    char p_escape[8];
    std::snprintf(p_escape, sizeof(p_escape), p_s_format, n);
    r_s += p_escape;
}

} // namespace

size_t n_Utf8Sequence(const unsigned char *p, size_t n)
{
    unsigned c = p[0];
    size_t n_len = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if(!n_len || n_len > n)
        return 0;
    for(size_t i = 1; i < n_len; ++ i) {
        if((p[i] & 0xC0) != 0x80)
            return 0;
    }
    // the second byte's range rules out overlong forms, surrogates and
    // code points beyond U+10FFFF
    unsigned c1 = p[1];
    if((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 > 0x9F) || (c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 > 0x8F))
        return 0;
    return n_len;
}

std::string s_QuotedPath(const std::string &r_s_path)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(r_s_path.data());
    size_t n = r_s_path.size();
    std::string s = "\"";
    for(size_t i = 0; i < n;) {
        unsigned c = p[i];
        size_t n_len = c >= 0x80 ? n_Utf8Sequence(p + i, n - i) : 1;
        if(c == '"' || c == '\\') {
            s += '\\';
            s += char(c);
        } else if(c >= 0x20 && c < 0x7F)
            s += char(c);
        else if(n_len > 1 && !b_C1Control(p + i, n_len)) {
            s.append(r_s_path, i, n_len);
            i += n_len;
            continue;
        } else
            Escape(s, "\\x%02X", c); // a control character, or a byte of no character
        ++ i;
    }
    return s + "\"";
}

std::string s_JsonPath(const std::string &r_s_path)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(r_s_path.data());
    size_t n = r_s_path.size();
    std::string s = "\"";
    for(size_t i = 0; i < n;) {
        unsigned c = p[i];
        size_t n_len = c >= 0x80 ? n_Utf8Sequence(p + i, n - i) : 1;
        if(c == '"' || c == '\\') {
            s += '\\';
            s += char(c);
        } else if(c < 0x20 || c == 0x7F)
            Escape(s, "\\u%04X", c);
        else if(c < 0x80)
            s += char(c);
        else if(b_C1Control(p + i, n_len))
            Escape(s, "\\u%04X", p[i + 1]);
        else if(n_len) {
            s.append(r_s_path, i, n_len);
            i += n_len;
            continue;
        } else
            Escape(s, "\\u%04X", 0xDC00u + c);
        i += n_len ? n_len : 1;
    }
    return s + "\"";
}

} // namespace bake3ds
