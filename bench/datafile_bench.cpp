// Loading and saving 100 000 reminders through the main window's own lists, as the program does at
// start-up and after every change, against the tagged value codec alone on the same files.
//
// Counters: codec_ms is the codec's time for the same work (TReader/TWriter over the same kind of
// file stream, one reused record, no lists); outside_codec is the share of the operation's time
// spent elsewhere (rows, records, statuses, the temporary file and its replacing the old one).

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/mainform.h"
#include "model/datafile.h"
#include "model/reminder.h"
#include "model/stream.h"
#include "platform/files.h"
#include "one_record_sink.h"
#include "platform/headless/testing.h"
#include "sample_reminders.h"

namespace pellino {
namespace {

constexpr int kReminders = 100'000;

// The main window on the headless backend, with the data file in its program folder.
struct Fixture {
    Fixture() {
        headless::ResetAll();
        contents = SampleReminders(kReminders);
        std::unique_ptr<Stream> file = CreateFileExclusive(DataFilePath());
        TWriter writer(*file);
        writeDataFile(writer, contents);
        writer.FlushBuffer();
        bytes = file->Size();
        form = std::make_unique<TMainForm>();
    }
    ~Fixture() {
        form.reset();
        headless::ResetAll();
    }

    void load() {
        form->AlarmGrid.FreeRowObjects();
        form->AlarmGrid.SetRowCount(1);
        form->RepeatingAlarmGrid.FreeRowObjects();
        form->RepeatingAlarmGrid.SetRowCount(1);
        form->LoadFromDisk();
    }

    DataFileContents contents;
    std::int64_t bytes = 0;
    std::unique_ptr<TMainForm> form;
};

double codecReadMs() {
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<Stream> file = OpenFileExclusiveRead(DataFilePath());
    OneRecordSink sink;
    const DataFileReading reading = readDataFile(*file, sink);
    benchmark::DoNotOptimize(sink.record.Description.data());
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return reading.complete() && sink.count == kReminders ? took.count() : -1;
}

double codecWriteMs(const DataFileContents& contents) {
    const std::string path = ProgramFolder() + "codec.dat";
    const auto start = std::chrono::steady_clock::now();
    {
        std::unique_ptr<Stream> file = CreateFileExclusive(path);
        TWriter writer(*file);
        writeDataFile(writer, contents);
        writer.FlushBuffer();
        file->Flush();
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    DeleteFileIfExists(path);
    return took.count();
}

void report(benchmark::State& state, std::int64_t bytes, double operationMs, double codecMs) {
    const auto iterations = static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * kReminders);
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["file_bytes"] = static_cast<double>(bytes);
    state.counters["codec_ms"] = codecMs / iterations;
    state.counters["outside_codec"] = 1.0 - codecMs / operationMs;
}

using Clock = std::chrono::steady_clock;

void BM_LoadFromDisk(benchmark::State& state) {
    Fixture fixture;
    double operationMs = 0;
    double codecMs = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        fixture.load();
        operationMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        state.PauseTiming();
        if (fixture.form->AlarmGrid.RowCount() != kReminders / 2 + 1 ||
            fixture.form->RepeatingAlarmGrid.RowCount() != kReminders / 2 + 1) {
            state.SkipWithError("the lists did not load whole");
        }
        const double codec = codecReadMs();
        if (codec < 0) state.SkipWithError("the file did not read back");
        codecMs += codec;
        state.ResumeTiming();
    }
    report(state, fixture.bytes, operationMs, codecMs);
}

void BM_SaveToDisk(benchmark::State& state) {
    Fixture fixture;
    fixture.load();
    double operationMs = 0;
    double codecMs = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        fixture.form->SaveToDisk();
        operationMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        state.PauseTiming();
        codecMs += codecWriteMs(fixture.contents);
        state.ResumeTiming();
    }
    if (std::filesystem::file_size(headless::HostPath(DataFilePath())) !=
        static_cast<std::uintmax_t>(fixture.bytes)) {
        state.SkipWithError("the saved file has another size");
    }
    report(state, fixture.bytes, operationMs, codecMs);
}

BENCHMARK(BM_LoadFromDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToDisk)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pellino
