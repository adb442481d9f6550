// One owner per Win32 handle kind: kernel handles (CloseHandle) and find handles (FindClose).
// Both treat INVALID_HANDLE_VALUE and null as "no handle".
#pragma once

#include <windows.h>

namespace platform::win32 {

template <BOOL(WINAPI* Close)(HANDLE)>
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~OwnedHandle() { reset(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    // Closes now; true when there was nothing to close or closing succeeded.
    bool reset() {
        const bool ok = !valid() || Close(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE handle_;
};

using UniqueHandle = OwnedHandle<&CloseHandle>;
using FindHandle = OwnedHandle<&FindClose>;

}  // namespace platform::win32
