#include "test_support.h"

#include <fcntl.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "api/library.h"
#include "geometry/face_order.h"
#include "geometry/normals.h"
#include "reader/load_options.h"
#include "reader/loader.h"

extern char **environ;

namespace testing_support {

namespace fs = std::filesystem;

CTempDir::CTempDir()
{
    std::string s_template = (fs::temp_directory_path() / "bake3ds-test-XXXXXX").string();
    std::vector<char> buffer(s_template.begin(), s_template.end());
    buffer.push_back(0);
    if(!mkdtemp(buffer.data()))
        throw std::runtime_error("mkdtemp failed");
    m_s_path = buffer.data();
}

CTempDir::~CTempDir()
{
    std::error_code t_error;
    fs::permissions(m_s_path, fs::perms::owner_all, fs::perm_options::add, t_error);
    fs::remove_all(m_s_path, t_error);
}

void WriteFile(const std::string &r_s_path, const fixture::TBytes &r_bytes)
{
    std::ofstream f(r_s_path, std::ios::binary);
    f.write(reinterpret_cast<const char *>(r_bytes.data()), std::streamsize(r_bytes.size()));
}

void WriteFile(const std::string &r_s_path, const std::string &r_s_text)
{
    std::ofstream f(r_s_path, std::ios::binary);
    f << r_s_text;
}

std::string FileContents(const std::string &r_s_path)
{
    std::ifstream f(r_s_path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool FileExists(const std::string &r_s_path)
{
    struct stat t_stat;
    return lstat(r_s_path.c_str(), &t_stat) == 0;
}

namespace {

std::string Drain(int n_fd)
{
    std::string s;
    char p_buffer[65536];
    ssize_t n;
    while((n = read(n_fd, p_buffer, sizeof(p_buffer))) > 0)
        s.append(p_buffer, size_t(n));
    return s;
}

} // namespace

TRunResult RunProgram(const std::vector<std::string> &args, const std::string &r_s_cwd)
{
    // output goes to temporary files, so that neither pipe can fill up
    FILE *p_out = std::tmpfile(), *p_err = std::tmpfile();
    posix_spawn_file_actions_t t_actions;
    posix_spawn_file_actions_init(&t_actions);
    posix_spawn_file_actions_addopen(&t_actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&t_actions, fileno(p_out), 1);
    posix_spawn_file_actions_adddup2(&t_actions, fileno(p_err), 2);
    std::string s_command;
    std::vector<std::string> argv_strings = args;
    if(!r_s_cwd.empty()) {
        // posix_spawn has no working folder on this libc's baseline: go
        // through a shell that changes it and then executes the program
        argv_strings = {"/bin/sh", "-c", "cd \"$0\" && exec \"$@\"", r_s_cwd};
        argv_strings.insert(argv_strings.end(), args.begin(), args.end());
    }
    std::vector<char *> argv;
    for(std::string &r_s : argv_strings)
        argv.push_back(&r_s[0]);
    argv.push_back(nullptr);
    pid_t n_pid;
    TRunResult t_result;
    if(posix_spawnp(&n_pid, argv[0], &t_actions, nullptr, argv.data(), environ) == 0) {
        int n_wait;
        waitpid(n_pid, &n_wait, 0);
        t_result.n_status = WIFEXITED(n_wait) ? WEXITSTATUS(n_wait) : 128 + WTERMSIG(n_wait);
    }
    posix_spawn_file_actions_destroy(&t_actions);
    lseek(fileno(p_out), 0, SEEK_SET);
    lseek(fileno(p_err), 0, SEEK_SET);
    t_result.s_out = Drain(fileno(p_out));
    t_result.s_err = Drain(fileno(p_err));
    std::fclose(p_out);
    std::fclose(p_err);
    return t_result;
}

TRunResult Shell(const std::string &r_s_command)
{
    return RunProgram({"/bin/sh", "-c", r_s_command});
}

std::string ToolPath()
{
    return BAKE3DS_TOOL_PATH;
}

TRunResult RunTool(const std::vector<std::string> &args, const std::string &r_s_cwd)
{
    std::vector<std::string> command = {ToolPath()};
    command.insert(command.end(), args.begin(), args.end());
    return RunProgram(command, r_s_cwd);
}

TMeasured MeasureTool(const std::string &r_s_argument, const std::string &r_s_cwd)
{
    TMeasured t;
    TRunResult t_run = RunProgram({BAKE3DS_MEASURE_PATH, ToolPath(), r_s_argument}, r_s_cwd);
    std::sscanf(t_run.s_out.c_str(), "%d %lf %lf", &t.n_status, &t.f_ms, &t.f_rss_mb);
    t.f_rss_mb /= 1024;
    return t;
}

bool Sanitized()
{
#if defined(BAKE3DS_SANITIZED)
    return true;
#else
    return false;
#endif
}

std::string CorpusDir()
{
    fs::path t_dir = fs::path(BAKE3DS_SOURCE_DIR) / ".." / "shared" / "corpus";
    std::error_code t_error;
    if(!fs::is_directory(t_dir, t_error))
        return "";
    return fs::canonical(t_dir).string();
}

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> files;
    std::string s_dir = CorpusDir();
    if(s_dir.empty())
        return files;
    for(const fs::directory_entry &r_entry : fs::recursive_directory_iterator(s_dir)) {
        std::string s_ext = r_entry.path().extension().string();
        std::transform(s_ext.begin(), s_ext.end(), s_ext.begin(), ::tolower);
        if(r_entry.is_regular_file() && s_ext == ".3ds")
            files.push_back(r_entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<TExpectedOutcome> ExpectedOutcomes()
{
    std::vector<TExpectedOutcome> rows;
    std::string s_dir = CorpusDir();
    if(s_dir.empty())
        return rows;
    std::istringstream t_in(FileContents(s_dir + "/expected-outcomes.txt"));
    std::string s_line;
    while(std::getline(t_in, s_line)) {
        if(s_line.empty() || s_line[0] == '#')
            continue;
        std::istringstream t_row(s_line);
        TExpectedOutcome t;
        t_row >> t.s_header_sha256 >> t.s_output_sha256 >> t.n_status >> std::ws;
        std::getline(t_row, t.s_path); // the rest of the line: a path may hold spaces
        rows.push_back(t);
    }
    return rows;
}

std::string Sha256(const std::string &r_s_bytes)
{
    // coreutils' own hash, so that the comparison rests on nothing of ours
    CTempDir t_dir;
    WriteFile(t_dir.FilePath("bytes"), r_s_bytes);
    TRunResult t_run = RunProgram({"sha256sum", t_dir.FilePath("bytes")});
    return t_run.n_status == 0 ? t_run.s_out.substr(0, t_run.s_out.find(' ')) : "(sha256sum failed)";
}

bool LoadBytes(const fixture::TBytes &r_bytes, bake3ds::C3dsScene &r_scene)
{
    if(!bake3ds::ReadScene(r_scene, r_bytes.data(), r_bytes.size(), bake3ds::ResolvedOptions(nullptr)))
        return false;
    bake3ds::TNormalsScratch t_scratch;
    for(bake3ds::TMesh &r_mesh : r_scene.p_object) {
        bake3ds::CalcVertexNormals(r_mesh, t_scratch);
        bake3ds::MakeMaterialRanges(r_mesh);
    }
    return true;
}

bool LoadBytes(const fixture::TBytes &r_bytes, std::unique_ptr<bake3ds::C3dsScene> &r_p_scene)
{
    r_p_scene.reset(new bake3ds::C3dsScene);
    return LoadBytes(r_bytes, *r_p_scene);
}

TLoadedScene LoadFile(const std::string &r_s_path)
{
    return TLoadedScene(bake3ds_load_file(r_s_path.c_str(), nullptr, nullptr), bake3ds_scene_free);
}

std::string HeaderFor(const fixture::TBytes &r_bytes, const std::string &r_s_class, const std::string &r_s_input_path)
{
    std::string s_header;
    bake3ds_scene *p_scene = bake3ds::LoadScene(r_bytes.data(), r_bytes.size(), nullptr, nullptr);
    if(p_scene)
        bake3ds::HeaderText(p_scene->t_records, r_s_class.c_str(), r_s_input_path.c_str(), s_header);
    bake3ds_scene_free(p_scene);
    return s_header;
}

bool EndsWithTrailer(const std::string &r_s_header)
{
    static const std::string s_trailer = "\n/*\n * -end-of-file-\n */\n";
    return r_s_header.size() > s_trailer.size() &&
        r_s_header.compare(r_s_header.size() - s_trailer.size(), s_trailer.size(), s_trailer) == 0;
}

bool HaveProgram(const std::string &r_s_name)
{
    return Shell("command -v '" + r_s_name + "' >/dev/null 2>&1").n_status == 0;
}

namespace {

void *RunBody(void *p_body)
{
    (*static_cast<const std::function<void()> *>(p_body))();
    return nullptr;
}

// A thread for the body with the attributes' stack; false when it could not
// be started.
bool Start(pthread_t &r_thread, pthread_attr_t &r_attr, const std::function<void()> &r_body)
{
    return pthread_create(&r_thread, &r_attr, RunBody, const_cast<std::function<void()> *>(&r_body)) == 0;
}

} // namespace

void RunThreads(size_t n_stack, const std::vector<std::function<void()>> &r_bodies)
{
    pthread_attr_t t_attr;
    pthread_attr_init(&t_attr);
    if(pthread_attr_setstacksize(&t_attr, n_stack) != 0)
        throw std::runtime_error("a stack of " + std::to_string(n_stack) + " bytes cannot be had");
    std::vector<pthread_t> threads(r_bodies.size());
    size_t n_started = 0;
    while(n_started < r_bodies.size() && Start(threads[n_started], t_attr, r_bodies[n_started]))
        ++n_started;
    for(size_t i = 0; i < n_started; ++i)
        pthread_join(threads[i], nullptr);
    pthread_attr_destroy(&t_attr);
    if(n_started < r_bodies.size())
        throw std::runtime_error("a thread could not be started");
}

size_t StackTouched(size_t n_stack, const std::function<void()> &r_body)
{
    const size_t n_page = size_t(sysconf(_SC_PAGESIZE));
    n_stack = (n_stack + n_page - 1) / n_page * n_page;
    void *p_map = mmap(nullptr, n_page + n_stack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if(p_map == MAP_FAILED)
        throw std::runtime_error("no memory for a stack");
    // below the stack a page that faults, so that an overflow stops the
    // program instead of writing over other memory
    mprotect(p_map, n_page, PROT_NONE);
    unsigned char *p_stack = static_cast<unsigned char *>(p_map) + n_page;
    const unsigned char n_pattern = 0xA5;
    std::memset(p_stack, n_pattern, n_stack);
    pthread_attr_t t_attr;
    pthread_attr_init(&t_attr);
    pthread_attr_setstack(&t_attr, p_stack, n_stack);
    pthread_t t_thread;
    bool b_started = Start(t_thread, t_attr, r_body);
    if(b_started)
        pthread_join(t_thread, nullptr);
    pthread_attr_destroy(&t_attr);
    size_t n_untouched = 0;
    while(n_untouched < n_stack && p_stack[n_untouched] == n_pattern)
        ++n_untouched;
    munmap(p_map, n_page + n_stack);
    if(!b_started)
        throw std::runtime_error("a thread could not be started");
    return n_stack - n_untouched;
}

} // namespace testing_support
