#pragma once

#include "app/reporting/reporter.hpp"
#include "platform/file_system.hpp"

#include <functional>
#include <optional>
#include <string>

namespace morvane {

// The /log file: every line reported, each after a timestamp. Without a path it keeps
// nothing.
class InstallLog : public Reporter {
  public:
    InstallLog(FileSystem& files, std::optional<std::string> path,
               std::function<std::string()> timestamp);

    // Makes sure the file can be written before anything is installed.
    Failure open();
    void status(const std::string& line) override { write(line); }
    void note(const std::string& line) override { write(line); }
    void error(const std::string& line) override { write(line); }

  private:
    void write(const std::string& line);

    FileSystem& files_;
    std::optional<std::string> path_;
    std::function<std::string()> timestamp_;
};

// The local time as "YYYY-MM-DD HH:MM:SS".
std::string local_timestamp();

} // namespace morvane
