#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/controls.h"
#include "platform/menus.h"

namespace pellino {

class ContextHelp;

enum class FormBorder : std::uint8_t { Sizeable, Dialog, Single };
enum class WindowState : std::uint8_t { Normal, Minimized, Maximized };
enum class FormPosition : std::uint8_t { Designed, ScreenCenter };
// What the platform tells the program's windows of the machine and the session: the machine woke
// from sleep or hibernation, the system time or time zone was changed, or the session is ending
// (the user logs off or the machine shuts down) and the process may end without a close command.
enum class SystemEvent : std::uint8_t { Resumed, TimeChanged, SessionEnding };

struct BorderIcons {
    bool systemMenu = true;
    bool minimize = true;
    bool maximize = true;
};

// The window placement record: the normal (restored) rectangle in screen pixels and the show state.
struct WindowPlacement {
    Rect normal;
    int showCommand = 1;  // the platform's show command: 1 normal, 2 minimised, 3 maximised
};

// Modal results with the platform's values.
namespace mr {
inline constexpr int kNone = 0;
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
}  // namespace mr

class FormPeer : public ControlPeer {
public:
    virtual void Show(bool activate) = 0;
    virtual void Hide() = 0;
    virtual void SetWindowState(WindowState) {}
    virtual WindowPlacement GetPlacement() const = 0;
    virtual void SetPlacement(const WindowPlacement&) = 0;
    virtual void BringToFront() {}
    virtual void SetMenu(MainMenu*) {}
    virtual void SetForeground() {}
};

// A top-level window. Its class name (`TMainForm`, `TAlarmShow`) names the native window class too,
// so other programs and the end-to-end driver find it by that name.
class Form : public Control {
public:
    explicit Form(std::string className);
    ~Form() override;

    const std::string& ClassName() const { return className_; }

    // Caption is the control text.
    const std::string& Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }

    // The client size in design pixels; the outer size follows from the border.
    void SetClientSize(int width, int height);

    FormBorder Border() const { return border_; }
    void SetBorder(FormBorder border) { border_ = border; }
    const BorderIcons& Icons() const { return icons_; }
    void SetIcons(const BorderIcons& icons) { icons_ = icons; }
    bool StayOnTop() const { return stayOnTop_; }
    void SetStayOnTop(bool onTop) { stayOnTop_ = onTop; }
    FormPosition Position() const { return position_; }
    void SetPosition(FormPosition position) { position_ = position; }
    bool ShowHints() const { return showHints_; }
    void SetShowHints(bool show) { showHints_ = show; }
    // When set, the form sees key presses before the focused control does.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview) { keyPreview_ = preview; }
    // The window that owns this one; none means the desktop, so the form shows even while the
    // program's other windows are minimised or hidden.
    Form* OwnerWindow() const { return owner_; }
    void SetOwnerWindow(Form* owner) { owner_ = owner; }
    bool OwnedByDesktop() const { return ownedByDesktop_; }
    void SetOwnedByDesktop(bool desktop) { ownedByDesktop_ = desktop; }

    // The menu bar; not owned (the form holds it as a member).
    MainMenu* Menu() const { return menu_; }
    void SetMenu(MainMenu* menu);
    // The what's-this texts of the form's controls; not owned (the form holds them as a member).
    // Without them a right click or F1 brings nothing of the program's own.
    ContextHelp* GetContextHelp() const { return contextHelp_; }
    void SetContextHelp(ContextHelp* help) { contextHelp_ = help; }

    WindowState GetWindowState() const { return windowState_; }
    void SetWindowState(WindowState state);

    void Show();
    void Hide();
    // Shows the form modally and returns its modal result.
    int ShowModal();
    bool Modal() const { return modal_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // The modal result that the platform's close command (the close box, Alt+F4, another program
    // closing the window) gives a modal form: mr::kCancel unless the form says otherwise.
    int CloseResult() const { return closeResult_; }
    void SetCloseResult(int result) { closeResult_ = result; }
    // As the close box: the form asks OnCloseQuery; then a modal form ends with its CloseResult,
    // another runs OnClose and hides, and closing the main form ends the program.
    void Close();

    // The outer window rectangle in screen pixels (design pixels scaled to the screen's
    // resolution).
    Rect ScreenBounds() const;
    void SetScreenBounds(const Rect& rect);

    Rect ClientRect() const override { return Rect{0, 0, clientWidth_, clientHeight_}; }

    // The window's placement record; Rect in screen pixels. A form without a window keeps one.
    WindowPlacement GetPlacement() const;
    void SetPlacement(const WindowPlacement& placement);
    void BringToFront();
    void SetForeground();

    // The control that has, or will get when the form is activated, the keyboard focus.
    Control* ActiveControl() const { return activeControl_; }
    void SetActiveControl(Control* control);

    std::function<void()> OnActivate;
    std::function<void()> OnShow;
    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void()> OnClose;
    std::function<void()> OnResize;
    std::function<void(int& key, ShiftState)> OnKeyDown;
    // A message of the program's own (a number from 1024 up) that reached the form; true when the
    // handler knew it.
    std::function<bool(unsigned message)> OnMessage;
    std::function<void(SystemEvent)> OnSystemEvent;

    // Posts such a message to the form, to be handled after the messages already waiting.
    void PostMessage(unsigned message);

    FormPeer* Peer() const { return static_cast<FormPeer*>(Control::Peer()); }

    // Backend use: puts a form placed in the screen centre in the middle of the monitor in use,
    // right before it is shown.
    void PlaceForShowing();

    // Backend use: native events, each updating the state and then running the handler.
    void ActivatedByPlatform();
    void ResizedByPlatform(int clientWidth, int clientHeight, WindowState state);
    void CloseRequestedByPlatform() { Close(); }
    // Returns true when the form's key handler consumed the key.
    bool KeyPreviewByPlatform(int key, ShiftState shift);
    // True when OnMessage knew the message.
    bool MessageByPlatform(unsigned message);
    void SystemEventByPlatform(SystemEvent event);

    // Gives the default frame to the focused button, or while no button has the focus to the
    // default button, and takes it from every other button.
    void MoveDefaultFrame();

    // Presses the default (Enter) or cancel (Escape) button of the form, if it has one that can be
    // pressed; true when one was.
    bool PressDefaultButton(bool cancel);
    // Alt and an underlined letter, as the platform's dialog keys do it: presses the button, check
    // box or radio button whose caption underlines the letter, or gives the focus to the control
    // of such a label. True when a control took the key.
    bool PressAccelerator(char letter);

private:
    std::string className_;
    FormBorder border_ = FormBorder::Sizeable;
    BorderIcons icons_;
    bool stayOnTop_ = false;
    FormPosition position_ = FormPosition::Designed;
    bool showHints_ = false;
    bool keyPreview_ = false;
    Form* owner_ = nullptr;  // not owned
    bool ownedByDesktop_ = false;
    WindowState windowState_ = WindowState::Normal;
    bool modal_ = false;
    int modalResult_ = mr::kNone;
    int closeResult_ = mr::kCancel;
    WindowPlacement placement_;
    Control* activeControl_ = nullptr;    // not owned
    MainMenu* menu_ = nullptr;            // not owned
    ContextHelp* contextHelp_ = nullptr;  // not owned
    int clientWidth_ = 0;
    int clientHeight_ = 0;

    void BoundsChanged() override;
    // Tells the application when the main form goes into or out of its minimised state.
    void WindowStateChanged(WindowState before);
};

// Screen size in screen pixels and the logical resolution, from the platform.
Size ScreenSize();
int ScreenDpi();

// The monitors, in screen pixels, as the platform tells them apart: the one that holds the
// foreground window, the one at a point, and the one that holds the largest part of an area (each
// the nearest one when none holds it). Without
// the platform's multiple-monitor calls (Windows 95, NT 4.0), or without a foreground window,
// there is no answer.
std::optional<Rect> MonitorOfForegroundWindow();
std::optional<Rect> MonitorAtPoint(int x, int y);
std::optional<Rect> MonitorOfArea(const Rect& area);
// Where the mouse pointer is, in screen pixels.
void CursorPosition(int& x, int& y);
// The monitor the user works on: the one with the foreground window, without one the one under
// the mouse pointer, and the whole screen where the platform cannot tell monitors apart.
Rect MonitorInUse();
// Design pixels (96 per inch) to screen pixels and back, rounding to nearest.
int ToScreenPixels(int design);
int ToDesignPixels(int screen);

// The thickness of a form's frame (caption, borders) in design pixels, from the backend.
Rect FrameMargins(const Form& form);

}  // namespace pellino
