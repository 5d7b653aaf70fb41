#ifndef BAKE3DS_DRIVER_RUN_H
#define BAKE3DS_DRIVER_RUN_H

#include <cstdio>
#include <string>
#include <vector>

namespace bake3ds {

// The whole run of the command line, p_args with the program's name first:
// argument check, load, counts, header next to the input, outcome. Progress
// goes to p_out, errors to p_err, each as the tool's own messages. Returns
// the exit status: 0 after a complete header, -1 after any failure.
int RunConverter(const std::vector<std::string> &p_args, FILE *p_out, FILE *p_err);

} // namespace bake3ds

#endif
