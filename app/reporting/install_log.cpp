#include "app/reporting/install_log.hpp"

#include "app/reporting/link_refusal.hpp"

#include <chrono>
#include <ctime>

namespace morvane {

InstallLog::InstallLog(FileSystem& files, std::optional<std::string> path,
                       std::function<std::string()> timestamp)
    : files_(files), path_(std::move(path)), timestamp_(std::move(timestamp)) {}

Failure InstallLog::open() {
    if (!path_)
        return std::nullopt;
    if (auto refused = refuse_links(files_, {*path_}))
        return refused;
    return files_.append_file(*path_, "");
}

void InstallLog::write(const std::string& line) {
    // A log that stops accepting lines must not stop the installation it records.
    if (path_)
        files_.append_file(*path_, timestamp_() + " " + line + "\r\n");
}

std::string local_timestamp() {
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}

} // namespace morvane
