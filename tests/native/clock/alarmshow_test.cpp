// The notification window: its look, its buttons and the answers they give the clock, the guard
// that keeps its buttons from answering in its first moments, its default frame, and the monitor
// it comes up on.

#include "schedule/alarmshow.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "clock/clock_fixture.h"
#include "platform/headless/testing.h"

namespace pellino {
namespace {

class AlarmShowTest : public ::testing::Test {
protected:
    void SetUp() override { headless::ResetAll(); }
    void TearDown() override {
        EXPECT_EQ(headless::PendingModalScripts(), 0u) << "a scripted answer was never asked for";
    }

    std::vector<Button*> Buttons() {
        std::vector<Button*> buttons;
        for (Control* child : window.Panel1.Children()) {
            if (child->Kind() == ControlKind::Button)
                buttons.push_back(static_cast<Button*>(child));
        }
        return buttons;
    }
    Button& ButtonOf(const std::string& caption) {
        for (Button* button : Buttons()) {
            if (button->Text() == caption) return *button;
        }
        ADD_FAILURE() << "no button " << caption;
        return window.OkButton;
    }
    // The buttons that wear the default frame, by caption.
    std::string Framed() {
        std::string framed;
        for (Button* button : Buttons()) {
            if (button->DefaultFrame()) framed += (framed.empty() ? "" : ", ") + button->Text();
        }
        return framed;
    }
    std::string Focused() {
        return window.ActiveControl() ? window.ActiveControl()->Text() : "none";
    }

    TAlarmShow window;
};

TEST_F(AlarmShowTest, StaysOnTopOfEverythingWithoutBorderIcons) {
    EXPECT_EQ(window.Caption(), "Reminder Notification");
    EXPECT_EQ(window.Border(), FormBorder::Dialog);
    EXPECT_FALSE(window.Icons().systemMenu) << "no system menu, so no close box either";
    EXPECT_TRUE(window.StayOnTop());
    EXPECT_TRUE(window.OwnedByDesktop()) << "shows while the main window is minimised";
    EXPECT_EQ(window.Position(), FormPosition::ScreenCenter);
    EXPECT_EQ(window.ClientWidth(), 384);
    EXPECT_EQ(window.ClientHeight(), 239);
    EXPECT_TRUE(window.ShowHints());
    EXPECT_EQ(window.Label1.Text(), "Remind me again in:");
    EXPECT_TRUE(window.AlarmMsg.WordWrap());
    EXPECT_TRUE(window.AlarmMsg.GetFont().bold);
    EXPECT_EQ(window.DeleteButton.GetFont().color, colors::kRed);
    EXPECT_TRUE(window.DeleteButton.GetFont().bold);
    EXPECT_TRUE(window.OkButton.GetFont().bold);
    EXPECT_TRUE(window.OkButton.Default());
}

// Every button in tab order, with its hint and the answer it gives once the guard is over.
TEST_F(AlarmShowTest, EachButtonAnswersWithItsOwnResultInTabOrder) {
    struct Expect {
        std::string caption;
        std::string hint;
        int result;
    };
    const std::vector<Expect> expected{
        {"5 minutes", "Add 5 minutes to reminder time", -5},
        {"10 minutes", "Add 10 minutes to reminder time", -10},
        {"30 minutes", "Add 30 minutes to reminder time", -30},
        {"1 hour", "Add 60 minutes to reminder time", -60},
        {"2 hours", "Add 2 hours to reminder time", -120},
        {"4 hours", "Add 4 hours to reminder time", -240},
        {"24 hours", "Add 24 hours (one full day) to reminder time", -1440},
        {"1 week", "Add one full week  to reminder time", -10080},
        {"Delete", "Delete this reminder", 2},
        {"Ok", "Terminate this alarm", 1},
    };
    const std::vector<Button*> buttons = Buttons();
    ASSERT_EQ(buttons.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].caption);
        Button& button = *buttons[i];
        EXPECT_EQ(button.Text(), expected[i].caption) << "tab position " << i;
        EXPECT_EQ(button.Hint(), expected[i].hint);
        EXPECT_TRUE(button.TabStop());
        headless::ScriptModal("TAlarmShow", [&button](Form&) {
            headless::AdvanceClock(kAlarmGuardMs);
            headless::MouseClick(button);
        });
        EXPECT_EQ(window.ShowModal(), expected[i].result);
    }
}

// What the user does, one step after another from the moment the window appears, and what the
// window does with each: stays up ("up") or ends with its answer.
TEST_F(AlarmShowTest, KeysClicksAndTheCloseCommandInsideAndAfterTheGuard) {
    struct Step {
        int afterMs;  // since the step before, or since the window appeared
        std::string input;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"Enter the instant the window appears is swallowed",
         {{0, "Enter"}, {kAlarmGuardMs, "Enter"}},
         {"Enter at 0: up", "Enter at 800: 1"}},
        {"Space too, on the focused Ok",
         {{0, "Space"}, {kAlarmGuardMs, "Space"}},
         {"Space at 0: up", "Space at 800: 1"}},
        {"a key in the guard's last moment is not kept for later",
         {{kAlarmGuardMs - 1, "Enter"}, {1, "click 10 minutes"}},
         {"Enter at 799: up", "click 10 minutes at 800: -10"}},
        {"a Tab in the guard moves nothing: Enter afterwards presses Ok",
         {{0, "Tab"}, {kAlarmGuardMs, "Enter"}},
         {"Tab at 0: up", "Enter at 800: 1"}},
        {"clicks on any button do nothing until the guard ends",
         {{0, "click Ok"}, {400, "click 5 minutes"}, {399, "click Delete"}, {1, "click Delete"}},
         {"click Ok at 0: up", "click 5 minutes at 400: up", "click Delete at 799: up",
          "click Delete at 800: 2"}},
        {"the close command waits for the guard as Ok does",
         {{0, "close"}, {kAlarmGuardMs, "close"}},
         {"close at 0: up", "close at 800: 1"}},
        {"Escape does nothing, inside the guard or after it",
         {{0, "Escape"}, {kAlarmGuardMs, "Escape"}, {0, "Enter"}},
         {"Escape at 0: up", "Escape at 800: up", "Enter at 800: 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> events;
        headless::ScriptModal("TAlarmShow", [&](Form& form) {
            int sinceShown = 0;
            for (const Step& step : c.steps) {
                headless::AdvanceClock(step.afterMs);
                sinceShown += step.afterMs;
                if (step.input == "Enter") headless::PressKey(form, keys::kReturn);
                if (step.input == "Space") headless::PressKey(form, keys::kSpace);
                if (step.input == "Escape") headless::PressKey(form, keys::kEscape);
                if (step.input == "Tab") headless::PressKey(form, keys::kTab);
                if (step.input == "close") form.Close();
                if (step.input.rfind("click ", 0) == 0)
                    headless::MouseClick(ButtonOf(step.input.substr(6)));
                const int result = form.ModalResult();
                events.push_back(step.input + " at " + std::to_string(sinceShown) + ": " +
                                 (result == 0 ? "up" : std::to_string(result)));
                if (result != 0) return;
            }
        });
        window.ShowModal();
        EXPECT_EQ(events, c.expected);
    }
}

// The guard shows: every button is drawn disabled until it ends, and then Ok has the focus.
// Nothing else of the window changes, at any showing.
TEST_F(AlarmShowTest, TheButtonsAreShownDisabledDuringTheGuardAtEveryShowing) {
    window.AlarmMsg.SetText("Tea");
    std::vector<std::string> seen;
    const auto look = [&](const char* when) {
        std::string enabled;
        for (Button* button : Buttons()) enabled += button->Enabled() ? "E" : "-";
        seen.push_back(std::string(when) + ": " + enabled + " focus " + Focused() + ", '" +
                       window.AlarmMsg.Text() + "', Delete " +
                       (window.DeleteButton.Visible() ? "shown" : "hidden"));
    };
    for (bool oneTime : {true, false}) {
        window.DeleteButton.SetVisible(oneTime);
        headless::ScriptModal("TAlarmShow", [&](Form&) {
            look("shown");
            headless::AdvanceClock(kAlarmGuardMs - 1);
            look("799 ms");
            headless::AdvanceClock(1);
            look("800 ms");
            headless::MouseClick(window.b1hour);
        });
        EXPECT_EQ(window.ShowModal(), -60);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "shown: ---------- focus none, 'Tea', Delete shown",
                        "799 ms: ---------- focus none, 'Tea', Delete shown",
                        "800 ms: EEEEEEEEEE focus Ok, 'Tea', Delete shown",
                        "shown: ---------- focus none, 'Tea', Delete hidden",
                        "799 ms: ---------- focus none, 'Tea', Delete hidden",
                        "800 ms: EEEEEEEEEE focus Ok, 'Tea', Delete hidden",
                    }));
    EXPECT_EQ(headless::ActiveTimerCount(), 0) << "the guard's timer is off between showings";
}

// The default frame follows the focus within a showing, as the platform's dialogs do, and
// belongs to Ok again at the next showing.
TEST_F(AlarmShowTest, TheDefaultFrameBelongsToOkAtEveryShowing) {
    std::vector<std::string> seen;
    const auto look = [&](const char* when) {
        seen.push_back(std::string(when) + ": focus " + Focused() + ", frame " + Framed());
    };
    headless::ScriptModal("TAlarmShow", [&](Form& form) {
        look("guard");
        headless::AdvanceClock(kAlarmGuardMs);
        look("after the guard");
        headless::PressKey(form, keys::kTab);
        look("Tab");
        headless::PressKey(form, keys::kTab);
        look("Tab");
        headless::PressKey(form, keys::kReturn);
    });
    EXPECT_EQ(window.ShowModal(), -10) << "Enter presses the button Tab moved to";
    headless::ScriptModal("TAlarmShow", [&](Form& form) {
        look("next showing");
        headless::AdvanceClock(kAlarmGuardMs);
        look("after the guard");
        headless::PressKey(form, keys::kReturn);
    });
    EXPECT_EQ(window.ShowModal(), kAlarmOk);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "guard: focus none, frame Ok",
                        "after the guard: focus Ok, frame Ok",
                        "Tab: focus 5 minutes, frame 5 minutes",
                        "Tab: focus 10 minutes, frame 10 minutes",
                        "next showing: focus none, frame Ok",
                        "after the guard: focus Ok, frame Ok",
                    }));
}

// Where the window stands while it is up, in screen pixels.
Rect ShownAt(TAlarmShow& window) {
    Rect shown;
    headless::ScriptModal("TAlarmShow", [&](Form& form) {
        shown = form.ScreenBounds();
        headless::AdvanceClock(kAlarmGuardMs);
        form.Close();
    });
    window.ShowModal();
    return shown;
}

// The window comes up in the middle of the monitor the user works on.
TEST_F(AlarmShowTest, ComesUpCentredOnTheMonitorInUse) {
    const Rect primary{0, 0, 1024, 768};
    const Rect right{1024, -200, 2944, 880};  // 1920 x 1080, set higher than the primary
    const Rect left{-1280, 0, 0, 1024};
    const PlatformVersion windows95{1, 4, 0}, windows98{1, 4, 10}, nt4{2, 4, 0},
        windows2000{2, 5, 0};
    struct Case {
        const char* what;
        PlatformVersion version;
        std::optional<Rect> foreground;
        int cursorX, cursorY;
        Rect expected;
    };
    const Case cases[] = {
        {"a foreground window on the right monitor", windows2000, Rect{1500, 100, 2100, 500}, 10,
         10, right},
        {"the foreground window wins over the pointer", windows2000, Rect{100, 100, 500, 400}, 2000,
         300, primary},
        {"a window across two monitors counts where most of it is", windows2000,
         Rect{800, 100, 1500, 500}, 10, 10, right},
        {"a window off every monitor counts on the nearest", windows2000,
         Rect{-3000, 100, -2500, 400}, 10, 10, left},
        {"without a foreground window, the pointer's monitor", windows2000, std::nullopt, -600, 500,
         left},
        {"a pointer in no monitor's area: the nearest", windows2000, std::nullopt, 1500, -500,
         right},
        {"Windows 98 tells monitors apart", windows98, Rect{1500, 100, 2100, 500}, 10, 10, right},
        {"Windows 95: the screen, as before", windows95, Rect{1500, 100, 2100, 500}, 2000, 300,
         primary},
        {"NT 4.0: the screen, as before", nt4, Rect{1500, 100, 2100, 500}, 2000, 300, primary},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        headless::SetMonitors({primary, right, left});
        headless::SetPlatformVersion(c.version);
        headless::SetForegroundWindow(c.foreground);
        headless::SetCursorPosition(c.cursorX, c.cursorY);
        const Rect shown = ShownAt(window);
        EXPECT_NEAR((shown.left + shown.right) / 2.0, (c.expected.left + c.expected.right) / 2.0,
                    1);
        EXPECT_NEAR((shown.top + shown.bottom) / 2.0, (c.expected.top + c.expected.bottom) / 2.0,
                    1);
    }
}

TEST_F(AlarmShowTest, OnAMonitorSmallerThanTheWindowItsCaptionStaysOnTheMonitor) {
    const Rect small{2000, 100, 2320, 340};  // 320 x 240
    headless::SetMonitors({Rect{0, 0, 1024, 768}, small});
    headless::SetForegroundWindow(Rect{2010, 110, 2100, 200});
    const Rect shown = ShownAt(window);
    EXPECT_EQ(shown.left, small.left);
    EXPECT_EQ(shown.top, small.top);
}

TEST_F(AlarmShowTest, OneMonitorAtAHigherResolutionCentresInScreenPixels) {
    headless::SetScreen(Size{1600, 1200}, 144);
    TAlarmShow scaled;
    const Rect shown = ShownAt(scaled);
    EXPECT_NEAR(shown.Width(), (384 + 6) * 1.5, 2);
    EXPECT_NEAR((shown.left + shown.right) / 2.0, 800, 1);
    EXPECT_NEAR((shown.top + shown.bottom) / 2.0, 600, 1);
}

}  // namespace

namespace testing {
namespace {

using Events = std::vector<std::string>;

// A snoozed reminder comes back guarded as it came the first time.
TEST_F(ClockTest, ASnoozedRemindersNextShowingIsGuardedToo) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Tea", Day() + At(9, 0, 3))});
    Start();
    for (const char* answer : {"5 minutes", "Ok"}) {
        headless::ScriptModal("TAlarmShow", [this, answer](Form& shown) {
            auto& window = static_cast<TAlarmShow&>(shown);
            headless::PressKey(window, keys::kReturn);
            log.push_back(std::string("Enter at once: ") +
                          (window.ModalResult() == 0 ? "up" : "answered") +
                          (window.OkButton.Enabled() ? "" : ", buttons disabled"));
            headless::AdvanceClock(kAlarmGuardMs);
            if (std::string(answer) == "Ok") {
                headless::PressKey(window, keys::kReturn);
            } else {
                headless::MouseClick(window.b5min);
            }
            log.push_back(std::string("then ") + answer);
        });
    }
    Tick(5);
    EXPECT_EQ(log, (Events{"Enter at once: up, buttons disabled", "then 5 minutes"}));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusPending);
    log.clear();
    Tick(5 * 60 + 5);
    EXPECT_EQ(log, (Events{"Enter at once: up, buttons disabled", "then Ok"}));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusDone);
}

}  // namespace
}  // namespace testing
}  // namespace pellino
