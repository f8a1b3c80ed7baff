#include "platform/trayicon.h"

#include "platform/application.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/form.h"
#include "platform/menus.h"

namespace pellino {

namespace {

// A single click waits this long for a double click that would take its place; the icon looks at
// every beat of its timer, so the click comes between the wait and the wait plus one beat.
constexpr std::int64_t kDoubleClickWaitMs = 400;
constexpr int kClickBeatMs = 150;
constexpr std::size_t kMaxTipLength = 63;

// Keeps the desktop's drawing frozen for one step, also when the step fails.
class DesktopFreeze {
public:
    explicit DesktopFreeze(TrayIconPeer& peer) : peer_(peer) { peer_.FreezeDesktop(true); }
    ~DesktopFreeze() { peer_.FreezeDesktop(false); }
    DesktopFreeze(const DesktopFreeze&) = delete;
    DesktopFreeze& operator=(const DesktopFreeze&) = delete;

private:
    TrayIconPeer& peer_;
};

}  // namespace

TrayIcon::TrayIcon() : peer_(CreateTrayIconPeer(*this)) {
    clickTimer_.SetInterval(kClickBeatMs);
    clickTimer_.OnTimer = [this] { ClickTimerTick(); };
    Application::SetMinimizeListener(
        this, [this] { AppMinimized(); }, [this] { AppRestored(); });
}

TrayIcon::~TrayIcon() {
    // An icon still shown goes with the program, also when it is ended from the icon's menu.
    SetActive(false);
    Application::RemoveMinimizeListener(this);
    backend::DropPostedMessages(this);
}

void TrayIcon::SetActive(bool active) {
    if (active == active_) return;
    if (active) {
        active_ = peer_->Add(hint_.substr(0, kMaxTipLength));
    } else {
        peer_->Remove();
        active_ = false;
    }
}

void TrayIcon::SetHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    if (active_) peer_->ChangeTip(hint_.substr(0, kMaxTipLength));
}

void TrayIcon::AreaRecreatedByPlatform() {
    // The icon that was shown is shown again, where the platform now keeps its icons.
    if (active_) active_ = peer_->Add(hint_.substr(0, kMaxTipLength));
}

void TrayIcon::HideApplication() {
    peer_->Post(TrayStep::HideApplication);
}

void TrayIcon::RestoreApplication() {
    peer_->Post(TrayStep::RestoreApplication);
}

void TrayIcon::AppMinimized() {
    if (active_ && minimizeToTray_) HideApplication();
    if (OnAppMinimize) Application::Dispatch(OnAppMinimize);
}

void TrayIcon::AppRestored() {
    if (active_) RestoreApplication();
    if (OnAppRestore) Application::Dispatch(OnAppRestore);
}

void TrayIcon::RunStepByPlatform(TrayStep step) {
    Form* main = Application::MainForm();
    switch (step) {
        case TrayStep::HideApplication: {
            if (!main) return;
            const DesktopFreeze freeze(*peer_);
            if (main->GetWindowState() != WindowState::Minimized) Application::Minimize();
            // The main window carries the taskbar button: hidden, only the icon is left.
            main->Hide();
            return;
        }
        case TrayStep::RestoreApplication: {
            if (!main) return;
            const DesktopFreeze freeze(*peer_);
            if (main->GetWindowState() == WindowState::Minimized) Application::Restore();
            if (!main->Visible()) main->Show();
            main->SetForeground();
            return;
        }
        case TrayStep::Click:
            if (OnClick) Application::Dispatch(OnClick);
            return;
    }
}

void TrayIcon::MouseMessageByPlatform(int message, int screenX, int screenY) {
    switch (message) {
        case traymouse::kMove:
            mouseX_ = screenX;
            mouseY_ = screenY;
            return;
        case traymouse::kRightDown:
            if (autoPopup_ && menu_) {
                ShowMenu();
                return;
            }
            [[fallthrough]];
        case traymouse::kLeftDown:
        case traymouse::kMiddleDown:
            if (OnDblClick) {
                // A double click may still follow; the single click waits for it.
                pressedAt_ = TickCountMs();
                clickTimer_.SetEnabled(false);
                clickTimer_.SetEnabled(true);
            } else {
                peer_->Post(TrayStep::Click);
            }
            return;
        case traymouse::kLeftDouble:
        case traymouse::kRightDouble:
        case traymouse::kMiddleDouble:
            clickTimer_.SetEnabled(false);
            if (OnDblClick) Application::Dispatch(OnDblClick);
            return;
        default:
            // Button releases mean nothing to the icon.
            return;
    }
}

void TrayIcon::ClickTimerTick() {
    if (TickCountMs() - pressedAt_ < kDoubleClickWaitMs) return;
    clickTimer_.SetEnabled(false);
    if (OnClick) Application::Dispatch(OnClick);
}

void TrayIcon::ShowMenu() {
    peer_->SetForeground();
    Application::ProcessMessages();
    MenuItem* chosen = peer_->TrackMenu(*menu_, mouseX_, mouseY_);
    peer_->PostEmptyMessage();
    if (chosen) chosen->Click();
}

void TrayIcon::EndSessionByPlatform() {
    SetActive(false);
}

}  // namespace pellino
