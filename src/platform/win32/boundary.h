#pragma once

#include <exception>

#include "platform/application.h"
#include "platform/win32/win32.h"

namespace pellino::win32 {

// The one boundary of a window procedure. No error may leave a procedure into the platform's
// code that called it: whatever escapes the body, of any kind, is noted for the message loop to
// show once this message has been answered, and the message is answered with `failed`.
template <class Body>
LRESULT Guarded(Body&& body, LRESULT failed = 0) noexcept {
    try {
        return body();
    } catch (...) {
        Application::NoteFault(std::current_exception());
        return failed;
    }
}

// Begins the paint of a window and ends it whatever happens while painting, so that a paint that
// fails still validates the window: otherwise the platform would ask for the paint again at once,
// and for ever.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

}  // namespace pellino::win32
