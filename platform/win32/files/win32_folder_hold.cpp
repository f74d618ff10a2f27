#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {
namespace {

class OpenFolder : public FolderHold {
  public:
    explicit OpenFolder(FileHandle folder) : folder_(std::move(folder)) {}

  private:
    FileHandle folder_;
};

} // namespace

// Opened for listing, so that the sharing counts: without FILE_SHARE_DELETE nobody can
// rename or delete the folder, nor put a junction in its place, while files inside it
// are made and replaced as usual. The folder itself is held, never what a link names.
Result<std::shared_ptr<FolderHold>> Win32FileSystem::hold_folder(const std::string& path) {
    FileHandle folder(
        CreateFileW(long_path(path).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!folder.valid())
        return last_error();
    const auto information = opened_folder_information(folder.get());
    if (!information.ok())
        return information.error();
    // A junction put in the folder's place since it was checked is refused here, once held.
    const auto link = opened_link(folder.get(), information.value().dwFileAttributes);
    if (!link.ok())
        return link.error();
    if (link.value())
        return PlatformError{PlatformError::Kind::other,
                             "The folder is a link; it is not followed."};
    return std::shared_ptr<FolderHold>(std::make_shared<OpenFolder>(std::move(folder)));
}

} // namespace morvane::win32
