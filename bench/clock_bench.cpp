// The clock's cost: a due check over 100 000 reminders of which none is due, and a tick of the
// clock at rest with lists of an everyday size.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "mainwindow/mainform.h"
#include "model/reminder.h"
#include "platform/headless/testing.h"
#include "runtime/datetime.h"
#include "schedule/alarmshow.h"

namespace pellino {
namespace {

// The main window with `oneTime` one-time and `repeating` repeating reminders, none due. Most are
// Pending later today, the costliest kind for the due test, which then reads the clock; the rest
// are Done, Expired or of another day.
std::unique_ptr<TMainForm> formWithReminders(int oneTime, int repeating) {
    headless::ResetAll();
    headless::SetClock(LocalTime{2026, 1, 5, 9, 0, 0, 0});
    auto form = std::make_unique<TMainForm>();
    form->CreateNotificationWindow();
    const TDateTime today = Today();
    for (int i = 0; i < oneTime; ++i) {
        const TDateTime due = i % 4 == 3 ? today + 1 + 0.5 : today + 0.5 + (i % 600) / 1440.0;
        auto reminder = TReminder::CreateOneTime(due, "Reminder " + std::to_string(i),
                                                 "C:\\WINDOWS\\MEDIA\\chimes.wav", 0);
        if (i % 10 == 5) reminder->Status = kStatusDone;
        reminder->RefreshStatus();
        form->AlarmGrid.AddRow();
        form->AlarmGrid.SetObjectOf(0, form->AlarmGrid.RowCount() - 1, std::move(reminder));
    }
    for (int i = 0; i < repeating; ++i) {
        auto reminder = TReminder::CreateRepeating(EncodeTime(10 + i % 12, 0, 0, 0), false, 0,
                                                   "0123456", i % 3 == 0 ? 30 : 0,
                                                   "Repeating " + std::to_string(i), "", 0);
        reminder->ScheduleNext();
        form->RepeatingAlarmGrid.AddRow();
        form->RepeatingAlarmGrid.SetObjectOf(0, form->RepeatingAlarmGrid.RowCount() - 1,
                                             std::move(reminder));
    }
    return form;
}

void BM_DueCheckOver100000Reminders(benchmark::State& state) {
    auto form = formWithReminders(100'000, 0);
    for (auto _ : state) form->CheckNormalAlarms();
    if (!headless::ModalLog().empty()) state.SkipWithError("a reminder fell due");
    state.SetItemsProcessed(state.iterations() * 100'000);
}
BENCHMARK(BM_DueCheckOver100000Reminders)->Unit(benchmark::kMillisecond);

// Ticks as the timer delivers them, so one in five runs both due checks: the mean is the cost
// of a tick at rest.
void BM_IdleTick(benchmark::State& state) {
    auto form =
        formWithReminders(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) form->Timer1Timer();
    if (!headless::ModalLog().empty()) state.SkipWithError("a reminder fell due");
}
BENCHMARK(BM_IdleTick)->Args({50, 20})->Args({1000, 200})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pellino
