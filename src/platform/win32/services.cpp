#include <algorithm>

#include <map>
#include <optional>

#include "platform/application.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/form.h"
#include "platform/help.h"
#include "platform/regional.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "platform/timer.h"
#include "platform/timezone.h"
#include "platform/win32/boundary.h"
#include "platform/win32/win32.h"

namespace pellino {

LocalTime NowLocal() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return LocalTime{st.wYear,   st.wMonth,  st.wDay,         st.wHour,
                     st.wMinute, st.wSecond, st.wMilliseconds};
}

LocalTime NowUtc() {
    SYSTEMTIME st;
    GetSystemTime(&st);
    return LocalTime{st.wYear,   st.wMonth,  st.wDay,         st.wHour,
                     st.wMinute, st.wSecond, st.wMilliseconds};
}

namespace {

ZoneChange ZoneChangeOf(const SYSTEMTIME& st) {
    return ZoneChange{st.wYear, st.wMonth,  st.wDayOfWeek, st.wDay,
                      st.wHour, st.wMinute, st.wSecond,    st.wMilliseconds};
}

}  // namespace

TimeZoneRules CurrentTimeZoneRules() {
    // The question costs microseconds (12 under Wine), and a load of the lists asks it for every
    // repeating reminder: the answer is kept for a second, well within the time a change of zone
    // takes to matter to a reminder.
    static TimeZoneRules rules;
    static DWORD askedAt = 0;
    static bool asked = false;
    const DWORD now = GetTickCount();
    if (asked && now - askedAt < 1000) return rules;
    asked = true;
    askedAt = now;
    // Every version of the platform describes its zone so; the calls that convert by the zone's
    // rules came later (SystemTimeToTzSpecificLocalTime is missing from Windows 95), so the
    // conversions are the program's own, from these rules.
    TIME_ZONE_INFORMATION zone{};
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) {
        // A zone that cannot be read counts as one without changes: real time and the wall clock
        // then run alike, as they did before the program knew of zones.
        rules = TimeZoneRules{};
    } else {
        rules = TimeZoneRules{static_cast<int>(zone.Bias), static_cast<int>(zone.StandardBias),
                              static_cast<int>(zone.DaylightBias), ZoneChangeOf(zone.StandardDate),
                              ZoneChangeOf(zone.DaylightDate)};
    }
    return rules;
}

std::int64_t TickCountMs() {
    // GetTickCount wraps after 49.7 days; extend it so the count only moves forward.
    static DWORD last = GetTickCount();
    static std::int64_t high = 0;
    const DWORD now = GetTickCount();
    if (now < last) high += 0x100000000LL;
    last = now;
    return high + now;
}

// ---- timers: one hidden message window carries every timer of the program ----

namespace {

std::map<UINT_PTR, Timer*>& TimerMap() {
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}

LRESULT TimerWindowProcBody(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        auto it = TimerMap().find(wParam);
        if (it != TimerMap().end()) it->second->Fire();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return win32::Guarded([&] { return TimerWindowProcBody(hwnd, message, wParam, lParam); });
}

HWND TimerWindow() {
    static HWND window = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = TimerWindowProc;
        wc.hInstance = win32::Instance();
        wc.lpszClassName = "PellinoTimers";
        RegisterClassA(&wc);
        HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    win32::Instance(), nullptr);
        // Windows 95, 98 and NT 4 have no windows for messages only; there a top-level window
        // that is never shown carries the timers, else the clock would never tick.
        if (!hwnd) {
            hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   win32::Instance(), nullptr);
        }
        return hwnd;
    }();
    return window;
}

class Win32TimerPeer final : public TimerPeer {
public:
    explicit Win32TimerPeer(Timer& owner) : owner_(owner), id_(nextId_++) {}
    ~Win32TimerPeer() override { Stop(); }

    bool Start(int intervalMs) override {
        Stop();
        if (!SetTimer(TimerWindow(), id_, static_cast<UINT>(intervalMs), nullptr)) return false;
        TimerMap()[id_] = &owner_;
        return true;
    }
    void Stop() override {
        if (TimerMap().erase(id_)) KillTimer(TimerWindow(), id_);
    }

private:
    Timer& owner_;
    UINT_PTR id_;
    static inline UINT_PTR nextId_ = 1;
};

std::string LocaleText(LCTYPE type, const char* fallback) {
    char buffer[256];
    const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
    return n > 1 ? std::string(buffer, static_cast<std::size_t>(n - 1)) : std::string(fallback);
}

// A file handle as a stream; closes the handle with itself.
class HandleStream final : public BufferedFileStream {
public:
    HandleStream(HANDLE file, std::int64_t size) : BufferedFileStream(size), file_(file) {}
    ~HandleStream() override {
        finish();
        CloseHandle(file_);
    }

protected:
    std::size_t rawRead(void* buffer, std::size_t count) override {
        DWORD done = 0;
        if (!ReadFile(file_, buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
        return done;
    }
    std::size_t rawWrite(const void* buffer, std::size_t count) override {
        DWORD done = 0;
        if (!WriteFile(file_, buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
        return done;
    }
    bool rawSeek(std::int64_t position) override {
        LONG high = static_cast<LONG>(position >> 32);
        SetLastError(NO_ERROR);
        const DWORD low =
            SetFilePointer(file_, static_cast<LONG>(position & 0xFFFFFFFF), &high, FILE_BEGIN);
        return low != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
    }
    bool rawFlush() override { return FlushFileBuffers(file_) != 0; }

private:
    HANDLE file_;
};

// The size of a file just opened, through the two-part call that every version of the platform
// has; null when even that fails.
std::optional<std::int64_t> FileSizeOf(HANDLE file) {
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return std::nullopt;
    return static_cast<std::int64_t>((std::uint64_t{high} << 32) | low);
}

std::unique_ptr<Stream> OpenHandle(const std::string& path, DWORD access, DWORD disposition) {
    HANDLE file =
        CreateFileA(path.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    // The stream keeps the size from here on; a file whose size cannot be had is not opened.
    const std::optional<std::int64_t> size = FileSizeOf(file);
    if (!size) {
        CloseHandle(file);
        return nullptr;
    }
    return std::make_unique<HandleStream>(file, *size);
}

}  // namespace

std::unique_ptr<TimerPeer> CreateTimerPeer(Timer& owner) {
    return std::make_unique<Win32TimerPeer>(owner);
}

RegionalSettings ReadRegionalSettings() {
    RegionalSettings s;
    s.shortDateFormat = LocaleText(LOCALE_SSHORTDATE, "M/d/yyyy");
    s.longDateFormat = LocaleText(LOCALE_SLONGDATE, "dddd, MMMM d, yyyy");
    s.dateSeparator = LocaleText(LOCALE_SDATE, "/");
    s.timeSeparator = LocaleText(LOCALE_STIME, ":");
    s.amText = LocaleText(LOCALE_S1159, "AM");
    s.pmText = LocaleText(LOCALE_S2359, "PM");
    s.hourLeadingZero = LocaleText(LOCALE_ITLZERO, "0") == "1";
    s.clock24 = LocaleText(LOCALE_ITIME, "0") == "1";
    for (int m = 0; m < 12; ++m) {
        s.shortMonthNames[m] =
            LocaleText(LOCALE_SABBREVMONTHNAME1 + m, s.shortMonthNames[m].c_str());
        s.longMonthNames[m] = LocaleText(LOCALE_SMONTHNAME1 + m, s.longMonthNames[m].c_str());
    }
    // The platform counts the days from Monday; the program from Sunday.
    for (int d = 0; d < 7; ++d) {
        const int platformDay = (d + 6) % 7;
        s.shortDayNames[d] =
            LocaleText(LOCALE_SABBREVDAYNAME1 + platformDay, s.shortDayNames[d].c_str());
        s.longDayNames[d] = LocaleText(LOCALE_SDAYNAME1 + platformDay, s.longDayNames[d].c_str());
    }
    return s;
}

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), flags | MB_TASKMODAL);
}

std::unique_ptr<Stream> CreateFileExclusive(const std::string& path) {
    return OpenHandle(path, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
}

std::unique_ptr<Stream> CreateNewFileExclusive(const std::string& path) {
    return OpenHandle(path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
}

std::unique_ptr<Stream> OpenFileExclusiveRead(const std::string& path) {
    return OpenHandle(path, GENERIC_READ, OPEN_EXISTING);
}

std::unique_ptr<Stream> OpenFileExclusiveRead(const std::string& path, int& error) {
    SetLastError(NO_ERROR);
    std::unique_ptr<Stream> stream = OpenHandle(path, GENERIC_READ, OPEN_EXISTING);
    error = stream ? 0 : static_cast<int>(GetLastError());
    // A refusal that left no code behind is still a refusal.
    if (!stream && error == 0) error = fileerror::kAccessDenied;
    return stream;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ReplaceResult ReplaceFileAtomically(const std::string& source, const std::string& target) {
    if (MoveFileExA(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return ReplaceResult::Replaced;
    }
    // The Windows 95 family has no replacing move; the caller then goes step by step.
    return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? ReplaceResult::Unsupported
                                                        : ReplaceResult::Failed;
}

bool RenameFile(const std::string& source, const std::string& target) {
    return MoveFileA(source.c_str(), target.c_str()) != 0;
}

bool DeleteFileIfExists(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0 || GetLastError() == ERROR_FILE_NOT_FOUND;
}

int ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
    std::string pending;
    int error = 0;
    char buffer[4096];
    for (;;) {
        DWORD done = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &done, nullptr)) {
            error = static_cast<int>(GetLastError());
            break;
        }
        if (done == 0) break;
        pending.append(buffer, done);
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::string line = pending.substr(0, end);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(std::move(line));
            pending.erase(0, end + 1);
        }
    }
    CloseHandle(file);
    if (error == 0 && !pending.empty()) {
        if (pending.back() == '\r') pending.pop_back();
        lines.push_back(std::move(pending));
    }
    return error;
}

namespace {

// Longer paths than this leave no room in the platform's path limit for the names of the files
// beside the program ("\PELLINO.INI", "\Pellino.tmp").
constexpr std::size_t kLongestUsableFolderPath = MAX_PATH - 16;

// The short (8.3) form of a path of any length, or empty where the platform cannot give one. Only
// the wide form of the call takes paths past the limit; it is looked up, as the 95 family lacks
// it, and there every path is short already.
std::string ShortPathOf(const std::string& path) {
    using ShortPathW = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);
    const auto shortPath = reinterpret_cast<ShortPathW>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetShortPathNameW")));
    if (!shortPath) return {};
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (wideLength <= 0) return {};
    std::wstring wide = L"\\\\?\\";
    const std::size_t prefix = wide.size();
    wide.resize(prefix + static_cast<std::size_t>(wideLength));
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data() + prefix, wideLength);
    std::wstring out(wide.size() + 1, L'\0');
    const DWORD n = shortPath(wide.c_str(), out.data(), static_cast<DWORD>(out.size()));
    if (n == 0 || n >= out.size()) return {};
    out.resize(n);
    if (out.compare(0, prefix, wide, 0, prefix) == 0) out.erase(0, prefix);
    const int length =
        WideCharToMultiByte(CP_ACP, 0, out.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return {};
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, out.c_str(), -1, result.data(), length, nullptr, nullptr);
    result.resize(static_cast<std::size_t>(length - 1));
    return result;
}

}  // namespace

std::string ProgramExePath() {
    // A path that fills the buffer may have been cut short (the platform says so only from
    // Vista on), and a folder cut from it would be another folder: the buffer grows until the
    // path fits with room to spare, up to the longest path the platform has.
    constexpr DWORD kLongestPath = 32768;
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), size);
        if (n == 0) {
            path.clear();
            break;
        }
        if (n < size - 1) {
            path.resize(n);
            break;
        }
        if (size >= kLongestPath) {
            path.clear();
            break;
        }
        path.assign(std::min<DWORD>(size * 2, kLongestPath), '\0');
    }
    if (path.empty()) {
        throw Exception(
            "Pellino! cannot find the folder it was started from, where it keeps its "
            "reminders, and stops here so as not to use another folder's files");
    }
    // The files beside the program are opened by calls that take no longer paths than the
    // platform's limit: a long folder is reached by its short name.
    if (path.size() > kLongestUsableFolderPath) {
        const std::string shortPath = ShortPathOf(path);
        if (shortPath.empty() || shortPath.size() > kLongestUsableFolderPath) {
            throw Exception("The path of Pellino!'s folder is too long for its files: " + path +
                            "\r\n\r\nMove the program, with its Pellino.dat, to a folder "
                            "with a shorter path");
        }
        return shortPath;
    }
    return path;
}

namespace {

// The sound library is loaded for the first sound: the start need not wait for it.
using PlaySoundFunction = BOOL(WINAPI*)(LPCSTR, UINT);
constexpr const char* kSoundLibrary = "winmm.dll";

PlaySoundFunction PlaySoundEntry() {
    static const PlaySoundFunction entry =
        win32::LibraryFunction<PlaySoundFunction>(kSoundLibrary, "sndPlaySoundA");
    return entry;
}

// Whether the file is there and gives its first bytes to a reader. The player is asked too, but
// some players (Wine's without a sound driver) take a file they cannot find as played.
bool WaveFileReadable(const std::string& path) {
    if (path.empty()) return false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char header[4];
    DWORD done = 0;
    const bool read = ReadFile(file, header, sizeof header, &done, nullptr) && done > 0;
    CloseHandle(file);
    return read;
}

}  // namespace

// Whether the system has a device that plays waves. Some players (Wine's without a sound driver)
// take a sound as played when there is none to play it on.
bool HasWaveDevice() {
    using DeviceCountFunction = UINT(WINAPI*)();
    static const DeviceCountFunction count =
        win32::LibraryFunction<DeviceCountFunction>(kSoundLibrary, "waveOutGetNumDevs");
    return count && count() > 0;
}

bool PlayWaveAsync(const std::string& path) {
    const bool readable = WaveFileReadable(path) && HasWaveDevice();
    // A file that cannot be read is handed over all the same: the player then plays the system's
    // default sound, which still tells that something fell due.
    const PlaySoundFunction play = PlaySoundEntry();
    const bool played = play && play(path.c_str(), SND_ASYNC);
    return readable && played;
}
void StopWave() {
    // Before the library is loaded no sound can be playing, and loading it only to stop nothing
    // would cost the close its time.
    if (!GetModuleHandleA(kSoundLibrary)) return;
    if (const PlaySoundFunction play = PlaySoundEntry()) play(nullptr, SND_ASYNC);
}

namespace {

// HTML Help lives in hhctrl.ocx, which the Windows 95 family may lack: it is looked up when it is
// first needed, so the program still loads where it is missing.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kHhDisplayTopic = 0x0000;
constexpr UINT kHhCloseAll = 0x0012;

HtmlHelpFunction HtmlHelpEntry() {
    static const HtmlHelpFunction entry =
        win32::LibraryFunction<HtmlHelpFunction>("hhctrl.ocx", "HtmlHelpA");
    return entry;
}

bool htmlHelpUsed = false;
bool winHelpUsed = false;

HWND HelpOwner() {
    HWND owner = GetActiveWindow();
    if (Form* main = Application::MainForm(); !owner && main) owner = win32::HandleOf(*main);
    return owner;
}

// A help request that the engine's first start could not take yet, asked once more when the
// engine's window is there (or after five seconds). The program goes on meanwhile: the clock
// must not stop while the engine starts.
struct WinHelpRetry {
    HWND owner = nullptr;
    std::string file;
    ULONG_PTR context = 0;
    int checksLeft = 0;
    UINT_PTR timer = 0;
};

WinHelpRetry& PendingWinHelp() {
    static WinHelpRetry retry;
    return retry;
}

void CALLBACK RetryWinHelp(HWND, UINT, UINT_PTR, DWORD) {
    WinHelpRetry& retry = PendingWinHelp();
    if (!FindWindowA("MS_WINHELP", nullptr) && --retry.checksLeft > 0) return;
    KillTimer(nullptr, retry.timer);
    retry.timer = 0;
    WinHelpA(IsWindow(retry.owner) ? retry.owner : HelpOwner(), retry.file.c_str(), HELP_CONTEXT,
             retry.context);
}

void ShowWinHelp(HWND owner, const std::string& file, int context) {
    winHelpUsed = true;
    const auto context32 = static_cast<ULONG_PTR>(context);
    if (WinHelpA(owner, file.c_str(), HELP_CONTEXT, context32)) return;
    // The engine's first start can return before its window is there to take the request (Wine
    // does): the request is asked once more when the window is there. Asking again at once
    // would start a second engine; a later request while one waits takes its place.
    WinHelpRetry& retry = PendingWinHelp();
    retry.owner = owner;
    retry.file = file;
    retry.context = context32;
    retry.checksLeft = 50;
    if (!retry.timer) retry.timer = SetTimer(nullptr, 0, 100, RetryWinHelp);
    if (!retry.timer) WinHelpA(owner, file.c_str(), HELP_CONTEXT, context32);
}

}  // namespace

PlatformVersion CurrentPlatformVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    GetVersionExA(&info);
    return PlatformVersion{static_cast<int>(info.dwPlatformId),
                           static_cast<int>(info.dwMajorVersion),
                           static_cast<int>(info.dwMinorVersion)};
}

void ShowHelpContext(const std::string& helpFile, int context) {
    const HelpRequest request = HelpRequestFor(CurrentPlatformVersion(), helpFile, context);
    HWND owner = HelpOwner();
    if (request.engine == HelpEngine::HtmlHelp) {
        if (HtmlHelpFunction htmlHelp = HtmlHelpEntry()) {
            htmlHelpUsed = true;
            if (htmlHelp(owner, request.topic.c_str(), kHhDisplayTopic, 0)) return;
        }
        // Without the compiled file, or without the engine, the request goes to WinHelp, whose
        // engine tells the user what is missing: HTML Help itself says nothing.
    }
    ShowWinHelp(owner, helpFile, context);
}

void CloseHelp(const std::string& helpFile) {
    if (htmlHelpUsed) {
        if (HtmlHelpFunction htmlHelp = HtmlHelpEntry()) htmlHelp(nullptr, nullptr, kHhCloseAll, 0);
    }
    // The WinHelp engine runs as a program of its own and stays open unless it is told to go.
    if (winHelpUsed) WinHelpA(HelpOwner(), helpFile.c_str(), HELP_QUIT, 0);
}

int StartupShowCommand() {
    // What the system hands a program's entry point: the starter's show command, or the default.
    STARTUPINFOA info{};
    info.cb = sizeof(info);
    GetStartupInfoA(&info);
    return (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : SW_SHOWDEFAULT;
}

int StartupInfoShowCommand() {
    STARTUPINFOA info{};
    info.cb = sizeof(info);
    GetStartupInfoA(&info);
    return (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : SW_SHOWNORMAL;
}

bool IsWindows95Family() {
    // Asked once, at the first call (the program's start), and kept for the process's life.
    static const bool family95 = CurrentPlatformVersion().platformId == VER_PLATFORM_WIN32_WINDOWS;
    return family95;
}

}  // namespace pellino
