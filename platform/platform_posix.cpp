// The platform unit on POSIX systems: file descriptors, stat and, with
// glibc, mallopt.

#include "platform/platform.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace bake3ds {

namespace {

// Closes a descriptor when the scope ends, however it ends.
class CFdCloser {
public:
    explicit CFdCloser(int n_fd) : m_n_fd(n_fd) {}
    ~CFdCloser() { close(m_n_fd); }
    CFdCloser(const CFdCloser &) = delete;
    CFdCloser &operator=(const CFdCloser &) = delete;

private:
    int m_n_fd;
};

} // namespace

std::vector<std::string> CommandLineArguments(int n_argc, char **p_argv)
{
    return std::vector<std::string>(p_argv, p_argv + n_argc);
}

void TuneAllocator()
{
#if defined(__GLIBC__)
    // The run allocates a few large arrays and frees some of them before
    // allocating others: keeping freed memory for reuse, instead of handing
    // every large block back to the system, saves faulting it in again.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
#endif
}

namespace {

// Asks the system to give the n bytes at p, fresh memory about to be
// written in full, their pages in one call rather than one fault at a time
// (Linux 5.14 and later; elsewhere nothing). The memory stays as it was:
// only the time to reach it changes.
void PrefaultForWrite(void *p, size_t n)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    // madvise takes a page-aligned start: the whole pages inside the range,
    // the two partial ones fault in as written
    uintptr_t n_page = uintptr_t(sysconf(_SC_PAGESIZE));
    uintptr_t n_start = (reinterpret_cast<uintptr_t>(p) + n_page - 1) & ~(n_page - 1);
    uintptr_t n_end = (reinterpret_cast<uintptr_t>(p) + n) & ~(n_page - 1);
    // a kernel without it says EINVAL: the pages then fault in as written
    if(n_end > n_start)
        madvise(static_cast<char *>(p) + (n_start - reinterpret_cast<uintptr_t>(p)), n_end - n_start,
            MADV_POPULATE_WRITE);
#else
    (void)p;
    (void)n;
#endif
}

#if defined(__linux__)
#if defined(__SANITIZE_ADDRESS__)
constexpr bool b_address_sanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool b_address_sanitizer = true;
#else
constexpr bool b_address_sanitizer = false;
#endif
#else
constexpr bool b_address_sanitizer = false;
#endif

constexpr size_t n_huge_page = size_t(2) << 20;

size_t HugePages(size_t n)
{
    return (n + n_huge_page - 1) & ~(n_huge_page - 1);
}
#endif

} // namespace

void *AllocateLarge(size_t n)
{
#if defined(__linux__)
    if(!b_address_sanitizer) {
        if(n > SIZE_MAX - 2 * n_huge_page)
            return nullptr;
        // mapped one huge page longer, so that a start on a huge page fits;
        // the rest on either side is given back at once
        size_t n_block = HugePages(n), n_mapped = n_block + n_huge_page;
        void *p_mapped = mmap(nullptr, n_mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if(p_mapped == MAP_FAILED)
            return nullptr;
        uintptr_t n_mapped_at = reinterpret_cast<uintptr_t>(p_mapped);
        uintptr_t n_start = (n_mapped_at + n_huge_page - 1) & ~uintptr_t(n_huge_page - 1);
        // pointers are made as offsets from the mapping's, not from integers,
        // which would hide from the compiler what they point into
        char *p = static_cast<char *>(p_mapped) + (n_start - n_mapped_at);
        if(n_start > n_mapped_at)
            munmap(p_mapped, n_start - n_mapped_at);
        if(n_mapped_at + n_mapped > n_start + n_block)
            munmap(p + n_block, n_mapped_at + n_mapped - (n_start + n_block));
        // advice only: a kernel without huge pages or without populating
        // says EINVAL, and the pages then fault in as written
        madvise(p, n_block, MADV_HUGEPAGE);
        PrefaultForWrite(p, n);
        return p;
    }
#endif
    return std::malloc(n ? n : 1);
}

void FreeLarge(void *p, size_t n)
{
#if defined(__linux__)
    if(!b_address_sanitizer) {
        if(p)
            munmap(p, HugePages(n));
        return;
    }
#endif
    (void)n;
    std::free(p);
}

TFileRead ReadRegularFile(const char *s_path, CFileBytes &r_bytes, std::string &r_s_reason)
{
    // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer, and
    // is then refused as not regular
    int n_fd = open(s_path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if(n_fd < 0) {
        r_s_reason = std::strerror(errno);
        return file_Unreadable;
    }
    CFdCloser t_closer(n_fd);
    struct stat t_stat;
    if(fstat(n_fd, &t_stat) != 0) {
        r_s_reason = std::strerror(errno);
        return file_Unreadable;
    }
    if(!S_ISREG(t_stat.st_mode))
        return file_NotRegular;
    size_t n_room;
    r_bytes.Expect(size_t(t_stat.st_size) + 1);
    uint8_t *p_room = r_bytes.Room(n_room);
    PrefaultForWrite(p_room, n_room);
    for(;;) {
        p_room = r_bytes.Room(n_room);
        ssize_t n_read = read(n_fd, p_room, n_room);
        if(n_read < 0 && errno == EINTR)
            continue;
        if(n_read < 0) {
            r_s_reason = std::strerror(errno);
            return file_Unreadable;
        }
        if(n_read == 0)
            break;
        r_bytes.Add(size_t(n_read));
    }
    return file_Read;
}

bool SameFile(const char *s_path_a, const char *s_path_b)
{
    struct stat t_a, t_b;
    return stat(s_path_a, &t_a) == 0 && stat(s_path_b, &t_b) == 0 && t_a.st_dev == t_b.st_dev &&
        t_a.st_ino == t_b.st_ino;
}

COutputFile::~COutputFile()
{
    if(m_n_handle >= 0)
        close(int(m_n_handle));
}

bool COutputFile::Open(const char *s_path)
{
    // no O_TRUNC: an existing header is overwritten in place, then cut
    int n_fd = open(s_path, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    m_n_handle = n_fd;
    return n_fd >= 0;
}

bool COutputFile::Write(const char *p_data, size_t n_len)
{
    while(n_len) {
        ssize_t n_done = write(int(m_n_handle), p_data, n_len);
        if(n_done < 0 && errno == EINTR)
            continue;
        if(n_done <= 0)
            return false; // a full disk, a size limit, a device that refuses
        p_data += n_done;
        n_len -= size_t(n_done);
    }
    return true;
}

bool COutputFile::Close(uint64_t n_length)
{
    int n_fd = int(m_n_handle);
    m_n_handle = -1;
    struct stat t_stat;
    bool b_ok = true;
    // a device or a pipe as the output has no length to cut
    if(fstat(n_fd, &t_stat) == 0 && S_ISREG(t_stat.st_mode) && uint64_t(t_stat.st_size) > n_length)
        b_ok = ftruncate(n_fd, off_t(n_length)) == 0;
    return close(n_fd) == 0 && b_ok;
}

} // namespace bake3ds
