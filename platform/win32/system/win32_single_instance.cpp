#include "platform/win32/system/win32_single_instance.hpp"

namespace morvane::win32 {

Win32SingleInstance::~Win32SingleInstance() {
    if (mutex_ != nullptr)
        CloseHandle(mutex_);
}

bool Win32SingleInstance::claim() {
    if (mutex_ != nullptr)
        return true;
    // In the global namespace, so that a copy started by a deployment tool in another
    // session is seen too.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Global\\Morvane_Post_Installation_setup");
    const DWORD error = GetLastError();
    if (mutex != nullptr && error != ERROR_ALREADY_EXISTS) {
        mutex_ = mutex;
        return true;
    }
    if (mutex != nullptr)
        CloseHandle(mutex);
    // Access denied means a copy run by another user made it first; any other failure
    // leaves nothing to tell copies apart, so the run goes on.
    return mutex == nullptr && error != ERROR_ACCESS_DENIED;
}

} // namespace morvane::win32
