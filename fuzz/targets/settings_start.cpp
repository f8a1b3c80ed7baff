// A settings file through the program's start and close: the settings are read, the placement is
// restored and saved on the first activation and saved again on the close. Whatever the file held,
// the placement the program saves is one it keeps: a second start from that file puts the window
// in the same place and saves the same values.

#include "fuzz_target.h"
#include "model/settings.h"
#include "platform/headless/testing.h"
#include "program.h"

using namespace pellino;

namespace {

struct Placement {
    int left, top, right, bottom;
    bool maximized;
    bool operator==(const Placement&) const = default;
};

Placement savedPlacement() {
    const SettingsFile ini;
    const std::string section = PlacementSection("TMainForm", 96);
    return {ini.ReadInteger(section, settings::kLeft, 0),
            ini.ReadInteger(section, settings::kTop, 0),
            ini.ReadInteger(section, settings::kRight, 0),
            ini.ReadInteger(section, settings::kBottom, 0),
            ini.ReadBool(section, settings::kMaximized, false)};
}

std::string text(const Placement& p) {
    return std::to_string(p.left) + "," + std::to_string(p.top) + "," + std::to_string(p.right) +
           "," + std::to_string(p.bottom) + (p.maximized ? " maximized" : "");
}

Placement startAndClose() {
    auto form = fuzz::StartProgram();
    form->Close();
    FUZZ_CHECK(headless::MessageBoxLog().empty(),
               "the start or close showed: " + headless::MessageBoxLog().front().text);
    return savedPlacement();
}

}  // namespace

FUZZ_TARGET(settings_start) {
    fuzz::ResetProgram();
    fuzz::WriteProgramFile(SettingsFilePath(), {reinterpret_cast<const char*>(data), size});
    const Placement first = startAndClose();
    const Placement second = startAndClose();
    FUZZ_CHECK(first == second,
               "the placement saved moved from " + text(first) + " to " + text(second));
}
