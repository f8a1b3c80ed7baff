// The lists at their largest: a load into lists that are on the screen, the due check when every
// reminder is due later today, and the reload at the change of date.
//
// Counters: repaints, scroll_bars and moves are what reached the screen per operation (the
// headless backend counts them as the platform would draw them); a bulk change pays once.
// allocations_per_reminder is the heap blocks a load takes per reminder, dear under Wine.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "allocation_count.h"
#include "mainwindow/mainform.h"
#include "model/datafile.h"
#include "model/reminder.h"
#include "model/stream.h"
#include "platform/files.h"
#include "platform/headless/testing.h"
#include "runtime/datetime.h"
#include "sample_reminders.h"
#include "schedule/alarmshow.h"
#include "schedule/missedreminders.h"

namespace pellino {
namespace {

// 2026-01-05, the Monday the fake clock starts on.
constexpr int kYear = 2026;
constexpr int kMonth = 1;
constexpr int kDay = 5;

void writeDataFileOf(const DataFileContents& contents) {
    std::unique_ptr<Stream> file = CreateFileExclusive(DataFilePath());
    TWriter writer(*file);
    writeDataFile(writer, contents);
    writer.FlushBuffer();
}

// The main window, its lists on the screen, with the `count` reminders of its data file read.
std::unique_ptr<TMainForm> openWindow(int count) {
    headless::ResetAll();
    headless::SetClock(LocalTime{kYear, kMonth, kDay, 9, 0, 0, 0});
    writeDataFileOf(SampleReminders(count));
    auto form = std::make_unique<TMainForm>();
    form->CreateNotificationWindow();
    headless::PutOnScreen(form->AlarmGrid);
    headless::PutOnScreen(form->RepeatingAlarmGrid);
    return form;
}

void reportTraffic(benchmark::State& state, const TMainForm& form) {
    const auto perRun = [&](int total) {
        return benchmark::Counter(total, benchmark::Counter::kAvgIterations);
    };
    const headless::ScreenTraffic oneTime = headless::TrafficOf(form.AlarmGrid);
    const headless::ScreenTraffic repeating = headless::TrafficOf(form.RepeatingAlarmGrid);
    state.counters["repaints"] = perRun(oneTime.repaints + repeating.repaints);
    state.counters["scroll_bars"] = perRun(oneTime.scrollBarUpdates + repeating.scrollBarUpdates);
    state.counters["moves"] = perRun(oneTime.boundsChanges + repeating.boundsChanges);
}

void resetTraffic(const TMainForm& form) {
    headless::ResetTraffic(form.AlarmGrid);
    headless::ResetTraffic(form.RepeatingAlarmGrid);
}

// Both lists emptied and read again from the file, as the start-up does, with the lists showing.
void BM_LoadIntoOpenLists(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    auto form = openWindow(count);
    resetTraffic(*form);
    std::uint64_t allocations = 0;
    for (auto _ : state) {
        form->AlarmGrid.SetRowCount(1);
        form->RepeatingAlarmGrid.SetRowCount(1);
        const std::uint64_t before = AllocationCount();
        form->LoadFromDisk();
        allocations += AllocationCount() - before;
    }
    if (form->AlarmGrid.RowCount() + form->RepeatingAlarmGrid.RowCount() != count + 2) {
        state.SkipWithError("the lists did not get every reminder");
    }
    reportTraffic(state, *form);
    // Heap blocks a reminder costs the load; under Wine each is about 170 ns (measured), natively
    // a few.
    state.counters["allocations_per_reminder"] = benchmark::Counter(
        static_cast<double>(allocations) / count, benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_LoadIntoOpenLists)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);

// The costliest list for a check that finds nothing: every reminder Pending, due later today.
// With a negative count, a record is changed before each check, as a command or an edit between
// two checks does, so the check must learn the list afresh.
void BM_DueCheckAllLaterToday(benchmark::State& state) {
    const bool changeBetween = state.range(0) < 0;
    const auto count = static_cast<int>(std::abs(state.range(0)));
    headless::ResetAll();
    headless::SetClock(LocalTime{kYear, kMonth, kDay, 9, 0, 0, 0});
    auto form = std::make_unique<TMainForm>();
    form->CreateNotificationWindow();
    const TDateTime today = Today();
    for (int i = 0; i < count; ++i) {
        // From 12:00 to 22:00, not in due order.
        const TDateTime due = today + 0.5 + ((i * 7919) % 600) / 1440.0;
        auto reminder = TReminder::CreateOneTime(due, "Reminder " + std::to_string(i), "", 0);
        reminder->RefreshStatus();
        form->AlarmGrid.AddRow();
        form->AlarmGrid.SetObjectOf(0, form->AlarmGrid.RowCount() - 1, std::move(reminder));
    }
    for (auto _ : state) {
        if (changeBetween) TMainForm::ReminderAt(form->AlarmGrid, 1)->DueDateTime += 0;
        form->CheckNormalAlarms();
    }
    if (!headless::ModalLog().empty()) state.SkipWithError("a reminder fell due");
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_DueCheckAllLaterToday)->Arg(100'000)->Arg(-100'000)->Unit(benchmark::kMicrosecond);

void settleDay(TMainForm& form) {
    for (int row = 1; row < form.AlarmGrid.RowCount(); ++row) {
        TReminder* reminder = TMainForm::ReminderAt(form.AlarmGrid, row);
        if (reminder->Status == kStatusPending) reminder->Status = kStatusDone;
    }
    for (int row = 1; row < form.RepeatingAlarmGrid.RowCount(); ++row) {
        TReminder* reminder = TMainForm::ReminderAt(form.RepeatingAlarmGrid, row);
        if (reminder->Status == kStatusPending) reminder->Status = kStatusNotToday;
    }
}

// The first tick of each new date: the lists are read again from the file while on the screen.
void BM_MidnightReload(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    auto form = openWindow(count);
    // The reminders of the days before the start were missed; the first tick lists them, and the
    // user closes the list.
    headless::ScriptModal("TMissedReminders", [](Form& shown) {
        static_cast<TMissedReminders&>(shown).OkButton.Click();
    });
    form->Timer1Timer();
    resetTraffic(*form);
    int day = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The day's reminders were all notified before midnight and the file says so, as on an
        // ordinary day: the tick's pass over the day that ended finds nothing to show, and the
        // reload nothing missed.
        settleDay(*form);
        form->SaveToDisk();
        ++day;
        // Each run is the first tick of another date. The clock is set, not advanced: the
        // running timer would tick through every second of the way.
        const DateFields date = DecodeDate(EncodeDate(kYear, kMonth, kDay) + day);
        headless::SetClock(LocalTime{date.year, date.month, date.day, 0, 0, 0, 500});
        state.ResumeTiming();
        form->Timer1Timer();
    }
    if (form->LoadDate() != Today()) state.SkipWithError("the lists were not reloaded");
    if (headless::PendingModalScripts() != 0)
        state.SkipWithError("nothing was missed at the start");
    reportTraffic(state, *form);
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_MidnightReload)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pellino
