#include "platform/win32/system/process.hpp"

#include "platform/win32/system/grown_buffer.hpp"
#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {

Win32ProgramLocation::Win32ProgramLocation() {
    // A name that fills the buffer may have been cut short.
    auto path = grown_buffer<std::wstring>(
                    [](wchar_t* data, std::size_t size) -> std::optional<std::size_t> {
                        return GetModuleFileNameW(nullptr, data, static_cast<DWORD>(size));
                    },
                    MAX_PATH)
                    .value_or(L"");
    // Started through an 8.3 name, the program would build another spelling of every
    // path than the setup record holds.
    const auto long_form = grown_buffer<std::wstring>(
        [&path](wchar_t* data, std::size_t size) -> std::optional<std::size_t> {
            const DWORD length = GetLongPathNameW(path.c_str(), data, static_cast<DWORD>(size));
            if (length == 0)
                return std::nullopt;
            return length;
        },
        path.size() + 1);
    if (long_form)
        path = *long_form;
    const auto slash = path.find_last_of(L'\\');
    const auto name = path.substr(slash + 1);
    folder_ = narrow(path.substr(0, slash));
    stem_ = narrow(name.substr(0, name.find_last_of(L'.')));
}

} // namespace morvane::win32
