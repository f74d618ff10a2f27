#pragma once

#include "platform/file_system.hpp"
#include "platform/win32/scoped_handles.hpp"

#include <windows.h>

#include <string>

namespace morvane::win32 {

// Writes all of data, in as many calls as the device needs. A write that succeeds but
// moves no byte fails rather than being repeated for ever.
using WriteCall = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
Failure write_bytes(HANDLE file, const char* data, std::size_t size, WriteCall write = WriteFile);

// The bytes of an open file from its start to its end.
Result<std::string> read_all(HANDLE file);

// Deletes the file opened with DELETE access through that opening, and closes it.
Failure delete_through(FileHandle& file);

// Puts replacement (a long path) in the place of target in one step, keeping target's
// security, attributes and streams where the file system allows; a read-only target is
// refused. On failure target is as it was. With expected, the replacement must still be
// that file, with one name, when it is handed over.
Failure replace_whole_file(const std::wstring& replacement, const std::wstring& target,
                           const BY_HANDLE_FILE_INFORMATION* expected = nullptr);

struct SideFile;
// Puts a side file this run made and still holds open in the place of target: renamed
// through its opening where there is no target, replaced by name where there is one.
// The opening is closed on success.
Failure put_in_place(SideFile& made, const std::wstring& target);

// Whether two openings are of one file: the same volume and the same index on it.
bool same_file(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b);

// What the system knows of an opened folder; anything but a folder fails with
// ERROR_DIRECTORY.
Result<BY_HANDLE_FILE_INFORMATION> opened_folder_information(HANDLE opened);

// Whether a file or folder opened with FILE_FLAG_OPEN_REPARSE_POINT is itself a link (a
// junction, symbolic link or mount point); attributes: its attributes, as read from it.
Result<bool> opened_link(HANDLE opened, DWORD attributes);

class Win32FileSystem : public FileSystem {
  public:
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
};

} // namespace morvane::win32
