#include "platform/instance.h"

#include <vector>

#include "platform/win32/win32.h"

namespace pellino {

InstanceMutex::InstanceMutex(const std::string& name) {
    // A failed creation must not switch the single-copy rule off in silence. A mutex made by a copy
    // in another session or under another account may refuse this one access: that copy runs. Any
    // other failure may be passing (the system short of resources a moment), so it is asked again
    // before this copy runs without the rule.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0) Sleep(50);
        HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
        const DWORD error = GetLastError();
        if (mutex) {
            if (error == ERROR_ALREADY_EXISTS) {
                anotherCopy_ = true;
                CloseHandle(mutex);
            } else {
                handle_ = mutex;
            }
            return;
        }
        if (error == ERROR_ACCESS_DENIED) {
            anotherCopy_ = true;
            return;
        }
    }
    // Neither made nor found: this copy runs without knowing whether another one does, which is
    // better than no reminders at all.
}

InstanceMutex::~InstanceMutex() {
    if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
}

unsigned ComeForwardMessage(const std::string& mutexName) {
    return RegisterWindowMessageA(("Pellino: come forward, " + mutexName).c_str());
}

namespace {

struct RunningCopySearch {
    const std::string& className;
    const std::string& caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectRunningCopy(HWND hwnd, LPARAM data) {
    auto& search = *reinterpret_cast<RunningCopySearch*>(data);
    char cls[256] = "", text[256] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, text, sizeof text);
    if (search.className == cls && search.caption == text) search.found.push_back(hwnd);
    return TRUE;
}

// Lets the process that owns the window take the foreground. The platform guards the foreground
// since Windows 98 and 2000 and has this call only there; before, any program could take it.
void AllowForegroundFor(HWND hwnd) {
    using AllowSetForegroundWindowFn = BOOL(WINAPI*)(DWORD);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto allow =
        user32 ? reinterpret_cast<AllowSetForegroundWindowFn>(
                     reinterpret_cast<void*>(GetProcAddress(user32, "AllowSetForegroundWindow")))
               : nullptr;
    if (!allow) return;
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    allow(process);
}

}  // namespace

bool PostToRunningCopy(const std::string& className, const std::string& caption, unsigned message) {
    RunningCopySearch search{className, caption, {}};
    EnumWindows(CollectRunningCopy, reinterpret_cast<LPARAM>(&search));
    for (HWND hwnd : search.found) {
        AllowForegroundFor(hwnd);
        PostMessageA(hwnd, message, 0, 0);
    }
    return !search.found.empty();
}

}  // namespace pellino
