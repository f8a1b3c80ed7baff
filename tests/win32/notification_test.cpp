// The notification window on the real platform, driven by the keys and commands a user gives it
// while its modal loop runs: the focus order, Escape, Enter on the focused button, and the close
// command.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "keyboard.h"
#include "schedule/alarmshow.h"

namespace pellino {
namespace {

std::string TextOf(HWND hwnd) {
    char text[128] = "";
    if (hwnd) GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

HWND Notification() {
    return FindWindowA(nullptr, "Reminder Notification");
}

struct ButtonSearch {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK MatchCaption(HWND child, LPARAM data) {
    auto& search = *reinterpret_cast<ButtonSearch*>(data);
    if (TextOf(child) != search.caption) return TRUE;
    search.found = child;
    return FALSE;
}

HWND ButtonOf(const std::string& caption) {
    ButtonSearch search{caption};
    EnumChildWindows(Notification(), MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PostKey(WPARAM key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
}

bool GuardOver() {
    return IsWindowEnabled(ButtonOf("Ok")) != 0;
}

// The buttons that wear the default frame, by caption.
std::string Framed() {
    std::string framed;
    for (const char* caption : {"5 minutes", "10 minutes", "30 minutes", "1 hour", "2 hours",
                                "4 hours", "24 hours", "1 week", "Delete", "Ok"}) {
        const LONG style = GetWindowLongA(ButtonOf(caption), GWL_STYLE);
        if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            framed += (framed.empty() ? "" : ", ") + std::string(caption);
        }
    }
    return framed;
}

// One step of a user at the window: it runs at a beat and says whether it is done; a step that
// is not done (a wait) runs again at the next beat.
using Step = std::function<bool()>;

Step Do(std::function<void()> action) {
    return [action = std::move(action)] {
        action();
        return true;
    };
}

// Waits until the guard is over and the buttons work.
Step WaitForGuard() {
    return [] { return GuardOver(); };
}

// Shows the window modally and runs one step at each beat of a thread timer, so that each step
// finds what the keys of the step before have done. A step left over when the window closed is
// reported; so is a window that stays open after the last step, or a wait that waits too long.
class Steps {
public:
    int Run(TAlarmShow& window, std::vector<Step> steps) {
        steps_ = std::move(steps);
        next_ = 0;
        current_ = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, &Steps::Beat);
        const int result = window.ShowModal();
        KillTimer(nullptr, timer);
        current_ = nullptr;
        EXPECT_EQ(next_, steps_.size()) << "the window closed before the last step";
        return result;
    }

private:
    static void CALLBACK Beat(HWND, UINT, UINT_PTR, DWORD) {
        Steps& self = *current_;
        if (self.next_ < self.steps_.size()) {
            if (self.steps_[self.next_]()) {
                ++self.next_;
                self.idleBeats_ = 0;
            } else if (++self.idleBeats_ > 150) {
                ADD_FAILURE() << "step " << self.next_ << " waited 3 s in vain";
                self.next_ = self.steps_.size();
            }
        } else if (++self.idleBeats_ > 100) {
            ADD_FAILURE() << "the window stayed open after the last step";
            PostMessageA(Notification(), WM_SYSCOMMAND, SC_CLOSE, 0);
            self.idleBeats_ = 0;
        }
    }

    static inline Steps* current_ = nullptr;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int idleBeats_ = 0;
};

TEST(Win32Notification, TabGoesRoundTheButtonsAndEscapeDoesNothing) {
    TAlarmShow window;
    window.AlarmMsg.SetText("Tea");
    std::vector<std::string> focus;
    std::vector<Step> steps{WaitForGuard()};
    for (int i = 0; i < 11; ++i) {
        steps.push_back(Do([&focus] {
            focus.push_back(TextOf(GetFocus()));
            PostKey(VK_TAB);
        }));
    }
    steps.push_back(Do([] { PostKey(VK_ESCAPE); }));
    bool openAfterEscape = false;
    steps.push_back(Do([&] {
        openAfterEscape = IsWindowVisible(Notification()) != 0;
        focus.push_back(TextOf(GetFocus()));
        PostKey(VK_RETURN);
    }));
    EXPECT_EQ(Steps().Run(window, std::move(steps)), -5) << "Enter on the button Tab reached last";
    EXPECT_EQ(focus, (std::vector<std::string>{"Ok", "5 minutes", "10 minutes", "30 minutes",
                                               "1 hour", "2 hours", "4 hours", "24 hours", "1 week",
                                               "Delete", "Ok", "5 minutes"}));
    EXPECT_TRUE(openAfterEscape);
}

TEST(Win32Notification, EnterPressesTheFocusedButton) {
    const std::pair<const char*, int> cases[] = {
        {"10 minutes", -10}, {"1 week", -10080}, {"Delete", kAlarmDelete}, {"Ok", kAlarmOk}};
    TAlarmShow window;
    for (const auto& [caption, result] : cases) {
        SCOPED_TRACE(caption);
        std::vector<Step> steps{WaitForGuard()};
        steps.push_back(Do([caption = std::string(caption)] {
            ASSERT_NE(ButtonOf(caption), nullptr);
            SetFocus(ButtonOf(caption));
        }));
        steps.push_back(Do([] { PostKey(VK_RETURN); }));
        EXPECT_EQ(Steps().Run(window, std::move(steps)), result);
    }
}

// Keys from the keyboard and clicks in the window's first moments answer nothing, reach no other
// window and are not kept for later; the window then answers only what comes after the guard.
TEST(Win32Notification, TheGuardSwallowsKeysAndClicksForItsFirst800Ms) {
    // Another window of the program, whose field had the focus before the notification came.
    HWND other = CreateWindowExA(0, "STATIC", "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND field = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 5, 5, 200, 20, other,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    SetFocus(field);

    TAlarmShow window;
    window.AlarmMsg.SetText("Tea");
    DWORD shown = 0, guardOver = 0;
    std::vector<std::string> seen;
    const auto look = [&](const char* when) {
        seen.push_back(std::string(when) + ": " +
                       (IsWindowVisible(Notification()) ? "up" : "gone") + ", Ok " +
                       (GuardOver() ? "enabled" : "disabled"));
    };
    std::vector<Step> steps{
        Do([&] {
            look("shown");
            TypeKey(VK_RETURN);
            TypeKey(VK_SPACE);
            TypeKey('X');
            PostMessageA(ButtonOf("Ok"), BM_CLICK, 0, 0);
            PostMessageA(Notification(), WM_SYSCOMMAND, SC_CLOSE, 0);
        }),
        Do([&] { look("after Enter, Space, X, a click on Ok and the close command"); }),
        Do([&] { TypeKey(VK_RETURN); }),
        Do([&] { look("after another Enter"); }),
        [&] {
            if (!GuardOver()) return false;
            guardOver = GetTickCount();
            look("guard over");
            return true;
        },
        // The keyboard reaches the window once the guard is over.
        Do([] { TypeKey(VK_TAB); }),
        Do([&] {
            seen.push_back("Tab: focus " + TextOf(GetFocus()));
            PostMessageA(ButtonOf("10 minutes"), BM_CLICK, 0, 0);
        }),
    };
    // Taken before the window is shown: the first step may run well after the showing on a busy
    // machine, and a start taken there would make the guard look shorter than it was.
    shown = GetTickCount();
    EXPECT_EQ(Steps().Run(window, std::move(steps)), -10)
        << "no key or click of the guard was kept for later";
    EXPECT_EQ(seen,
              (std::vector<std::string>{
                  "shown: up, Ok disabled",
                  "after Enter, Space, X, a click on Ok and the close command: up, Ok disabled",
                  "after another Enter: up, Ok disabled",
                  "guard over: up, Ok enabled",
                  "Tab: focus 5 minutes",
              }));
    // The guard ends on the timer's message, which waits behind any other, so only its lower
    // bound is the window's rule (measured from before the showing, so never too short); how soon after 800 ms it ends depends on the machine's load and
    // is measured by bench/wine-guard.sh from the property recorded here.
    if (guardOver != 0) {
        const int lasted = static_cast<int>(guardOver - shown);
        RecordProperty("guardMs", lasted);
        EXPECT_GE(lasted, 700) << "the guard lasts 800 ms from the showing";
    }
    char typed[16] = "";
    GetWindowTextA(field, typed, sizeof typed);
    EXPECT_STREQ(typed, "") << "no key of the guard reached the window that had the focus";
    DestroyWindow(other);
}

TEST(Win32Notification, TheCloseCommandAcknowledgesAndOkHasTheFocusAgainAtTheNextShowing) {
    // Alt+F4, "Close window" on the taskbar button and another program closing the window all
    // come as the close command; none of them may throw the reminder away.
    TAlarmShow window;
    std::string focusAtShowing;
    EXPECT_EQ(
        Steps().Run(window, {WaitForGuard(), Do([] { SetFocus(ButtonOf("4 hours")); }),
                             Do([] { PostMessageA(Notification(), WM_SYSCOMMAND, SC_CLOSE, 0); })}),
        kAlarmOk);
    EXPECT_EQ(Steps().Run(window, {WaitForGuard(), Do([&] {
                                       focusAtShowing = TextOf(GetFocus());
                                       PostKey(VK_RETURN);
                                   })}),
              kAlarmOk);
    EXPECT_EQ(focusAtShowing, "Ok");
}

// The dark frame of the button that Enter presses goes with the focus, and is Ok's alone again
// when the window next shows.
TEST(Win32Notification, TheDefaultFrameBelongsToOkAtEveryShowing) {
    TAlarmShow window;
    std::vector<std::string> seen;
    const auto look = [&](const char* when) {
        seen.push_back(std::string(when) + ": focus " + TextOf(GetFocus()) + ", frame " + Framed());
    };
    EXPECT_EQ(Steps().Run(window, {WaitForGuard(), Do([&] {
                                       look("after the guard");
                                       PostKey(VK_TAB);
                                   }),
                                   Do([&] {
                                       look("Tab");
                                       PostKey(VK_TAB);
                                   }),
                                   Do([&] {
                                       look("Tab");
                                       PostKey(VK_RETURN);
                                   })}),
              -10);
    EXPECT_EQ(Steps().Run(window, {Do([&] { look("next showing"); }), WaitForGuard(), Do([&] {
                                       look("after the guard");
                                       PostKey(VK_RETURN);
                                   })}),
              kAlarmOk);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "after the guard: focus Ok, frame Ok",
                        "Tab: focus 5 minutes, frame 5 minutes",
                        "Tab: focus 10 minutes, frame 10 minutes",
                        "next showing: focus , frame Ok",
                        "after the guard: focus Ok, frame Ok",
                    }));
}

// With one monitor, as on the platforms without the multiple-monitor calls, the window comes up
// in the middle of the screen.
TEST(Win32Notification, OneMonitorCentresTheWindowOnTheScreen) {
    TAlarmShow window;
    RECT r{};
    Steps().Run(window, {Do([&] { GetWindowRect(Notification(), &r); }), WaitForGuard(),
                         Do([] { PostKey(VK_RETURN); })});
    EXPECT_NEAR((r.left + r.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 2);
    EXPECT_NEAR((r.top + r.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 2);
}

}  // namespace
}  // namespace pellino
