#pragma once

// The native window behind one child control, shared by the files that make the peers.

#include <string>

#include "platform/controls.h"
#include "platform/win32/win32.h"

namespace pellino::win32 {

// A native window that mirrors one control. Each kind of control answers the command and notify
// messages that its own native window sends to its parent.
class WindowPeer : public ControlPeer {
public:
    WindowPeer(Control& control, HWND hwnd);
    ~WindowPeer() override;
    WindowPeer(const WindowPeer&) = delete;
    WindowPeer& operator=(const WindowPeer&) = delete;

    HWND Handle() const { return hwnd_; }

    void SetBounds(const Rect& r) override;
    void SetText(const std::string& text) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetFont(const Font& font) override;
    void SetColor(Color) override;
    void SetHint(const std::string& hint) override;
    void Invalidate() override;
    void SetFocus() override;
    bool Focused() const override;
    void SetTabStop(bool tabStop) override;

    // A WM_COMMAND notification code from the native window; true when handled.
    virtual bool Command(int /*code*/) { return false; }
    // A WM_NOTIFY from the native window; true when handled, with the result to return.
    virtual bool Notify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }

protected:
    Control& control_;
    HWND hwnd_;
};

// The text a native window holds.
std::string WindowText(HWND hwnd);

// The peer of a child control's native window, or null (forms have a peer of another kind).
WindowPeer* PeerOf(HWND hwnd);

// Reports a button's press notification (BN_CLICKED, BN_DOUBLECLICKED) to its control; false for
// any other notification.
bool ReportPress(Control& control, int code);

// A rectangle of design pixels in the screen's pixels.
RECT ScaledRect(const Rect& r);
// Creates the native child window of a control at its bounds, with its text, the tab stop it asks
// for and its visibility and enabling: the peer then finds nothing left to send.
HWND CreateChild(Control& control, const char* windowClass, DWORD style, DWORD exStyle = 0);

// The peers of the input controls (inputpeers.cpp).
std::unique_ptr<ControlPeer> CreateEditPeer(Edit& edit);
std::unique_ptr<ControlPeer> CreateCheckBoxPeer(CheckBox& box);
std::unique_ptr<ControlPeer> CreateRadioButtonPeer(RadioButton& button);
std::unique_ptr<ControlPeer> CreateSpinEditPeer(SpinEdit& spin);

}  // namespace pellino::win32
