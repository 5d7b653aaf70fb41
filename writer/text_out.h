#ifndef BAKE3DS_WRITER_TEXT_OUT_H
#define BAKE3DS_WRITER_TEXT_OUT_H

// The buffered text sink of the header writer: to an open file or to memory,
// with the value conversions of the generated text. Write errors are kept,
// not reported, until Finish.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "writer/float_text.h"
#include "writer/text_sink.h"

namespace bake3ds {

// A record name, written between the double quotes of a string literal.
struct TQuoted {
    const std::string &r_s_name;
};

// Text written inside a /* */ comment.
struct TCommented {
    const char *s_text;
};

class CTextOut {
public:
    // Text is handed to the sink in pieces of up to n_buffer characters.
    explicit CTextOut(CTextSink *p_sink, size_t n_buffer = n_capacity) : m_p_sink(p_sink) { AllocateBuffer(n_buffer); }
    // Text is appended to the string; memory that runs out is a write error.
    explicit CTextOut(std::string *p_dest) : m_p_dest(p_dest) { AllocateBuffer(n_memory_capacity); }
    // The same, the string first given room for about n_expected more
    // characters where memory allows, so that a large text is not copied
    // each time the string outgrows its memory.
    CTextOut(std::string *p_dest, size_t n_expected);
    CTextOut(const CTextOut &) = delete;
    CTextOut &operator=(const CTextOut &) = delete;
    ~CTextOut()
    {
        Flush();
        if(m_p_buffer != m_p_spare)
            delete[] m_p_buffer;
    }

    // Floats through snprintf instead of the exact fast formatter; the two
    // give the same text, which the tests hold them to.
    void UsePrintfFloats(bool b_printf) { m_b_printf_floats = b_printf; }

    void Put(char c)
    {
        if(m_n_used == m_n_capacity)
            Flush();
        m_p_buffer[m_n_used++] = c;
    }

    void Put(const char *p_text, size_t n_len)
    {
        if(m_n_capacity - m_n_used < n_len) {
            Flush();
            if(n_len > m_n_capacity) {
                Emit(p_text, n_len);
                return;
            }
        }
        std::memcpy(m_p_buffer + m_n_used, p_text, n_len);
        m_n_used += n_len;
    }

    void Put(const char *s_text) { Put(s_text, std::strlen(s_text)); }
    void Put(const std::string &r_s_text) { Put(r_s_text.data(), r_s_text.size()); }

    // Room for n characters (at most n_room_max) to be written in place,
    // then handed on with Commit(their number).
    char *Room(size_t n)
    {
        if(m_n_capacity - m_n_used < n)
            Flush();
        return m_p_buffer + m_n_used;
    }

    void Commit(size_t n) { m_n_used += n; }

    // "%f" of the float into room the caller has, as FormatFloat or the
    // printf path defines it; returns the number of characters.
    size_t FloatAt(char *p_dest, float f) const
    {
        return m_b_printf_floats ? FormatFloatPrintf(f, p_dest) : FormatFloat(f, p_dest);
    }

    // "%d"
    void PutInt(long long n_value);

    // "%f" of the float, as FormatFloat defines it.
    void PutFloat(float f) { Commit(FloatAt(Room(n_float_text_max), f)); }

    // The name byte by byte, escaped so that the literal holds exactly these
    // bytes: \ and " escaped, a ? after a ? of the name as \? (no trigraph can
    // form), control bytes, 0x7F and bytes from 0x80 as three octal digits.
    void PutQuoted(const std::string &r_s_name);

    // The text with no comment delimiter in it: a * after a / of the text is
    // written \*, a / after a * of the text \/.
    void PutCommented(const char *s_text);

    // Writes the format with each conversion replaced by the next argument:
    // %d an int, %f a float (the format's own "f" follows it), %s a string,
    // a TQuoted or a TCommented. A conversion that does not fit its
    // argument is a programming error and aborts.
    template <class... TArgs>
    void Format(const char *s_format, const TArgs &...r_args)
    {
        FormatRest(s_format, r_args...);
    }

    // Hands all buffered text on; false when any write failed so far.
    bool Finish()
    {
        Flush();
        return !m_b_error;
    }

    // The number of characters handed on so far.
    uint64_t Written() const { return m_n_written; }

    // Text is gathered in a buffer of this many characters and handed on
    // when full; a text longer than the whole buffer is handed on directly.
    // The buffer comes from the heap, so that a caller's thread needs little
    // stack; where it cannot be had, a spare of n_room_max characters inside
    // the object serves, slower but giving the same text. A sink that writes
    // to a file takes large pieces, fewer calls to the system; memory takes
    // small ones, which leave the heap's high-water mark where the text's
    // own memory puts it, so that a program converting again and again
    // (the library's users) does not have its heap trimmed and faulted in
    // afresh at each conversion.
    static const size_t n_capacity = 1 << 18;
    static const size_t n_memory_capacity = 1 << 14;

    // This object's buffer, in characters.
    size_t Capacity() const { return m_n_capacity; }

    // The most one Room may ask for.
    static const size_t n_room_max = 1024;

private:
    void AllocateBuffer(size_t n_buffer)
    {
        if(n_buffer < n_room_max)
            n_buffer = n_room_max;
        m_p_buffer = new(std::nothrow) char[n_buffer];
        m_n_capacity = n_buffer;
        if(!m_p_buffer) {
            m_p_buffer = m_p_spare;
            m_n_capacity = n_room_max;
        }
    }

    void Flush()
    {
        Emit(m_p_buffer, m_n_used);
        m_n_used = 0;
    }

    void Emit(const char *p_text, size_t n_len);

    void FormatRest(const char *s_format)
    {
        if(std::strchr(s_format, '%'))
            std::abort();
        Put(s_format);
    }

    template <class TArg, class... TArgs>
    void FormatRest(const char *s_format, const TArg &r_arg, const TArgs &...r_args)
    {
        const char *s_conv = std::strchr(s_format, '%');
        if(!s_conv)
            std::abort();
        Put(s_format, size_t(s_conv - s_format));
        PutArg(s_conv[1], r_arg);
        FormatRest(s_conv + 2, r_args...);
    }

    static void Expect(char c_conv, char c_wanted)
    {
        if(c_conv != c_wanted)
            std::abort();
    }

    void PutArg(char c, int n)
    {
        Expect(c, 'd');
        PutInt(n);
    }
    void PutArg(char c, float f)
    {
        Expect(c, 'f');
        PutFloat(f);
    }
    void PutArg(char c, const char *p_s)
    {
        Expect(c, 's');
        Put(p_s);
    }
    void PutArg(char c, const std::string &r_s)
    {
        Expect(c, 's');
        Put(r_s);
    }
    void PutArg(char c, const TQuoted &r_q)
    {
        Expect(c, 's');
        PutQuoted(r_q.r_s_name);
    }
    void PutArg(char c, const TCommented &r_t)
    {
        Expect(c, 's');
        PutCommented(r_t.s_text);
    }

    CTextSink *m_p_sink = nullptr;
    std::string *m_p_dest = nullptr;
    bool m_b_error = false;
    bool m_b_printf_floats = false;
    size_t m_n_used = 0;
    uint64_t m_n_written = 0;
    char *m_p_buffer = nullptr;
    size_t m_n_capacity = 0;
    char m_p_spare[n_room_max];
};

} // namespace bake3ds

#endif
