#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/timer.h"

namespace pellino {

class MenuItem;
class PopupMenu;
class TrayIcon;

// The mouse messages that the notification area hands on for an icon, with the platform's numbers.
namespace traymouse {
inline constexpr int kMove = 512;
inline constexpr int kLeftDown = 513;
inline constexpr int kLeftUp = 514;
inline constexpr int kLeftDouble = 515;
inline constexpr int kRightDown = 516;
inline constexpr int kRightUp = 517;
inline constexpr int kRightDouble = 518;
inline constexpr int kMiddleDown = 519;
inline constexpr int kMiddleUp = 520;
inline constexpr int kMiddleDouble = 521;
}  // namespace traymouse

// What the icon does after the message being handled, through a message to its own window.
enum class TrayStep : std::uint8_t { HideApplication, RestoreApplication, Click };

// What a backend does for the icon: the entry in the notification area, the icon's own hidden
// window (posted steps come back through TrayIcon::RunStepByPlatform) and the menu.
class TrayIconPeer {
public:
    virtual ~TrayIconPeer() = default;
    // Adds the entry with the program's icon and the tip; false when the platform refuses.
    virtual bool Add(const std::string& tip) = 0;
    // Gives the entry shown a new tip, in its place.
    virtual void ChangeTip(const std::string& tip) = 0;
    virtual void Remove() = 0;
    virtual void Post(TrayStep step) = 0;
    // Freezes (and unfreezes) the drawing of the whole desktop, so that a window going away to the
    // tray or coming back from it is not seen half-way.
    virtual void FreezeDesktop(bool frozen) = 0;
    // The icon's window takes the foreground, so that its menu closes when the user clicks away.
    virtual void SetForeground() = 0;
    // Shows the menu at a screen position; returns the item chosen, or null.
    virtual MenuItem* TrackMenu(PopupMenu& menu, int screenX, int screenY) = 0;
    // An empty message to the icon's window after the menu, which lets a menu opened from the
    // notification area close properly the next time.
    virtual void PostEmptyMessage() = 0;
};

std::unique_ptr<TrayIconPeer> CreateTrayIconPeer(TrayIcon& owner);

// The program's icon in the notification area of the taskbar. While it is shown, minimising the
// program hides its window and taskbar button, and a click on the icon (or its menu) brings the
// program back. The icon takes over the program's minimise and restore notifications.
class TrayIcon {
public:
    TrayIcon();
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // True while the icon is in the notification area.
    bool Active() const { return active_; }
    void SetActive(bool active);
    // The tip shown over the icon, as the user reads it ('&' is an ampersand); the platform shows
    // at most 63 characters. Empty: no tip. A new tip shows at once on an icon shown.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    // When set, a right-button press on the icon opens the menu.
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
    PopupMenu* Menu() const { return menu_; }
    void SetMenu(PopupMenu* menu) { menu_ = menu; }
    // While the icon is shown, minimising the program also hides it.
    bool MinimizeToTray() const { return minimizeToTray_; }
    void SetMinimizeToTray(bool minimize) { minimizeToTray_ = minimize; }

    // Both steps run after the current message: minimise the program if it is not yet and hide
    // its window; or restore it, show its window and bring it to the foreground.
    void HideApplication();
    void RestoreApplication();

    std::function<void()> OnAppMinimize;
    std::function<void()> OnAppRestore;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;

    // Backend use: a mouse message of the icon, with the mouse position in screen pixels at that
    // moment; a posted step coming back; the user's session ending.
    void MouseMessageByPlatform(int message, int screenX, int screenY);
    void RunStepByPlatform(TrayStep step);
    void EndSessionByPlatform();
    // The notification area was made anew (the shell restarted) without the program's entry.
    void AreaRecreatedByPlatform();

private:
    void AppMinimized();
    void AppRestored();
    void ClickTimerTick();
    void ShowMenu();

    std::unique_ptr<TrayIconPeer> peer_;
    Timer clickTimer_;
    std::int64_t pressedAt_ = 0;  // on the platform's tick count
    int mouseX_ = 0;              // the position of the last mouse move over the icon
    int mouseY_ = 0;
    bool active_ = false;
    bool autoPopup_ = true;
    bool minimizeToTray_ = true;
    PopupMenu* menu_ = nullptr;  // not owned
    std::string hint_;
};

}  // namespace pellino
