// The tray icon on the platform: an entry of the notification area (Shell_NotifyIconA) whose
// messages come to a hidden window of the icon's own.
#include <cstring>

#include "platform/application.h"
#include "platform/menus.h"
#include "platform/trayicon.h"
#include "platform/win32/menu.h"
#include "platform/win32/boundary.h"
#include "platform/win32/win32.h"
// This one needs the declarations of <windows.h> before it.
#include <shellapi.h>

namespace pellino {

namespace {

constexpr char kTrayWindowClass[] = "PellinoTrayIcon";
constexpr char kOwnerProperty[] = "PellinoTrayIcon";
constexpr UINT kIconId = 42;
// The notification area reports the icon's mouse messages with this message.
constexpr UINT kCallbackMessage = WM_USER + 100;  // 1124
// The icon's posted steps come back with this one.
constexpr UINT kStepMessage = WM_APP + 1;

// Sent to every top-level window when the shell has made its taskbar, and so the notification
// area, anew (after the shell ended and started again): icons added before are gone.
UINT AreaRecreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

LRESULT TrayWindowProcBody(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* owner = static_cast<TrayIcon*>(GetPropA(hwnd, kOwnerProperty));
    if (!owner) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == AreaRecreatedMessage() && message != 0) {
        Application::Dispatch([&] { owner->AreaRecreatedByPlatform(); });
        return 0;
    }
    switch (message) {
        case kCallbackMessage: {
            // The entry's messages carry no position: the mouse is where the pointer is now.
            POINT at{};
            GetCursorPos(&at);
            const int mouse = static_cast<int>(lParam);
            Application::Dispatch([&] { owner->MouseMessageByPlatform(mouse, at.x, at.y); });
            return 0;
        }
        case kStepMessage: {
            const auto step = static_cast<TrayStep>(wParam);
            Application::Dispatch([&] { owner->RunStepByPlatform(step); });
            return 0;
        }
        case WM_QUERYENDSESSION:
            // The icon never holds up the user's log-off or the shutdown.
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) owner->EndSessionByPlatform();
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK TrayWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return win32::Guarded([&] { return TrayWindowProcBody(hwnd, message, wParam, lParam); });
}

HWND CreateTrayWindow() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = TrayWindowProc;
        wc.hInstance = win32::Instance();
        wc.lpszClassName = kTrayWindowClass;
        return RegisterClassA(&wc) != 0;
    }();
    if (!registered) return nullptr;
    // A top-level window that is never shown: only those hear of the end of the user's session.
    return CreateWindowExA(0, kTrayWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           win32::Instance(), nullptr);
}

// The shell's library is loaded only when an icon first goes into the notification area: most
// starts never put one there and need not wait for it.
BOOL notifyIcon(DWORD message, NOTIFYICONDATAA& data) {
    static const auto call = win32::LibraryFunction<BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA)>(
        "shell32.dll", "Shell_NotifyIconA");
    return call ? call(message, &data) : FALSE;
}

class Win32TrayIconPeer final : public TrayIconPeer {
public:
    // The icon's window and picture are made when the icon is first used: most starts never
    // put it into the notification area, and a window made for nothing costs the start the
    // time of a top-level window.
    explicit Win32TrayIconPeer(TrayIcon& owner) : owner_(owner) {}
    ~Win32TrayIconPeer() override {
        if (window_) {
            RemovePropA(window_, kOwnerProperty);
            DestroyWindow(window_);
        }
        if (icon_ && !sharedIcon_) DestroyIcon(icon_);
    }
    Win32TrayIconPeer(const Win32TrayIconPeer&) = delete;
    Win32TrayIconPeer& operator=(const Win32TrayIconPeer&) = delete;

    bool Add(const std::string& tip) override {
        NOTIFYICONDATAA data = Entry();
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = kCallbackMessage;
        data.hIcon = Icon();
        PutTip(data, tip);
        return notifyIcon(NIM_ADD, data) != 0;
    }
    void ChangeTip(const std::string& tip) override {
        NOTIFYICONDATAA data = Entry();
        data.uFlags = NIF_TIP;
        PutTip(data, tip);
        notifyIcon(NIM_MODIFY, data);
    }
    void Remove() override {
        // Without its window the icon was never added.
        if (!window_) return;
        NOTIFYICONDATAA data = Entry();
        notifyIcon(NIM_DELETE, data);
    }
    void Post(TrayStep step) override {
        PostMessageA(Window(), kStepMessage, static_cast<WPARAM>(step), 0);
    }
    void FreezeDesktop(bool frozen) override {
        LockWindowUpdate(frozen ? GetDesktopWindow() : nullptr);
    }
    void SetForeground() override { SetForegroundWindow(Window()); }
    MenuItem* TrackMenu(PopupMenu& menu, int screenX, int screenY) override {
        win32::NativeMenu native(menu.Items, true);
        const UINT id = TrackPopupMenu(native.Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenX,
                                       screenY, 0, Window(), nullptr);
        return id ? FindMenuItem(menu.Items, id) : nullptr;
    }
    void PostEmptyMessage() override { PostMessageA(Window(), WM_USER, 0, 0); }

private:
    HWND Window() {
        if (!window_) {
            window_ = CreateTrayWindow();
            if (window_) SetPropA(window_, kOwnerProperty, &owner_);
        }
        return window_;
    }
    HICON Icon() {
        if (icon_) return icon_;
        // The notification area shows small icons: the small picture of the program's icon.
        icon_ = static_cast<HICON>(LoadImageA(win32::Instance(), "MAINICON", IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0));
        if (!icon_) {
            icon_ = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
            sharedIcon_ = true;
        }
        return icon_;
    }
    // The tip as the notification area's tooltip draws it: that takes '&' for the mark of an
    // underlined letter, so each one the user typed is doubled to show as itself. Cut to the
    // entry's room (63 characters and the end mark) without splitting a doubled one.
    static void PutTip(NOTIFYICONDATAA& data, const std::string& tip) {
        constexpr std::size_t room = sizeof data.szTip - 1;
        std::string drawn;
        for (char c : tip) {
            const std::size_t size = c == '&' ? 2 : 1;
            if (drawn.size() + size > room) break;
            drawn.append(size, c);
        }
        std::memcpy(data.szTip, drawn.c_str(), drawn.size() + 1);
    }

    // The entry as the oldest notification area knows it: every version of the platform takes
    // that size, and the first ones take no other.
    NOTIFYICONDATAA Entry() {
        NOTIFYICONDATAA data{};
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = Window();
        data.uID = kIconId;
        return data;
    }

    TrayIcon& owner_;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    bool sharedIcon_ = false;
};

}  // namespace

std::unique_ptr<TrayIconPeer> CreateTrayIconPeer(TrayIcon& owner) {
    return std::make_unique<Win32TrayIconPeer>(owner);
}

}  // namespace pellino
