#include "platform/contexthelp.h"
#include "platform/application.h"
#include "platform/backend.h"
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

void MouseClick(Control& control) {
    if (DismissHelpPopup()) return;
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
    control.Click();
}

void LoseFocus() {
    DismissHelpPopup();
}

}  // namespace headless

}  // namespace pellino
