#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>

#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/headless/testing.h"
#include "platform/help.h"
#include "platform/regional.h"
#include "platform/sound.h"
#include "platform/system.h"

namespace pellino {

namespace headless {
void ResetClock();
void ResetForms();
void ResetProfiles();
void ResetInstances();
void ResetOpenDialogs();
void ReactivateAfterModal();
void ResetMessages();
void ResetTray();
void ResetMouse();
void ResetLogonStart();
}  // namespace headless

namespace {

namespace fs = std::filesystem;

// Windows XP: the last NT version with the WinHelp engine, and one that has the NT tray rules.
constexpr PlatformVersion kHeadlessVersion{2, 5, 1};
constexpr PlatformVersion kWindows98{1, 4, 10};

struct Fakes {
    RegionalSettings regional;
    std::deque<int> answers;
    std::vector<headless::MessageBoxCall> log;
    std::function<int(const headless::MessageBoxCall&)> unexpected;
    // Boxes shown with nothing scripted for them, in the words of the test's failure.
    std::vector<std::string> unscripted;
    fs::path root;  // the host folder that "C:\" maps to
    std::set<std::string> locked;
    // Files the program holds open now, in upper case; one entry for each open.
    std::multiset<std::string> heldOpen;
    std::vector<std::string> sounds;
    bool soundDevice = true;
    std::vector<std::string> help;
    int showCommand = 10;
    int startupInfoShowCommand = 1;
    PlatformVersion version = kHeadlessVersion;
    std::int64_t diskSpace = -1;  // -1: unlimited
    int failCountdown = 0;        // 0: no failure chosen
};

Fakes& State() {
    static Fakes fakes;
    return fakes;
}

// Removes the temporary folder when the test process ends.
struct RootCleaner {
    ~RootCleaner() {
        std::error_code ignored;
        if (!State().root.empty()) fs::remove_all(State().root, ignored);
    }
} rootCleaner;

fs::path Root() {
    auto& root = State().root;
    if (root.empty()) {
        std::string pattern = (fs::temp_directory_path() / "pellino-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        root = pattern;
        fs::create_directories(root / "PELLINO");
    }
    return root;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// A file held through a host stream, buffered as the platform's file streams are; its raw writes
// take from the disk's free space, as the platform's do.
// A file the program holds open without sharing is closed to every other open, copy, move or
// delete until the program lets go of it, its own included, as on the platform.
class HeadlessFileStream final : public BufferedFileStream {
public:
    HeadlessFileStream(std::FILE* file, std::int64_t size, std::string heldPath)
        : BufferedFileStream(size), file_(file), heldPath_(std::move(heldPath)) {
        State().heldOpen.insert(heldPath_);
        // The stream buffers on its own; a second buffer below it would hide when the bytes
        // reach the file.
        std::setvbuf(file_, nullptr, _IONBF, 0);
    }
    ~HeadlessFileStream() override {
        finish();
        std::fclose(file_);
        // One entry for this open only: another open of the same file still holds it.
        auto& held = State().heldOpen;
        if (auto it = held.find(heldPath_); it != held.end()) held.erase(it);
    }

protected:
    std::size_t rawRead(void* buffer, std::size_t count) override {
        // The C library wants a flush between a write and a read on the same file.
        if (writing_ && std::fflush(file_) != 0) return 0;
        writing_ = false;
        return std::fread(buffer, 1, count, file_);
    }
    std::size_t rawWrite(const void* buffer, std::size_t count) override {
        // And a seek between a read and a write.
        if (!writing_ && std::fseek(file_, 0, SEEK_CUR) != 0) return 0;
        writing_ = true;
        std::int64_t& space = State().diskSpace;
        if (space >= 0 && static_cast<std::uint64_t>(space) < count) {
            count = static_cast<std::size_t>(space);
        }
        const std::size_t written = std::fwrite(buffer, 1, count, file_);
        if (space >= 0) space -= static_cast<std::int64_t>(written);
        return written;
    }
    bool rawSeek(std::int64_t position) override {
        writing_ = false;
        return std::fseek(file_, static_cast<long>(position), SEEK_SET) == 0;
    }
    bool rawFlush() override { return std::fflush(file_) == 0; }

private:
    std::FILE* file_;
    std::string heldPath_;
    bool writing_ = false;
};

// A stream over a file just opened, or null when its size cannot be had.
std::unique_ptr<Stream> StreamOver(std::FILE* file, const std::string& path) {
    if (file == nullptr) return nullptr;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return nullptr;
    }
    return std::make_unique<HeadlessFileStream>(file, size, Upper(path));
}

bool IsLocked(const std::string& path) {
    const std::string upper = Upper(path);
    return State().locked.count(upper) > 0 || State().heldOpen.count(upper) > 0;
}

// Counts the operations that change files; true for the one a test chose to fail.
bool FailsNow() {
    int& countdown = State().failCountdown;
    return countdown > 0 && --countdown == 0;
}

}  // namespace

RegionalSettings ReadRegionalSettings() {
    return State().regional;
}

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    headless::MessageBoxCall call{text, caption, flags};
    State().log.push_back(call);
    int answer = 0;
    if (!State().answers.empty()) {
        answer = State().answers.front();
        State().answers.pop_front();
    } else if (State().unexpected) {
        answer = State().unexpected(call);
    } else {
        // Noted as well as raised: the program may catch what it raises and run on.
        State().unscripted.push_back("a message box came with no answer scripted: \"" + caption +
                                     "\": \"" + text + "\"");
        throw headless::UnscriptedMessageBox{call};
    }
    headless::ReactivateAfterModal();
    return answer;
}

std::unique_ptr<Stream> CreateFileExclusive(const std::string& path) {
    if (IsLocked(path) || FailsNow()) return nullptr;
    return StreamOver(std::fopen(headless::HostPath(path).c_str(), "w+b"), path);
}

std::unique_ptr<Stream> CreateNewFileExclusive(const std::string& path) {
    if (IsLocked(path) || FailsNow()) return nullptr;
    // The host's own test of existence and creation in one step.
    return StreamOver(std::fopen(headless::HostPath(path).c_str(), "w+bx"), path);
}

std::unique_ptr<Stream> OpenFileExclusiveRead(const std::string& path) {
    int ignored = 0;
    return OpenFileExclusiveRead(path, ignored);
}

std::unique_ptr<Stream> OpenFileExclusiveRead(const std::string& path, int& error) {
    // As on the platform: a file held by another program is refused before its existence counts.
    error = 0;
    if (IsLocked(path)) {
        error = fileerror::kSharingViolation;
        return nullptr;
    }
    if (!FileExists(path)) {
        error = fileerror::kNotFound;
        return nullptr;
    }
    std::unique_ptr<Stream> stream =
        StreamOver(std::fopen(headless::HostPath(path).c_str(), "rb"), path);
    if (!stream) error = fileerror::kAccessDenied;
    return stream;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(headless::HostPath(path), ec);
}

ReplaceResult ReplaceFileAtomically(const std::string& source, const std::string& target) {
    // As on the 95 family, which has no replacing move.
    if (IsWindows95Family()) return ReplaceResult::Unsupported;
    if (IsLocked(source) || IsLocked(target) || FailsNow()) return ReplaceResult::Failed;
    std::error_code ec;
    fs::rename(headless::HostPath(source), headless::HostPath(target), ec);
    return ec ? ReplaceResult::Failed : ReplaceResult::Replaced;
}

bool RenameFile(const std::string& source, const std::string& target) {
    if (IsLocked(source) || IsLocked(target) || FileExists(target) || FailsNow()) return false;
    std::error_code ec;
    fs::rename(headless::HostPath(source), headless::HostPath(target), ec);
    return !ec;
}

bool DeleteFileIfExists(const std::string& path) {
    if (IsLocked(path) || FailsNow()) return false;
    std::error_code ec;
    fs::remove(headless::HostPath(path), ec);
    return !ec;
}

int ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    // The platform's codes: a sharing violation, and a file that is not there.
    if (IsLocked(path)) return 32;
    // A folder opens on the host but not on the platform, which denies access to it.
    std::error_code ec;
    if (fs::is_directory(headless::HostPath(path), ec)) return 5;
    std::ifstream in(headless::HostPath(path), std::ios::binary);
    if (!in) return 2;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    // The end of the file ends the loop with the fail bit; a failed read sets the bad bit too.
    if (in.bad()) return 30;  // the platform's read fault
    return 0;
}

std::string ProgramExePath() {
    return "C:\\PELLINO\\PELLINO.EXE";
}

bool PlayWaveAsync(const std::string& path) {
    State().sounds.push_back(path);
    // As the platform's player: a file held by another program cannot be read either, and
    // nothing is heard without a device.
    return State().soundDevice && !path.empty() && FileExists(path) && !IsLocked(path);
}
void StopWave() {
    State().sounds.push_back("<stop>");
}

void ShowHelpContext(const std::string& helpFile, int context) {
    const HelpRequest request = HelpRequestFor(State().version, helpFile, context);
    State().help.push_back(request.engine == HelpEngine::WinHelp
                               ? request.file + " #" + std::to_string(request.context)
                               : request.topic);
}

void CloseHelp(const std::string& helpFile) {
    State().help.push_back("<close " + helpFile + ">");
}

int StartupShowCommand() {
    return State().showCommand;
}
int StartupInfoShowCommand() {
    return State().startupInfoShowCommand;
}
bool IsWindows95Family() {
    return State().version.platformId == kWindows98.platformId;
}

PlatformVersion CurrentPlatformVersion() {
    return State().version;
}

namespace headless {

void SetRegionalSettings(const RegionalSettings& settings) {
    State().regional = settings;
}

void QueueMessageBoxAnswer(int answer) {
    State().answers.push_back(answer);
}
const std::vector<MessageBoxCall>& MessageBoxLog() {
    return State().log;
}
void SetUnexpectedMessageBoxHandler(std::function<int(const MessageBoxCall&)> handler) {
    State().unexpected = std::move(handler);
}

std::vector<std::string> TakeTestProblems() {
    auto& s = State();
    std::vector<std::string> problems = std::move(s.unscripted);
    s.unscripted.clear();
    if (!s.answers.empty()) {
        problems.push_back(std::to_string(s.answers.size()) +
                           " message box answer(s) queued and never taken by a box");
        s.answers.clear();
    }
    return problems;
}

namespace {
std::function<void(const std::vector<std::string>&)>& ProblemReporter() {
    static std::function<void(const std::vector<std::string>&)> reporter;
    return reporter;
}
}  // namespace

void SetTestProblemReporter(std::function<void(const std::vector<std::string>&)> reporter) {
    ProblemReporter() = std::move(reporter);
}

std::string ProgramFolderOnDisk() {
    return (Root() / "PELLINO").string() + "/";
}

std::string HostPath(const std::string& programPath) {
    std::string rest = programPath;
    if (rest.size() >= 3 && rest[1] == ':' && (rest[2] == '\\' || rest[2] == '/')) {
        rest = rest.substr(3);
    }
    for (char& c : rest) {
        if (c == '\\') c = '/';
    }
    return (Root() / rest).string();
}

void LockFile(const std::string& programPath, bool locked) {
    if (locked) {
        State().locked.insert(Upper(programPath));
    } else {
        State().locked.erase(Upper(programPath));
    }
}

void SetDiskSpace(std::int64_t bytes) {
    State().diskSpace = bytes;
}

void FailFileOperation(int n) {
    State().failCountdown = n;
}

const std::vector<std::string>& SoundLog() {
    return State().sounds;
}

void SetSoundDevice(bool present) {
    State().soundDevice = present;
}

const std::vector<std::string>& HelpLog() {
    return State().help;
}

void SetStartupShowCommand(int showCommand, int startupInfoShowCommand) {
    State().showCommand = showCommand;
    State().startupInfoShowCommand = startupInfoShowCommand;
}

void SetWindows95Family(bool family95) {
    State().version = family95 ? kWindows98 : kHeadlessVersion;
}

void SetPlatformVersion(const PlatformVersion& version) {
    State().version = version;
}

void ResetAll() {
    if (auto problems = TakeTestProblems(); !problems.empty() && ProblemReporter()) {
        ProblemReporter()(problems);
    }
    Application::Reset();
    ResetClock();
    ResetInstances();
    ResetForms();
    ResetProfiles();
    ResetOpenDialogs();
    ResetMessages();
    ResetTray();
    ResetMouse();
    ResetLogonStart();
    auto& s = State();
    s.regional = RegionalSettings{};
    s.answers.clear();
    s.log.clear();
    s.unexpected = nullptr;
    s.locked.clear();
    s.sounds.clear();
    s.soundDevice = true;
    s.help.clear();
    s.showCommand = 10;
    s.startupInfoShowCommand = 1;
    s.version = kHeadlessVersion;
    s.diskSpace = -1;
    s.failCountdown = 0;
    std::error_code ignored;
    if (!s.root.empty()) {
        // The whole drive, not only the program's folder: a file a test put elsewhere (a sound
        // file, an old version's file) must not be there for the next test.
        for (const fs::directory_entry& entry : fs::directory_iterator(s.root, ignored)) {
            fs::remove_all(entry.path(), ignored);
        }
        fs::create_directories(s.root / "PELLINO");
    }
}

}  // namespace headless

}  // namespace pellino
