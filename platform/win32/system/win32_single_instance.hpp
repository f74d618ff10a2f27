#pragma once

#include "platform/single_instance.hpp"

#include "platform/win32/scoped_handles.hpp"

namespace morvane::win32 {

// A named mutex held for the life of the program, seen from every session of the machine.
class Win32SingleInstance : public SingleInstance {
  public:
    bool claim() override;

  private:
    HandleOwner mutex_;
};

} // namespace morvane::win32
