#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {

Failure delete_through(FileHandle& file) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition,
                                    sizeof disposition))
        return last_error();
    // The name goes when the handle closes; a failure to close would leave it in place.
    if (!file.close())
        return last_error();
    return std::nullopt;
}

namespace {

std::wstring last_name(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1);
}

// What was opened under the name: one regular file with one name, no reparse point of
// any kind, that still bears that name at the end of its final path.
Result<bool> is_plain_file(HANDLE file, const std::wstring& name) {
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) ||
        !GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard))
        return last_error();
    if ((basic.FileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0 ||
        standard.Directory || standard.NumberOfLinks != 1)
        return false;
    std::wstring final_path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(
            file, final_path.data(), static_cast<DWORD>(final_path.size()), FILE_NAME_NORMALIZED);
        if (length == 0)
            return last_error();
        const bool fitted = length < final_path.size();
        final_path.resize(length);
        if (fitted)
            break;
    }
    const auto final_name = last_name(final_path);
    return CompareStringOrdinal(final_name.c_str(), static_cast<int>(final_name.size()),
                                name.c_str(), static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

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
    if (auto failure = delete_through(file))
        return *failure;
    return true;
}

// Checked and deleted through one opening of the name itself, never of what a link
// names; a folder opens too, to be told apart.
Result<bool> Win32FileSystem::delete_plain_file(const std::string& path) {
    const auto name = long_path(path);
    FileHandle file(CreateFileW(
        name.c_str(), DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid())
        return last_error();
    const auto plain = is_plain_file(file.get(), last_name(name));
    if (!plain.ok() || !plain.value())
        return plain;
    if (auto failure = delete_through(file))
        return *failure;
    return true;
}

} // namespace morvane::win32
