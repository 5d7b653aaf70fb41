// libFuzzer target: the whole conversion on a memory buffer, as the tool
// runs it on a file: load, material order, header text written to memory.
// A converted header must be complete; anything else the sanitizers catch.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "driver/run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_data, size_t n_size)
{
    static const std::string s_trailer = "\n/*\n * -end-of-file-\n */\n";
    std::string s_header;
    if(bake3ds::ConvertMemory(p_data, n_size, "fuzz", "fuzz/*input*/.3ds", s_header)) {
        if(s_header.size() <= s_trailer.size() ||
            s_header.compare(s_header.size() - s_trailer.size(), s_trailer.size(), s_trailer) != 0)
            std::abort();
    } else if(!s_header.empty())
        std::abort();
    return 0;
}
