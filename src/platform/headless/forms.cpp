#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/application.h"
#include "platform/backend.h"
#include "platform/contexthelp.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/headless/testing.h"
#include "platform/system.h"

namespace pellino {

namespace headless {
void ReactivateAfterModal();
}  // namespace headless

namespace {

struct FormFakes {
    Size screen{1024, 768};
    int dpi = 96;
    // The first monitor is the primary one, whose size is the screen size.
    std::vector<Rect> monitors{Rect{0, 0, 1024, 768}};
    std::optional<Rect> foreground;
    int cursorX = 0;
    int cursorY = 0;
    std::map<std::string, std::deque<headless::ModalScript>> scripts;
    std::vector<std::string> modalLog;
    std::vector<std::string> popups;
    // The modal forms running, innermost last.
    std::vector<Form*> modal;
};

FormFakes& State() {
    static FormFakes fakes;
    return fakes;
}

// The character a key types when it is a letter or a digit (upper case with Shift), else 0.
char LetterOf(int key, ShiftState shift) {
    if (key >= '0' && key <= '9') return static_cast<char>(key);
    if (key < 'A' || key > 'Z') return 0;
    return static_cast<char>(shift.shift ? key : key - 'A' + 'a');
}

// Whether the platform's dialog keys leave typed characters to the control: edit fields and the
// controls the program draws take them; buttons and boxes do not.
bool TakesCharacters(const Control* control) {
    if (!control) return false;
    switch (control->Kind()) {
        case ControlKind::Custom:
        case ControlKind::Edit:
        case ControlKind::SpinEdit:
            return true;
        default:
            return false;
    }
}

void CollectTabStops(Control& parent, std::vector<Control*>& stops) {
    for (Control* child : parent.Children()) {
        if (!child->Visible() || !child->Enabled()) continue;
        if (child->TabStop()) stops.push_back(child);
        CollectTabStops(*child, stops);
    }
}

// The tab stop after (or before) the focused control, round the end of the order.
Control* NextTabStop(Form& form, Control* focused, bool backwards) {
    std::vector<Control*> stops;
    CollectTabStops(form, stops);
    if (stops.empty()) return nullptr;
    if (backwards) std::reverse(stops.begin(), stops.end());
    const auto at = std::find(stops.begin(), stops.end(), focused);
    return at == stops.end() || at + 1 == stops.end() ? stops.front() : *(at + 1);
}

// What the screen shows of a control that draws itself, for the tests that put one there. As on
// the platform, the window's text and font change without anything being drawn; only an
// invalidation (or a change of colour, which the platform's peers answer with one) makes the
// window draw itself again, once the waiting messages are processed.
class ScreenPeer final : public ControlPeer {
public:
    explicit ScreenPeer(Control& control) : control_(control) {}
    void SetColor(Color) override { dirty_ = true; }
    void Invalidate() override {
        dirty_ = true;
        ++traffic_.repaints;
    }
    void SetBounds(const Rect&) override { ++traffic_.boundsChanges; }
    void SetScrollRange(bool vertical, int max, int page, int position) override {
        ++traffic_.scrollBarUpdates;
        (vertical ? traffic_.vertical : traffic_.horizontal) = {max, page, position};
    }
    const headless::ScreenTraffic& Traffic() const { return traffic_; }
    // The counts start again; what the bars show stays.
    void ResetTraffic() {
        traffic_.repaints = traffic_.scrollBarUpdates = traffic_.boundsChanges = 0;
    }
    bool Focused() const override {
        Form* form = control_.OwnerForm();
        return form && form->ActiveControl() == &control_ && control_.Showing();
    }
    const std::string& Shown() {
        if (dirty_) {
            shown_ = control_.Text();
            dirty_ = false;
        }
        return shown_;
    }
    bool Dirty() const { return dirty_; }

private:
    Control& control_;
    std::string shown_;
    bool dirty_ = true;  // a new window draws itself
    headless::ScreenTraffic traffic_;
};

Control* controlGoingOnScreen = nullptr;

ScreenPeer* screenPeerOf(const Control& control) {
    return dynamic_cast<ScreenPeer*>(control.Peer());
}

}  // namespace

// The headless backend makes no native controls, except the stand-in for the screen that a test
// asks for: otherwise the portable state is all there is.
std::unique_ptr<ControlPeer> CreateControlPeer(Control& control) {
    if (&control == controlGoingOnScreen) return std::make_unique<ScreenPeer>(control);
    return nullptr;
}

Size ScreenSize() {
    return State().screen;
}
int ScreenDpi() {
    return State().dpi;
}

namespace {

// The calls that tell monitors apart came with Windows 98 and Windows 2000.
bool HasMonitorCalls() {
    const PlatformVersion v = CurrentPlatformVersion();
    return v.platformId == 1 ? v.major > 4 || (v.major == 4 && v.minor >= 10) : v.major >= 5;
}

std::int64_t OverlapArea(const Rect& a, const Rect& b) {
    const std::int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const std::int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// How far a rectangle lies from a monitor, along the axis where the gap is larger.
int Gap(const Rect& a, const Rect& monitor) {
    const int dx = std::max({0, monitor.left - a.right, a.left - monitor.right});
    const int dy = std::max({0, monitor.top - a.bottom, a.top - monitor.bottom});
    return std::max(dx, dy);
}

// As the platform's search with the nearest monitor as the fallback: the monitor that holds the
// largest part of the rectangle, or when none holds any of it, the closest one.
Rect NearestMonitor(const Rect& area) {
    const auto& monitors = State().monitors;
    const Rect* best = &monitors.front();
    for (const Rect& m : monitors) {
        if (OverlapArea(area, m) > OverlapArea(area, *best)) best = &m;
    }
    if (OverlapArea(area, *best) > 0) return *best;
    for (const Rect& m : monitors) {
        if (Gap(area, m) < Gap(area, *best)) best = &m;
    }
    return *best;
}

}  // namespace

std::optional<Rect> MonitorOfForegroundWindow() {
    if (!HasMonitorCalls() || !State().foreground) return std::nullopt;
    return NearestMonitor(*State().foreground);
}

std::optional<Rect> MonitorAtPoint(int x, int y) {
    if (!HasMonitorCalls()) return std::nullopt;
    // A point is the one-pixel rectangle at it.
    return NearestMonitor(Rect{x, y, x + 1, y + 1});
}

std::optional<Rect> MonitorOfArea(const Rect& area) {
    if (!HasMonitorCalls()) return std::nullopt;
    return NearestMonitor(area);
}

void CursorPosition(int& x, int& y) {
    x = State().cursorX;
    y = State().cursorY;
}

// Frame sizes of the platform's default look at 96 DPI: a 19-pixel caption and the borders.
// A menu bar adds 19 pixels below the caption.
Rect FrameMargins(const Form& form) {
    const int menu = form.Menu() ? 19 : 0;
    switch (form.Border()) {
        case FormBorder::Sizeable:
            return Rect{4, 23 + menu, 4, 4};
        case FormBorder::Dialog:
        case FormBorder::Single:
            return Rect{3, 22 + menu, 3, 3};
    }
    return Rect{};
}

namespace backend {

// Tests choose menu items by clicking them; a pop-up shown in a test chooses nothing.
void PopupMenu(pellino::PopupMenu&, int screenX, int screenY) {
    State().popups.push_back("at " + std::to_string(screenX) + "," + std::to_string(screenY));
}
void PopupMenuUnder(pellino::PopupMenu&, Control& control) {
    State().popups.push_back(control.Name());
}

int RunModal(Form& form) {
    State().modalLog.push_back(form.ClassName());
    // As on the platform: once the program is ending, a modal form ends at once, cancelled.
    if (Application::Terminated()) {
        form.SetModalResult(mr::kCancel);
        return form.ModalResult();
    }
    auto& queue = State().scripts[form.ClassName()];
    if (queue.empty()) throw headless::UnscriptedModalForm{form.ClassName()};
    headless::ModalScript script = std::move(queue.front());
    queue.pop_front();
    form.PlaceForShowing();
    form.SetVisible(true);
    State().modal.push_back(&form);
    if (form.OnShow) Application::Dispatch(form.OnShow);
    form.ActivatedByPlatform();
    try {
        script(form);
    } catch (...) {
        State().modal.pop_back();
        throw;
    }
    State().modal.pop_back();
    form.SetVisible(false);
    // The window the form came up over is active again, its focus where it was.
    headless::ReactivateAfterModal();
    if (Application::Terminated() && form.ModalResult() == 0) form.SetModalResult(mr::kCancel);
    if (form.ModalResult() == 0)
        throw headless::UnscriptedModalForm{form.ClassName() + " (script set no result)"};
    return form.ModalResult();
}

}  // namespace backend

namespace headless {

void PutOnScreen(Control& control) {
    controlGoingOnScreen = &control;
    control.CreatePeers();
    controlGoingOnScreen = nullptr;
}

std::string ShownText(const Control& control) {
    ScreenPeer* peer = screenPeerOf(control);
    return peer ? peer->Shown() : std::string("<not on the screen>");
}

ScreenTraffic TrafficOf(const Control& control) {
    const ScreenPeer* peer = screenPeerOf(control);
    return peer ? peer->Traffic() : ScreenTraffic{};
}

void ResetTraffic(const Control& control) {
    if (ScreenPeer* peer = screenPeerOf(control)) peer->ResetTraffic();
}

bool RepaintPending(const Control& control) {
    const ScreenPeer* peer = screenPeerOf(control);
    return peer && peer->Dirty();
}

// As on the platform, the window a message box, a dialog or a modal form came up over is activated
// again when it goes: the innermost modal form, or else the main window.
void ReactivateAfterModal() {
    if (!State().modal.empty()) {
        State().modal.back()->ActivatedByPlatform();
        return;
    }
    Form* main = Application::MainForm();
    if (main && main->Visible()) main->ActivatedByPlatform();
}

void SetScreen(Size size, int dpi) {
    State().screen = size;
    State().dpi = dpi;
    State().monitors = {Rect{0, 0, size.width, size.height}};
}

void SetMonitors(std::vector<Rect> monitors) {
    if (monitors.empty()) throw std::invalid_argument("a screen has at least one monitor");
    State().screen = Size{monitors.front().Width(), monitors.front().Height()};
    State().monitors = std::move(monitors);
}

void SetForegroundWindow(std::optional<Rect> window) {
    State().foreground = window;
}

void SetCursorPosition(int x, int y) {
    State().cursorX = x;
    State().cursorY = y;
}

void ScriptModal(const std::string& className, ModalScript script) {
    State().scripts[className].push_back(std::move(script));
}

void PressKey(Form& form, int key, ShiftState shift) {
    if (HelpPopup::DismissByPlatform()) return;
    if (form.KeyPreviewByPlatform(key, shift)) return;
    Control* focused = form.ActiveControl();
    // A control that is hidden has lost the focus; the keys go to the form.
    if (focused && !focused->Showing()) focused = nullptr;
    if (key == keys::kTab) {
        // The dialog keys move the focus round the tab stops and tell the program; a field they
        // move it to has its text selected.
        if (Control* next = NextTabStop(form, focused, shift.shift)) {
            form.SetActiveControl(next);
            if (TextField* field = AsTextField(next)) field->FocusedByKeyboard();
        }
        return;
    }
    const char letter = LetterOf(key, shift);
    if (letter != 0 && (shift.alt || !TakesCharacters(focused))) {
        // The dialog keys: Alt and a letter, or a plain letter where no control takes typed
        // characters (a button has the focus, or nothing has), press the control whose caption
        // underlines it.
        form.PressAccelerator(letter);
        return;
    }
    if (key == keys::kF1) {
        Control& asked = focused ? *focused : form;
        const Rect r = ScreenRectOf(asked);
        HelpKeyByPlatform(asked, r.left + ToScreenPixels(8), r.bottom + ToScreenPixels(2));
        return;
    }
    if (CustomControl* drawn = AsCustom(focused)) {
        CustomControl& custom = *drawn;
        const bool wanted = key != keys::kReturn || custom.WantReturns();
        if (wanted) {
            int k = key;
            Application::Dispatch([&] { custom.KeyDown(k, shift); });
            // A key that types a character brings it after the key itself, unless the key was
            // taken.
            char c = key == keys::kReturn ? '\r' : letter;
            if (k != 0 && c != 0) Application::Dispatch([&] { custom.KeyPress(c); });
            return;
        }
    }
    // A field takes what is typed into it; tests type with TypeText.
    if (letter != 0) return;
    if (key == keys::kReturn) {
        if (focused && focused->Kind() == ControlKind::Button) {
            focused->Click();
        } else {
            form.PressDefaultButton(false);
        }
    } else if (key == keys::kSpace) {
        if (focused && focused->Kind() == ControlKind::Button) focused->Click();
    } else if (key == keys::kEscape) {
        form.PressDefaultButton(true);
    }
}

const std::vector<std::string>& ModalLog() {
    return State().modalLog;
}

const std::vector<std::string>& PopupLog() {
    return State().popups;
}

std::size_t PendingModalScripts() {
    std::size_t n = 0;
    for (const auto& [name, queue] : State().scripts) n += queue.size();
    return n;
}

void ResetForms() {
    State() = FormFakes{};
    HelpPopup::Hide();
}

}  // namespace headless

}  // namespace pellino
