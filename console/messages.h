#ifndef BAKE3DS_CONSOLE_MESSAGES_H
#define BAKE3DS_CONSOLE_MESSAGES_H

// The programs' console messages, each with its line breaks: the command
// lines print them, and the web page shows them as the command lines would,
// so that the two cannot drift apart.

#include <string>

#include "bake3ds/bake3ds.hpp"

namespace bake3ds {

// Standard output, in order: before the load, after it, before the header,
// after a complete header.
std::string LoadingMessage(const std::string &r_s_input);
std::string CountsMessage(const Scene &r_scene);
std::string ExportingMessage(const std::string &r_s_output);
extern const char *const s_done_message;

// What --version and --help print, on standard output: "PROGRAM 2.0.0"
// with the library's version, and each program's usage.
std::string VersionMessage(const char *s_program);
extern const char *const s_converter_help_message;
extern const char *const s_info_help_message;

// Standard error: the one line of each failure.
extern const char *const s_usage_message;
extern const char *const s_load_failed_message;
extern const char *const s_cannot_write_message;
extern const char *const s_no_space_message;

// bake3ds-info's, where the report could not have its memory.
extern const char *const s_report_no_memory_message;

} // namespace bake3ds

#endif
