#pragma once

// Controls of the headless backend for tests: a fake clock whose advance fires due timers in order,
// scripted message boxes with a log, settable regional settings and a temporary program folder.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/graphics.h"
#include "platform/logonstart.h"
#include "platform/regional.h"
#include "platform/system.h"
#include "platform/timezone.h"

namespace pellino {
class Control;
class Form;
}  // namespace pellino

namespace pellino::headless {

// The fake clock. Setting it fires nothing; advancing it fires every timer whose period ends on
// the way, in order of their due moments, with the clock standing at each due moment. SetClock
// sets the local time (of a time the zone shows twice, its first showing), SetClockUtc the
// universal time.
void SetClock(const LocalTime& time);
void SetClockUtc(const LocalTime& time);
// The fake clock's time zone, from now on; the universal time stays. Until a test sets one, the
// zone keeps universal time all year.
void SetTimeZone(const TimeZoneRules& rules);
void AdvanceClock(std::int64_t ms);
// Makes the platform refuse every new timer, as it does when its timers run out.
void RefuseTimers(bool refuse);
// How many timers are switched on now.
int ActiveTimerCount();

void SetRegionalSettings(const RegionalSettings& settings);

// One message box as the program showed it.
struct MessageBoxCall {
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

// Message boxes: each box takes the next queued answer, else the answer of the handler set for
// unexpected boxes. A box with neither fails the test: it is noted as a problem of the test and
// raises UnscriptedMessageBox, so a test cannot click through a question or an error it did not
// expect. An answer queued that no box took is a problem of the test too.
void QueueMessageBoxAnswer(int answer);
const std::vector<MessageBoxCall>& MessageBoxLog();
void SetUnexpectedMessageBoxHandler(std::function<int(const MessageBoxCall&)> handler);

struct UnscriptedMessageBox {
    MessageBoxCall call;
};

// The problems a test left behind (boxes shown with nothing scripted, answers queued and never
// taken), one sentence each; taking them clears them. ResetAll hands them to the reporter set
// here before it clears the fakes, so a test that resets at its end is blamed for its own.
std::vector<std::string> TakeTestProblems();
void SetTestProblemReporter(std::function<void(const std::vector<std::string>&)> reporter);

// A fresh temporary folder standing for "C:\PELLINO\", where the program's executable lives.
// Paths below "C:\" map into it; the folder is removed by ResetAll or at process end.
std::string ProgramFolderOnDisk();
std::string HostPath(const std::string& programPath);

// Holds a file open without sharing, as another program may do: the program's own opens and
// creates of that path fail until it is released, an open with the platform's sharing violation.
void LockFile(const std::string& programPath, bool locked);

// Makes the platform refuse writes to a settings file, as it does for a read-only file: reading
// it still works.
void SetReadOnly(const std::string& programPath, bool readOnly);

// The free space of the disk the program folder lies on, in bytes; -1 (the start state) has room
// for everything. Writes to files the program creates and copies of files take from it, and a
// write that does not fit is cut short, as on a full disk.
void SetDiskSpace(std::int64_t bytes);

// The screen, for a control that draws itself: once put there, the control's window is drawn
// again only when it is invalidated, as on the platform. ShownText processes the waiting paint
// and gives the text the window shows; RepaintPending says whether a paint is waiting.
void PutOnScreen(Control& control);
std::string ShownText(const Control& control);
bool RepaintPending(const Control& control);

// What reached the screen for a control put there, each counted as the platform would do it:
// requests to draw the window again, changes of its scroll bars (each redraws the bar) and moves
// or resizes of the window. A batch of changes that pays once shows as one of each.
struct ScreenTraffic {
    int repaints = 0;
    int scrollBarUpdates = 0;
    int boundsChanges = 0;
    // What each scroll bar was last given (max -1: nothing yet).
    struct Bar {
        int max = -1;
        int page = -1;
        int position = -1;
        bool operator==(const Bar&) const = default;
    };
    Bar horizontal;
    Bar vertical;
};
ScreenTraffic TrafficOf(const Control& control);
void ResetTraffic(const Control& control);

// Makes the n-th operation from now that creates, renames, replaces, copies or deletes a file
// fail, as a disk or another program may make any of them fail (0: none).
void FailFileOperation(int n);

// The screen: 1024 x 768 at 96 DPI unless a test says otherwise; one monitor of that size.
void SetScreen(Size size, int dpi);
// The monitors in screen pixels, the primary one first (the screen size is its size). The
// platform tells them apart only from Windows 98 and Windows 2000 on (SetPlatformVersion); before
// that the program sees one screen.
void SetMonitors(std::vector<Rect> monitors);
// The foreground window, another program's, by its rectangle; none at the start.
void SetForegroundWindow(std::optional<Rect> window);
// The mouse pointer, in screen pixels; at 0, 0 at the start.
void SetCursorPosition(int x, int y);

// Modal forms: each ShowModal of a form takes the next script queued for its class name, runs it
// (it acts on the form's controls like a user, until a modal result is set) and returns the result.
// A modal form shown with no script queued fails the test loudly: the error escapes every handler.
using ModalScript = std::function<void(Form&)>;
void ScriptModal(const std::string& className, ModalScript script);
// A key pressed while the form is active, as the platform delivers it: the form's key preview
// first, then the focused custom control (its key, and then the character a letter, a digit or
// Enter types), then the dialog keys (Tab and Shift+Tab move the focus round the tab stops; Enter
// presses the focused button, else the default button; Space the focused button; Escape the
// cancel button; a letter with Alt, or a letter alone where the focused control takes no typed
// characters, presses the control whose caption underlines it). F1 shows the focused control's
// what's-this text below it. While a what's-this pop-up shows, the key only closes it.
// Keys are given by their virtual-key codes: 'A' to 'Z' and '0' to '9' for letters and digits.
void PressKey(Form& form, int key, ShiftState shift = {});
// Class names of the modal forms shown, in order.
const std::vector<std::string>& ModalLog();
std::size_t PendingModalScripts();

struct UnscriptedModalForm {
    std::string className;
};

// File-open dialogs: each Execute takes the next queued answer, a path (the user picked that file)
// or std::nullopt (the user cancelled). A dialog shown with no answer queued fails the test loudly.
struct OpenDialogCall {
    std::string filter;
    std::string fileName;
    std::string initialDir;
    std::string defaultExt;
};
void QueueOpenDialogAnswer(std::optional<std::string> path);
const std::vector<OpenDialogCall>& OpenDialogLog();
struct UnscriptedOpenDialog {};

// Wave playback requests in order; a stop request is logged as "<stop>".
const std::vector<std::string>& SoundLog();
// Whether the system has a sound device (it has one unless a test takes it away).
void SetSoundDevice(bool present);
// Help requests in order: "<help file> #<context number>" for the WinHelp engine,
// "<file>.CHM::/ctx<context number>.html" for HTML Help, "<close <help file>>" when the program
// closes its help windows.
const std::vector<std::string>& HelpLog();
// Pop-up menus shown under a control, by the control's name, in order. A pop-up shown in a test
// chooses nothing; tests click the item they want.
const std::vector<std::string>& PopupLog();

// The mouse and the focus as the platform delivers them while a what's-this pop-up may show: the
// next click (or key, see PressKey) only closes the pop-up; without one, a right click asks the
// control's form for its what's-this menu and a left click presses the control. As on the platform,
// a second left click on the same control within half a second of the first (on the fake clock)
// is a double click: the buttons the program draws and radio buttons report it as such, other
// buttons as a plain click; a third click starts a new pair. LoseFocus is the
// program losing the focus to another one. Popup menus shown at a point are logged in PopupLog as
// "at X,Y".
void RightClick(Control& control, int screenX, int screenY);
// A left click also gives the focus to a control that takes it from the mouse: a button, a box,
// a field or a control the program draws (not the tab strip, a label or a panel).
void MouseClick(Control& control);
void LoseFocus();
// Where a control lies on the screen, in screen pixels, as the platform would place it.
Rect ScreenRectOf(const Control& control);

// Another copy of the program runs and holds the named mutex, as far as this process can tell.
void SetOtherCopyRunning(const std::string& mutexName, bool running);

// The start-up show command and the platform family the program sees.
void SetStartupShowCommand(int showCommand, int startupInfoShowCommand = 1);
void SetWindows95Family(bool family95);
// The platform version the program sees (Windows XP unless set; SetWindows95Family sets Windows 98
// or back to that).
void SetPlatformVersion(const PlatformVersion& version);

// Input that waits in the message queue, as a click the user made while the program was busy:
// it is delivered, through the error dispatch, at the program's next processing of messages.
void PostToMessageLoop(std::function<void()> work);
// Messages the program posted to itself and that wait for Application::ProcessMessages.
std::size_t PendingMessages();

// The notification area: whether the program's icon is in it, with which tip, and what the icon
// asked of the platform, in order: "add", "tip" (a new tip for the entry shown), "remove",
// "freeze" and "unfreeze" (the desktop's drawing), "foreground", "menu at X,Y", "empty message".
bool TrayIconShown();
const std::string& TrayIconTip();
const std::vector<std::string>& TrayLog();
void ClearTrayLog();
// The next menu opened from the icon chooses the item of that name; without one it chooses
// nothing.
void ChooseFromTrayMenu(const std::string& itemName);
// The platform refuses new icons, as where there is no notification area.
void RefuseTrayIcons(bool refuse);

// Requests that a second copy of the program sent to the running one, as "CLASS|CAPTION|MESSAGE".
// The running copy's window is the main form of this process, when its class and caption match.
const std::vector<std::string>& RunningCopyRequests();

// What the user's log-on starts (logonstart.h): the Startup shortcuts and the Run values by name,
// none at the start. A system without shortcuts has no Startup folder and refuses to make one
// with error 50 (not supported); a refusal makes every change of either fail with that error code
// (0: none), as a folder or registry key the user may not write does.
void SetStartupShortcut(const std::string& name, std::optional<ShortcutInfo> shortcut);
void SetRunValue(const std::string& name, std::optional<std::string> commandLine);
void SetShortcutsUnavailable(bool unavailable);
void RefuseLogonChanges(unsigned long error);

// Puts every fake back to its start state: clock at 2026-01-05 09:00:00.000 (a Monday), no timers,
// no message boxes queued or logged, en-US regional settings, an empty program folder, nothing
// started at log-on.
void ResetAll();

}  // namespace pellino::headless
