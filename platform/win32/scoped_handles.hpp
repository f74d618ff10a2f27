#pragma once

#include <windows.h>

namespace morvane::win32 {

// Releases a COM interface at the end of the scope.
template <class T> class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() {
        if (pointer_ != nullptr)
            pointer_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return pointer_; }
    void** out_void() { return reinterpret_cast<void**>(&pointer_); }

  private:
    T* pointer_ = nullptr;
};

} // namespace morvane::win32
