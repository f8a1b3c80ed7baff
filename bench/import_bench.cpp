// Importing a first version's file of 1 000, 10 000 and 100 000 reminders into the one-time list
// of the main window, which already holds as many, many of them due at the same moments: reading
// the lines, placing every reminder in due order and writing the data file once.

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include "mainwindow/mainform.h"
#include "model/datafile.h"
#include "model/stream.h"
#include "platform/files.h"
#include "platform/headless/testing.h"

namespace pellino {
namespace {

// A line for a day from February to December 2026, at one of a few times of day, so that moments
// repeat as they do in a real list (the same meeting every week, the same hour every day).
std::string version1Line(int i) {
    const int day = (i * 37) % 308;
    const int month = 2 + day / 28;
    const int dayOfMonth = 1 + day % 28;
    const int hour = 8 + i % 4;
    return std::to_string(hour) + ":30^Reminder " + std::to_string(i) +
           " from the first version^x^3^" + (month < 10 ? "0" : "") + std::to_string(month) + "/" +
           (dayOfMonth < 10 ? "0" : "") + std::to_string(dayOfMonth) +
           "/2026^C:\\SOUNDS\\chimes.wav^" + std::to_string(i % 3) + "\r\n";
}

void BM_Import(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    headless::ResetAll();
    const std::string path = "C:\\PELLINO\\ALARMS.DAT";
    {
        std::ofstream file(headless::HostPath(path), std::ios::binary);
        for (int i = 0; i < count; ++i) file << version1Line(i);
    }
    auto form = std::make_unique<TMainForm>();
    for (auto _ : state) {
        state.PauseTiming();
        // The list holds the reminders of one import already, in due order.
        form->AlarmGrid.FreeRowObjects();
        form->AlarmGrid.SetRowCount(1);
        form->LoadFromDiskOldStyle(path);
        state.ResumeTiming();
        form->LoadFromDiskOldStyle(path);
        state.PauseTiming();
        const bool whole = form->AlarmGrid.RowCount() == 2 * count + 1;
        state.ResumeTiming();
        if (!whole) {
            state.SkipWithError(
                ("lines were lost: " + std::to_string(form->AlarmGrid.RowCount() - 1) + " rows")
                    .c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
    form.reset();
    headless::ResetAll();
}

BENCHMARK(BM_Import)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pellino
