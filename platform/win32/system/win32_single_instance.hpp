#pragma once

#include "platform/single_instance.hpp"

#include "platform/win32/scoped_handles.hpp"

namespace morvane::win32 {

// A named mutex held for the life of the program, seen from every session of the machine.
// An elevated copy makes it owned by the Administrators group and open to administrators
// and SYSTEM only.
class Win32SingleInstance : public SingleInstance {
  public:
    InstanceClaim claim() override;

  private:
    HandleOwner mutex_;
};

} // namespace morvane::win32
