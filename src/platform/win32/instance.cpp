#include "platform/instance.h"

#include "platform/win32/win32.h"

namespace pellino {

InstanceMutex::InstanceMutex(const std::string& name) {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
    if (!mutex) return;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        anotherCopy_ = true;
        CloseHandle(mutex);
        return;
    }
    handle_ = mutex;
}

InstanceMutex::~InstanceMutex() {
    if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
}

}  // namespace pellino
