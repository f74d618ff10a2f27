#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/shell/win32_shell.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <objbase.h>
#include <shlobj.h>

#include <cstdint>
#include <string_view>

namespace morvane::win32 {
namespace {

// The ShellLinkHeader that starts every shortcut file: its own size (0x4C) in the first
// four bytes, the show command as four little-endian bytes at 0x3C.
constexpr std::size_t header_size = 0x4C;
constexpr std::size_t show_command_offset = 0x3C;

std::uint32_t little_endian_at(std::string_view bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

// Calls one of IShellLinkW's getters that fill a caller's buffer.
template <class Getter> Result<std::string> text_of(Getter get, int capacity) {
    std::wstring buffer(static_cast<std::size_t>(capacity), L'\0');
    const HRESULT result = get(buffer.data(), capacity);
    if (FAILED(result))
        return com_error(result);
    buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
    return narrow(buffer);
}

} // namespace

Result<Shortcut> Win32Shell::read_shortcut(const std::string& path) {
    const auto bytes = Win32FileSystem().read_file(path);
    if (!bytes.ok())
        return bytes.error();
    return shortcut_of(path, bytes.value());
}

Result<Shortcut> Win32Shell::shortcut_of(const std::string& path, std::string_view bytes) {
    // The show command comes from the file's own bytes: Wine's GetShowCmd gives 1 after
    // Load whatever the file holds.
    if (bytes.size() < header_size || little_endian_at(bytes, 0) != header_size)
        return PlatformError{PlatformError::Kind::other,
                             "The file \"" + path + "\" is not a shortcut."};
    Shortcut shortcut;
    shortcut.file_path = path;
    shortcut.show_command = static_cast<int>(little_endian_at(bytes, show_command_offset));

    // Loaded from the bytes already read, never from the file again by its name.
    ComPtr<IStream> stream;
    HRESULT result =
        CreateStreamOnHGlobal(nullptr, TRUE, reinterpret_cast<IStream**>(stream.out_void()));
    ULONG written = 0;
    const LARGE_INTEGER start{};
    if (FAILED(result) ||
        FAILED(result = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) ||
        FAILED(result = stream->Seek(start, STREAM_SEEK_SET, nullptr)))
        return com_error(result);
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistStream> persisted;
    if (FAILED(result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IShellLinkW, link.out_void())) ||
        FAILED(result = link->QueryInterface(IID_IPersistStream, persisted.out_void())) ||
        FAILED(result = persisted->Load(stream.get())))
        return com_error(result);

    const std::pair<std::string*, Result<std::string>> members[] = {
        {&shortcut.target_path,
         text_of([&](wchar_t* b, int n) { return link->GetPath(b, n, nullptr, 0); }, MAX_PATH)},
        {&shortcut.arguments,
         text_of([&](wchar_t* b, int n) { return link->GetArguments(b, n); }, INFOTIPSIZE)},
        {&shortcut.working_directory,
         text_of([&](wchar_t* b, int n) { return link->GetWorkingDirectory(b, n); }, MAX_PATH)},
        {&shortcut.icon_location, text_of(
                                      [&](wchar_t* b, int n) {
                                          int index = 0;
                                          return link->GetIconLocation(b, n, &index);
                                      },
                                      MAX_PATH)},
        {&shortcut.description,
         text_of([&](wchar_t* b, int n) { return link->GetDescription(b, n); }, INFOTIPSIZE)},
    };
    for (const auto& [member, value] : members) {
        if (!value.ok())
            return value.error();
        *member = value.value();
    }
    return shortcut;
}

} // namespace morvane::win32
