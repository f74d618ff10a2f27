#include "platform/win32/system/win32_single_instance.hpp"

#include <utility>

namespace morvane::win32 {

bool Win32SingleInstance::claim() {
    if (mutex_.valid())
        return true;
    // In the global namespace, so that a copy started by a deployment tool in another
    // session is seen too.
    HandleOwner mutex(CreateMutexW(nullptr, FALSE, L"Global\\Morvane_Post_Installation_setup"));
    const DWORD error = GetLastError();
    if (mutex.valid() && error != ERROR_ALREADY_EXISTS) {
        mutex_ = std::move(mutex);
        return true;
    }
    // Access denied means a copy run by another user made it first; any other failure
    // leaves nothing to tell copies apart, so the run goes on.
    return !mutex.valid() && error != ERROR_ACCESS_DENIED;
}

} // namespace morvane::win32
