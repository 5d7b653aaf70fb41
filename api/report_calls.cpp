// The library's report calls: bake3ds-info's report as data, text or JSON.

#include "api/json_report.h"
#include "api/no_throw.h"
#include "api/report.h"
#include "api/text_report.h"

namespace bake3ds {

bool report_file(const char *path, Report &report) noexcept
{
    return b_WithoutThrow([&] { report = t_ReportFile(path); });
}

bool report_bytes(const void *data, size_t size, const char *path, Report &report) noexcept
{
    return b_WithoutThrow([&] { report = t_ReportMemory(static_cast<const uint8_t *>(data), size, path); });
}

bool report_text(const Report &report, std::string &out) noexcept
{
    return b_WithoutThrow([&] { out += s_TextReport(report); });
}

bool report_json(const Report &report, std::string &out) noexcept
{
    return b_WithoutThrow([&] { out += s_JsonReport(report); });
}

} // namespace bake3ds
