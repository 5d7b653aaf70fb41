#ifndef BAKE3DS_WRITER_TEXT_SINK_H
#define BAKE3DS_WRITER_TEXT_SINK_H

#include <cstddef>

namespace bake3ds {

// Where the header writer's text goes when not to memory: a file, a
// caller's stream. Write takes all n_len characters or returns false; the
// writer tries nothing more after a false.
class CTextSink {
public:
    virtual bool Write(const char *p_text, size_t n_len) = 0;

protected:
    ~CTextSink() = default;
};

} // namespace bake3ds

#endif
