#pragma once

#include <functional>
#include <memory>

namespace pellino {

class Timer;

// What a backend does for a timer: start it with a period (the first event one whole period after
// the start) and stop it. Events arrive on the user-interface thread through Timer::Fire.
class TimerPeer {
public:
    virtual ~TimerPeer() = default;
    virtual bool Start(int intervalMs) = 0;
    virtual void Stop() = 0;
};

std::unique_ptr<TimerPeer> CreateTimerPeer(Timer& owner);

// A window timer on the user-interface thread. Switching it off and on restarts its period.
class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    // Raises EOutOfResources "Not enough timers available" when the platform refuses a timer; the
    // timer then stays off.
    void SetEnabled(bool enabled);

    std::function<void()> OnTimer;

    // Called by the backend for each period that ends; runs OnTimer through the error dispatch.
    void Fire();

private:
    void Restart();

    std::unique_ptr<TimerPeer> peer_;
    int interval_ = 1000;
    bool enabled_ = false;
};

}  // namespace pellino
