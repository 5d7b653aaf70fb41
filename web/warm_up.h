#ifndef BAKE3DS_WEB_WARM_UP_H
#define BAKE3DS_WEB_WARM_UP_H

namespace web {

// Runs the page's conversion once on a scene made here, before the user
// opens a file. The browser compiles WebAssembly lazily, each function when
// first called and quickly, then again, optimised, once it has run a while:
// without this, the user's first file pays for compiling every function the
// conversion calls and runs in the quick code, several times slower than
// the native converter on a file of many meshes. Keeps nothing.
void WarmUp();

} // namespace web

#endif
