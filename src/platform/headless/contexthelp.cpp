#include "platform/contexthelp.h"

#include <cstdint>

#include "platform/application.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/form.h"
#include "platform/headless/testing.h"

namespace pellino {

// Without a window system the pop-up is its state alone (HelpPopup holds it).
namespace backend {

void ShowHelpPopup(const std::string&, int, int) {}
void HideHelpPopup() {}

}  // namespace backend

namespace headless {

Rect ScreenRectOf(const Control& control) {
    Rect r = control.Bounds();
    const Control* c = control.Parent();
    for (; c && c->Kind() != ControlKind::Form; c = c->Parent()) {
        r = Rect{r.left + c->Left(), r.top + c->Top(), r.right + c->Left(), r.bottom + c->Top()};
    }
    if (!c) return r;
    const auto& form = static_cast<const Form&>(*c);
    const Rect frame = FrameMargins(form);
    const Rect outer = form.ScreenBounds();
    const int x = outer.left + ToScreenPixels(frame.left);
    const int y = outer.top + ToScreenPixels(frame.top);
    return Rect{x + ToScreenPixels(r.left), y + ToScreenPixels(r.top), x + ToScreenPixels(r.right),
                y + ToScreenPixels(r.bottom)};
}

bool DismissHelpPopup() {
    return HelpPopup::DismissByPlatform();
}

void RightClick(Control& control, int screenX, int screenY) {
    if (DismissHelpPopup()) return;
    // A control without a menu of the program's own leaves the click to the platform, which
    // shows nothing for the program's controls.
    ContextPopupByPlatform(control, screenX, screenY);
}

namespace {

// The platform's double-click time as it comes: a second click on the same window within it is a
// double click.
constexpr std::int64_t kDoubleClickMs = 500;

struct LastClick {
    const Control* control = nullptr;
    std::int64_t at = 0;
    bool second = false;  // the second click of a pair: the next one starts a new pair
};

LastClick& Last() {
    static LastClick last;
    return last;
}

// The buttons whose native window reports the second click of a pair as a double click: the
// buttons the program draws, and radio buttons. Every other button takes it as a plain click.
bool ReportsDoubleClicks(const Control& control) {
    if (control.Kind() == ControlKind::RadioButton) return true;
    return control.Kind() == ControlKind::Button &&
           static_cast<const Button&>(control).DrawnByProgram();
}

}  // namespace

void MouseClick(Control& control) {
    if (DismissHelpPopup()) return;
    // A click focuses the controls that take the focus, as their windows do.
    switch (control.Kind()) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
        case ControlKind::Edit:
        case ControlKind::SpinEdit:
        case ControlKind::Custom:
            if (control.Enabled() && control.Showing()) control.SetFocus();
            break;
        default:
            break;
    }
    LastClick& last = Last();
    const bool second =
        last.control == &control && !last.second && TickCountMs() - last.at <= kDoubleClickMs;
    last = LastClick{&control, TickCountMs(), second};
    const ControlKind kind = control.Kind();
    if (kind != ControlKind::Button && kind != ControlKind::RadioButton &&
        kind != ControlKind::CheckBox) {
        control.Click();
        return;
    }
    control.PressedByPlatform(second && ReportsDoubleClicks(control) ? ButtonPress::DoubleClick
                                                                     : ButtonPress::Click);
}

void ResetMouse() {
    Last() = LastClick{};
}

void LoseFocus() {
    DismissHelpPopup();
}

}  // namespace headless

}  // namespace pellino
