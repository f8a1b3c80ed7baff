#include <algorithm>
#include <vector>

#include "platform/civil.h"
#include "platform/clock.h"
#include "platform/headless/testing.h"
#include "platform/timer.h"

namespace pellino {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;

std::int64_t ToMs(const LocalTime& t) {
    const std::int64_t days =
        civil::DaysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day));
    return days * kMsPerDay + ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

LocalTime FromMs(std::int64_t ms) {
    std::int64_t days = ms / kMsPerDay;
    std::int64_t rest = ms % kMsPerDay;
    if (rest < 0) {
        rest += kMsPerDay;
        --days;
    }
    const auto ymd = civil::CivilFromDays(days);
    LocalTime t;
    t.year = static_cast<int>(ymd.year);
    t.month = static_cast<int>(ymd.month);
    t.day = static_cast<int>(ymd.day);
    t.hour = static_cast<int>(rest / 3'600'000);
    t.minute = static_cast<int>(rest / 60'000 % 60);
    t.second = static_cast<int>(rest / 1000 % 60);
    t.millisecond = static_cast<int>(rest % 1000);
    return t;
}

// The fake wall clock in milliseconds since 1970-01-01, and a tick count that only moves forward.
struct FakeClock {
    std::int64_t wallMs = ToMs(LocalTime{2026, 1, 5, 9, 0, 0, 0});
    std::int64_t ticks = 0;
};

FakeClock& Clock() {
    static FakeClock clock;
    return clock;
}

struct FakeTimer {
    Timer* owner;
    std::int64_t interval;
    std::int64_t due;     // on the tick count
    std::uint64_t order;  // start order: ties fire in the order the timers were started
};

std::vector<FakeTimer>& Timers() {
    static std::vector<FakeTimer> timers;
    return timers;
}

std::uint64_t nextOrder = 0;
bool timersRefused = false;

class HeadlessTimerPeer final : public TimerPeer {
public:
    explicit HeadlessTimerPeer(Timer& owner) : owner_(owner) {}
    ~HeadlessTimerPeer() override { Stop(); }

    bool Start(int intervalMs) override {
        Stop();
        if (timersRefused) return false;
        Timers().push_back({&owner_, intervalMs, Clock().ticks + intervalMs, nextOrder++});
        return true;
    }
    void Stop() override {
        auto& timers = Timers();
        timers.erase(std::remove_if(timers.begin(), timers.end(),
                                    [this](const FakeTimer& t) { return t.owner == &owner_; }),
                     timers.end());
    }

private:
    Timer& owner_;
};

}  // namespace

LocalTime NowLocal() {
    return FromMs(Clock().wallMs);
}
std::int64_t TickCountMs() {
    return Clock().ticks;
}

std::unique_ptr<TimerPeer> CreateTimerPeer(Timer& owner) {
    return std::make_unique<HeadlessTimerPeer>(owner);
}

namespace headless {

void SetClock(const LocalTime& time) {
    Clock().wallMs = ToMs(time);
}

void AdvanceClock(std::int64_t ms) {
    const std::int64_t target = Clock().ticks + ms;
    for (;;) {
        auto& timers = Timers();
        auto next =
            std::min_element(timers.begin(), timers.end(), [](const auto& a, const auto& b) {
                return a.due != b.due ? a.due < b.due : a.order < b.order;
            });
        if (next == timers.end() || next->due > target) break;
        const std::int64_t step = next->due - Clock().ticks;
        Clock().ticks += step;
        Clock().wallMs += step;
        next->due += next->interval;
        next->order = nextOrder++;
        // The handler may stop, restart or destroy any timer, so nothing of the list is kept
        // across the call.
        next->owner->Fire();
    }
    // A handler may have advanced the clock itself (a user who takes long over a window), past
    // this advance's end; time never runs back.
    if (Clock().ticks >= target) return;
    Clock().wallMs += target - Clock().ticks;
    Clock().ticks = target;
}

int ActiveTimerCount() {
    return static_cast<int>(Timers().size());
}

void RefuseTimers(bool refuse) {
    timersRefused = refuse;
}

void ResetClock() {
    timersRefused = false;
    Timers().clear();
    Clock().ticks = 0;
    SetClock(LocalTime{2026, 1, 5, 9, 0, 0, 0});
}

}  // namespace headless

}  // namespace pellino
