#include "platform/win32/system/win32_computer.hpp"

#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <windows.h>

#include <cstring>

namespace morvane::win32 {
namespace {

// A function of a system DLL that the program has loaded anyway, or nothing where this
// Windows lacks it. void (*)() converts to any function type without a warning.
template <class Function> Function system_function(const wchar_t* dll, const char* name) {
    const HMODULE module = GetModuleHandleW(dll);
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

std::string machine_name(USHORT machine) {
    switch (machine) {
    case IMAGE_FILE_MACHINE_I386:
        return "x86";
    case IMAGE_FILE_MACHINE_AMD64:
        return "x64";
    case 0xAA64: // IMAGE_FILE_MACHINE_ARM64, newer than these headers
        return "ARM64";
    case IMAGE_FILE_MACHINE_ARMNT:
        return "ARM";
    default:
        return "machine type " + std::to_string(machine);
    }
}

std::string processor_architecture_name(WORD architecture) {
    switch (architecture) {
    case PROCESSOR_ARCHITECTURE_INTEL:
        return "x86";
    case PROCESSOR_ARCHITECTURE_AMD64:
        return "x64";
    case 12: // PROCESSOR_ARCHITECTURE_ARM64
        return "ARM64";
    case PROCESSOR_ARCHITECTURE_ARM:
        return "ARM";
    case PROCESSOR_ARCHITECTURE_IA64:
        return "Itanium";
    default:
        return "processor architecture " + std::to_string(architecture);
    }
}

// IsWow64Process2 (Windows 10) also sees an x86 process on ARM64; before it, the native
// system information and IsWow64Process tell the same for x86 and x64.
void architecture_of_machine(ComputerFacts& facts) {
    using IsWow64Process2Function = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
    const auto is_wow64_process2 =
        system_function<IsWow64Process2Function>(L"kernel32.dll", "IsWow64Process2");
    USHORT process_machine = 0, native_machine = 0;
    if (is_wow64_process2 != nullptr &&
        is_wow64_process2(GetCurrentProcess(), &process_machine, &native_machine)) {
        facts.architecture = machine_name(native_machine);
        facts.wow64 = process_machine != IMAGE_FILE_MACHINE_UNKNOWN;
        return;
    }
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    facts.architecture = processor_architecture_name(system.wProcessorArchitecture);
    BOOL wow64 = FALSE;
    facts.wow64 = IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// RtlGetVersion tells the true version, which GetVersionEx hides from programs whose
// manifest does not name the system; the update revision is only in the registry.
void windows_version(ComputerFacts& facts) {
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto rtl_get_version =
        system_function<RtlGetVersionFunction>(L"ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (rtl_get_version == nullptr || rtl_get_version(&version) != 0)
        return;
    facts.windows_version =
        std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion);
    facts.windows_build = std::to_string(version.dwBuildNumber);
    RegistryKey key;
    DWORD revision = 0, size = sizeof revision, type = 0;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, key.put()) == ERROR_SUCCESS &&
        RegQueryValueExW(key.get(), L"UBR", nullptr, &type, reinterpret_cast<BYTE*>(&revision),
                         &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
        facts.windows_build += "." + std::to_string(revision);
}

std::int64_t ticks_of(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

} // namespace

ComputerFacts Win32Computer::facts() {
    ComputerFacts facts;
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (GetComputerNameW(name, &size))
        facts.name = narrow(std::wstring(name, size));
    windows_version(facts);
    architecture_of_machine(facts);
    return facts;
}

ClockReading Win32Computer::now() {
    constexpr std::int64_t ticks_per_second = 10'000'000;
    constexpr std::int64_t unix_epoch_ticks = 116'444'736'000'000'000;
    FILETIME utc_ticks{}, local_ticks{};
    GetSystemTimeAsFileTime(&utc_ticks);
    SYSTEMTIME utc{}, local{};
    ClockReading reading;
    reading.utc = std::chrono::sys_seconds(
        std::chrono::seconds((ticks_of(utc_ticks) - unix_epoch_ticks) / ticks_per_second));
    // The offset of that very moment, daylight saving time included.
    if (FileTimeToSystemTime(&utc_ticks, &utc) &&
        SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) &&
        SystemTimeToFileTime(&local, &local_ticks))
        reading.utc_offset = std::chrono::minutes((ticks_of(local_ticks) - ticks_of(utc_ticks)) /
                                                  (60 * ticks_per_second));
    return reading;
}

std::string Win32Computer::program_version() {
    // VS_VERSIONINFO: three WORDs, the key "VS_VERSION_INFO", padding to 32 bits, then
    // VS_FIXEDFILEINFO. Read here rather than through version.dll, which the program
    // does not otherwise load.
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const auto* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    const DWORD size = found ? SizeofResource(nullptr, found) : 0;
    constexpr std::size_t fixed_at = (6 + sizeof L"VS_VERSION_INFO" + 3) / 4 * 4;
    if (data == nullptr || size < fixed_at + sizeof(VS_FIXEDFILEINFO))
        return "";
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, data + fixed_at, sizeof fixed);
    if (fixed.dwSignature != 0xFEEF04BD)
        return "";
    return std::to_string(HIWORD(fixed.dwFileVersionMS)) + "." +
           std::to_string(LOWORD(fixed.dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed.dwFileVersionLS)) + "." +
           std::to_string(LOWORD(fixed.dwFileVersionLS));
}

} // namespace morvane::win32
