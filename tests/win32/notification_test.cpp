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

// Shows the window modally and runs one step at each beat of a thread timer, so that each step
// finds what the keys of the step before have done. A step left over when the window closed is
// reported; so is a window that stays open after the last step.
class Steps {
public:
    int Run(TAlarmShow& window, std::vector<std::function<void()>> steps) {
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
            self.steps_[self.next_++]();
        } else if (++self.idleBeats_ > 50) {
            ADD_FAILURE() << "the window stayed open after the last step";
            PostMessageA(Notification(), WM_SYSCOMMAND, SC_CLOSE, 0);
        }
    }

    static inline Steps* current_ = nullptr;
    std::vector<std::function<void()>> steps_;
    std::size_t next_ = 0;
    int idleBeats_ = 0;
};

TEST(Win32Notification, TabGoesRoundTheButtonsAndEscapeDoesNothing) {
    TAlarmShow window;
    window.AlarmMsg.SetText("Tea");
    std::vector<std::string> focus;
    std::vector<std::function<void()>> steps;
    for (int i = 0; i < 11; ++i) {
        steps.push_back([&focus] {
            focus.push_back(TextOf(GetFocus()));
            PostKey(VK_TAB);
        });
    }
    steps.push_back([] { PostKey(VK_ESCAPE); });
    bool openAfterEscape = false;
    steps.push_back([&] {
        openAfterEscape = IsWindowVisible(Notification()) != 0;
        focus.push_back(TextOf(GetFocus()));
        PostKey(VK_RETURN);
    });
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
        std::vector<std::function<void()>> steps;
        steps.push_back([caption = std::string(caption)] {
            ASSERT_NE(ButtonOf(caption), nullptr);
            SetFocus(ButtonOf(caption));
        });
        steps.push_back([] { PostKey(VK_RETURN); });
        EXPECT_EQ(Steps().Run(window, std::move(steps)), result);
    }
}

TEST(Win32Notification, TheCloseCommandAcknowledgesAndOkHasTheFocusAgainAtTheNextShowing) {
    // Alt+F4, "Close window" on the taskbar button and another program closing the window all
    // come as the close command; none of them may throw the reminder away.
    TAlarmShow window;
    std::string focusAtShowing;
    EXPECT_EQ(
        Steps().Run(window, {[] { SetFocus(ButtonOf("4 hours")); },
                             [] { PostMessageA(Notification(), WM_SYSCOMMAND, SC_CLOSE, 0); }}),
        kAlarmOk);
    EXPECT_EQ(Steps().Run(window, {[&] {
                              focusAtShowing = TextOf(GetFocus());
                              PostKey(VK_RETURN);
                          }}),
              kAlarmOk);
    EXPECT_EQ(focusAtShowing, "Ok");
}

}  // namespace
}  // namespace pellino
