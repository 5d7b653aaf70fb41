#include "api/path_text.h"

#include <cstdio>

namespace bake3ds {

namespace {

// U+0080 to U+009F, the C1 control characters: C2 80 to C2 9F.
bool C1Control(const unsigned char *p, size_t n_len)
{
    return n_len == 2 && p[0] == 0xC2 && p[1] < 0xA0;
}

void Escape(std::string &r_s, const char *s_format, unsigned n)
{
    char p_escape[8];
    std::snprintf(p_escape, sizeof(p_escape), s_format, n);
    r_s += p_escape;
}

} // namespace

size_t Utf8Sequence(const unsigned char *p, size_t n)
{
    unsigned c = p[0];
    size_t n_len = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if(!n_len || n_len > n)
        return 0;
    for(size_t i = 1; i < n_len; ++i) {
        if((p[i] & 0xC0) != 0x80)
            return 0;
    }
    // the second byte's range rules out overlong forms, surrogates and
    // code points beyond U+10FFFF
    unsigned n_second = p[1];
    if((c == 0xE0 && n_second < 0xA0) || (c == 0xED && n_second > 0x9F) || (c == 0xF0 && n_second < 0x90) ||
        (c == 0xF4 && n_second > 0x8F))
        return 0;
    return n_len;
}

namespace {

// What a piece of a path is, for its writing.
enum TPathPiece {
    piece_Plain,   // a character to write as it is
    piece_Quote,   // '"' or '\', written after a '\'
    piece_Control, // a control character, its code point in n_code
    piece_Stray    // a byte that is no UTF-8, in n_code
};

// The path in double quotes, each piece written by write(s, kind, bytes,
// length, code).
template <class TWrite>
std::string QuotedPathBy(const std::string &r_s_path, TWrite write)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(r_s_path.data());
    size_t n = r_s_path.size();
    std::string s = "\"";
    for(size_t i = 0; i < n;) {
        unsigned c = p[i];
        size_t n_len = c >= 0x80 ? Utf8Sequence(p + i, n - i) : 1;
        if(c == '"' || c == '\\')
            write(s, piece_Quote, p + i, 1, c);
        else if(c < 0x20 || c == 0x7F)
            write(s, piece_Control, p + i, 1, c);
        else if(C1Control(p + i, n_len))
            write(s, piece_Control, p + i, n_len, unsigned(p[i + 1]));
        else if(n_len)
            write(s, piece_Plain, p + i, n_len, 0u);
        else
            write(s, piece_Stray, p + i, size_t(1), c);
        i += n_len ? n_len : 1;
    }
    return s + "\"";
}

} // namespace

std::string QuotedPath(const std::string &r_s_path)
{
    return QuotedPathBy(r_s_path, [](std::string &r_s, TPathPiece n_piece, const unsigned char *p, size_t n, unsigned) {
        if(n_piece == piece_Quote)
            r_s += '\\';
        if(n_piece == piece_Plain || n_piece == piece_Quote)
            r_s.append(reinterpret_cast<const char *>(p), n);
        else {
            for(size_t k = 0; k < n; ++k) // a control character, or a byte of no character
                Escape(r_s, "\\x%02X", p[k]);
        }
    });
}

std::string JsonPath(const std::string &r_s_path)
{
    return QuotedPathBy(r_s_path,
        [](std::string &r_s, TPathPiece n_piece, const unsigned char *p, size_t n, unsigned n_code) {
            if(n_piece == piece_Quote)
                r_s += '\\';
            if(n_piece == piece_Plain || n_piece == piece_Quote)
                r_s.append(reinterpret_cast<const char *>(p), n);
            else
                Escape(r_s, "\\u%04X", n_piece == piece_Stray ? 0xDC00u + n_code : n_code);
        });
}

} // namespace bake3ds
