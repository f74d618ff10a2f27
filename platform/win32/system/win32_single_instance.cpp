#include "platform/win32/system/win32_single_instance.hpp"

#include "platform/win32/system/sid_names.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <aclapi.h>
#include <sddl.h>

#include <utility>

namespace morvane::win32 {
namespace {

// In the global namespace, so that a copy started by a deployment tool in another session
// is seen too.
constexpr const wchar_t* guard_name = L"Global\\Morvane_Post_Installation_setup";

// Owned by Administrators, full access for Administrators and SYSTEM, nothing for anyone
// else. Only a token that may own objects as Administrators (an elevated one) can make it.
constexpr const wchar_t* elevated_guard = L"O:BAD:P(A;;GA;;;BA)(A;;GA;;;SY)";

// The guard another process made, with its owner when this account may read it.
InstanceClaim found(HANDLE guard) {
    InstanceClaim claim{InstanceClaim::Outcome::found, "", ""};
    HandleOwner readable;
    if (guard == nullptr) {
        readable = HandleOwner(OpenMutexW(READ_CONTROL, FALSE, guard_name));
        guard = readable.get();
    }
    PSID owner = nullptr;
    LocalBuffer<PSECURITY_DESCRIPTOR> descriptor;
    if (guard == nullptr ||
        GetSecurityInfo(guard, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, descriptor.put()) != ERROR_SUCCESS ||
        owner == nullptr)
        return claim;
    claim.owner_sid = sid_text(owner);
    claim.owner_name = account_name(owner);
    return claim;
}

} // namespace

InstanceClaim Win32SingleInstance::claim() {
    if (mutex_.valid())
        return {};
    LocalBuffer<PSECURITY_DESCRIPTOR> descriptor;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(elevated_guard, SDDL_REVISION_1,
                                                             descriptor.put(), nullptr))
        attributes.lpSecurityDescriptor = descriptor.get();
    HANDLE made = CreateMutexW(&attributes, FALSE, guard_name);
    DWORD error = GetLastError();
    if (made == nullptr && error == ERROR_INVALID_OWNER) {
        // Not elevated: the guard is this account's own, as the system makes it.
        made = CreateMutexW(nullptr, FALSE, guard_name);
        error = GetLastError();
    }
    HandleOwner mutex(made);
    if (mutex.valid() && error != ERROR_ALREADY_EXISTS) {
        mutex_ = std::move(mutex);
        return {};
    }
    if (mutex.valid() || error == ERROR_ACCESS_DENIED)
        return found(mutex.get());
    // Any other failure leaves nothing to tell copies apart, so the run goes on.
    return {InstanceClaim::Outcome::unavailable, "", ""};
}

} // namespace morvane::win32
