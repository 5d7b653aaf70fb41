#ifndef BAKE3DS_EXAMPLES_PREVIEW_OFFSCREEN_CONTEXT_H
#define BAKE3DS_EXAMPLES_PREVIEW_OFFSCREEN_CONTEXT_H

// An OpenGL context that draws into memory (Mesa's OSMesa): no window, no
// display; either the compatibility profile, with the fixed-function
// pipeline the generated Draw() is for, or a core profile (4.x on
// llvmpipe), which has none.

#include <cstdint>
#include <string>
#include <vector>

#include "preview/image.h"

struct osmesa_context;

namespace preview {

enum class TProfile { profile_Compatibility, profile_Core };

class COffscreenContext {
public:
    // Creates an RGBA context of the profile (core: version 3.3 or later)
    // with a 24-bit depth buffer over a pixel buffer of its own and makes it
    // current on this thread. Ready() tells whether that worked, Error()
    // why not.
    COffscreenContext(int n_width, int n_height, TProfile n_profile = TProfile::profile_Compatibility);
    ~COffscreenContext();
    COffscreenContext(const COffscreenContext &) = delete;
    COffscreenContext &operator=(const COffscreenContext &) = delete;

    bool Ready() const { return m_s_error.empty(); }
    const std::string &Error() const { return m_s_error; }
    int Width() const { return m_n_width; }
    int Height() const { return m_n_height; }

    // Makes the context current again on this thread, after another one
    // was; false when that fails or the context is not ready.
    bool MakeCurrent();

    // Waits for the drawing to finish and returns the pixels, top row
    // first (OpenGL's rows start at the bottom).
    TImage Read() const;

private:
    int m_n_width, m_n_height;
    std::vector<uint8_t> m_p_buffer;
    osmesa_context *m_p_context = nullptr;
    std::string m_s_error;
};

} // namespace preview

#endif
