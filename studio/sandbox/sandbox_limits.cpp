#include "sandbox_limits.h"

namespace tavro::studio {

namespace {

std::string size_text(std::int64_t bytes)
{
    if (bytes >= mebibytes && bytes % mebibytes == 0) {
        return std::to_string(bytes / mebibytes) + " MiB";
    }
    if (bytes >= 1024 && bytes % 1024 == 0) {
        return std::to_string(bytes / 1024) + " KiB";
    }
    return std::to_string(bytes) + " bytes";
}

}  // namespace

std::string limit_line(Limit limit, const Limits& limits, std::string_view what)
{
    const std::string subject(what);
    switch (limit) {
    case Limit::cpu_time:
        return subject + " used more than " + std::to_string(limits.cpu_seconds) + " s of CPU time";
    case Limit::wall_time:
        return subject + " did not end within " + std::to_string(limits.wall_seconds) + " s";
    case Limit::memory:
        return subject + " needed more than " + size_text(limits.memory) + " of memory";
    case Limit::file_size:
        return subject + " wrote a file larger than " + size_text(limits.file_size);
    case Limit::output:
        return subject + " printed more than " + size_text(limits.output);
    case Limit::work_folder:
        return subject + " wrote more than " + size_text(limits.work) + " into its work folder";
    case Limit::none:
        break;
    }
    return subject + " passed no limit";
}

}  // namespace tavro::studio
