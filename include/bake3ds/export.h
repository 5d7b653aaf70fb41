#ifndef BAKE3DS_EXPORT_H
#define BAKE3DS_EXPORT_H

// BAKE3DS_API marks what the library exports. A shared build exports only
// these names (the rest is hidden); its users see BAKE3DS_SHARED defined by
// the CMake package, the build itself BAKE3DS_BUILDING too.
#if defined(_WIN32) && defined(BAKE3DS_SHARED)
#if defined(BAKE3DS_BUILDING)
#define BAKE3DS_API __declspec(dllexport)
#else
#define BAKE3DS_API __declspec(dllimport)
#endif
#elif defined(__GNUC__) && !defined(_WIN32)
#define BAKE3DS_API __attribute__((visibility("default")))
#else
#define BAKE3DS_API
#endif

#endif
