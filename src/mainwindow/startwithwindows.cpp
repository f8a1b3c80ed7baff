// File > "Start with Windows": whether the user's log-on starts this copy of the program. A
// reminder program that is not running misses every reminder, so the item makes the same Startup
// shortcut as the installer does, one that starts the program minimised. Where the system cannot
// make shortcuts it writes the user's Run value instead, which starts the program in a normal
// window. The state lives in the system, not in the settings file: the user, the installer's
// uninstaller or another copy of the program may change it at any time, so the check mark is read
// from the system each time the File menu drops down.
#include "mainwindow/mainform.h"
#include "model/datafile.h"
#include "platform/files.h"
#include "platform/logonstart.h"
#include "runtime/errors.h"
#include "runtime/strings.h"

namespace pellino {

namespace {

// The name of the Startup shortcut and of the Run value, the same as the installer's.
constexpr const char* kLogonEntryName = "Pellino!";
// A start from the Startup shortcut comes up minimised without taking the focus from what the
// user opens first; the start-up rules then make it a taskbar button or a tray icon.
constexpr int kShowMinimizedNoActivate = 7;

// Windows compares paths without regard to the case of their letters.
bool SamePath(const std::string& a, const std::string& b) {
    return UpperCase(a) == UpperCase(b);
}

// The program a Run value's command line starts: its first part, in quotes or up to a blank.
std::string CommandTarget(const std::string& commandLine) {
    if (!commandLine.empty() && commandLine.front() == '"') {
        const auto end = commandLine.find('"', 1);
        return commandLine.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    }
    return commandLine.substr(0, commandLine.find(' '));
}

bool StartsThisProgram(const std::optional<ShortcutInfo>& shortcut) {
    return shortcut && SamePath(shortcut->target, ProgramExePath());
}

bool StartsThisProgram(const std::optional<std::string>& runValue) {
    return runValue && SamePath(CommandTarget(*runValue), ProgramExePath());
}

// True when the next log-on starts this copy of the program. A shortcut or Run value that starts
// another copy does not count: that copy has its own reminders beside it.
bool LogonStartsThisProgram() {
    return StartsThisProgram(ReadStartupShortcut(kLogonEntryName)) ||
           StartsThisProgram(ReadRunValue(kLogonEntryName));
}

std::string RunValueName() {
    return std::string("the value \"") + kLogonEntryName + "\" of " + kRunKeyName;
}

void Check(unsigned long error, const std::string& failure) {
    if (error) throw EStartWithWindowsError(failure + " (error " + std::to_string(error) + ").");
}

void RemoveRunValue(const std::string& failure) {
    Check(DeleteRunValue(kLogonEntryName),
          failure + ": " + RunValueName() + " could not be removed");
}

void MakeLogonStart() {
    const std::string exe = ProgramExePath();
    const std::string failure = "Pellino! cannot start with Windows";
    if (!CanMakeStartupShortcuts()) {
        Check(WriteRunValue(kLogonEntryName, "\"" + exe + "\""),
              failure + ": " + RunValueName() + " could not be written");
        return;
    }
    std::string folder = ProgramFolderOf(exe);
    // A drive's root keeps its backslash ("C:\"); any other folder is named without one.
    if (folder.size() > 3) folder.pop_back();
    const ShortcutInfo shortcut{exe, kShowMinimizedNoActivate, folder, "Pellino! reminders"};
    Check(
        WriteStartupShortcut(kLogonEntryName, shortcut),
        failure + ": the shortcut " + StartupShortcutPath(kLogonEntryName) + " could not be made");
    // A Run value of the program, even one of another copy, would start a second copy beside
    // the shortcut's; only one of them would stay, and maybe not this one.
    if (ReadRunValue(kLogonEntryName)) RemoveRunValue(failure);
}

void RemoveLogonStart() {
    // Only what starts this copy goes: another copy's shortcut is that copy's to remove.
    const std::string failure = "Pellino! still starts with Windows";
    if (StartsThisProgram(ReadStartupShortcut(kLogonEntryName))) {
        Check(DeleteStartupShortcut(kLogonEntryName), failure + ": the shortcut " +
                                                          StartupShortcutPath(kLogonEntryName) +
                                                          " could not be removed");
    }
    if (StartsThisProgram(ReadRunValue(kLogonEntryName))) RemoveRunValue(failure);
}

}  // namespace

void TMainForm::SetUpStartWithWindows() {
    mnuStartWithWindows.SetName("mnuStartWithWindows");
    mnuStartWithWindows.SetCaption("Start with &Windows");
    mnuStartWithWindows.SetHint(
        "Start Pellino! minimized whenever you log on to Windows, so that no reminder is missed");
    mnuStartWithWindows.OnClick = [this](MenuItem&) { mnuStartWithWindowsClick(); };
    File1.OnPopup = [this] { ShowStartWithWindows(); };
}

void TMainForm::ShowStartWithWindows() {
    mnuStartWithWindows.SetChecked(LogonStartsThisProgram());
}

void TMainForm::mnuStartWithWindowsClick() {
    // The system's state decides, not the check mark, which may be older than the last change.
    try {
        if (LogonStartsThisProgram()) {
            RemoveLogonStart();
        } else {
            MakeLogonStart();
        }
    } catch (...) {
        ShowStartWithWindows();
        throw;
    }
    ShowStartWithWindows();
}

}  // namespace pellino
