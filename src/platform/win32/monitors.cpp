// The monitors. Windows 95 and NT 4.0 have one screen and none of the calls that tell monitors
// apart; Windows 98 and 2000 brought them, so they are looked up when first needed.

#include "platform/form.h"
#include "platform/win32/win32.h"

namespace pellino {

namespace {

struct MonitorCalls {
    using FromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
    using FromPointFn = HMONITOR(WINAPI*)(POINT, DWORD);
    using FromRectFn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
    using InfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
    using ForegroundFn = HWND(WINAPI*)();
    FromWindowFn fromWindow = nullptr;
    FromPointFn fromPoint = nullptr;
    FromRectFn fromRect = nullptr;
    InfoFn info = nullptr;
    ForegroundFn foreground = nullptr;
    bool Present() const { return fromWindow && fromPoint && fromRect && info && foreground; }
};

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const MonitorCalls& Calls() {
    static const MonitorCalls calls = [] {
        MonitorCalls found;
        if (HMODULE user = GetModuleHandleA("user32.dll")) {
            found.fromWindow = Lookup<MonitorCalls::FromWindowFn>(user, "MonitorFromWindow");
            found.fromPoint = Lookup<MonitorCalls::FromPointFn>(user, "MonitorFromPoint");
            found.fromRect = Lookup<MonitorCalls::FromRectFn>(user, "MonitorFromRect");
            found.info = Lookup<MonitorCalls::InfoFn>(user, "GetMonitorInfoA");
            // Only wanted where monitors can be told apart, so it is looked up with them.
            found.foreground = Lookup<MonitorCalls::ForegroundFn>(user, "GetForegroundWindow");
        }
        return found;
    }();
    return calls;
}

std::optional<Rect> RectOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!monitor || !Calls().info(monitor, &info)) return std::nullopt;
    const RECT& r = info.rcMonitor;
    return Rect{r.left, r.top, r.right, r.bottom};
}

}  // namespace

std::optional<Rect> MonitorOfForegroundWindow() {
    if (!Calls().Present()) return std::nullopt;
    HWND foreground = Calls().foreground();
    if (!foreground) return std::nullopt;
    // A minimised window counts where it stands when restored.
    return RectOf(Calls().fromWindow(foreground, MONITOR_DEFAULTTONEAREST));
}

std::optional<Rect> MonitorAtPoint(int x, int y) {
    if (!Calls().Present()) return std::nullopt;
    return RectOf(Calls().fromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST));
}

std::optional<Rect> MonitorOfArea(const Rect& area) {
    if (!Calls().Present()) return std::nullopt;
    const RECT r{area.left, area.top, area.right, area.bottom};
    return RectOf(Calls().fromRect(&r, MONITOR_DEFAULTTONEAREST));
}

void CursorPosition(int& x, int& y) {
    POINT p{};
    GetCursorPos(&p);
    x = p.x;
    y = p.y;
}

}  // namespace pellino
