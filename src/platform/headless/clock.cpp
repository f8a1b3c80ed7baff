#include <algorithm>
#include <vector>

#include "platform/clock.h"
#include "platform/headless/testing.h"
#include "platform/timer.h"
#include "platform/timezone.h"

namespace pellino {

namespace {

// The fake clock in universal time, milliseconds since 1970-01-01, with the zone that makes its
// local time, and a tick count that only moves forward. Without daylight-saving time and with no
// bias, local and universal time are the same.
struct FakeClock {
    std::int64_t utcMs = MsFromTime(LocalTime{2026, 1, 5, 9, 0, 0, 0});
    TimeZoneRules zone;
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
    return TimeFromMs(LocalFromUtcMs(Clock().utcMs, Clock().zone));
}
LocalTime NowUtc() {
    return TimeFromMs(Clock().utcMs);
}
TimeZoneRules CurrentTimeZoneRules() {
    return Clock().zone;
}
std::int64_t TickCountMs() {
    return Clock().ticks;
}

std::unique_ptr<TimerPeer> CreateTimerPeer(Timer& owner) {
    return std::make_unique<HeadlessTimerPeer>(owner);
}

namespace headless {

void SetClock(const LocalTime& time) {
    Clock().utcMs = UtcFromLocalMs(MsFromTime(time), Clock().zone);
}

void SetClockUtc(const LocalTime& time) {
    Clock().utcMs = MsFromTime(time);
}

void SetTimeZone(const TimeZoneRules& rules) {
    Clock().zone = rules;
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
        Clock().utcMs += step;
        next->due += next->interval;
        next->order = nextOrder++;
        // The handler may stop, restart or destroy any timer, so nothing of the list is kept
        // across the call.
        next->owner->Fire();
    }
    // A handler may have advanced the clock itself (a user who takes long over a window), past
    // this advance's end; time never runs back.
    if (Clock().ticks >= target) return;
    Clock().utcMs += target - Clock().ticks;
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
    Clock().zone = TimeZoneRules{};
    SetClock(LocalTime{2026, 1, 5, 9, 0, 0, 0});
}

}  // namespace headless

}  // namespace pellino
