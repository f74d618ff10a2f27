#pragma once

#include <windows.h>

#include <objbase.h>

// Every handle, key, COM pointer and system-allocated buffer the back end holds, each
// released at the end of its scope.
namespace morvane::win32 {

// A kernel handle; `empty` is what the call that makes it returns on failure.
template <HANDLE (*empty)()> class ScopedHandle {
  public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ~ScopedHandle() {
        if (valid())
            CloseHandle(handle_);
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) {
            if (valid())
                CloseHandle(handle_);
            handle_ = other.release();
        }
        return *this;
    }
    HANDLE release() {
        const HANDLE handle = handle_;
        handle_ = empty();
        return handle;
    }

    bool valid() const { return handle_ != empty(); }
    HANDLE get() const { return handle_; }
    HANDLE* put() { return &handle_; }
    // Closes now, so that a failing close is seen.
    bool close() {
        // INVALID_HANDLE_VALUE is also the process's own pseudo-handle: never close that.
        if (!valid())
            return false;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = empty();
        return closed;
    }

  private:
    HANDLE handle_ = empty();
};

inline HANDLE invalid_handle() {
    return INVALID_HANDLE_VALUE;
}
inline HANDLE null_handle() {
    return nullptr;
}
// From CreateFileW.
using FileHandle = ScopedHandle<invalid_handle>;
// From everything else: tokens, mutexes.
using HandleOwner = ScopedHandle<null_handle>;

class RegistryKey {
  public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY get() const { return key_; }
    HKEY* put() { return &key_; }

  private:
    HKEY key_ = nullptr;
};

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
    T* get() const { return pointer_; }
    void** out_void() { return reinterpret_cast<void**>(&pointer_); }

  private:
    T* pointer_ = nullptr;
};

// Memory the system allocated for the caller, freed the way it must be.
template <class T, auto release> class SystemBuffer {
  public:
    SystemBuffer() = default;
    explicit SystemBuffer(T pointer) : pointer_(pointer) {}
    ~SystemBuffer() {
        if (pointer_ != nullptr)
            release(pointer_);
    }
    SystemBuffer(const SystemBuffer&) = delete;
    SystemBuffer& operator=(const SystemBuffer&) = delete;
    T get() const { return pointer_; }
    T* put() { return &pointer_; }

  private:
    T pointer_ = nullptr;
};

inline void local_free(void* memory) {
    LocalFree(memory);
}
inline void co_task_mem_free(void* memory) {
    CoTaskMemFree(memory);
}
template <class T> using LocalBuffer = SystemBuffer<T, local_free>;
template <class T> using CoTaskBuffer = SystemBuffer<T, co_task_mem_free>;

// COM on this thread, for as long as the scope lasts.
class ComApartment {
  public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialised_;
};

} // namespace morvane::win32
