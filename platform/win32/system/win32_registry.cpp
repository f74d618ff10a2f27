#include "platform/win32/system/win32_registry.hpp"

#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/grown_buffer.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <cstring>
#include <vector>

namespace morvane::win32 {
namespace {

RegistryValueType type_of(DWORD type) {
    switch (type) {
    case REG_SZ:
        return RegistryValueType::string;
    case REG_EXPAND_SZ:
        return RegistryValueType::expandable_string;
    case REG_MULTI_SZ:
        return RegistryValueType::multi_string;
    case REG_DWORD:
        return RegistryValueType::dword;
    case REG_BINARY:
        return RegistryValueType::binary;
    default:
        return RegistryValueType::other;
    }
}

std::optional<RegistryValue> read_in_view(const std::wstring& key_path,
                                          const std::wstring& value_name, REGSAM view,
                                          RegistryView found_in) {
    RegistryKey opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_path.c_str(), 0, KEY_QUERY_VALUE | view,
                      opened.put()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    // The value may grow between two queries; it is asked for again until it fits.
    const auto data = grown_buffer<std::vector<BYTE>>(
        [&](BYTE* bytes, std::size_t capacity) -> std::optional<std::size_t> {
            auto size = static_cast<DWORD>(capacity);
            const LSTATUS status =
                RegQueryValueExW(opened.get(), value_name.c_str(), nullptr, &type, bytes, &size);
            if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
                return std::nullopt;
            return status == ERROR_MORE_DATA ? std::max<std::size_t>(size, capacity) : size;
        },
        256);
    if (!data)
        return std::nullopt;
    RegistryValue value{type_of(type), {}, 0, found_in};
    if (type == REG_SZ || type == REG_EXPAND_SZ)
        value.text = narrow(std::wstring(reinterpret_cast<const wchar_t*>(data->data()),
                                         data->size() / sizeof(wchar_t)));
    if (type == REG_DWORD && data->size() == sizeof(DWORD))
        std::memcpy(&value.number, data->data(), sizeof(DWORD));
    return value;
}

} // namespace

std::optional<RegistryValue> Win32Registry::read_local_machine(const std::string& key_path,
                                                               const std::string& value_name) {
    const auto key = widen(key_path);
    const auto name = widen(value_name);
#ifdef _WIN64
    if (auto value = read_in_view(key, name, 0, RegistryView::bits64))
        return value;
    return read_in_view(key, name, KEY_WOW64_32KEY, RegistryView::bits32);
#else
    if (auto value = read_in_view(key, name, 0, RegistryView::bits32))
        return value;
    return read_in_view(key, name, KEY_WOW64_64KEY, RegistryView::bits64);
#endif
}

} // namespace morvane::win32
