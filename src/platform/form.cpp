#include "platform/form.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>

#include "platform/application.h"
#include "platform/backend.h"

namespace pellino {

namespace {

// n * m / d rounded to the nearest integer, halves away from zero, for either sign of n (d > 0), so
// that windows partly off the left or top of the screen keep their place exactly. The product is
// taken in 64 bits and the result kept within an int: a coordinate far off any screen must not
// overflow on its way through.
int ScaleRounded(int n, int m, int d) {
    const std::int64_t p = std::int64_t{n} * m;
    const std::int64_t q = p >= 0 ? (p + d / 2) / d : -((-p + d / 2) / d);
    return static_cast<int>(std::clamp<std::int64_t>(q, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

int ToScreenPixels(int design) {
    return ScaleRounded(design, ScreenDpi(), 96);
}
int ToDesignPixels(int screen) {
    return ScaleRounded(screen, 96, ScreenDpi());
}

Form::Form(std::string className)
    : Control(nullptr, ControlKind::Form), className_(std::move(className)) {
    SetVisible(false);
}

Form::~Form() {
    Application::FormDestroyed(*this);
    backend::DropPostedMessages(this);
    DestroyPeers();
}

void Form::SetClientSize(int width, int height) {
    const Rect m = FrameMargins(*this);
    SetBounds(Left(), Top(), width + m.left + m.right, height + m.top + m.bottom);
}

void Form::BoundsChanged() {
    const Rect m = FrameMargins(*this);
    clientWidth_ = Width() - m.left - m.right;
    clientHeight_ = Height() - m.top - m.bottom;
}

Rect Form::ScreenBounds() const {
    const Rect& b = Bounds();
    return Rect{ToScreenPixels(b.left), ToScreenPixels(b.top), ToScreenPixels(b.right),
                ToScreenPixels(b.bottom)};
}

void Form::SetScreenBounds(const Rect& r) {
    SetBounds(Rect{ToDesignPixels(r.left), ToDesignPixels(r.top), ToDesignPixels(r.right),
                   ToDesignPixels(r.bottom)});
}

void Form::SetMenu(MainMenu* menu) {
    if (menu == menu_) return;
    // The menu bar takes room from the frame, so the client size is kept and the frame grows.
    const int width = ClientWidth(), height = ClientHeight();
    menu_ = menu;
    if (Peer()) Peer()->SetMenu(menu_);
    SetClientSize(width, height);
}

void Form::SetWindowState(WindowState state) {
    if (state == windowState_) return;
    const WindowState before = windowState_;
    windowState_ = state;
    if (Peer()) Peer()->SetWindowState(state);
    WindowStateChanged(before);
}

void Form::WindowStateChanged(WindowState before) {
    if (Application::MainForm() != this) return;
    const bool was = before == WindowState::Minimized;
    const bool is = windowState_ == WindowState::Minimized;
    if (was != is) Application::MinimizedChanged(is);
}

void Form::PostMessage(unsigned message) {
    backend::PostFormMessage(*this, message);
}

bool Form::MessageByPlatform(unsigned message) {
    if (!OnMessage) return false;
    bool known = false;
    Application::Dispatch([&] { known = OnMessage(message); });
    return known;
}

void Form::Show() {
    CreatePeers();
    PlaceForShowing();
    SetVisible(true);
    if (Peer()) {
        Peer()->Show(true);
        if (OnShow) Application::Dispatch(OnShow);
    } else {
        // Without a window system the form shown is the active one at once.
        if (OnShow) Application::Dispatch(OnShow);
        ActivatedByPlatform();
    }
}

void Form::Hide() {
    SetVisible(false);
    if (Peer()) Peer()->Hide();
}

int Form::ShowModal() {
    modal_ = true;
    modalResult_ = mr::kNone;
    const int result = backend::RunModal(*this);
    modal_ = false;
    return result;
}

void Form::Close() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(canClose);
    if (!canClose) return;
    if (modal_) {
        modalResult_ = closeResult_;
        return;
    }
    if (OnClose) OnClose();
    Hide();
    if (Application::MainForm() == this) Application::Terminate();
}

WindowPlacement Form::GetPlacement() const {
    if (Peer()) return Peer()->GetPlacement();
    WindowPlacement p = placement_;
    p.normal = ScreenBounds();
    p.showCommand = windowState_ == WindowState::Maximized   ? 3
                    : windowState_ == WindowState::Minimized ? 2
                                                             : 1;
    return p;
}

void Form::SetPlacement(const WindowPlacement& placement) {
    placement_ = placement;
    if (Peer()) {
        Peer()->SetPlacement(placement);
    } else {
        SetScreenBounds(placement.normal);
    }
}

void Form::BringToFront() {
    if (Peer()) Peer()->BringToFront();
}

void Form::SetForeground() {
    if (Peer()) Peer()->SetForeground();
}

void Form::SetActiveControl(Control* control) {
    // Without a window system the form follows the focus itself, and tells a spin field that it
    // lost it, as the platform does.
    Control* previous = activeControl_;
    activeControl_ = control;
    if (!Peer() && previous && previous != control && previous->Kind() == ControlKind::SpinEdit) {
        static_cast<SpinEdit*>(previous)->FocusLostByPlatform();
    }
    MoveDefaultFrame();
}

void Form::PlaceForShowing() {
    if (position_ != FormPosition::ScreenCenter) return;
    const Rect monitor = MonitorInUse();
    const Rect own = ScreenBounds();
    // A window larger than the monitor keeps its caption on it.
    const int left = monitor.left + std::max(0, (monitor.Width() - own.Width()) / 2);
    const int top = monitor.top + std::max(0, (monitor.Height() - own.Height()) / 2);
    SetScreenBounds(BoundsRect(left, top, own.Width(), own.Height()));
}

Rect MonitorInUse() {
    if (const auto monitor = MonitorOfForegroundWindow()) return *monitor;
    int x = 0, y = 0;
    CursorPosition(x, y);
    if (const auto monitor = MonitorAtPoint(x, y)) return *monitor;
    const Size screen = ScreenSize();
    return Rect{0, 0, screen.width, screen.height};
}

void Form::SystemEventByPlatform(SystemEvent event) {
    if (OnSystemEvent) Application::Dispatch([&] { OnSystemEvent(event); });
}

namespace {

// Visible and enabled, and so is every control around it: the platform gives the focus to no
// other.
bool CanTakeFocus(const Control& control) {
    for (const Control* c = &control; c && c->Kind() != ControlKind::Form; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) return false;
    }
    return true;
}

// The first control in tab order that can take the focus: the one the platform focuses when a
// window is activated and none of its controls can take the focus back.
Control* FirstTabStop(Control& parent) {
    for (Control* child : parent.Children()) {
        if (!child->Visible() || !child->Enabled()) continue;
        if (child->TabStop()) return child;
        if (Control* inner = FirstTabStop(*child)) return inner;
    }
    return nullptr;
}

}  // namespace

void Form::ActivatedByPlatform() {
    // Without a window system the form gives the focus back itself, as the platform does when it
    // activates a window: to the control that had it, or, when that one can no longer take it
    // (hidden, disabled) or none had it yet, to the first tab stop.
    if (!Peer() && (!activeControl_ || !CanTakeFocus(*activeControl_))) {
        SetActiveControl(FirstTabStop(*this));
    }
    if (OnActivate) Application::Dispatch(OnActivate);
}

void Form::ResizedByPlatform(int clientWidth, int clientHeight, WindowState state) {
    const WindowState before = windowState_;
    windowState_ = state;
    if (state != WindowState::Minimized) {
        const Rect m = FrameMargins(*this);
        BoundsChangedByPlatform(BoundsRect(Left(), Top(), clientWidth + m.left + m.right,
                                           clientHeight + m.top + m.bottom));
    }
    if (OnResize) Application::Dispatch(OnResize);
    WindowStateChanged(before);
}

bool Form::KeyPreviewByPlatform(int key, ShiftState shift) {
    if (!keyPreview_ || !OnKeyDown) return false;
    int k = key;
    Application::Dispatch([&] { OnKeyDown(k, shift); });
    return k == 0;
}

namespace {

Button* FindButton(Control& root, const std::function<bool(Button&)>& test) {
    for (Control* child : root.Children()) {
        if (child->Kind() == ControlKind::Button) {
            auto& button = static_cast<Button&>(*child);
            if (test(button)) return &button;
        }
        if (Button* found = FindButton(*child, test)) return found;
    }
    return nullptr;
}

void ForEachButton(Control& root, const std::function<void(Button&)>& action) {
    for (Control* child : root.Children()) {
        if (child->Kind() == ControlKind::Button) action(static_cast<Button&>(*child));
        ForEachButton(*child, action);
    }
}

}  // namespace

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The letter after the single '&' of a caption ("&&" stands for the ampersand itself), or 0.
char AcceleratorOf(const std::string& caption) {
    int underlined = -1;
    const std::string shown = WithoutAccelerators(caption, &underlined);
    return underlined < 0 ? 0 : LowerAscii(shown[static_cast<std::size_t>(underlined)]);
}

Control* FindAccelerated(Control& root, char letter) {
    for (Control* child : root.Children()) {
        if (!child->Showing() || !child->Enabled()) continue;
        switch (child->Kind()) {
            case ControlKind::Label:
                if (!static_cast<Label*>(child)->ShowAccelChar()) break;
                [[fallthrough]];
            case ControlKind::Button:
            case ControlKind::CheckBox:
            case ControlKind::RadioButton:
                if (AcceleratorOf(child->Text()) == letter) return child;
                break;
            default:
                break;
        }
        if (Control* found = FindAccelerated(*child, letter)) return found;
    }
    return nullptr;
}

}  // namespace

bool Form::PressAccelerator(char letter) {
    Control* control = FindAccelerated(*this, LowerAscii(letter));
    if (!control) return false;
    if (control->Kind() == ControlKind::Label) {
        Control* target = static_cast<Label*>(control)->FocusControl();
        if (!target) return false;
        target->SetFocus();
        if (TextField* field = AsTextField(target)) field->FocusedByKeyboard();
        return true;
    }
    // As on the platform, a push button is pressed where it is; a check box or radio button takes
    // the focus as well.
    if (control->Kind() != ControlKind::Button) control->SetFocus();
    control->Click();
    return true;
}

void Form::MoveDefaultFrame() {
    // As the platform's dialogs do it: Enter presses the focused button, so that one wears the
    // frame. Each button is told again even when its frame stays, because the platform's dialog
    // keys draw the frame on a button they move the focus to without telling the program.
    Button* framed = activeControl_ && activeControl_->Kind() == ControlKind::Button
                         ? static_cast<Button*>(activeControl_)
                         : FindButton(*this, [](Button& b) { return b.Default(); });
    ForEachButton(*this, [framed](Button& b) { b.SetDefaultFrame(&b == framed); });
}

bool Form::PressDefaultButton(bool cancel) {
    Button* button = FindButton(*this, [cancel](Button& b) {
        return (cancel ? b.Cancel() : b.Default()) && b.Enabled() && b.Showing();
    });
    if (!button) return false;
    button->Click();
    return true;
}

}  // namespace pellino
