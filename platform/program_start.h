#ifndef BAKE3DS_PLATFORM_PROGRAM_START_H
#define BAKE3DS_PLATFORM_PROGRAM_START_H

#include <string>
#include <vector>

#include "platform/platform.h"

namespace bake3ds {

// The start both programs share: the allocator set for a run of a few large
// arrays, and the arguments, program name first, as UTF-8 (on Windows from
// the wide command line). May throw std::bad_alloc.
inline std::vector<std::string> ProgramStart(int n_argc, char **p_argv)
{
    TuneAllocator();
    return CommandLineArguments(n_argc, p_argv);
}

} // namespace bake3ds

#endif
