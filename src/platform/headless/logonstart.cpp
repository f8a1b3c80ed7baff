#include "platform/logonstart.h"

#include <map>

#include "platform/headless/testing.h"

namespace pellino {

namespace {

// What the system behaves like under Wine and Windows: a missing shortcut or value is no error to
// delete, and a system without shortcuts answers every shortcut request with "not supported".
constexpr unsigned long kNotSupported = 50;
constexpr const char* kStartupFolder =
    "C:\\Documents and Settings\\User\\Start Menu\\Programs\\Startup\\";

struct LogonFakes {
    std::map<std::string, ShortcutInfo> shortcuts;
    std::map<std::string, std::string> runValues;
    bool noShortcuts = false;
    unsigned long refusal = 0;
};

LogonFakes& State() {
    static LogonFakes fakes;
    return fakes;
}

template <typename Value>
std::optional<Value> Find(const std::map<std::string, Value>& entries, const std::string& name) {
    const auto found = entries.find(name);
    if (found == entries.end()) return std::nullopt;
    return found->second;
}

}  // namespace

bool CanMakeStartupShortcuts() {
    return !State().noShortcuts;
}

std::string StartupShortcutPath(const std::string& name) {
    return State().noShortcuts ? std::string() : kStartupFolder + name + ".lnk";
}

std::optional<ShortcutInfo> ReadStartupShortcut(const std::string& name) {
    if (State().noShortcuts) return std::nullopt;
    return Find(State().shortcuts, name);
}

unsigned long WriteStartupShortcut(const std::string& name, const ShortcutInfo& shortcut) {
    if (State().noShortcuts) return kNotSupported;
    if (State().refusal) return State().refusal;
    State().shortcuts[name] = shortcut;
    return 0;
}

unsigned long DeleteStartupShortcut(const std::string& name) {
    if (State().noShortcuts || !State().shortcuts.count(name)) return 0;
    if (State().refusal) return State().refusal;
    State().shortcuts.erase(name);
    return 0;
}

std::optional<std::string> ReadRunValue(const std::string& name) {
    return Find(State().runValues, name);
}

unsigned long WriteRunValue(const std::string& name, const std::string& commandLine) {
    if (State().refusal) return State().refusal;
    State().runValues[name] = commandLine;
    return 0;
}

unsigned long DeleteRunValue(const std::string& name) {
    if (!State().runValues.count(name)) return 0;
    if (State().refusal) return State().refusal;
    State().runValues.erase(name);
    return 0;
}

namespace headless {

void SetStartupShortcut(const std::string& name, std::optional<ShortcutInfo> shortcut) {
    if (shortcut) {
        State().shortcuts[name] = *shortcut;
    } else {
        State().shortcuts.erase(name);
    }
}

void SetRunValue(const std::string& name, std::optional<std::string> commandLine) {
    if (commandLine) {
        State().runValues[name] = *commandLine;
    } else {
        State().runValues.erase(name);
    }
}

void SetShortcutsUnavailable(bool unavailable) {
    State().noShortcuts = unavailable;
}

void RefuseLogonChanges(unsigned long error) {
    State().refusal = error;
}

void ResetLogonStart() {
    State() = LogonFakes{};
}

}  // namespace headless

}  // namespace pellino
