#pragma once

#include <string>
#include <string_view>

#include "platform/form.h"

namespace pellino {

// The program's settings file, "PELLINO.INI" in the program's folder.
std::string SettingsFilePath();

// Section and key names of the settings file.
namespace settings {
inline constexpr char kSounds[] = "Sounds";
inline constexpr char kWaveFile[] = "WaveFile";
inline constexpr char kSilent[] = "Silent";
inline constexpr char kTray[] = "Tray";
inline constexpr char kUse[] = "Use";
inline constexpr char kLeft[] = "Left";
inline constexpr char kTop[] = "Top";
inline constexpr char kRight[] = "Right";
inline constexpr char kBottom[] = "Bottom";
inline constexpr char kMaximized[] = "Maximized";
// What the reminder clock keeps across a stop of the program (schedule/clockmemory.h).
inline constexpr char kClock[] = "Clock";
inline constexpr char kLastLook[] = "LastLook";
inline constexpr char kSecondPass[] = "SecondPass";
}  // namespace settings

// The number a key's text stands for: "0x" or "0X" followed by hexadecimal digits; otherwise an
// optional sign and decimal digits, or "$" and hexadecimal digits. Hexadecimal takes up to 32 bits
// (so "$FFFFFFFF" is -1); a decimal number must fit an int. Any other text, the empty one
// included, gives `fallback`. Only the first 1023 characters of the text count.
int ProfileTextToInt(std::string_view text, int fallback);

// A settings file read and written one key at a time through the platform's private-profile
// operations; nothing is cached, so every read sees the file as it is now. Integers are written in
// decimal, booleans as "1" and "0".
class SettingsFile {
public:
    explicit SettingsFile(std::string path = SettingsFilePath());

    const std::string& FileName() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
    // True for any non-zero number.
    bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;

    // Each raises EIniFileError "Unable to write to <path>" when the platform refuses the key.
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) const;
    void WriteInteger(const std::string& section, const std::string& key, int value) const;
    void WriteBool(const std::string& section, const std::string& key, bool value) const;

private:
    std::string path_;
};

// The section of a form's placement: its class name and "_Placement", followed by the screen's
// logical resolution when that is above 96 pixels per inch, so that each resolution keeps a
// placement of its own ("TMainForm_Placement", "TMainForm_Placement120").
std::string PlacementSection(std::string_view formClassName, int dpi);

// The farthest a window's edge can lie from the screen's origin: the platform keeps window
// coordinates within 16 bits.
inline constexpr int kFarthestWindowEdge = 32767;

// Whether a stored normal rectangle is one a window can have: every edge within
// kFarthestWindowEdge of the origin, the right edge not left of the left one and the bottom not
// above the top. Only a hand-edited settings file holds another, and it counts as no stored
// placement.
bool IsPlacementPossible(const Rect& stored);

// A stored normal rectangle brought onto a monitor (the whole screen where the platform cannot
// tell monitors apart): when it reaches past the monitor's right or bottom edge it moves left or up
// until that edge meets the monitor's, keeping its size, even when its left or top edge then lies
// off the monitor. The rectangle must be a possible one.
Rect FitToScreen(Rect stored, const Rect& monitor);

// The top-left corner that centres a window of the given size on the screen, or, when
// `overMainWindow` is set, over the main window's rectangle. Halves round toward zero and the
// result is not kept on the screen.
struct Position {
    int left = 0;
    int top = 0;
    bool operator==(const Position&) const = default;
};
Position CenteredPosition(Size window, Size screen, bool overMainWindow, const Rect& mainWindow);

// Places a window before it is shown: in the middle of the screen when it is the main window
// itself (class TMainForm) or the main window is maximised, otherwise over the main window. A
// window with a maximise button also gets the system menu.
void CenterOverMainForm(Form& form);

}  // namespace pellino
