#include "platform/win32/system/process.hpp"

#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {

Win32ProgramLocation::Win32ProgramLocation() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L'\\');
    const auto name = path.substr(slash + 1);
    folder_ = narrow(path.substr(0, slash));
    stem_ = narrow(name.substr(0, name.find_last_of(L'.')));
}

} // namespace morvane::win32
