// Writing and reading 100 000 reminders through TWriter/TReader and the data file layout, against
// the floor of a plain fwrite/fread of the same bytes.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/datadump.h"
#include "model/hostfile.h"
#include "model/reminder.h"
#include "model/stream.h"
#include "peer_reader.h"
#include "sample_reminders.h"

namespace pellino {
namespace {

constexpr int kRecords = 100'000;

const DataFileContents& sampleContents() {
    static const DataFileContents contents = SampleReminders(kRecords);
    return contents;
}

std::string benchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

std::vector<char> fileImage() {
    MemoryStream stream;
    {
        TWriter writer(stream);
        writeDataFile(writer, sampleContents());
        writer.FlushBuffer();
    }
    return {stream.Bytes().begin(), stream.Bytes().end()};
}

void report(benchmark::State& state, std::size_t bytes) {
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

void BM_WriteRecords(benchmark::State& state) {
    const DataFileContents& contents = sampleContents();
    const std::string path = benchPath("pellino_bench_write.dat");
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto file = HostFileStream::createForWriting(path);
        {
            TWriter writer(*file);
            writeDataFile(writer, contents);
            writer.FlushBuffer();
        }
        bytes = static_cast<std::size_t>(file->Size());
        if (!file->close()) state.SkipWithError("write failed");
    }
    report(state, bytes);
    std::filesystem::remove(path);
}

void BM_FwriteFloor(benchmark::State& state) {
    const std::vector<char> image = fileImage();
    const std::string path = benchPath("pellino_bench_fwrite.dat");
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        const std::size_t written = std::fwrite(image.data(), 1, image.size(), file);
        if (std::fclose(file) != 0 || written != image.size()) state.SkipWithError("write failed");
    }
    report(state, image.size());
    std::filesystem::remove(path);
}

void BM_ReadRecords(benchmark::State& state) {
    const std::vector<char> image = fileImage();
    const std::string path = benchPath("pellino_bench_read.dat");
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(image.data(), 1, image.size(), file);
        std::fclose(file);
    }
    for (auto _ : state) {
        const auto file = HostFileStream::openForReading(path);
        const DataFileReading reading = readDataFile(*file);
        if (!reading.complete()) state.SkipWithError("file did not read back");
        benchmark::DoNotOptimize(reading.contents.repeating.back().Description.data());
    }
    report(state, image.size());
    std::filesystem::remove(path);
}

// The reader's own share: every record read into the same one, so the lists' growth and the
// records' release are left out.
void BM_ReadRecordsIntoOne(benchmark::State& state) {
    const std::vector<char> image = fileImage();
    const std::string path = benchPath("pellino_bench_read1.dat");
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(image.data(), 1, image.size(), file);
        std::fclose(file);
    }
    for (auto _ : state) {
        const auto file = HostFileStream::openForReading(path);
        TReader reader(*file);
        reader.ReadListBegin();
        reader.ReadInteger();
        reader.ReadFloat();
        reader.ReadListEnd();
        TReminder reminder;
        int count = 0;
        for (int list = 0; list < 2; ++list) {
            reader.ReadListBegin();
            while (!reader.EndOfList()) count += reminder.LoadFromReader(reader) ? 1 : 0;
            reader.ReadListEnd();
        }
        if (count != kRecords) state.SkipWithError("file did not read back");
        benchmark::DoNotOptimize(reminder.Description.data());
    }
    report(state, image.size());
    std::filesystem::remove(path);
}

// The same reading through the plain independent reader, into one record as well.
void BM_PeerReadRecords(benchmark::State& state) {
    const std::vector<char> image = fileImage();
    const std::string path = benchPath("pellino_bench_peer.dat");
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(image.data(), 1, image.size(), file);
        std::fclose(file);
    }
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        bench::PeerReader reader(file);
        reader.listBegin();
        reader.integer();
        reader.real();
        reader.listEnd();
        TReminder r;
        int count = 0;
        for (int list = 0; list < 2; ++list) {
            reader.listBegin();
            while (!reader.endOfList()) {
                r.Kind = static_cast<std::uint8_t>(reader.integer());
                r.NotifyMode = static_cast<std::uint8_t>(reader.integer());
                r.DueDateTime = reader.real();
                r.FirstTime = reader.real();
                r.StopTime = reader.real();
                r.HasUntil = reader.boolean();
                r.Description = reader.text();
                r.SoundFile = reader.text();
                r.DaySet = reader.text();
                r.IntervalMinutes = reader.integer();
                r.Status = static_cast<std::uint8_t>(reader.integer());
                r.ReservedFlag = reader.boolean();
                ++count;
            }
            reader.listEnd();
        }
        std::fclose(file);
        if (count != kRecords) state.SkipWithError("file did not read back");
        benchmark::DoNotOptimize(r.Description.data());
    }
    report(state, image.size());
    std::filesystem::remove(path);
}

void BM_FreadFloor(benchmark::State& state) {
    const std::vector<char> image = fileImage();
    const std::string path = benchPath("pellino_bench_fread.dat");
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(image.data(), 1, image.size(), file);
        std::fclose(file);
    }
    std::vector<char> buffer(image.size());
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), file);
        std::fclose(file);
        if (read != image.size()) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(buffer.data());
    }
    report(state, image.size());
    std::filesystem::remove(path);
}

BENCHMARK(BM_WriteRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FwriteFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRecordsIntoOne)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeerReadRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreadFloor)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pellino
