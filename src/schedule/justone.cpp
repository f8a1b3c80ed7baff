#include "schedule/justone.h"

#include "platform/files.h"
#include "runtime/strings.h"

namespace pellino {

namespace {

// The running copy's main window is found by its own window class and its caption together, and
// is asked by a message registered under the single-copy name: a window of another program, or
// of a program file of another name, cannot take the request for its own. No window's caption is
// changed on the way.
constexpr char kMainWindowClass[] = "TMainForm";
constexpr char kMainWindowCaption[] = "Pellino!";

}  // namespace

std::string SingleCopyName() {
    return ExtractFileName(ProgramExePath());
}

TJustOne::TJustOne() : mutex_(SingleCopyName()) {
    if (!PreviousInstance()) return;
    PostToRunningCopy(kMainWindowClass, kMainWindowCaption, ComeForwardMessage(SingleCopyName()));
}

}  // namespace pellino
