#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {

// One opening from the check to the delete: sharing only reading, so no other writer,
// rename or delete gets in between, and the reparse point itself rather than its target.
Result<bool> Win32FileSystem::delete_file_if(const std::string& path,
                                             const DeleteDecision& decide) {
    FileHandle file(CreateFileW(long_path(path).c_str(), DELETE | GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid())
        return last_error();
    const auto content = read_all(file.get());
    if (!content.ok())
        return content.error();
    const auto verdict = decide(content.value());
    if (!verdict.ok() || !verdict.value())
        return verdict;
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition,
                                    sizeof disposition))
        return last_error();
    // The name goes when the handle closes; a failure to close would leave it in place.
    if (!file.close())
        return last_error();
    return true;
}

} // namespace morvane::win32
