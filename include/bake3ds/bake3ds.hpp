// bake3ds for C++: owning handles, std::string results and a virtual sink
// over the C interface of <bake3ds/bake3ds.h>. Header-only: every call here
// is inline over the C calls, so that nothing of a C++ standard library
// crosses the shared library; a program built with another standard
// library, string ABI or runtime links the same library. C++11 or later.
//
// The views (Object, Light, Material, Camera) are the C structs: counts,
// values and pointers into the scene's own arrays, valid while the Scene
// that gave them holds its scene. No exception leaves a call: memory that
// runs out fails the call, and a sink that throws has failed.

#ifndef BAKE3DS_BAKE3DS_HPP
#define BAKE3DS_BAKE3DS_HPP

#include <cstddef>
#include <new>
#include <stdexcept>
#include <string>

#include "bake3ds/bake3ds.h"

namespace bake3ds {

typedef bake3ds_options Options; // Options() is the converter's defaults
typedef bake3ds_failure Failure;
typedef bake3ds_object Object;
typedef bake3ds_material_range MaterialRange;
typedef bake3ds_light Light;
typedef bake3ds_material Material;
typedef bake3ds_track Track;
typedef bake3ds_camera Camera;
typedef bake3ds_report_info ReportInfo;

// "MAJOR.MINOR.PATCH" of the library linked.
inline const char *version() noexcept
{
    return bake3ds_version();
}

// "zero_length_chunk", ...: the failure's rule as scripts match it.
inline const char *rule_name(bake3ds_rule rule) noexcept
{
    return bake3ds_rule_name(rule);
}

namespace detail {

// Appends the n bytes at text to out; false, out as it was, when memory
// ran out.
inline bool append(std::string &out, const char *text, size_t n) noexcept
{
    try {
        out.append(text, n);
        return true;
    } catch(const std::bad_alloc &) {
    } catch(const std::length_error &) {
    }
    return false;
}

// Text the library handed over, appended to out and released.
inline bool take(std::string &out, char *text, size_t n) noexcept
{
    bool ok = text && append(out, text, n);
    bake3ds_free(text);
    return ok;
}

// A name the library handed over as a string: empty when memory ran out.
inline std::string take_name(char *text) noexcept
{
    std::string out;
    if(text)
        take(out, text, std::char_traits<char>::length(text));
    return out;
}

} // namespace detail

// A loaded scene, owned: moves, does not copy. Empty (no scene) when
// default-constructed and after a load that failed.
class Scene {
public:
    Scene() noexcept {}
    explicit Scene(bake3ds_scene *scene) noexcept : scene_(scene) {}
    ~Scene() { bake3ds_scene_free(scene_); }
    Scene(Scene &&other) noexcept : scene_(other.release()) {}
    Scene &operator=(Scene &&other) noexcept
    {
        if(this != &other)
            reset(other.release());
        return *this;
    }
    Scene(const Scene &) = delete;
    Scene &operator=(const Scene &) = delete;

    explicit operator bool() const noexcept { return scene_ != nullptr; }
    const bake3ds_scene *get() const noexcept { return scene_; }
    // Frees the scene held and takes scene instead.
    void reset(bake3ds_scene *scene = nullptr) noexcept
    {
        bake3ds_scene_free(scene_);
        scene_ = scene;
    }
    bake3ds_scene *release() noexcept
    {
        bake3ds_scene *scene = scene_;
        scene_ = nullptr;
        return scene;
    }

    // 0 for an empty scene.
    size_t object_count() const noexcept { return bake3ds_object_count(scene_); }
    size_t light_count() const noexcept { return bake3ds_light_count(scene_); }
    size_t material_count() const noexcept { return bake3ds_material_count(scene_); }
    size_t camera_count() const noexcept { return bake3ds_camera_count(scene_); }

    // Fills out with the view of record i; false, out as it was, when i is
    // not below the count.
    bool object(size_t i, Object &out) const noexcept { return bake3ds_get_object(scene_, i, &out) != 0; }
    bool light(size_t i, Light &out) const noexcept { return bake3ds_get_light(scene_, i, &out) != 0; }
    bool material(size_t i, Material &out) const noexcept { return bake3ds_get_material(scene_, i, &out) != 0; }
    bool camera(size_t i, Camera &out) const noexcept { return bake3ds_get_camera(scene_, i, &out) != 0; }

private:
    bake3ds_scene *scene_ = nullptr;
};

// Loads the bytes (data may be null when size is 0; not kept) into scene,
// replacing what it held. True on success; false on failure, scene then
// empty and the reason in *failure where set.
inline bool load_scene(const void *data, size_t size, Scene &scene, Failure *failure = nullptr,
    const Options &options = Options()) noexcept
{
    scene.reset(bake3ds_load(data, size, &options, failure));
    return bool(scene);
}

// The same for the regular file at path (UTF-8 on Windows).
inline bool load_scene_file(const char *path, Scene &scene, Failure *failure = nullptr,
    const Options &options = Options()) noexcept
{
    scene.reset(bake3ds_load_file(path, &options, failure));
    return bool(scene);
}

// Where the header's text goes. write returns false when the text could not
// be taken; the writer then stops, and so does a write that throws.
class HeaderSink {
public:
    virtual ~HeaderSink() {}
    virtual bool write(const char *text, size_t size) = 0;
};

// The header for the scene, declaring class C<class_name>_3ds, input_path
// in its comments. True when the sink took all of it; false when it did
// not, threw, or the scene is empty. The exception goes no further.
inline bool write_header(const Scene &scene, const char *class_name, const char *input_path, HeaderSink &sink) noexcept
{
    // a captureless lambda is a plain function: nothing unwinds through C
    bake3ds_sink call = [](void *user, const char *text, size_t size) -> int {
        try {
            return static_cast<HeaderSink *>(user)->write(text, size) ? 1 : 0;
        } catch(...) {
            return 0;
        }
    };
    return bake3ds_write_header(scene.get(), class_name, input_path, call, &sink) != 0;
}

// The same, appended to header; on failure header is as it was.
inline bool write_header(const Scene &scene, const char *class_name, const char *input_path,
    std::string &header) noexcept
{
    char *text = nullptr;
    size_t size = 0;
    return bake3ds_header(scene.get(), class_name, input_path, &text, &size) && detail::take(header, text, size);
}

// The command line's conversion without files: the bytes of the file at
// input_path to the header `bake3ds input_path` writes for it, appended to
// header. False, header as it was, when the load fails (the reason in
// *failure) or memory runs out (allocation_failed).
inline bool convert(const void *data, size_t size, const char *input_path, std::string &header,
    Failure *failure = nullptr, const Options &options = Options()) noexcept
{
    char *text = nullptr;
    size_t text_size = 0;
    if(!bake3ds_convert(data, size, input_path, &options, &text, &text_size, failure))
        return false;
    if(detail::take(header, text, text_size))
        return true;
    if(failure) {
        // the library's text was whole; the caller's string could not take it
        *failure = Failure();
        failure->rule = BAKE3DS_RULE_ALLOCATION_FAILED;
        failure->chunk = -1;
        failure->offset = -1;
        failure->file_size = static_cast<int64_t>(size);
        // the words the library gives this failure where no chunk is involved
        static const char message[] = "memory could not be allocated";
        std::char_traits<char>::copy(failure->message, message, sizeof(message));
    }
    return false;
}

// The header's path for an input path, as the command line names it; empty
// when memory runs out.
inline std::string header_path_for(const std::string &input_path) noexcept
{
    return detail::take_name(bake3ds_header_path_for(input_path.c_str()));
}

// The name in "C<name>_3ds" for a header's path; empty when memory runs out.
inline std::string class_name_for(const std::string &header_path) noexcept
{
    return detail::take_name(bake3ds_class_name_for(header_path.c_str()));
}

// What bake3ds-info tells about a file, owned: moves, does not copy.
class Report {
public:
    Report() noexcept {}
    explicit Report(bake3ds_report *report) noexcept : report_(report) {}
    ~Report() { bake3ds_report_free(report_); }
    Report(Report &&other) noexcept : report_(other.report_) { other.report_ = nullptr; }
    Report &operator=(Report &&other) noexcept
    {
        if(this != &other) {
            reset(other.report_);
            other.report_ = nullptr;
        }
        return *this;
    }
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    explicit operator bool() const noexcept { return report_ != nullptr; }
    const bake3ds_report *get() const noexcept { return report_; }
    void reset(bake3ds_report *report = nullptr) noexcept
    {
        bake3ds_report_free(report_);
        report_ = report;
    }

    // The report's view; false for an empty Report.
    bool info(ReportInfo &out) const noexcept { return bake3ds_get_report(report_, &out) != 0; }

private:
    bake3ds_report *report_ = nullptr;
};

// The report on the file at path, or on bytes shown under the name path.
// False, report empty, only when memory for the report ran out.
inline bool report_file(const char *path, Report &report) noexcept
{
    report.reset(bake3ds_report_file(path));
    return bool(report);
}

inline bool report_bytes(const void *data, size_t size, const char *path, Report &report) noexcept
{
    report.reset(bake3ds_report_bytes(data, size, path));
    return bool(report);
}

// The report as bake3ds-info prints it, as text or as JSON, appended to out;
// false when memory ran out (out then as it was).
inline bool report_text(const Report &report, std::string &out) noexcept
{
    char *text = nullptr;
    size_t size = 0;
    return bake3ds_report_text(report.get(), &text, &size) && detail::take(out, text, size);
}

inline bool report_json(const Report &report, std::string &out) noexcept
{
    char *text = nullptr;
    size_t size = 0;
    return bake3ds_report_json(report.get(), &text, &size) && detail::take(out, text, size);
}

} // namespace bake3ds

#endif
