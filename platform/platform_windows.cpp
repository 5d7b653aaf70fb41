// The platform unit on Windows: wide-character paths converted from UTF-8,
// CreateFileW, ReadFile, WriteFile and SetEndOfFile, file identities from
// GetFileInformationByHandle. Every file is read and written as bytes.

#include "platform/platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <cstdlib>
#include <windows.h>
#include <shellapi.h>

namespace bake3ds {

namespace {

// The most ReadFile and WriteFile are asked for at once: their lengths are
// 32-bit.
const DWORD n_io_chunk_max = DWORD(1) << 30;

// The UTF-8 text as UTF-16; false when it is not valid UTF-8 (a path that
// cannot name any file).
bool ToWide(const char *s_utf8, std::wstring &r_s_wide)
{
    r_s_wide.clear();
    if(!*s_utf8)
        return true;
    int n_len = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s_utf8, -1, nullptr, 0);
    if(n_len <= 0)
        return false;
    r_s_wide.resize(size_t(n_len));
    if(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s_utf8, -1, &r_s_wide[0], n_len) != n_len)
        return false;
    r_s_wide.resize(size_t(n_len) - 1); // the terminator
    return true;
}

std::string ToUtf8(const wchar_t *s_wide)
{
    int n_len = WideCharToMultiByte(CP_UTF8, 0, s_wide, -1, nullptr, 0, nullptr, nullptr);
    if(n_len <= 1)
        return std::string();
    std::string s(size_t(n_len), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s_wide, -1, &s[0], n_len, nullptr, nullptr);
    s.resize(size_t(n_len) - 1);
    return s;
}

// Opens an existing file or folder by its UTF-8 path; INVALID_HANDLE_VALUE
// when it cannot be. Symbolic links are followed (no
// FILE_FLAG_OPEN_REPARSE_POINT).
HANDLE OpenExisting(const char *s_path, DWORD n_access, DWORD n_flags)
{
    std::wstring s_wide_path;
    if(!ToWide(s_path, s_wide_path))
        return INVALID_HANDLE_VALUE;
    return CreateFileW(s_wide_path.c_str(), n_access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, n_flags, nullptr);
}

// Closes a handle when the scope ends, however it ends.
class CHandleCloser {
public:
    explicit CHandleCloser(HANDLE t_handle) : m_t_handle(t_handle) {}
    ~CHandleCloser() { CloseHandle(m_t_handle); }
    CHandleCloser(const CHandleCloser &) = delete;
    CHandleCloser &operator=(const CHandleCloser &) = delete;

private:
    HANDLE m_t_handle;
};

// A disk file that is not a folder: the only kind of input loaded.
bool IsRegularFile(HANDLE t_file)
{
    BY_HANDLE_FILE_INFORMATION t_info;
    return GetFileType(t_file) == FILE_TYPE_DISK && GetFileInformationByHandle(t_file, &t_info) &&
        !(t_info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether the path names an existing folder.
bool IsFolder(const char *s_path)
{
    std::wstring s_wide_path;
    if(!ToWide(s_path, s_wide_path))
        return false;
    DWORD n_attributes = GetFileAttributesW(s_wide_path.c_str());
    return n_attributes != INVALID_FILE_ATTRIBUTES && (n_attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The system's text for an error code, on one line without its final
// period, in UTF-8; "error N" when the system has none.
std::string SystemReason(DWORD n_error)
{
    wchar_t *s_text = nullptr;
    DWORD n_len = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
            FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
        nullptr, n_error, 0, reinterpret_cast<LPWSTR>(&s_text), 0, nullptr);
    std::string s;
    if(n_len && s_text) {
        try {
            s = ToUtf8(s_text);
        } catch(...) {
            LocalFree(s_text);
            throw;
        }
    }
    if(s_text)
        LocalFree(s_text);
    while(!s.empty() && (s.back() == ' ' || s.back() == '.' || s.back() == '\r' || s.back() == '\n'))
        s.pop_back();
    return s.empty() ? "error " + std::to_string(n_error) : s;
}

struct TFileId {
    DWORD n_volume, n_index_high, n_index_low;
};

bool FileId(const char *s_path, TFileId &r_id)
{
    // no access rights asked: works on files open elsewhere; the backup
    // flag lets a folder be opened too
    HANDLE t_file = OpenExisting(s_path, 0, FILE_FLAG_BACKUP_SEMANTICS);
    if(t_file == INVALID_HANDLE_VALUE)
        return false;
    CHandleCloser t_closer(t_file);
    BY_HANDLE_FILE_INFORMATION t_info;
    if(!GetFileInformationByHandle(t_file, &t_info))
        return false;
    r_id = {t_info.dwVolumeSerialNumber, t_info.nFileIndexHigh, t_info.nFileIndexLow};
    return true;
}

HANDLE Handle(intptr_t n_handle)
{
    return reinterpret_cast<HANDLE>(n_handle);
}

} // namespace

std::vector<std::string> CommandLineArguments(int n_argc, char **p_argv)
{
    // argv holds the arguments in the ANSI code page, which cannot carry
    // every letter of a path; the wide command line can
    int n_wide = 0;
    LPWSTR *p_wide = CommandLineToArgvW(GetCommandLineW(), &n_wide);
    if(!p_wide)
        return std::vector<std::string>(p_argv, p_argv + n_argc);
    std::vector<std::string> args;
    try {
        for(int i = 0; i < n_wide; ++i)
            args.push_back(ToUtf8(p_wide[i]));
    } catch(...) {
        LocalFree(p_wide);
        throw;
    }
    LocalFree(p_wide);
    return args;
}

void TuneAllocator() {}

void *AllocateLarge(size_t n)
{
    return std::malloc(n ? n : 1);
}

void FreeLarge(void *p, size_t)
{
    std::free(p);
}

TFileRead ReadRegularFile(const char *s_path, CFileBytes &r_bytes, std::string &r_s_reason)
{
    HANDLE t_file = OpenExisting(s_path, GENERIC_READ, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN);
    if(t_file == INVALID_HANDLE_VALUE) {
        DWORD n_error = GetLastError();
        // a folder opens only with FILE_FLAG_BACKUP_SEMANTICS, so its
        // failure says access denied: the attributes tell it apart
        if(IsFolder(s_path))
            return file_NotRegular;
        r_s_reason = SystemReason(n_error);
        return file_Unreadable;
    }
    CHandleCloser t_closer(t_file);
    if(!IsRegularFile(t_file))
        return file_NotRegular;
    LARGE_INTEGER t_size;
    if(!GetFileSizeEx(t_file, &t_size) || t_size.QuadPart < 0) {
        r_s_reason = SystemReason(GetLastError());
        return file_Unreadable;
    }
    r_bytes.Expect(size_t(t_size.QuadPart) + 1);
    for(;;) {
        size_t n_room;
        uint8_t *p_room = r_bytes.Room(n_room);
        DWORD n_read = 0;
        if(!ReadFile(t_file, p_room, n_room < n_io_chunk_max ? DWORD(n_room) : n_io_chunk_max, &n_read, nullptr)) {
            r_s_reason = SystemReason(GetLastError());
            return file_Unreadable;
        }
        if(n_read == 0)
            break;
        r_bytes.Add(n_read);
    }
    return file_Read;
}

bool SameFile(const char *s_path_a, const char *s_path_b)
{
    TFileId t_a, t_b;
    return FileId(s_path_a, t_a) && FileId(s_path_b, t_b) && t_a.n_volume == t_b.n_volume &&
        t_a.n_index_high == t_b.n_index_high && t_a.n_index_low == t_b.n_index_low;
}

COutputFile::~COutputFile()
{
    if(m_n_handle != -1)
        CloseHandle(Handle(m_n_handle));
}

bool COutputFile::Open(const char *s_path)
{
    std::wstring s_wide_path;
    if(!ToWide(s_path, s_wide_path))
        return false;
    // OPEN_ALWAYS: an existing header is overwritten in place, then cut
    HANDLE t_file = CreateFileW(s_wide_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    m_n_handle = reinterpret_cast<intptr_t>(t_file);
    return t_file != INVALID_HANDLE_VALUE;
}

bool COutputFile::Write(const char *p_data, size_t n_len)
{
    while(n_len) {
        DWORD n_done = 0;
        DWORD n_ask = n_len < n_io_chunk_max ? DWORD(n_len) : n_io_chunk_max;
        if(!WriteFile(Handle(m_n_handle), p_data, n_ask, &n_done, nullptr) || n_done == 0)
            return false; // a full disk, a quota, a device that refuses
        p_data += n_done;
        n_len -= n_done;
    }
    return true;
}

bool COutputFile::Close(uint64_t n_length)
{
    HANDLE t_file = Handle(m_n_handle);
    m_n_handle = -1;
    bool b_ok = true;
    LARGE_INTEGER t_size;
    // a device as the output has no length to cut
    if(GetFileType(t_file) == FILE_TYPE_DISK && GetFileSizeEx(t_file, &t_size) &&
        uint64_t(t_size.QuadPart) > n_length) {
        LARGE_INTEGER t_end;
        t_end.QuadPart = LONGLONG(n_length);
        b_ok = SetFilePointerEx(t_file, t_end, nullptr, FILE_BEGIN) && SetEndOfFile(t_file);
    }
    return CloseHandle(t_file) && b_ok;
}

} // namespace bake3ds
