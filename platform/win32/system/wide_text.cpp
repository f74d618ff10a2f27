#include "platform/win32/system/wide_text.hpp"

#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/grown_buffer.hpp"

namespace morvane::win32 {

std::wstring widen(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

std::string narrow(const std::wstring& wide) {
    if (wide.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

std::wstring full_path(const std::string& utf8_path) {
    const auto path = widen(utf8_path);
    if (path.empty() || path.rfind(L"\\\\?\\", 0) == 0)
        return path;
    const auto cleaned = grown_buffer<std::wstring>(
        [&](wchar_t* data, std::size_t size) -> std::optional<std::size_t> {
            const DWORD length =
                GetFullPathNameW(path.c_str(), static_cast<DWORD>(size), data, nullptr);
            return length == 0 ? std::nullopt : std::optional<std::size_t>(length);
        },
        path.size() + MAX_PATH);
    if (!cleaned)
        return path;
    auto full = *cleaned;
    // A folder named with a trailing separator is the same folder; the long-path form
    // would otherwise keep the separator as part of the name.
    const std::size_t root_end = full.rfind(L"\\\\", 0) == 0 ? 2 : 3;
    while (full.size() > root_end && full.back() == L'\\')
        full.pop_back();
    return full;
}

std::wstring long_path(const std::string& utf8_path) {
    return with_long_path_prefix(full_path(utf8_path));
}

std::wstring with_long_path_prefix(const std::wstring& path) {
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\')
        return L"\\\\?\\" + path;
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' &&
        path[2] != L'.')
        return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}

PlatformError windows_error(DWORD code) {
    LocalBuffer<wchar_t*> buffer;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(buffer.put()), 0, nullptr);
    std::wstring text = length > 0 ? std::wstring(buffer.get(), length) : std::wstring();
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        text = L"Error " + std::to_wstring(code) + L".";
    const bool missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
    const auto kind = missing                       ? PlatformError::Kind::not_found
                      : code == ERROR_ACCESS_DENIED ? PlatformError::Kind::access_denied
                                                    : PlatformError::Kind::other;
    return {kind, narrow(text)};
}

PlatformError last_error() {
    return windows_error(GetLastError());
}

PlatformError com_error(HRESULT result) {
    return windows_error(HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result)
                                                                    : static_cast<DWORD>(result));
}

} // namespace morvane::win32
