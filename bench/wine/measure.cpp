// Measurements of the program's file work on the platform itself, for a run under Wine (see
// bench/wine-measure.sh and bench/wine-startup.sh): a save of many reminders against one plain
// write of the same bytes, and the start of the program with empty lists and with a large data
// file against the start of a program that only shows a window.
//
//   pellino-measure save COUNT FOLDER ROUNDS
//   pellino-measure start PROGRAM BARE-WINDOW COUNT ROUNDS
//
// Every figure is the median of ROUNDS runs; the kinds of run alternate, so that a busy machine
// weighs on all of them alike. The start also prints every round, and ends with status 3 when a
// round missed a goal.

#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../one_record_sink.h"
#include "../sample_reminders.h"
#include "model/datafile.h"
#include "model/stream.h"
#include "platform/files.h"

namespace pellino {
namespace {

double nowMs() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::vector<std::uint8_t> fileImage(const DataFileContents& contents) {
    MemoryStream stream;
    {
        TWriter writer(stream);
        writeDataFile(writer, contents);
        writer.FlushBuffer();
    }
    return stream.Bytes();
}

bool writeWhole(const std::string& path, const std::vector<std::uint8_t>& bytes, bool flush) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
              done == bytes.size();
    if (flush) ok = FlushFileBuffers(file) && ok;
    return CloseHandle(file) && ok;
}

// A file handle as a stream with no buffer of its own: every handover of the writer is a call to
// the system, and the size and position are asked of it. This is how the program's file stream
// worked before it had its own buffer, kept here to show the difference.
class UnbufferedStream final : public Stream {
public:
    explicit UnbufferedStream(HANDLE file) : file_(file) {}
    ~UnbufferedStream() override { CloseHandle(file_); }
    std::size_t Read(void* buffer, std::size_t count) override {
        DWORD done = 0;
        return ReadFile(file_, buffer, static_cast<DWORD>(count), &done, nullptr) ? done : 0;
    }
    std::size_t Write(const void* buffer, std::size_t count) override {
        DWORD done = 0;
        return WriteFile(file_, buffer, static_cast<DWORD>(count), &done, nullptr) ? done : 0;
    }
    std::int64_t Size() const override { return GetFileSize(file_, nullptr); }
    std::int64_t Position() const override {
        return SetFilePointer(file_, 0, nullptr, FILE_CURRENT);
    }
    bool Flush() override { return FlushFileBuffers(file_) != 0; }

private:
    HANDLE file_;
};

int measureSave(int count, const std::string& folder, int rounds) {
    const DataFileContents contents = SampleReminders(count);
    const std::vector<std::uint8_t> image = fileImage(contents);
    const std::string path = folder + "\\Pellino.dat";
    const std::string temporary = folder + "\\Pellino.tmp";
    const std::string aside = folder + "\\Pellino.old";
    const auto write = [&contents](TWriter& writer) { writeDataFile(writer, contents); };
    SaveFileOps unbuffered = ProgramFileOps();
    unbuffered.create = [](const std::string& p) -> std::unique_ptr<Stream> {
        HANDLE file = CreateFileA(p.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return nullptr;
        return std::make_unique<UnbufferedStream>(file);
    };

    struct Kind {
        const char* what;
        std::function<bool()> run;
        std::vector<double> ms;
    };
    std::vector<Kind> kinds = {
        {"one plain write of the same bytes", [&] { return writeWhole(path, image, false); }, {}},
        {"one plain write, flushed to the disk", [&] { return writeWhole(path, image, true); }, {}},
        {"the save (buffered file stream)",
         [&] {
             saveDataFileSafely(ProgramFileOps(), path, temporary, aside, write);
             return true;
         },
         {}},
        {"the save through an unbuffered stream",
         [&] {
             saveDataFileSafely(unbuffered, path, temporary, aside, write);
             return true;
         },
         {}},
    };
    for (int round = 0; round < rounds; ++round) {
        for (Kind& kind : kinds) {
            const double start = nowMs();
            if (!kind.run()) {
                std::fprintf(stderr, "%s failed\n", kind.what);
                return 1;
            }
            kind.ms.push_back(nowMs() - start);
        }
    }
    // The saved file must be the very bytes of the plain write.
    {
        const std::unique_ptr<Stream> saved = OpenFileExclusiveRead(path);
        std::vector<std::uint8_t> back(image.size());
        if (!saved || saved->Size() != static_cast<std::int64_t>(image.size()) ||
            saved->Read(back.data(), back.size()) != back.size() || back != image) {
            std::fprintf(stderr, "the saved file differs from the plain write\n");
            return 1;
        }
    }
    std::printf("save of %d reminders (%zu bytes), median of %d rounds:\n", count, image.size(),
                rounds);
    for (const Kind& kind : kinds) std::printf("  %-40s %8.1f ms\n", kind.what, median(kind.ms));
    std::printf("  the save against one plain write: %.2fx\n",
                median(kinds[2].ms) / median(kinds[0].ms));

    // Reading the saved file back as a load does, every record into the same one: the file
    // stream and the codec, without the lists; against one fread of the whole file into memory
    // (the goal: within 3 times that).
    std::vector<double> readMs;
    std::vector<double> freadMs;
    std::vector<char> whole(image.size());
    for (int round = 0; round < rounds; ++round) {
        double start = nowMs();
        std::FILE* plain = std::fopen(path.c_str(), "rb");
        const std::size_t got = plain ? std::fread(whole.data(), 1, whole.size(), plain) : 0;
        if (plain) std::fclose(plain);
        freadMs.push_back(nowMs() - start);
        if (got != image.size()) {
            std::fprintf(stderr, "cannot fread %s\n", path.c_str());
            return 1;
        }
        start = nowMs();
        const std::unique_ptr<Stream> file = OpenFileExclusiveRead(path);
        if (!file) {
            std::fprintf(stderr, "cannot open %s\n", path.c_str());
            return 1;
        }
        OneRecordSink sink;
        const DataFileReading reading = readDataFile(*file, sink);
        readMs.push_back(nowMs() - start);
        if (!reading.complete() || sink.count != count) {
            std::fprintf(stderr, "the saved file did not read back\n");
            return 1;
        }
    }
    std::printf("  %-40s %8.2f ms\n", "one fread of the whole file", median(freadMs));
    std::printf("  %-40s %8.2f ms\n", "reading it into one record (codec)", median(readMs));
    std::printf("  the reading against one fread: %.2fx\n", median(readMs) / median(freadMs));
    return 0;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK takeVisibleWindowOf(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// A visible top-level window of the process `processId`, or null.
HWND visibleWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(takeVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Starts a program, waits until a window of it is visible and its input queue idle (the program
// reads its data file before its window shows), closes it and waits for it to end. Milliseconds
// from the start to the idle window; negative when the program did not behave. `workingSet`
// receives the bytes of memory the program had touched by then.
double startOnce(const std::string& program, double& workingSet) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = nowMs();
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", program.c_str(), GetLastError());
        return -1;
    }
    CloseHandle(process.hThread);
    double took = -1;
    for (int i = 0; i < 30000; ++i) {
        if (HWND window = visibleWindowOf(process.dwProcessId)) {
            WaitForInputIdle(process.hProcess, 10000);
            took = nowMs() - start;
            PROCESS_MEMORY_COUNTERS memory{};
            memory.cb = sizeof memory;
            workingSet = GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)
                             ? static_cast<double>(memory.WorkingSetSize)
                             : 0;
            PostMessageA(window, WM_CLOSE, 0, 0);
            break;
        }
        Sleep(1);
    }
    if (took < 0) std::fprintf(stderr, "no window of %s\n", program.c_str());
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "%s did not end\n", program.c_str());
        // Only the process this measurement started is ended, by its own handle.
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
        took = -1;
    }
    CloseHandle(process.hProcess);
    return took;
}

// Milliseconds to commit `bytes` of fresh memory and write one byte of each page: what the
// operating system charges for the memory alone, whatever the program puts into it.
double touchFreshMemory(std::size_t bytes) {
    const double start = nowMs();
    auto* memory = static_cast<volatile char*>(
        VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!memory) return -1;
    for (std::size_t i = 0; i < bytes; i += 4096) memory[i] = 1;
    const double took = nowMs() - start;
    VirtualFree(const_cast<char*>(memory), 0, MEM_RELEASE);
    return took;
}

// The start of the program with empty lists and with `count` reminders, against the start of a
// program that only shows a window, in rounds of the three: a busy moment of the machine weighs
// on all three of a round alike, so each round's ratios are its own. Every round is printed, so
// that a slow start shows even when it happens once in ten. Returns 3 when a goal was missed.
int measureStart(const std::string& program, const std::string& bareWindow, int count, int rounds) {
    // The goals: the empty start within 1.5 times the bare window's, and the reminders adding
    // less than 100 ms, in every round.
    constexpr double kMostEmptyRatio = 1.5;
    constexpr double kMostLoadMs = 100;
    const std::string folder = program.substr(0, program.find_last_of("\\/"));
    const std::string path = folder + "\\Pellino.dat";
    const std::vector<std::uint8_t> empty = fileImage({});
    const std::vector<std::uint8_t> full = fileImage(SampleReminders(count));
    std::vector<double> bareMs, emptyMs, fullMs, emptyRatios, loadMs, emptyBytes, fullBytes;
    std::printf("start until the window takes input, %d rounds (ms):\n", rounds);
    std::printf("  %5s %8s %8s %8s %12s %10s\n", "round", "bare", "empty", "full", "empty/bare",
                "full-empty");
    for (int round = 0; round < rounds; ++round) {
        double ms[3];
        double bytes[3];
        for (int kind = 0; kind < 3; ++kind) {
            if (kind > 0 && !writeWhole(path, kind == 2 ? full : empty, false)) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                return 1;
            }
            ms[kind] = startOnce(kind == 0 ? bareWindow : program, bytes[kind]);
            if (ms[kind] < 0) {
                std::fprintf(stderr, "a program did not start and end as expected\n");
                return 1;
            }
        }
        bareMs.push_back(ms[0]);
        emptyMs.push_back(ms[1]);
        fullMs.push_back(ms[2]);
        emptyRatios.push_back(ms[1] / ms[0]);
        loadMs.push_back(ms[2] - ms[1]);
        emptyBytes.push_back(bytes[1]);
        fullBytes.push_back(bytes[2]);
        std::printf("  %5d %8.1f %8.1f %8.1f %11.2fx %10.1f\n", round + 1, ms[0], ms[1], ms[2],
                    emptyRatios.back(), loadMs.back());
        std::fflush(stdout);
    }
    const double worstRatio = *std::max_element(emptyRatios.begin(), emptyRatios.end());
    const double worstLoad = *std::max_element(loadMs.begin(), loadMs.end());
    std::printf("  %5s %8.1f %8.1f %8.1f %11.2fx %10.1f\n", "median", median(bareMs),
                median(emptyMs), median(fullMs), median(emptyRatios), median(loadMs));
    std::printf("  %5s %8s %8s %8s %11.2fx %10.1f\n", "worst", "", "", "", worstRatio, worstLoad);

    // The memory the reminders take, and what touching that much fresh memory costs here: on a
    // machine whose page faults are dear this is most of the load.
    const double loadBytes = std::max(0.0, median(fullBytes) - median(emptyBytes));
    std::vector<double> touchMs;
    for (int round = 0; round < rounds; ++round) {
        touchMs.push_back(touchFreshMemory(static_cast<std::size_t>(loadBytes)));
    }
    std::printf(
        "  %d reminders take %.1f MB of memory (%.0f bytes a reminder); committing and\n"
        "  touching as much fresh memory alone takes %.1f ms here\n",
        count, loadBytes / 1048576.0, count > 0 ? loadBytes / count : 0.0, median(touchMs));

    const bool ratioMet = worstRatio <= kMostEmptyRatio;
    const bool loadMet = worstLoad < kMostLoadMs;
    std::printf("  the empty start within %.1fx the bare window in every round: %s\n",
                kMostEmptyRatio, ratioMet ? "yes" : "NO, GOAL MISSED");
    std::printf("  %d reminders add less than %.0f ms in every round: %s\n", count, kMostLoadMs,
                loadMet ? "yes" : "NO, GOAL MISSED");
    return ratioMet && loadMet ? 0 : 3;
}

}  // namespace
}  // namespace pellino

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    // A folder or program named by an empty text would put files at the root of the drive.
    for (int i = 2; i < argc; ++i) {
        if (argv[i][0] == '\0') command.clear();
    }
    try {
        if (command == "save" && argc == 5) {
            return pellino::measureSave(std::atoi(argv[2]), argv[3], std::atoi(argv[4]));
        }
        if (command == "start" && argc == 6) {
            return pellino::measureStart(argv[2], argv[3], std::atoi(argv[4]), std::atoi(argv[5]));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: pellino-measure save COUNT FOLDER ROUNDS\n"
                 "       pellino-measure start PROGRAM BARE-WINDOW COUNT ROUNDS\n");
    return 2;
}
