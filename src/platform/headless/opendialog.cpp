#include "platform/opendialog.h"

#include <deque>
#include <optional>

#include "platform/backend.h"
#include "platform/headless/testing.h"

namespace pellino {

namespace headless {
void ReactivateAfterModal();
}  // namespace headless

namespace {

struct OpenDialogFakes {
    std::deque<std::optional<std::string>> answers;
    std::vector<headless::OpenDialogCall> log;
};

OpenDialogFakes& State() {
    static OpenDialogFakes fakes;
    return fakes;
}

}  // namespace

namespace backend {

bool RunOpenDialog(const OpenDialog& dialog, std::string& chosen) {
    State().log.push_back(
        {dialog.Filter(), dialog.FileName(), dialog.InitialDir(), dialog.DefaultExt()});
    if (State().answers.empty()) throw headless::UnscriptedOpenDialog{};
    std::optional<std::string> answer = std::move(State().answers.front());
    State().answers.pop_front();
    headless::ReactivateAfterModal();
    if (!answer) return false;
    chosen = *answer;
    return true;
}

}  // namespace backend

namespace headless {

void QueueOpenDialogAnswer(std::optional<std::string> path) {
    State().answers.push_back(std::move(path));
}

const std::vector<OpenDialogCall>& OpenDialogLog() {
    return State().log;
}

void ResetOpenDialogs() {
    State() = OpenDialogFakes{};
}

}  // namespace headless

}  // namespace pellino
