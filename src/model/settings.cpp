#include "model/settings.h"

#include <cctype>
#include <cstdint>
#include <optional>

#include "model/datafile.h"
#include "platform/application.h"
#include "platform/profile.h"
#include "runtime/errors.h"
#include "runtime/formats.h"

namespace pellino {

namespace {

constexpr char kSettingsFileName[] = "PELLINO.INI";
// The longest key text the integer reader looks at.
constexpr std::size_t kIntegerTextLimit = 1023;

}  // namespace

std::string SettingsFilePath() {
    return ProgramFolder() + kSettingsFileName;
}

int ProfileTextToInt(std::string_view text, int fallback) {
    text = text.substr(0, kIntegerTextLimit);
    std::optional<int> value;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        if (const auto bits = TryHexToBits(text.substr(2))) {
            value = static_cast<std::int32_t>(*bits);
        }
    } else {
        value = TryStrToInt(text);
    }
    return value.value_or(fallback);
}

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

std::string SettingsFile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& fallback) const {
    return ReadProfileKey(path_, section, key, fallback);
}

// Integers are read as text and parsed here: the platform's own integer reader knows neither "$"
// nor a default for a text that is no number.
int SettingsFile::ReadInteger(const std::string& section, const std::string& key,
                              int fallback) const {
    return ProfileTextToInt(ReadString(section, key, ""), fallback);
}

bool SettingsFile::ReadBool(const std::string& section, const std::string& key,
                            bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void SettingsFile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) const {
    if (!WriteProfileKey(path_, section, key, value)) {
        throw EIniFileError("Unable to write to " + path_);
    }
}

void SettingsFile::WriteInteger(const std::string& section, const std::string& key,
                                int value) const {
    WriteString(section, key, std::to_string(value));
}

void SettingsFile::WriteBool(const std::string& section, const std::string& key, bool value) const {
    WriteString(section, key, value ? "1" : "0");
}

std::string PlacementSection(std::string_view formClassName, int dpi) {
    std::string section = std::string(formClassName) + "_Placement";
    if (dpi > 96) section += std::to_string(dpi);
    return section;
}

bool IsPlacementPossible(const Rect& stored) {
    for (const int edge : {stored.left, stored.top, stored.right, stored.bottom}) {
        if (edge < -kFarthestWindowEdge || edge > kFarthestWindowEdge) return false;
    }
    // A reversed rectangle would leave the window no more than its title bar, and that size
    // would be saved back.
    return stored.left <= stored.right && stored.top <= stored.bottom;
}

Rect FitToScreen(Rect stored, const Rect& monitor) {
    if (monitor.right < stored.right) {
        stored.left -= stored.right - monitor.right;
        stored.right = monitor.right;
    }
    if (monitor.bottom < stored.bottom) {
        stored.top -= stored.bottom - monitor.bottom;
        stored.bottom = monitor.bottom;
    }
    return stored;
}

Position CenteredPosition(Size window, Size screen, bool overMainWindow, const Rect& mainWindow) {
    if (!overMainWindow) {
        return Position{(screen.width - window.width) / 2, (screen.height - window.height) / 2};
    }
    return Position{(mainWindow.Width() - window.width) / 2 + mainWindow.left,
                    (mainWindow.Height() - window.height) / 2 + mainWindow.top};
}

namespace {

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

void CenterOverMainForm(Form& form) {
    const Form* main = Application::MainForm();
    // Before the message loop has a main window, there is nothing to centre over but the screen.
    const bool overMainWindow = !SameText(form.ClassName(), "TMainForm") && main &&
                                main->GetWindowState() != WindowState::Maximized;
    const Rect bounds = form.ScreenBounds();
    const Position at = CenteredPosition(Size{bounds.Width(), bounds.Height()}, ScreenSize(),
                                         overMainWindow, main ? main->ScreenBounds() : Rect{});
    // Only the corner moves: the size stays exactly as designed.
    form.SetBounds(ToDesignPixels(at.left), ToDesignPixels(at.top), form.Width(), form.Height());
    BorderIcons icons = form.Icons();
    if (icons.maximize) {
        icons.systemMenu = true;
        form.SetIcons(icons);
    }
}

}  // namespace pellino
