#include "program.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/headless/recording_canvas.h"
#include "platform/headless/testing.h"
#include "runtime/formats.h"

namespace pellino::fuzz {

void ResetProgram() {
    headless::ResetAll();
    // Any input may make the program show a box (a damaged data file is told at the start), and
    // an input is to run to its end whatever it shows: every box is answered Ok. The targets
    // check through the box log which boxes they expect.
    headless::SetUnexpectedMessageBoxHandler(
        [](const headless::MessageBoxCall&) { return idresult::kOk; });
    SaveUserFormats();
    UseFixedFormats();
}

void WriteProgramFile(const std::string& programPath, const std::string_view bytes) {
    std::ofstream out(headless::HostPath(programPath), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadProgramFile(const std::string& programPath) {
    std::ifstream in(headless::HostPath(programPath), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ProgramFileExists(const std::string& programPath) {
    return std::filesystem::exists(headless::HostPath(programPath));
}

std::unique_ptr<TMainForm> StartProgram() {
    auto form = std::make_unique<TMainForm>();
    form->CreateNotificationWindow();
    Application::Run(*form);  // makes it the main window; the headless loop returns at once
    form->Show();
    return form;
}

void PaintLists(TMainForm& form) {
    headless::RecordingCanvas canvas;
    form.AlarmGrid.Paint(canvas);
    form.RepeatingAlarmGrid.Paint(canvas);
}

}  // namespace pellino::fuzz
