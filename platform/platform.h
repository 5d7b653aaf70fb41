#ifndef BAKE3DS_PLATFORM_PLATFORM_H
#define BAKE3DS_PLATFORM_PLATFORM_H

// Everything the converter asks of the operating system: the command line,
// reading the input, writing the header, telling whether two paths name one
// file, and tuning the allocator and the large blocks of memory (large_block.h). One implementation per system
// (platform_posix.cpp, platform_windows.cpp); the rest of the code is
// standard C++ and sees only this header. Paths are UTF-8 byte strings on
// every system.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_bytes.h"
#include "platform/large_block.h"

namespace bake3ds {

// Whether a path may begin with a drive ("C:scene.3ds"), whose ':' ends a
// folder part as '/' and '\' do.
#if defined(_WIN32)
inline constexpr bool b_drive_letters = true;
#else
inline constexpr bool b_drive_letters = false;
#endif

// The program's arguments, program name first, as UTF-8. POSIX: argv as
// given. Windows: the wide command line, so that a path with letters outside
// the ANSI code page arrives whole; argv is not used. May throw
// std::bad_alloc.
std::vector<std::string> CommandLineArguments(int n_argc, char **p_argv);

// Sets the C library's allocator for a run of a few large arrays (glibc
// only; elsewhere nothing). Call once, before the first allocation that
// matters.
void TuneAllocator();

// What reading a file came to.
enum TFileRead {
    file_Read = 0,   // the whole file is in r_bytes
    file_NotRegular, // a directory, a device, a pipe
    file_Unreadable  // it could not be opened or read; r_s_reason says why
};

// Reads the whole of a regular file into r_bytes (replacing what it held),
// in one read where the system gives it all at once. file_NotRegular for anything else (a pipe is opened without waiting for a
// writer), file_Unreadable on any open or read error, with the system's
// own words for it in r_s_reason; r_bytes is then unspecified. A file that
// grows while read is read to its new end. May throw std::bad_alloc; the
// file is closed then too.
TFileRead ReadRegularFile(const char *s_path, CFileBytes &r_bytes, std::string &r_s_reason);

// True when both paths exist and name the same file: the same device (or
// volume) and file number, with symbolic links followed. False when either
// cannot be reached.
bool SameFile(const char *s_path_a, const char *s_path_b);

// The header's file, written as bytes: created when missing, an existing
// file opened without emptying it and overwritten in place, then cut to the
// length written. That gives the same bytes as emptying it first, without
// the file system freeing and allocating all its blocks again when a header
// is regenerated.
class COutputFile {
public:
    COutputFile() = default;
    COutputFile(const COutputFile &) = delete;
    COutputFile &operator=(const COutputFile &) = delete;
    // Closes the file if Close was not called (a failed run).
    ~COutputFile();

    // Opens the path for writing; false when it cannot be (a folder, no
    // permission, a missing folder, a read-only file system).
    bool Open(const char *s_path);

    // Writes all n_len bytes at the current end of what was written; false
    // when any could not be written (a full disk, a size limit). Retries
    // partial and interrupted writes.
    bool Write(const char *p_data, size_t n_len);

    // Cuts a regular file longer than n_length (the bytes written) to that
    // length, then closes it; false when the cut or the close failed.
    bool Close(uint64_t n_length);

private:
    // a file descriptor, or a Windows HANDLE; -1 when closed
    intptr_t m_n_handle = -1;
};

} // namespace bake3ds

#endif
