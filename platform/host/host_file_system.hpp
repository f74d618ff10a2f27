#pragma once

#include "platform/file_system.hpp"

#include <filesystem>

namespace morvane {

// Real files below a root folder. A Windows path "D:\a\b" names root/D/a/b, so tests
// use the same paths as the program does on Windows. A file without write permission
// behaves as a read-only file does on Windows, for root too. Written files are replaced
// whole by a rename, as on Windows; the host keeps no attributes worth handing on.
class HostFileSystem : public FileSystem {
  public:
    explicit HostFileSystem(std::filesystem::path root);

    std::filesystem::path host_path(const std::string& windows_path) const;

    bool file_exists(const std::string& path) override;
    bool folder_exists(const std::string& path) override;
    Failure delete_file(const std::string& path) override;
    Failure make_folder(const std::string& path) override;
    Result<std::string> read_file(const std::string& path) override;
    Failure write_file(const std::string& path, const std::string& content) override;
    Failure write_file_parts(const std::string& path,
                             const std::vector<std::string_view>& parts) override;
    Failure append_file(const std::string& path, const std::string& content) override;
    Failure replace_file(const std::string& replacement, const std::string& target) override;
    Failure remove_empty_folder(const std::string& path) override;
    Result<bool> delete_file_if(const std::string& path, const DeleteDecision& decide) override;
    Result<bool> same_folder(const std::string& a, const std::string& b) override;
    Result<bool> is_link(const std::string& path) override;
    Result<std::vector<std::string>> groups_that_can_change(const std::string& folder) override;

    Result<bool> delete_plain_file(const std::string& path) override;
    Result<std::shared_ptr<FolderHold>> hold_folder(const std::string& path) override;
    Result<std::shared_ptr<JournalFile>> create_journal(const std::string& beside,
                                                        std::string_view suffix) override;

  private:
    Failure replace_file(const std::filesystem::path& replacement,
                         const std::filesystem::path& target);

    std::filesystem::path root_;
};

// The host's errno as the platform words it, and whether a file lacks write permission.
PlatformError error_from(int code);
bool is_read_only(const std::filesystem::path& path);

} // namespace morvane
