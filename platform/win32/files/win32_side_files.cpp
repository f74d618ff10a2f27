#include "platform/win32/files/win32_side_files.hpp"

#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <objbase.h>

namespace morvane::win32 {
namespace {

// Small parts are gathered into one buffer, so a file of many short lines is written in
// a few large writes rather than one call a part.
Failure write_all(HANDLE file, const std::vector<std::string_view>& parts) {
    constexpr std::size_t buffer_size = 1 << 20;
    std::string buffer;
    buffer.reserve(buffer_size);
    for (const auto part : parts) {
        if (buffer.size() + part.size() > buffer_size) {
            if (auto failure = write_bytes(file, buffer.data(), buffer.size()))
                return failure;
            buffer.clear();
        }
        if (part.size() > buffer_size) {
            if (auto failure = write_bytes(file, part.data(), part.size()))
                return failure;
        } else {
            buffer.append(part);
        }
    }
    return write_bytes(file, buffer.data(), buffer.size());
}

} // namespace

Failure create_side_file(const std::wstring& target, const wchar_t* suffix, DWORD access,
                         SideFile& made) {
    GUID guid{};
    if (const HRESULT result = CoCreateGuid(&guid); FAILED(result))
        return com_error(result);
    wchar_t text[40] = {};
    if (StringFromGUID2(guid, text, 40) == 0)
        return windows_error(ERROR_INSUFFICIENT_BUFFER);
    made.path = target + L"." + text + suffix;
    made.handle = FileHandle(CreateFileW(made.path.c_str(), access, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!made.handle.valid())
        return last_error();
    return std::nullopt;
}

Failure write_whole_file(const std::wstring& target, const std::vector<std::string_view>& parts) {
    SideFile temporary;
    if (auto failure = create_side_file(target, L".morvane-tmp", GENERIC_WRITE | DELETE, temporary))
        return failure;
    // On the disk before the rename, so that a power cut cannot leave a short file.
    auto failure = write_all(temporary.handle.get(), parts);
    if (!failure && !FlushFileBuffers(temporary.handle.get()))
        failure = last_error();
    if (!failure)
        failure = put_in_place(temporary, target);
    // Once the opening is closed, putting it in place has cleaned up after itself.
    if (failure && temporary.handle.valid())
        delete_through(temporary.handle);
    return failure;
}

} // namespace morvane::win32
