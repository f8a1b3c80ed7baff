#pragma once

#include <optional>
#include <string>

namespace pellino {

// The two places where the system looks, as a user logs on, for the programs to start for that
// user: a shortcut in the user's Startup folder, which can ask for a minimised window, and a value
// under the user's Run key in the registry, a bare command line. Every call reads or changes the
// system itself, so what it returns is what the next log-on will do; nothing is kept in between.
// The calls that change something return 0 or the platform's error code.

// What a shortcut starts, and how: the show command its program is started with (1 normal,
// 7 minimised without activating) and the folder it starts in. Wine's link component writes the
// show command but reads every shortcut back as a normal one (1), so nothing decides on the show
// command read.
struct ShortcutInfo {
    std::string target;
    int showCommand = 1;
    std::string workingFolder;
    std::string description;
};

// False where the system cannot make shortcuts in a Startup folder: it has no such folder, or no
// shell link component to write them with.
bool CanMakeStartupShortcuts();
// The full path of the user's Startup shortcut "<name>.lnk", or "" where there is no Startup
// folder.
std::string StartupShortcutPath(const std::string& name);
// The shortcut "<name>.lnk" of the Startup folder, or nothing when there is none (or it cannot be
// read).
std::optional<ShortcutInfo> ReadStartupShortcut(const std::string& name);
// Makes the shortcut, or replaces the one of that name.
unsigned long WriteStartupShortcut(const std::string& name, const ShortcutInfo& shortcut);
// Removes the shortcut; 0 also when there was none.
unsigned long DeleteStartupShortcut(const std::string& name);

// The registry key of the user's Run values, as the user finds it in the registry editor.
inline constexpr const char* kRunKeyName =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// The command line of the Run value of that name, or nothing when there is none.
std::optional<std::string> ReadRunValue(const std::string& name);
unsigned long WriteRunValue(const std::string& name, const std::string& commandLine);
// Removes the value; 0 also when there was none.
unsigned long DeleteRunValue(const std::string& name);

}  // namespace pellino
