#include "platform/timer.h"

#include "platform/application.h"
#include "platform/exception.h"

namespace pellino {

Timer::Timer() : peer_(CreateTimerPeer(*this)) {}

Timer::~Timer() {
    if (enabled_) peer_->Stop();
}

void Timer::SetInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms;
    if (enabled_) Restart();
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    if (!enabled) {
        enabled_ = false;
        peer_->Stop();
        return;
    }
    enabled_ = true;
    Restart();
}

void Timer::Restart() {
    peer_->Stop();
    if (interval_ > 0 && !peer_->Start(interval_)) {
        enabled_ = false;
        throw EOutOfResources("Not enough timers available");
    }
}

void Timer::Fire() {
    if (!enabled_ || !OnTimer) return;
    Application::Dispatch([this] { OnTimer(); });
}

}  // namespace pellino
